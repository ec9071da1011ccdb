#pragma once

#include <QFileIconProvider>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "uisupport/OpenFolders.h"

// A tree of the machine's folders: "Drives" (the file-system root "/") and the desktop
// folder at the top, sub-folders read only when an item is opened and thrown away when it
// is closed. Folders only, in the order the file system lists them, hidden ones included.
// Paths are the file system's bytes; each folder item keeps its raw name in Qt::UserRole.
// A folder is open in one place of the tree at a time: one reached again through a link
// is shown in italics and does not open while the other is open (see COpenFolders).
class CFolderTreeCtrl : public QTreeWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFolderTreeCtrl)

public:
    explicit CFolderTreeCtrl(QWidget* parent = nullptr);

    // Builds the two root items, each with a placeholder child.
    void Initialise(bool clearFirst);

    // Appends a folder item for path under parent, with the folder's own normal and open
    // icons, and a placeholder child when asked.
    QTreeWidgetItem* InsertPathItem(const std::string& path, QTreeWidgetItem* parent,
                                    bool placeholder);

    // The full path of an item: a drive or the desktop ends with "/", a folder ends with
    // "/" while it has a child item and without once opened and found empty; "Drives"
    // gives "".
    std::string PathOfItem(const QTreeWidgetItem* item, std::string suffix = {}) const;
    // "" for an item with an empty text, else PathOfItem.
    std::string PathOfSelection(const QTreeWidgetItem* item) const;

    // Opens the tree along an absolute path and selects its last folder. Empty pieces are
    // skipped; a folder matches by exact name first, then ignoring ASCII letter case.
    // False (selection unchanged) when a piece has no match.
    bool SelectPath(const std::string& path);

    QTreeWidgetItem* DrivesItem() const { return m_drivesItem; }
    QTreeWidgetItem* DesktopItem() const { return m_desktopItem; }
    const std::string& DesktopPath() const { return m_desktopPath; }

    static bool IsPlaceholder(const QTreeWidgetItem* item);

private:
    void OnItemExpanded(QTreeWidgetItem* item);
    void OnItemCollapsed(QTreeWidgetItem* item);
    void Populate(QTreeWidgetItem* item);
    void RemoveChildren(QTreeWidgetItem* item, bool addPlaceholder);
    void AddPlaceholder(QTreeWidgetItem* item);
    QIcon FolderIcon(const std::string& path) const;
    QTreeWidgetItem* MatchingChild(QTreeWidgetItem* item, const std::string& piece) const;

    QFileIconProvider m_iconProvider;
    QTreeWidgetItem* m_drivesItem = nullptr;
    QTreeWidgetItem* m_desktopItem = nullptr;
    std::string m_desktopPath;
    std::vector<std::string> m_driveStrings;  // the roots listed under "Drives"
    COpenFolders m_openFolders;
};
