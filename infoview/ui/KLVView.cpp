#include "infoview/ui/KLVView.h"

#include <QResizeEvent>

#include "records/LibraryPaths.h"

CKLVView::CKLVView(UiSeam& seam, QWidget* parent)
    : QWidget(parent), m_infoTree(this), m_groupList(this) {
    m_infoTree.setObjectName(QStringLiteral("0"));
    m_groupList.setObjectName(QStringLiteral("1"));
    m_infoTree.SetSeam(seam);
    m_groupList.SetSeam(seam);
    m_infoTree.hide();
    m_groupList.hide();
    connect(&m_groupList, &CGroupListCtrl::functionActivated, this,
            [this](const std::string& name, const std::string& path) {
                ShowFunction(name, path);
                emit functionActivated(name, path);
            });
    connect(&m_groupList, &CGroupListCtrl::groupActivated, this, &CKLVView::groupActivated);
}

void CKLVView::ShowItem(const std::string& name, const std::string& path) {
    if (kelvane::IsFunctionFolderName(name))
        ShowFunction(name, path);
    else
        ShowGroup(name, path);
}

void CKLVView::ShowFunction(const std::string& name, const std::string& path) {
    m_infoTree.ShowFunction(name, path);
    m_infoTree.show();
    m_groupList.hide();
}

void CKLVView::ShowGroup(const std::string& name, const std::string& path) {
    m_infoTree.hide();
    m_groupList.ShowGroup(name, path);
    m_groupList.show();
}

void CKLVView::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    m_infoTree.setGeometry(0, 0, e->size().width(), e->size().height());
    m_groupList.setGeometry(0, 0, e->size().width(), e->size().height());
}
