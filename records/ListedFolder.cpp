#include "records/ListedFolder.h"

namespace kelvane {

namespace {

thread_local int t_fd = -1;
thread_local bool t_readsWhole = false;

}  // namespace

ListedFolder::ListedFolder(int fd, bool readsWhole)
    : m_outerFd(t_fd), m_outerReadsWhole(t_readsWhole) {
    t_fd = fd;
    t_readsWhole = readsWhole;
}

ListedFolder::~ListedFolder() {
    t_fd = m_outerFd;
    t_readsWhole = m_outerReadsWhole;
}

bool ListedFolder::ReadsWhole(int fd) {
    return fd >= 0 && fd == t_fd && t_readsWhole;
}

}  // namespace kelvane
