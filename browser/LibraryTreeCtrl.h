#pragma once

#include <QPoint>
#include <QTreeWidget>
#include <string>

#include "uisupport/OpenFolders.h"

// The tree of one top-level group. Filled lazily: an item's children are read from disk
// each time it is expanded and thrown away when it is collapsed. Each item keeps its raw
// name bytes in Qt::UserRole; the text shows them decoded. A folder is open in one place
// of the tree at a time: an item whose folder is open already (reached through a link) is
// shown in italics and does not open. A folder that cannot be read shows the crossed box
// of the strip, with the reason as its tooltip.
class CLibraryTreeCtrl : public QTreeWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CLibraryTreeCtrl)

public:
    // Popups a right-click asks for.
    enum Popup { kGroupPopup, kFunctionPopup };

    static constexpr int kNameRole = Qt::UserRole;
    // The strip-131 icon cell the item shows (normal look).
    static constexpr int kIconRole = Qt::UserRole + 1;

    explicit CLibraryTreeCtrl(QWidget* parent = nullptr);

    // Root item (bold, named after m_strRootPath's last component), its children, expanded.
    void InitTree();
    // Appends one item per subdirectory of path ("_Src" skipped), each with a placeholder.
    void FillChildren(const std::string& path, QTreeWidgetItem* parent);
    // Deletes every descendant of item; the item stays.
    void DeleteChildren(QTreeWidgetItem* item);
    // Reads item's children again from disk; its expanded state is left as it is.
    void RefreshItem(QTreeWidgetItem* item);
    // Full directory path of item (raw bytes).
    std::string GetItemPath(QTreeWidgetItem* item) const;
    // The raw name bytes of item.
    static std::string ItemName(const QTreeWidgetItem* item);

    // Expands the items down to path (a directory under m_strRootPath), selects the last
    // one (expanded too when it is a group) and returns it; nullptr when path is not in
    // this tree. Items open already stay as they are.
    QTreeWidgetItem* SelectPath(const std::string& path);

    QTreeWidgetItem* RootItem() const { return topLevelItemCount() ? topLevelItem(0) : nullptr; }

    // Full path of the tree's top-level group (raw bytes).
    std::string m_strRootPath;

signals:
    // A mouse click: show this item on the right (name and path raw bytes).
    void showRequested(const std::string& name, const std::string& path);
    // A right-click on an item's row other than the root.
    void popupRequested(int popup, const QPoint& globalPos);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void OnExpanded(QTreeWidgetItem* item);
    void OnCollapsed(QTreeWidgetItem* item);
    void ShowSelection();
    static QTreeWidgetItem* NewPlaceholder();
    // "Tab/Group/Sub" as the tree shows the item.
    std::string TreePath(const QTreeWidgetItem* item) const;
    void ShowUnreadable(QTreeWidgetItem* item, int error);
    void ShowReadable(QTreeWidgetItem* item);

    bool m_bPressed = false;
    COpenFolders m_openFolders;
};
