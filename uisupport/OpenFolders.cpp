#include "uisupport/OpenFolders.h"

#include <sys/stat.h>

#include <QCoreApplication>

#include "records/ReadReason.h"

namespace {

// Roles above those the trees use for themselves.
constexpr int kDeviceRole = Qt::UserRole + 20;
constexpr int kInodeRole = Qt::UserRole + 21;
constexpr int kOpenRole = Qt::UserRole + 22;  // this item holds its folder open
constexpr int kMarkRole = Qt::UserRole + 23;

enum Mark { kNoMark, kOpenElsewhere, kUnreadable };

void SetItalic(QTreeWidgetItem* item, bool italic) {
    QFont font = item->font(0);
    font.setItalic(italic);
    item->setFont(0, font);
}

}  // namespace

void COpenFolders::SetIdentity(QTreeWidgetItem* item, const kelvane::DirIdentity& id) {
    item->setData(0, kDeviceRole, static_cast<qulonglong>(id.device));
    item->setData(0, kInodeRole, static_cast<qulonglong>(id.inode));
}

kelvane::DirIdentity COpenFolders::Identity(const QTreeWidgetItem* item) {
    return {static_cast<dev_t>(item->data(0, kDeviceRole).toULongLong()),
            static_cast<ino_t>(item->data(0, kInodeRole).toULongLong())};
}

bool COpenFolders::Open(QTreeWidgetItem* item, const std::string& path, const std::string& where) {
    if (item->data(0, kOpenRole).toBool())
        return true;
    struct stat st {};
    if (stat(path.c_str(), &st) == 0)
        SetIdentity(item, {st.st_dev, st.st_ino});  // as it is now, a mounted folder too
    const kelvane::DirIdentity id = Identity(item);
    if (id.inode != 0) {
        if (const std::string* open = m_open.Find(id)) {
            MarkOpenElsewhere(item, *open);
            return false;
        }
        m_open.Insert(id, where);
        item->setData(0, kOpenRole, true);
    }
    ClearMark(item);
    return true;
}

void COpenFolders::Close(QTreeWidgetItem* item) {
    CloseDescendants(item);
    if (item->data(0, kOpenRole).toBool()) {
        m_open.Erase(Identity(item));
        item->setData(0, kOpenRole, false);
    }
}

void COpenFolders::CloseDescendants(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i)
        Close(item->child(i));
}

const std::string* COpenFolders::OpenAt(const kelvane::DirIdentity& id) const {
    return id.inode != 0 ? m_open.Find(id) : nullptr;
}

void COpenFolders::MarkIfOpen(QTreeWidgetItem* item) const {
    if (const std::string* where = OpenAt(Identity(item)))
        MarkOpenElsewhere(item, *where);
}

void COpenFolders::MarkOpenElsewhere(QTreeWidgetItem* item, const std::string& where) {
    item->setData(0, kMarkRole, kOpenElsewhere);
    SetItalic(item, true);
    item->setToolTip(0, QCoreApplication::translate("COpenFolders",
                                                    "Open already as %1 (a link leads here too); "
                                                    "it opens here once that one is closed.")
                            .arg(QString::fromStdString(where)));
}

void COpenFolders::MarkUnreadable(QTreeWidgetItem* item, int error) {
    item->setData(0, kMarkRole, kUnreadable);
    SetItalic(item, false);
    item->setToolTip(
        0, QCoreApplication::translate("COpenFolders", "This folder could not be read: %1.")
               .arg(QString::fromStdString(kelvane::ReadErrnoReason(error))));
}

void COpenFolders::ClearMark(QTreeWidgetItem* item) {
    if (item->data(0, kMarkRole).toInt() == kNoMark)
        return;
    item->setData(0, kMarkRole, kNoMark);
    SetItalic(item, false);
    item->setToolTip(0, QString());
}

bool COpenFolders::IsUnreadable(const QTreeWidgetItem* item) {
    return item->data(0, kMarkRole).toInt() == kUnreadable;
}

bool COpenFolders::IsMarkedOpenElsewhere(const QTreeWidgetItem* item) {
    return item->data(0, kMarkRole).toInt() == kOpenElsewhere;
}
