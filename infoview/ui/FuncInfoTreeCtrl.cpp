#include "infoview/ui/FuncInfoTreeCtrl.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>

#include "resources/CommandIds.h"
#include "resources/Icons.h"
#include "uisupport/TreeRows.h"
#include "uisupport/UiSeam.h"

CFuncInfoTreeCtrl::CFuncInfoTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    hide();
}

void CFuncInfoTreeCtrl::ShowFunction(const std::string& folderName, const std::string& folderPath) {
    if (folderName.empty() || folderPath.empty())
        return;
    m_strFolderName = folderName;
    m_strFolderPath = folderPath;
    clear();

    const kelvane::InfoTreeResult result = kelvane::LoadInfoTree(folderPath, folderName);
    if (!result.loaded) {
        if (m_seam)
            m_seam->message(window(), QString::fromStdString(result.message));
        return;
    }
    AddItems(nullptr, result.root);
    setCurrentItem(nullptr);
    clearSelection();
}

void CFuncInfoTreeCtrl::AddItems(QTreeWidgetItem* parent, const kelvane::InfoItem& item) {
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    node->setText(0, QString::fromStdString(item.text));
    node->setIcon(0, icons::InfoPair(item.icon, item.selectedIcon));
    node->setData(0, kIconRole, item.icon);
    node->setData(0, kSelectedIconRole, item.selectedIcon);
    if (item.bold) {
        QFont bold = font();
        bold.setBold(true);
        node->setFont(0, bold);
    }
    for (const kelvane::InfoItem& child : item.children)
        AddItems(node, child);
    // Children first, so an item is expanded only once its children exist.
    node->setExpanded(item.expanded);
}

void CFuncInfoTreeCtrl::SendRefresh() {
    QEvent refresh(kRefreshEvent);
    QCoreApplication::sendEvent(this, &refresh);
}

bool CFuncInfoTreeCtrl::event(QEvent* e) {
    if (e->type() == kRefreshEvent) {
        ShowFunction(m_strFolderName, m_strFolderPath);
        return true;
    }
    return QTreeWidget::event(e);
}

void CFuncInfoTreeCtrl::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    if (e->button() == Qt::RightButton) {
        if (QTreeWidgetItem* item = ItemOnRow(*this, pos))
            setCurrentItem(item);
    }
    if (!itemAt(pos)) {
        // Off the items' text the selection stays as it is.
        setFocus(Qt::MouseFocusReason);
        e->accept();
        return;
    }
    QTreeWidget::mousePressEvent(e);
}

void CFuncInfoTreeCtrl::mouseDoubleClickEvent(QMouseEvent* e) {
    QTreeWidget::mouseDoubleClickEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    // Any part of the row names the item, as for the right button: a double click right of
    // a short value's text edits that value, not the one selected before.
    if (QTreeWidgetItem* item = ItemOnRow(*this, e->position().toPoint()))
        setCurrentItem(item);
    QTreeWidgetItem* selected = currentItem();
    if (selected && selected->childCount() == 0)
        emit commandRequested(cmd::kEditField);
}

void CFuncInfoTreeCtrl::contextMenuEvent(QContextMenuEvent* e) {
    QTreeWidgetItem* selected = currentItem();
    if (!selected) {
        e->ignore();
        return;
    }
    e->accept();
    if (ItemOnRow(*this, viewport()->mapFromGlobal(e->globalPos())) != selected)
        return;
    emit popupRequested(selected->parent() ? kParameterPopup : kFunctionPopup, e->globalPos());
}
