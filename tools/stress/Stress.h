#pragma once

#include <string>

namespace kelvane::stress {

int KillLoop(const std::string& dir, long kills, long maxDelayMicros);
int TwoInstances(const std::string& dir, long saves);
int ExternalChanges(const std::string& dir, long rounds);
int RenameRace(const std::string& dir, long rounds, long maxDelayMicros, bool plainRename);
int CreateKillLoop(const std::string& dir, long kills, long maxDelayMicros);
int DiskFull(const std::string& mount, const std::string& prog, long maxFreePages);
int StallRace(const std::string& dir, long rounds, long stallMicros);
int RenameDuringSaves(const std::string& dir, long rounds);

}  // namespace kelvane::stress
