#include "browser/LibraryTreeCtrl.h"

#include <sys/stat.h>

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "infoview/IconCells.h"
#include "records/DirScan.h"
#include "records/LibraryPaths.h"
#include "records/TextCodec.h"
#include "resources/Icons.h"
#include "uisupport/TreeRows.h"

namespace {

void SetIcon(QTreeWidgetItem* item, int icon, int selectedIcon) {
    item->setData(0, CLibraryTreeCtrl::kIconRole, icon);
    item->setIcon(0, icons::LibraryPair(icon, selectedIcon));
}

QTreeWidgetItem* NewItem(const std::string& name, int icon, int selectedIcon) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, QString::fromStdString(kelvane::DisplayName(name)));
    item->setData(0, CLibraryTreeCtrl::kNameRole, QByteArray::fromStdString(name));
    SetIcon(item, icon, selectedIcon);
    return item;
}

}  // namespace

CLibraryTreeCtrl::CLibraryTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(16, 16));
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemExpanded, this, &CLibraryTreeCtrl::OnExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &CLibraryTreeCtrl::OnCollapsed);
}

QTreeWidgetItem* CLibraryTreeCtrl::NewPlaceholder() {
    return new QTreeWidgetItem;
}

std::string CLibraryTreeCtrl::ItemName(const QTreeWidgetItem* item) {
    return item ? item->data(0, kNameRole).toByteArray().toStdString() : std::string();
}

void CLibraryTreeCtrl::InitTree() {
    using namespace kelvane::libicon;
    QTreeWidgetItem* root = NewItem(kelvane::LastComponent(m_strRootPath), kLibrary, kLibrary);
    QFont bold = font();
    bold.setBold(true);
    root->setFont(0, bold);
    addTopLevelItem(root);
    m_openFolders.Open(root, m_strRootPath, TreePath(root));
    FillChildren(m_strRootPath, root);
    // The first fill is already done: expanding must not read the directory again.
    const QSignalBlocker blocker(this);
    expandItem(root);
}

void CLibraryTreeCtrl::FillChildren(const std::string& path, QTreeWidgetItem* parent) {
    using namespace kelvane::libicon;
    QList<QTreeWidgetItem*> children;
    const kelvane::DirListing listing = kelvane::ListDirectories(path);
    if (listing.error != 0)
        ShowUnreadable(parent, listing.error);
    for (const kelvane::DirEntry& entry : listing.entries) {
        const kelvane::TreeItemKind kind = kelvane::LibraryTreeChild(entry.name);
        if (kind == kelvane::TreeItemKind::Hidden)
            continue;
        QTreeWidgetItem* item = kind == kelvane::TreeItemKind::Function
                                    ? NewItem(entry.name, kFunction, kFunctionSelected)
                                    : NewItem(entry.name, kGroupClosed, kGroupOpen);
        COpenFolders::SetIdentity(item, entry.id);
        m_openFolders.MarkIfOpen(item);
        item->addChild(NewPlaceholder());
        children.push_back(item);
    }
    parent->addChildren(children);
}

void CLibraryTreeCtrl::DeleteChildren(QTreeWidgetItem* item) {
    m_openFolders.CloseDescendants(item);
    const QList<QTreeWidgetItem*> children = item->takeChildren();
    qDeleteAll(children);
}

void CLibraryTreeCtrl::RefreshItem(QTreeWidgetItem* item) {
    if (!item)
        return;
    DeleteChildren(item);
    FillChildren(item->parent() ? GetItemPath(item) : m_strRootPath, item);
}

std::string CLibraryTreeCtrl::GetItemPath(QTreeWidgetItem* item) const {
    if (!item || !item->parent())
        return m_strRootPath;
    std::string relative = ItemName(item);
    for (QTreeWidgetItem* up = item->parent(); up && up->parent(); up = up->parent())
        relative = ItemName(up) + "/" + relative;
    return m_strRootPath + "/" + relative;
}

QTreeWidgetItem* CLibraryTreeCtrl::SelectPath(const std::string& path) {
    QTreeWidgetItem* item = RootItem();
    if (!item)
        return nullptr;
    if (path != m_strRootPath) {
        const std::string prefix = m_strRootPath + "/";
        if (path.compare(0, prefix.size(), prefix) != 0)
            return nullptr;
        std::string rest = path.substr(prefix.size());
        auto childNamed = [](QTreeWidgetItem* parent, const std::string& name) {
            for (int i = 0; i < parent->childCount(); ++i)
                if (ItemName(parent->child(i)) == name)
                    return parent->child(i);
            return static_cast<QTreeWidgetItem*>(nullptr);
        };
        while (!rest.empty()) {
            const std::size_t slash = rest.find('/');
            const std::string name = rest.substr(0, slash);
            rest = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
            // An open item keeps what is open below it while the folder sought is still
            // there; else it is read afresh.
            QTreeWidgetItem* next = item->isExpanded() ? childNamed(item, name) : nullptr;
            struct stat st {};
            if (next && (stat(GetItemPath(next).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)))
                next = nullptr;
            if (!next) {
                if (item->isExpanded())
                    RefreshItem(item);
                else
                    expandItem(item);
                next = childNamed(item, name);
            }
            if (!next)
                return nullptr;
            item = next;
        }
    }
    setCurrentItem(item);
    // A group opens to show what it holds; a function has nothing to show below it.
    if (!kelvane::IsFunctionFolderName(ItemName(item)))
        expandItem(item);
    scrollToItem(item);
    return item;
}

std::string CLibraryTreeCtrl::TreePath(const QTreeWidgetItem* item) const {
    std::string path = kelvane::DisplayName(ItemName(item));
    for (const QTreeWidgetItem* up = item->parent(); up; up = up->parent())
        path = kelvane::DisplayName(ItemName(up)) + "/" + path;
    return path;
}

void CLibraryTreeCtrl::ShowUnreadable(QTreeWidgetItem* item, int error) {
    using namespace kelvane::libicon;
    COpenFolders::MarkUnreadable(item, error);
    SetIcon(item, kBroken, kBrokenSelected);
}

void CLibraryTreeCtrl::ShowReadable(QTreeWidgetItem* item) {
    using namespace kelvane::libicon;
    if (!item->parent())
        SetIcon(item, kLibrary, kLibrary);
    else if (kelvane::IsFunctionFolderName(ItemName(item)))
        SetIcon(item, kFunction, kFunctionSelected);
    else
        SetIcon(item, kGroupClosed, kGroupOpen);
}

void CLibraryTreeCtrl::OnExpanded(QTreeWidgetItem* item) {
    if (ItemName(item).empty())
        return;  // a placeholder, which expanding everything below an item reaches too
    const bool wasUnreadable = COpenFolders::IsUnreadable(item);
    if (!m_openFolders.Open(item, GetItemPath(item), TreePath(item))) {
        const QSignalBlocker blocker(this);
        collapseItem(item);
        return;
    }
    if (wasUnreadable)
        ShowReadable(item);
    RefreshItem(item);
}

void CLibraryTreeCtrl::OnCollapsed(QTreeWidgetItem* item) {
    if (ItemName(item).empty())
        return;
    m_openFolders.Close(item);
    DeleteChildren(item);
    item->addChild(NewPlaceholder());
}

void CLibraryTreeCtrl::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    m_bPressed = e->button() == Qt::LeftButton;
    if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton) {
        if (QTreeWidgetItem* item = ItemOnRow(*this, pos))
            setCurrentItem(item);
    }
    if (!itemAt(pos)) {
        // Below the last item or right of a row's text: the selection stays as it is.
        setFocus(Qt::MouseFocusReason);
        e->accept();
        return;
    }
    QTreeWidget::mousePressEvent(e);
}

void CLibraryTreeCtrl::mouseReleaseEvent(QMouseEvent* e) {
    QTreeWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && m_bPressed)
        ShowSelection();
    m_bPressed = false;
}

void CLibraryTreeCtrl::contextMenuEvent(QContextMenuEvent* e) {
    e->accept();
    ShowSelection();
    QTreeWidgetItem* selected = currentItem();
    if (!selected)
        return;
    QPoint globalPos = e->globalPos();
    if (e->reason() == QContextMenuEvent::Mouse) {
        if (ItemOnRow(*this, viewport()->mapFromGlobal(globalPos)) != selected)
            return;
    } else {
        globalPos = viewport()->mapToGlobal(visualItemRect(selected).center());
    }
    if (!selected->parent())
        return;
    emit popupRequested(
        kelvane::IsFunctionFolderName(ItemName(selected)) ? kFunctionPopup : kGroupPopup,
        globalPos);
}

void CLibraryTreeCtrl::ShowSelection() {
    QTreeWidgetItem* selected = currentItem();
    emit showRequested(ItemName(selected), selected ? GetItemPath(selected) : std::string());
}
