#pragma once

namespace kelvane {

// The folder whose listing a walk is handing to its visitor, for the readers of the files
// it lists: where its file system is one whose code is known, a read of a regular file
// there that ends short of what it asked for has read the whole file, which saves a stat
// per file. It holds on the walking thread while the object lives, and changes how many
// calls a read takes, never what the read finds.
class ListedFolder {
public:
    ListedFolder(int fd, bool readsWhole);
    ~ListedFolder();
    ListedFolder(const ListedFolder&) = delete;
    ListedFolder& operator=(const ListedFolder&) = delete;

    // True when fd is the folder being listed on this thread and its reads are whole.
    static bool ReadsWhole(int fd);

private:
    int m_outerFd;  // of a walk this one runs inside, if any
    bool m_outerReadsWhole;
};

}  // namespace kelvane
