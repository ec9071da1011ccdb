// Saves that stall or whose folder moves. In the stall run one process edits a counter
// file without pause while this one stops it (SIGSTOP) at random moments, tries its own
// edit while the other stands still, and lets it go on: no edit may be lost, the file must
// always be whole, and nothing may be left. In the rename run one process edits a function
// while this one renames its folder away and back, putting an empty folder of the same
// name in its place meanwhile: a save must finish in the folder it began in, never write
// into the other, and leave nothing behind.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "records/FileOps.h"
#include "records/WorkFiles.h"
#include "tools/stress/SampleRecords.h"
#include "tools/stress/Stress.h"

namespace kelvane::stress {

namespace {

struct EditTally {
    long saved = 0, busy = 0, changed = 0, moved = 0, other = 0;

    void Count(const Status& status) {
        const std::string& text = status.message();
        if (status.ok())
            ++saved;
        else if (text.find("another save is in progress") != std::string::npos)
            ++busy;
        else if (text.find("changed on disk") != std::string::npos)
            ++changed;
        else if (text.find("removed or renamed") != std::string::npos ||
                 text.find("the folder does not exist") != std::string::npos ||
                 text.find("could not load") != std::string::npos)
            ++moved;
        else {
            ++other;
            std::fprintf(stderr, "%s\n", text.c_str());
        }
    }
};

// Runs edit in a child until it has saved `saves` times (or, with saves 0, until the file
// stop appears) and reports its tally through a pipe.
template <typename Edit>
pid_t StartEditor(int& readEnd, long saves, const std::string& stop, Edit edit) {
    int ends[2];
    if (pipe(ends) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        EditTally tally;
        while (saves > 0 ? tally.saved < saves : !std::filesystem::exists(stop))
            tally.Count(edit());
        static_cast<void>(write(ends[1], &tally, sizeof tally));
        _exit(0);
    }
    close(ends[1]);
    readEnd = ends[0];
    return child;
}

bool Collect(int readEnd, pid_t child, EditTally& tally) {
    const bool got = read(readEnd, &tally, sizeof tally) == sizeof tally;
    close(readEnd);
    waitpid(child, nullptr, 0);
    return got;
}

}  // namespace

int StallRace(const std::string& dir, long rounds, long stallMicros) {
    const std::string path = dir + "/Stalled().fdb";
    if (!WriteFileAtomically(path, CounterFunctionBytes(0)).ok())
        return 2;
    const long saves = rounds * 4;
    int pipeEnd = -1;
    const pid_t other = StartEditor(pipeEnd, saves, {}, [&] { return IncrementCounter(path); });
    if (other < 0)
        return 2;
    std::mt19937 random(31337);
    std::uniform_int_distribution<long> pause(0, 3000);
    EditTally ours;
    long torn = 0, stalls = 0;
    for (long round = 0; round < rounds; ++round) {
        usleep(static_cast<useconds_t>(pause(random)));
        if (kill(other, SIGSTOP) != 0)
            break;  // it has finished its saves
        int status = 0;
        waitpid(other, &status, WUNTRACED);
        ++stalls;
        ours.Count(IncrementCounter(path));
        usleep(static_cast<useconds_t>(stallMicros));
        if (CounterOf(path) < 0)
            ++torn;
        kill(other, SIGCONT);
    }
    EditTally theirs;
    if (!Collect(pipeEnd, other, theirs))
        return 2;
    const long counter = CounterOf(path);
    const long lost = counter < 0 ? -1 : ours.saved + theirs.saved - counter;
    const bool left = !NamesIn(dir, kWorkPrefix).empty();
    std::printf(
        "stalls: %ld\nour edit refused while the other was stopped inside a save: %ld\nour edit "
        "saved while the other was stopped between saves: %ld\nour edit refused, the other had "
        "changed the file since we read it: %ld\nthe other's saves refused after resuming "
        "(changed meanwhile): %ld\ntorn files: %ld\nfinal counter: %ld\naccepted saves: "
        "%ld\nlost updates: %ld\nwork files left: %s\n",
        stalls, ours.busy, ours.saved, ours.changed, theirs.changed, torn, counter,
        ours.saved + theirs.saved, lost, left ? "yes" : "no");
    return torn == 0 && lost == 0 && !left && ours.other == 0 && theirs.other == 0 ? 0 : 1;
}

int RenameDuringSaves(const std::string& dir, long rounds) {
    const std::string folder = dir + "/Blur()";
    const std::string moved = dir + "/Moved()";
    const std::string stop = dir + "/stop";
    std::filesystem::create_directories(folder);
    if (!WriteFileAtomically(folder + "/Blur().fdb", CounterFunctionBytes(0)).ok())
        return 2;
    int pipeEnd = -1;
    const pid_t editor =
        StartEditor(pipeEnd, 0, stop, [&] { return IncrementCounter(folder + "/Blur().fdb"); });
    if (editor < 0)
        return 2;
    std::mt19937 random(2718);
    std::uniform_int_distribution<long> inPlace(0, 3000), away(0, 300);
    long intoDecoy = 0, leftInFolder = 0;
    for (long round = 0; round < rounds; ++round) {
        usleep(static_cast<useconds_t>(inPlace(random)));
        if (rename(folder.c_str(), moved.c_str()) != 0)
            return 2;
        // An empty folder of the same name: a save must not land in it.
        mkdir(folder.c_str(), 0755);
        usleep(static_cast<useconds_t>(away(random)));
        if (!NamesIn(folder).empty())
            ++intoDecoy;
        RemoveTree(folder);
        if (rename(moved.c_str(), folder.c_str()) != 0)
            return 2;
    }
    static_cast<void>(WriteNewFile(stop, ""));
    EditTally tally;
    if (!Collect(pipeEnd, editor, tally))
        return 2;
    const long counter = CounterOf(folder + "/Blur().fdb");
    if (NamesIn(folder) != std::vector<std::string>{"Blur().fdb"})
        ++leftInFolder;
    const bool nextEdit = IncrementCounter(folder + "/Blur().fdb").ok();
    std::printf(
        "folder renames: %ld\nsaves: %ld\nsaves refused because the folder had moved: "
        "%ld\nsaves refused as changed on disk: %ld\nfiles written into the other folder: "
        "%ld\nsaves refused for another reason: %ld\nfinal file complete: %s\nlost updates: "
        "%ld\nleft beside the file: %ld\nnext edit saved: %s\n",
        rounds, tally.saved, tally.moved, tally.changed, intoDecoy, tally.other,
        counter >= 0 ? "yes" : "no", counter < 0 ? -1 : tally.saved - counter, leftInFolder,
        nextEdit ? "yes" : "no");
    return intoDecoy == 0 && counter == tally.saved && leftInFolder == 0 && nextEdit &&
                   tally.other == 0
               ? 0
               : 1;
}

}  // namespace kelvane::stress
