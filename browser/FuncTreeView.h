#pragma once

#include <QPoint>
#include <QWidget>
#include <string>
#include <vector>

#include "browser/LibraryTreeCtrl.h"

class QTabWidget;

// The left pane: one tab per top-level group of the library, in the order the file system
// gives them, each with its lazily filled tree. Built once, by InitialUpdate.
class CFuncTreeView : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFuncTreeView)

public:
    explicit CFuncTreeView(QWidget* parent = nullptr);

    // Scans libraryRoot and builds the tabs and trees; later calls do nothing.
    void InitialUpdate(const std::string& libraryRoot);

    // The tab with the focus (-1 when there is none) and its tree (nullptr then).
    int CurrentTab() const;
    CLibraryTreeCtrl* CurrentTree();

    // Makes the tab of the tree holding path current, expands down to path and selects it.
    // Returns the selected item, nullptr when no tree holds path.
    QTreeWidgetItem* SelectPath(const std::string& path);

    QTabWidget* TabControl() { return m_tabs; }

    // Number of top-level groups = tabs = trees; tree i belongs to tab i.
    int m_nGroupCount = 0;
    std::vector<CLibraryTreeCtrl*> m_pTrees;

signals:
    // Forwarded from every tree.
    void showRequested(const std::string& name, const std::string& path);
    void popupRequested(int popup, const QPoint& globalPos);
    // The current item of some tree changed (the commands' enabling may follow it).
    void selectionChanged();

private:
    QTabWidget* m_tabs;
    bool m_bBuilt = false;
};
