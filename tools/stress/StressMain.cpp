// kelvane-stress: the reliability drivers. Each command prints its figures.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/stress/Probe.h"
#include "tools/stress/Stress.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: kelvane-stress killloop DIR KILLS [MAX_DELAY_US]\n"
                 "       kelvane-stress createloop DIR KILLS [MAX_DELAY_US]\n"
                 "       kelvane-stress stall DIR ROUNDS [STALL_US]\n"
                 "       kelvane-stress renames DIR ROUNDS\n"
                 "       kelvane-stress diskfull MOUNT PROGRAM_DIR [MAX_FREE_PAGES]\n"
                 "       kelvane-stress instances DIR SAVES\n"
                 "       kelvane-stress race DIR ROUNDS [--plain] [MAX_DELAY_US]\n"
                 "       kelvane-stress changes DIR ROUNDS\n"
                 "       kelvane-stress edit FILE          (load, change, save)\n"
                 "       kelvane-stress write FILE SIZE    (save SIZE bytes)\n"
                 "       kelvane-stress rename FROM TO     (no-replace rename)\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kelvane::stress;
    if (argc < 3)
        return Usage();
    const std::string command = argv[1];
    const std::string first = argv[2];
    auto number = [&](int i, long fallback) { return argc > i ? std::atol(argv[i]) : fallback; };
    if (command == "killloop" && argc >= 4)
        return KillLoop(first, number(3, 0), number(4, 4000));
    if (command == "createloop" && argc >= 4)
        return CreateKillLoop(first, number(3, 0), number(4, 20000));
    if (command == "stall" && argc >= 4)
        return StallRace(first, number(3, 0), number(4, 2000));
    if (command == "renames" && argc >= 4)
        return RenameDuringSaves(first, number(3, 0));
    if (command == "diskfull" && argc >= 4)
        return DiskFull(first, argv[3], number(4, 24));
    if (command == "instances" && argc >= 4)
        return TwoInstances(first, number(3, 0));
    if (command == "race" && argc >= 4) {
        const bool plain = argc > 4 && std::string(argv[4]) == "--plain";
        return RenameRace(first, number(3, 0), number(plain ? 5 : 4, 100), plain);
    }
    if (command == "changes" && argc >= 4)
        return ExternalChanges(first, number(3, 0));
    if (command == "edit")
        return ProbeEdit(first);
    if (command == "write" && argc >= 4)
        return ProbeWrite(first, number(3, 0));
    if (command == "rename" && argc >= 4)
        return ProbeRename(first, argv[3]);
    return Usage();
}
