// Rounds of load, an outside action on the file, save with change detection. Actions
// that change the bytes (same-size edit with the time restored, replace by rename,
// delete, same-second write) must stop the save; a touch or a rewrite of the same bytes
// must not.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <random>

#include "records/FileOps.h"
#include "records/FunctionRecord.h"
#include "tools/stress/SampleRecords.h"
#include "tools/stress/Stress.h"

namespace kelvane::stress {

namespace {

enum Action {
    kTouch,
    kSameBytes,
    kSameSizeOldTime,
    kReplaceByRename,
    kDelete,
    kSameSecond,
    kCount
};

const char* const kActionNames[kCount] = {
    "touch",  "rewrite of the same bytes", "same-size edit, time restored", "replace by rename",
    "delete", "same-second write"};

bool Changes(Action action) {
    return action != kTouch && action != kSameBytes;
}

void Write(const std::string& path, const std::string& bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    static_cast<void>(write(fd, bytes.data(), bytes.size()));
    close(fd);
}

void Apply(Action action, const std::string& path, long round) {
    std::string bytes;
    ReadWholeFile(path, bytes);
    struct stat before {};
    stat(path.c_str(), &before);
    const std::string other = CounterFunctionBytes(round + 1000000);  // same size
    switch (action) {
        case kTouch:
            utimensat(AT_FDCWD, path.c_str(), nullptr, 0);
            break;
        case kSameBytes:
            Write(path, bytes);
            break;
        case kSameSizeOldTime: {
            Write(path, other);
            const timespec times[2] = {before.st_atim, before.st_mtim};
            utimensat(AT_FDCWD, path.c_str(), times, 0);
            break;
        }
        case kReplaceByRename:
            Write(path + ".new", other);
            rename((path + ".new").c_str(), path.c_str());
            break;
        case kDelete:
            unlink(path.c_str());
            break;
        case kSameSecond:
            Write(path, other);
            break;
        case kCount:
            break;
    }
}

}  // namespace

int ExternalChanges(const std::string& dir, long rounds) {
    const std::string path = dir + "/Watched().fdb";
    std::mt19937 random(99);
    long detected[kCount] = {}, tried[kCount] = {};
    long falseAlarms = 0, missed = 0;
    for (long round = 0; round < rounds; ++round) {
        if (!WriteFileAtomically(path, CounterFunctionBytes(round)).ok())
            return 2;
        FunctionRecord record;
        FileStamp stamp;
        if (!record.Load(path, &stamp))
            return 2;
        const auto action = static_cast<Action>(random() % kCount);
        Apply(action, path, round);
        static_cast<void>(SetFieldText(record.header().description, "ours"));
        const bool refused = !record.Save(path, &stamp).ok();
        ++tried[action];
        if (refused)
            ++detected[action];
        if (refused && !Changes(action))
            ++falseAlarms;
        if (!refused && Changes(action))
            ++missed;
    }
    for (int a = 0; a < kCount; ++a)
        std::printf("%s: %ld rounds, %ld saves stopped\n", kActionNames[a], tried[a], detected[a]);
    std::printf("rounds: %ld\nmissed changes: %ld\nfalse alarms: %ld\n", rounds, missed,
                falseAlarms);
    return missed == 0 && falseAlarms == 0 ? 0 : 1;
}

}  // namespace kelvane::stress
