// Two processes editing the same function file: each loads it, increments a counter in
// the description and saves with change detection, until it has saved `saves` times; a
// refused save is retried after a short pause, as a user would after the refresh. Every
// accepted save must count, so the final counter equals the number of accepted saves (no
// lost update), and the file is one complete version.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>

#include "records/FileOps.h"
#include "records/FunctionRecord.h"
#include "records/WorkFiles.h"
#include "tools/stress/SampleRecords.h"
#include "tools/stress/Stress.h"

namespace kelvane::stress {

namespace {

struct Tally {
    long saved = 0, locked = 0, changed = 0, other = 0;
};

constexpr long kMaxAttemptsPerSave = 1000;

Tally EditLoop(const std::string& path, long saves) {
    Tally tally;
    std::mt19937 random(static_cast<unsigned>(getpid()));
    std::uniform_int_distribution<useconds_t> pause(0, 2000);
    for (long i = 0; i < saves * kMaxAttemptsPerSave && tally.saved < saves; ++i) {
        FunctionRecord record;
        FileStamp stamp;
        if (!record.Load(path, &stamp)) {
            ++tally.other;
            continue;
        }
        const long counter = std::stol(std::string(FieldText(record.header().description)));
        static_cast<void>(SetFieldText(record.header().description, std::to_string(counter + 1)));
        const Status status = record.Save(path, &stamp);
        if (!status.ok())
            usleep(pause(random));
        if (status.ok())
            ++tally.saved;
        else if (status.message().find("another save is in progress") != std::string::npos)
            ++tally.locked;
        else if (status.message().find("changed on disk") != std::string::npos)
            ++tally.changed;
        else
            ++tally.other;
    }
    return tally;
}

}  // namespace

int TwoInstances(const std::string& dir, long saves) {
    const std::string path = dir + "/Shared().fdb";
    if (!WriteFileAtomically(path, CounterFunctionBytes(0)).ok())
        return 2;
    int pipes[2][2];
    pid_t children[2];
    for (int k = 0; k < 2; ++k) {
        if (pipe(pipes[k]) != 0)
            return 2;
        children[k] = fork();
        if (children[k] == 0) {
            const Tally tally = EditLoop(path, saves);
            static_cast<void>(write(pipes[k][1], &tally, sizeof tally));
            _exit(0);
        }
        close(pipes[k][1]);
    }
    Tally total;
    for (int k = 0; k < 2; ++k) {
        Tally tally;
        if (read(pipes[k][0], &tally, sizeof tally) != sizeof tally)
            return 2;
        waitpid(children[k], nullptr, 0);
        std::printf(
            "instance %d: %ld saved, %ld refused (save in progress), %ld "
            "refused (changed on disk), %ld other\n",
            k + 1, tally.saved, tally.locked, tally.changed, tally.other);
        total.saved += tally.saved;
        total.other += tally.other;
    }
    const long counter = CounterOf(path);
    const bool workLeft = !NamesIn(dir, kWorkPrefix).empty();
    const long lostUpdates = counter < 0 ? -1 : total.saved - counter;
    std::printf(
        "final file complete: %s\nfinal counter: %ld\naccepted saves: %ld\nlost "
        "updates: %ld\nwork files left: %s\n",
        counter >= 0 ? "yes" : "no", counter, total.saved, lostUpdates, workLeft ? "yes" : "no");
    const bool allSaved = total.saved == 2 * saves;
    return counter >= 0 && lostUpdates == 0 && !workLeft && total.other == 0 && allSaved ? 0 : 1;
}

}  // namespace kelvane::stress
