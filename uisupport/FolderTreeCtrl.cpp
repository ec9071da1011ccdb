#include "uisupport/FolderTreeCtrl.h"

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStyle>

#include "records/DirScan.h"
#include "records/LibraryPaths.h"
#include "records/TextCodec.h"

namespace {

enum ItemKind { kPlaceholder, kDrives, kDesktop, kDrive, kFolder };

constexpr int kRawNameRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;

int KindOf(const QTreeWidgetItem* item) {
    return item->data(0, kKindRole).toInt();
}

void SetIdentityOf(QTreeWidgetItem* item, const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        COpenFolders::SetIdentity(item, {st.st_dev, st.st_ino});
}

std::string RawName(const QTreeWidgetItem* item) {
    return item->data(0, kRawNameRole).toByteArray().toStdString();
}

QString FromBytes(const std::string& bytes) {
    return QString::fromUtf8(kelvane::DisplayName(bytes));
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    }
    return true;
}

// The desktop folder, or the home folder where there is none.
std::string FindDesktopPath() {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString home = QDir::homePath();
    const QString chosen =
        (!desktop.isEmpty() && desktop != home && QFileInfo(desktop).isDir()) ? desktop : home;
    std::string path = QFile::encodeName(chosen).toStdString();
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

}  // namespace

CFolderTreeCtrl::CFolderTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemExpanded, this, &CFolderTreeCtrl::OnItemExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &CFolderTreeCtrl::OnItemCollapsed);
}

bool CFolderTreeCtrl::IsPlaceholder(const QTreeWidgetItem* item) {
    return item && KindOf(item) == kPlaceholder;
}

void CFolderTreeCtrl::Initialise(bool clearFirst) {
    if (clearFirst)
        clear();
    m_openFolders.Clear();
    m_drivesItem = m_desktopItem = nullptr;
    m_desktopPath = FindDesktopPath();

    m_drivesItem = new QTreeWidgetItem(this, QStringList(tr("Drives")));
    m_drivesItem->setData(0, kKindRole, kDrives);
    m_drivesItem->setIcon(0, m_iconProvider.icon(QFileIconProvider::Computer));
    AddPlaceholder(m_drivesItem);

    m_desktopItem = new QTreeWidgetItem(this);
    m_desktopItem->setText(0, FromBytes(kelvane::LastComponent(m_desktopPath)));
    m_desktopItem->setData(0, kKindRole, kDesktop);
    m_desktopItem->setIcon(0, m_iconProvider.icon(QFileIconProvider::Desktop));
    SetIdentityOf(m_desktopItem, m_desktopPath);
    AddPlaceholder(m_desktopItem);
}

QIcon CFolderTreeCtrl::FolderIcon(const std::string& path) const {
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const QSize size(side, side);
    const QIcon shell =
        m_iconProvider.icon(QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))));
    const QIcon open = shell.availableSizes(QIcon::Normal, QIcon::On).isEmpty()
                           ? style()->standardIcon(QStyle::SP_DirOpenIcon, nullptr, this)
                           : shell;
    QIcon icon;
    icon.addPixmap(shell.pixmap(size, QIcon::Normal, QIcon::Off), QIcon::Normal, QIcon::Off);
    icon.addPixmap(open.pixmap(size, QIcon::Normal, QIcon::On), QIcon::Normal, QIcon::On);
    return icon;
}

QTreeWidgetItem* CFolderTreeCtrl::InsertPathItem(const std::string& path, QTreeWidgetItem* parent,
                                                 bool placeholder) {
    const std::string name = path == "/" ? path : kelvane::LastComponent(path);
    auto* item = new QTreeWidgetItem(parent);
    item->setText(0, FromBytes(name));
    item->setData(0, kRawNameRole, QByteArray::fromStdString(name));
    item->setData(0, kKindRole, parent == m_drivesItem ? kDrive : kFolder);
    item->setIcon(0, FolderIcon(path));
    SetIdentityOf(item, path);
    m_openFolders.MarkIfOpen(item);
    if (placeholder)
        AddPlaceholder(item);
    return item;
}

void CFolderTreeCtrl::AddPlaceholder(QTreeWidgetItem* item) {
    auto* placeholder = new QTreeWidgetItem(item);
    placeholder->setData(0, kKindRole, kPlaceholder);
}

void CFolderTreeCtrl::RemoveChildren(QTreeWidgetItem* item, bool addPlaceholder) {
    // Deleting an item releases its icons with it.
    m_openFolders.CloseDescendants(item);
    qDeleteAll(item->takeChildren());
    if (addPlaceholder)
        AddPlaceholder(item);
}

void CFolderTreeCtrl::OnItemExpanded(QTreeWidgetItem* item) {
    if (KindOf(item) == kPlaceholder)
        return;  // expanding everything below an item reaches placeholders too
    const std::string path = PathOfItem(item);
    if (item != m_drivesItem && !m_openFolders.Open(item, path, kelvane::DisplayPath(path))) {
        const QSignalBlocker blocker(this);
        collapseItem(item);
        return;
    }
    Populate(item);
}

void CFolderTreeCtrl::OnItemCollapsed(QTreeWidgetItem* item) {
    if (KindOf(item) == kPlaceholder)
        return;
    m_openFolders.Close(item);
    RemoveChildren(item, true);
}

void CFolderTreeCtrl::Populate(QTreeWidgetItem* item) {
    if (item == m_drivesItem) {
        RemoveChildren(item, false);
        m_driveStrings = {"/"};
        for (const std::string& root : m_driveStrings)
            InsertPathItem(root, item, true);
        return;
    }
    const std::string path = PathOfItem(item);  // still holds its placeholder: ends with "/"
    RemoveChildren(item, false);
    const kelvane::DirListing listing = kelvane::ListDirectories(path);
    if (listing.error != 0)
        COpenFolders::MarkUnreadable(item, listing.error);
    for (const kelvane::DirEntry& entry : listing.entries)
        InsertPathItem(path + entry.name, item, true);
}

std::string CFolderTreeCtrl::PathOfItem(const QTreeWidgetItem* item, std::string suffix) const {
    if (!item || item == m_drivesItem)
        return {};
    if (item == m_desktopItem)
        return m_desktopPath + "/" + suffix;
    if (KindOf(item) == kDrive) {
        const int index = m_drivesItem->indexOfChild(const_cast<QTreeWidgetItem*>(item));
        if (index >= 0 && static_cast<std::size_t>(index) < m_driveStrings.size())
            return m_driveStrings[static_cast<std::size_t>(index)] + suffix;
    }
    std::string path = suffix;  // a drive without its root string
    if (KindOf(item) != kDrive) {
        const std::string name = RawName(item);
        path = PathOfItem(item->parent(), name.empty() ? suffix : name + "/" + suffix);
    }
    if (item->childCount() == 0 && !path.empty())
        path.pop_back();
    return path;
}

std::string CFolderTreeCtrl::PathOfSelection(const QTreeWidgetItem* item) const {
    if (!item || item->text(0).isEmpty())
        return {};
    return PathOfItem(item);
}

QTreeWidgetItem* CFolderTreeCtrl::MatchingChild(QTreeWidgetItem* item,
                                                const std::string& piece) const {
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem* child = item->child(i);
        if (KindOf(child) != kPlaceholder && RawName(child) == piece)
            return child;
    }
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem* child = item->child(i);
        if (KindOf(child) != kPlaceholder && EqualIgnoringAsciiCase(RawName(child), piece))
            return child;
    }
    return nullptr;
}

bool CFolderTreeCtrl::SelectPath(const std::string& path) {
    if (!m_drivesItem)
        return false;
    m_drivesItem->setExpanded(true);
    if (path.empty() || path.front() != '/')
        return false;

    // An absolute path starts at the root drive.
    QTreeWidgetItem* current = nullptr;
    for (int i = 0; i < m_drivesItem->childCount() && !current; ++i) {
        if (RawName(m_drivesItem->child(i)) == "/")
            current = m_drivesItem->child(i);
    }
    if (!current)
        return false;
    current->setExpanded(true);

    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string piece = path.substr(start, end - start);
        start = end + 1;
        if (piece.empty())
            continue;
        QTreeWidgetItem* match = MatchingChild(current, piece);
        if (!match)
            return false;
        match->setExpanded(true);
        current = match;
    }
    setCurrentItem(current);
    return true;
}
