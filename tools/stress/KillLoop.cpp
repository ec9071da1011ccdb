// SIGKILLs a process that saves one function file over and over, at random points, and
// checks after every kill that the file is one complete version.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <random>

#include "records/FileOps.h"
#include "tools/stress/SampleRecords.h"
#include "tools/stress/Stress.h"

namespace kelvane::stress {

namespace {

[[noreturn]] void SaveForever(const std::string& path, const std::string& a, const std::string& b) {
    for (;;) {
        std::string current;
        if (!ReadWholeFile(path, current))
            _exit(3);
        const FileStamp stamp{true, static_cast<std::int64_t>(current.size()), 0, 0,
                              HashBytes(current)};
        static_cast<void>(WriteFileAtomically(path, current == a ? b : a, &stamp));
    }
}

}  // namespace

int KillLoop(const std::string& dir, long kills, long maxDelayMicros) {
    const std::string path = dir + "/Kill().fdb";
    const std::string lock = path + std::string(kLockSuffix);
    const std::string a = SampleFunctionBytes(0);
    const std::string b = SampleFunctionBytes(1);
    if (!WriteFileAtomically(path, a).ok())
        return 2;

    std::mt19937 random(12345);
    std::uniform_int_distribution<long> delay(0, maxDelayMicros);
    long torn = 0, lost = 0, midSave = 0, changed = 0;
    std::string previous = a;
    for (long i = 0; i < kills; ++i) {
        const pid_t child = fork();
        if (child < 0)
            return 2;
        if (child == 0)
            SaveForever(path, a, b);
        usleep(static_cast<useconds_t>(delay(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        std::string now;
        if (!ReadWholeFile(path, now)) {
            ++lost;
            if (!WriteFileAtomically(path, a).ok())
                return 2;
            now = a;
        } else if (now != a && now != b) {
            ++torn;
            if (!WriteFileAtomically(path, a).ok())
                return 2;
            now = a;
        }
        if (now != previous)
            ++changed;
        previous = now;
        // A kill inside a save leaves its lock; clean it as "check --clean" would.
        if (unlink(lock.c_str()) == 0)
            ++midSave;
    }
    std::printf(
        "kills: %ld\nkills inside a save (lock left): %ld\nkills after a completed "
        "save: %ld\ntorn files: %ld\nlost files: %ld\n",
        kills, midSave, changed, torn, lost);
    return torn == 0 && lost == 0 ? 0 : 1;
}

}  // namespace kelvane::stress
