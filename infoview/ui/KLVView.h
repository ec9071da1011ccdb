#pragma once

#include <QWidget>
#include <string>

#include "infoview/ui/FuncInfoTreeCtrl.h"
#include "infoview/ui/GroupListCtrl.h"

class UiSeam;

// The right pane: the information tree of a function or the listing of a group, one at a
// time and as large as the pane; both hidden until something is shown.
class CKLVView : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKLVView)

public:
    explicit CKLVView(UiSeam& seam, QWidget* parent = nullptr);

    CFuncInfoTreeCtrl* InfoTree() { return &m_infoTree; }
    CGroupListCtrl* GroupList() { return &m_groupList; }

    // Shows an item of the library: a name ending in "()" as a function, any other as a
    // group (name and path are raw bytes).
    void ShowItem(const std::string& name, const std::string& path);
    void ShowFunction(const std::string& name, const std::string& path);
    void ShowGroup(const std::string& name, const std::string& path);

signals:
    // A function row of the listing was double-clicked (and the function is now shown).
    void functionActivated(const std::string& name, const std::string& path);
    // A subgroup row of the listing was double-clicked.
    void groupActivated(const std::string& name, const std::string& path);

protected:
    void resizeEvent(QResizeEvent* e) override;

public:
    CFuncInfoTreeCtrl m_infoTree;
    CGroupListCtrl m_groupList;
};
