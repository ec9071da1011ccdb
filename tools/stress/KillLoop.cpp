// SIGKILLs a process that saves one function file over and over, at random points. After
// every kill the file must be one complete version, the next edit must go through at once,
// and after it nothing but the function file may be in the folder.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <random>

#include "records/FileOps.h"
#include "records/WorkFiles.h"
#include "tools/stress/SampleRecords.h"
#include "tools/stress/Stress.h"

namespace kelvane::stress {

namespace {

[[noreturn]] void SaveForever(const std::string& path, const std::string& a, const std::string& b) {
    for (;;) {
        std::string current;
        if (!ReadWholeFile(path, current))
            _exit(3);
        const FileStamp stamp{true, current};
        static_cast<void>(WriteFileAtomically(path, current == a ? b : a, &stamp));
    }
}

}  // namespace

int KillLoop(const std::string& dir, long kills, long maxDelayMicros) {
    const std::string name = "Kill().fdb";
    const std::string path = dir + "/" + name;
    const std::string a = SampleFunctionBytes(0);
    const std::string b = SampleFunctionBytes(1);
    if (!WriteFileAtomically(path, a).ok())
        return 2;

    std::mt19937 random(12345);
    std::uniform_int_distribution<long> delay(0, maxDelayMicros);
    long torn = 0, lost = 0, leftTemp = 0, changed = 0, blocked = 0, leftAfter = 0;
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
        if (!NamesIn(dir, kWorkPrefix).empty())
            ++leftTemp;
        // The next edit, at once: never kept out by the dead saver, and it leaves only the
        // function file.
        if (const Status edited = EditDescription(path, "Edited after kill"); !edited) {
            ++blocked;
            std::fprintf(stderr, "edit after kill %ld: %s\n", i, edited.message().c_str());
        }
        if (NamesIn(dir) != std::vector<std::string>{name})
            ++leftAfter;
        if (!WriteFileAtomically(path, now).ok())
            return 2;
        previous = now;
    }
    std::printf(
        "kills: %ld\nkills after a completed save: %ld\nkills that left a temporary file: "
        "%ld\ntorn files: %ld\nlost files: %ld\nblocked edits afterwards: %ld\nleft beside the "
        "file after the next edit: %ld\n",
        kills, changed, leftTemp, torn, lost, blocked, leftAfter);
    return torn == 0 && lost == 0 && blocked == 0 && leftAfter == 0 ? 0 : 1;
}

}  // namespace kelvane::stress
