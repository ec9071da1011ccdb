// Races a rename of a function folder against another process creating a directory of
// the target name. Both succeeding means the rename replaced the other's directory.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <random>

#include "records/FileOps.h"
#include "tools/stress/SampleRecords.h"
#include "tools/stress/Stress.h"

namespace kelvane::stress {

int RenameRace(const std::string& dir, long rounds, long maxDelayMicros, bool plainRename) {
    const std::string from = dir + "/Blur()";
    const std::string to = dir + "/Sharpen()";
    std::mt19937 random(777);
    std::uniform_int_distribution<long> delay(0, 2 * maxDelayMicros);
    long renameWon = 0, mkdirWon = 0, replaced = 0, neither = 0;
    for (long i = 0; i < rounds; ++i) {
        RemoveTree(to);
        RemoveTree(from);
        if (mkdir(from.c_str(), 0755) != 0)
            return 2;
        // The child reports that it is ready, then waits for the start; after the start
        // this side may sleep a while, so either may come first.
        int ready[2], go[2];
        if (pipe(ready) != 0 || pipe(go) != 0)
            return 2;
        const pid_t child = fork();
        if (child == 0) {
            char byte = 0;
            static_cast<void>(write(ready[1], &byte, 1));
            static_cast<void>(read(go[0], &byte, 1));
            _exit(mkdir(to.c_str(), 0755) == 0 ? 0 : 1);
        }
        char byte = 0;
        static_cast<void>(read(ready[0], &byte, 1));
        static_cast<void>(write(go[1], &byte, 1));
        for (int fd : {ready[0], ready[1], go[0], go[1]})
            close(fd);
        // Half the rounds start at once, the others after up to maxDelayMicros.
        if (const long micros = delay(random) - maxDelayMicros; micros > 0)
            usleep(static_cast<useconds_t>(micros));
        const bool renamed =
            plainRename ? rename(from.c_str(), to.c_str()) == 0 : RenameNoReplace(from, to).ok();
        int status = 0;
        waitpid(child, &status, 0);
        const bool made = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (renamed && made)
            ++replaced;
        else if (renamed)
            ++renameWon;
        else if (made)
            ++mkdirWon;
        else
            ++neither;
    }
    RemoveTree(to);
    RemoveTree(from);
    std::printf(
        "rounds: %ld\nrename first: %ld\nmkdir first, rename refused: %ld\nreplaced: "
        "%ld\nneither: %ld\n",
        rounds, renameWon, mkdirWon, replaced, neither);
    return replaced == 0 && neither == 0 ? 0 : 1;
}

}  // namespace kelvane::stress
