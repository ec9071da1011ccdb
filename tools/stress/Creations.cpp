// Creation under kills and on a full disk. The kill loop SIGKILLs a process that replaces
// one function over and over, alternating two signatures; after every kill the group must
// list the function alone and whole (function file and Function.cpp of the same
// signature, the user's own files kept), and the next edit and the next creation must go
// through at once and leave nothing beside the function. The full-disk run creates and
// replaces a function with 0, 1, 2, ... pages left free on a small file system: every
// creation either succeeds whole or fails naming the disk and leaves everything as it was.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>

#include "infoview/GroupListModel.h"
#include "records/DirScan.h"
#include "records/FileOps.h"
#include "records/FunctionRecord.h"
#include "records/WorkFiles.h"
#include "tools/stress/SampleRecords.h"
#include "tools/stress/Stress.h"
#include "wizard/FunctionCreator.h"

namespace kelvane::stress {

namespace {

const GenerationDate kDate{2024, 5, 6};
constexpr std::string_view kNotes = "the user's own notes\n";
constexpr std::string_view kWorkspace = "the user's workspace\n";

// Version 1 takes one parameter, version 2 two: the function file and Function.cpp each
// tell which they belong to.
NewFunction Version(const std::string& location, const std::string& name, int version) {
    if (version == 2)
        return {kKindDll, name, location, {"int*", "double*"}, {}};
    return {kKindDll, name, location, {"int*"}, {}};
}

// 1 or 2 when the folder holds one whole version, 0 when its files disagree or are missing.
int WholeVersion(const std::string& folder, const std::string& name) {
    FunctionRecord record;
    std::string source, project;
    if (!record.Load(folder + "/" + name + "().fdb") ||
        !ReadWholeFile(folder + "/_Src/Function.cpp", source) ||
        !ReadWholeFile(folder + "/_Src/" + name + ".dsp", project) || project.empty())
        return 0;
    const int signature =
        source.find("BOOL " + name + "( int* pIn_0, double* pIn_1 )") != std::string::npos ? 2
        : source.find("BOOL " + name + "( int* pIn_0 )") != std::string::npos              ? 1
                                                                                           : 0;
    return record.parameterCount() == signature ? signature : 0;
}

bool UserFilesKept(const std::string& folder) {
    std::string notes, workspace;
    return ReadWholeFile(folder + "/notes.txt", notes) && notes == kNotes &&
           ReadWholeFile(folder + "/_Src/Blur.dsw", workspace) && workspace == kWorkspace;
}

bool NothingBeside(const std::string& group, const std::string& folder) {
    return NamesIn(group) == std::vector<std::string>{"Blur()"} &&
           NamesIn(folder, kWorkPrefix).empty() && NamesIn(folder + "/_Src", kWorkPrefix).empty();
}

[[noreturn]] void ReplaceForever(const std::string& group, const std::string& prog) {
    for (;;) {
        const int now = WholeVersion(group + "/Blur()", "Blur");
        static_cast<void>(CreateFunction(Version(group, "Blur", now == 1 ? 2 : 1),
                                         ProgramFolders::InHome(prog), true, kDate));
    }
}

// Every path below root with its content ("/" for a folder), to tell "nothing changed".
std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::string bytes = "/";
        if (!it->is_directory())
            ReadWholeFile(it->path().string(), bytes);
        files[it->path().string()] = bytes;
    }
    return files;
}

// Fills the file system of dir but for `free` pages; the filler is returned open.
int FillLeaving(const std::string& dir, long free) {
    const std::string filler = dir + "/filler";
    const int fd = open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const std::string block(4096, 'f');
    off_t size = 0;
    while (write(fd, block.data(), block.size()) == static_cast<ssize_t>(block.size()))
        size += static_cast<off_t>(block.size());
    static_cast<void>(ftruncate(fd, size > free * 4096 ? size - free * 4096 : 0));
    return fd;
}

}  // namespace

int CreateKillLoop(const std::string& dir, long kills, long maxDelayMicros) {
    const std::string prog = dir + "/prog";
    const std::string group = dir + "/lib/Basic";
    const std::string folder = group + "/Blur()";
    WriteSkeleton(prog);
    std::filesystem::create_directories(group);
    if (!CreateFunction(Version(group, "Blur", 1), ProgramFolders::InHome(prog), false, kDate)
             .created())
        return 2;
    if (WriteNewFile(folder + "/notes.txt", kNotes) != 0 ||
        WriteNewFile(folder + "/_Src/Blur.dsw", kWorkspace) != 0)
        return 2;

    std::mt19937 random(4242);
    std::uniform_int_distribution<long> delay(0, maxDelayMicros);
    long mixed = 0, lost = 0, userLost = 0, shown = 0, leftWork = 0, changed = 0;
    long blockedEdits = 0, blockedCreations = 0, leftAfter = 0;
    int previous = 1;
    for (long i = 0; i < kills; ++i) {
        const pid_t child = fork();
        if (child < 0)
            return 2;
        if (child == 0)
            ReplaceForever(group, prog);
        usleep(static_cast<useconds_t>(delay(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        if (!NamesIn(group, kWorkPrefix).empty())
            ++leftWork;
        // What the tree and the group listing show: the function alone, whole.
        std::vector<std::string> visible;
        for (const DirEntry& entry : ScanDirectories(group))
            visible.push_back(entry.name);
        const GroupListing listing = BuildGroupListing(group);
        if (visible != std::vector<std::string>{"Blur()"} || listing.rows.size() != 1 ||
            !listing.complete)
            ++shown;
        const int version = WholeVersion(folder, "Blur");
        if (!std::filesystem::exists(folder + "/Blur().fdb"))
            ++lost;
        else if (version == 0)
            ++mixed;
        if (!UserFilesKept(folder))
            ++userLost;
        if (version != 0 && version != previous)
            ++changed;

        if (const Status edited = EditDescription(folder + "/Blur().fdb", "Edited"); !edited) {
            ++blockedEdits;
            std::fprintf(stderr, "edit after kill %ld: %s\n", i, edited.message().c_str());
        }
        const int next = version == 1 ? 2 : 1;
        const CreationResult created =
            CreateFunction(Version(group, "Blur", next), ProgramFolders::InHome(prog), true, kDate);
        if (!created.created()) {
            ++blockedCreations;
            std::fprintf(stderr, "creation after kill %ld: %s\n", i, created.message.c_str());
            for (const std::string& name : NamesIn(group))
                std::fprintf(stderr, "  left in the group: %s\n", name.c_str());
        }
        if (!NothingBeside(group, folder))
            ++leftAfter;
        previous = WholeVersion(folder, "Blur");
    }
    std::printf(
        "kills: %ld\nkills after a completed replacement: %ld\nkills that left work files (rolled "
        "back by the next listing, load or creation): %ld\nlisting not the function alone: "
        "%ld\nfunction file and "
        "Function.cpp disagree: %ld\nlost functions: %ld\nuser files lost: %ld\nblocked edits "
        "afterwards: %ld\nblocked creations afterwards: %ld\nleft beside the function after the "
        "next creation: %ld\n",
        kills, changed, leftWork, shown, mixed, lost, userLost, blockedEdits, blockedCreations,
        leftAfter);
    return shown == 0 && mixed == 0 && lost == 0 && userLost == 0 && blockedEdits == 0 &&
                   blockedCreations == 0 && leftAfter == 0
               ? 0
               : 1;
}

int DiskFull(const std::string& mount, const std::string& prog, long maxFreePages) {
    WriteSkeleton(prog);
    const std::string group = mount + "/lib";
    long cases = 0, refused = 0, created = 0, leftBehind = 0, badMessages = 0, broken = 0;
    long clean = 0;
    std::map<std::string, long> reasons;  // where creation stopped, as the message says
    for (const bool replace : {false, true}) {
        for (long free = 0; free <= maxFreePages; ++free) {
            RemoveTree(group);
            std::filesystem::create_directories(group);
            if (replace) {
                if (!CreateFunction(Version(group, "Blur", 1), ProgramFolders::InHome(prog), false,
                                    kDate)
                         .created() ||
                    WriteNewFile(group + "/Blur()/notes.txt", kNotes) != 0 ||
                    WriteNewFile(group + "/Blur()/_Src/Blur.dsw", kWorkspace) != 0)
                    return 2;
            }
            const auto before = Snapshot(group);
            const int filler = FillLeaving(mount, free);
            const CreationResult result = CreateFunction(
                Version(group, "Blur", 2), ProgramFolders::InHome(prog), replace, kDate);
            ++cases;
            if (result.created()) {
                ++created;
                if (WholeVersion(group + "/Blur()", "Blur") != 2 ||
                    (replace && !UserFilesKept(group + "/Blur()")))
                    ++broken;
            } else {
                ++refused;
                const std::string& message = result.message;
                if (Snapshot(group) != before)
                    ++leftBehind;
                const bool good =
                    message.find("the disk is full") != std::string::npos &&
                    message.find("Blur() in " + group) != std::string::npos &&
                    message.find(std::string(kWorkPrefix)) == std::string::npos &&
                    message.find("the file on disk is unchanged") == std::string::npos;
                if (!good) {
                    ++badMessages;
                    std::fprintf(stderr, "%ld pages free: %s\n", free, message.c_str());
                }
                if (good && Snapshot(group) == before)
                    ++clean;
                const std::string head = "Blur() in " + group + ": ";
                const auto from = message.find(head);
                if (from != std::string::npos) {
                    const std::string rest = message.substr(from + head.size());
                    ++reasons[(replace ? "replace: " : "new: ") + rest.substr(0, rest.find(';'))];
                }
            }
            close(filler);
            unlink((mount + "/filler").c_str());
        }
    }
    RemoveTree(group);
    std::printf(
        "creations and replacements on a full disk: %ld\nrefused, naming the full disk, "
        "everything as before: %ld\ncreated whole: %ld\nleft behind: %ld\nwrong messages: "
        "%ld\ncreated but not whole: %ld\n",
        cases, clean, created, leftBehind, badMessages, broken);
    for (const auto& [reason, count] : reasons)
        std::printf("  %ld x %s\n", count, reason.c_str());
    return leftBehind == 0 && badMessages == 0 && broken == 0 && refused > 0 && created > 0 ? 0 : 1;
}

}  // namespace kelvane::stress
