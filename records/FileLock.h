#pragma once

namespace kelvane {

// Exclusion between processes by an open file description lock (fcntl F_OFD_SETLK) on
// the whole file. The kernel holds it for as long as the descriptor is open and drops it
// when the process ends in any way, so a lock never outlives its owner. On NFS the
// client passes it to the server as an ordinary byte-range lock (NLM or NFSv4 LOCK).

// 0 when the lock is now held through fd, EWOULDBLOCK when another open file holds it,
// else the errno of the failure (ENOLCK: the file system keeps no locks). fd must be
// open for writing.
int TryLockFile(int fd);

}  // namespace kelvane
