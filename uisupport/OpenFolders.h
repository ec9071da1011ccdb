#pragma once

#include <QTreeWidgetItem>
#include <string>

#include "records/DirScan.h"

// The folders open (expanded) in one lazily filled tree, so that a folder reached again
// through a link is shown but not opened a second time: the rule of the command-line
// walks, for trees the user opens by hand. An item keeps its folder's identity; opening
// one whose folder is open already elsewhere (above it, or in another branch) is refused,
// and the item is marked instead: italic, with a tooltip naming where the folder is open.
// It keeps its expand button, so it opens once the other one is closed.
class COpenFolders {
public:
    // The identity a scan gave (unknown for a plain folder until it is opened).
    static void SetIdentity(QTreeWidgetItem* item, const kelvane::DirIdentity& id);
    static kelvane::DirIdentity Identity(const QTreeWidgetItem* item);

    // Opens item's folder (at path) under the name where; false (and item marked) when it
    // is open already. An item whose folder cannot be examined opens.
    bool Open(QTreeWidgetItem* item, const std::string& path, const std::string& where);
    // Closes item's folder, and those of its descendants, before they are collapsed or
    // deleted.
    void Close(QTreeWidgetItem* item);
    void CloseDescendants(QTreeWidgetItem* item);
    void Clear() { m_open.Clear(); }

    // Where id is open, nullptr when it is not.
    const std::string* OpenAt(const kelvane::DirIdentity& id) const;
    // Marks a new item whose folder is open already (nothing when it is not).
    void MarkIfOpen(QTreeWidgetItem* item) const;

    // A folder that could not be read: a tooltip with the reason.
    static void MarkUnreadable(QTreeWidgetItem* item, int error);
    static bool IsUnreadable(const QTreeWidgetItem* item);
    static bool IsMarkedOpenElsewhere(const QTreeWidgetItem* item);

private:
    static void MarkOpenElsewhere(QTreeWidgetItem* item, const std::string& where);
    static void ClearMark(QTreeWidgetItem* item);

    kelvane::EnteredDirs m_open;
};
