#include "records/SplitWalk.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace kelvane;

namespace {

struct Event {
    DirIdentity owner;
    bool startLevel = false;
    std::string label;
};

// One step of a part's scripted walk: a folder entered (through a link or not), or an event
// of a folder.
struct Step {
    enum { kEnter, kPut } what;
    ino_t folder;
    bool link = false;
    std::string label = {};
};

Step Enter(ino_t folder, bool link = false) {
    return {Step::kEnter, folder, link};
}
Step Put(ino_t owner, std::string label) {
    return {Step::kPut, owner, false, std::move(label)};
}

constexpr ino_t kStart = 1;
constexpr ino_t kStartLevel = 0;  // an event of the start's level

DirIdentity Id(ino_t inode) {
    return {7, inode};
}

// The labels that go out, in order; "?" before a label when the emitter is told that its
// folder 50 was entered by an earlier part.
std::vector<std::string> Split(const std::vector<std::vector<Step>>& parts, int threads,
                               std::size_t keepLimit) {
    std::vector<std::string> out;
    SplitWalk<Event>::Settings settings;
    settings.threads = threads;
    settings.keepLimit = keepLimit;
    SplitWalk<Event> split(
        Id(kStart), parts.size(), settings,
        [&](SplitWalk<Event>::PartOut& part) {
            // The first part is slow, so that the others keep what they find.
            if (part.index() == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            for (const Step& step : parts[part.index()]) {
                if (step.what == Step::kEnter)
                    part.Entered(Id(step.folder), step.link);
                else
                    part.Put({Id(step.folder), step.folder == kStartLevel, step.label});
            }
        },
        [&](Event& event, const SplitWalk<Event>::View& view) {
            out.push_back((view.EnteredEarlier(Id(50)) ? "?" : "") + event.label);
        });
    split.Run();
    return out;
}

}  // namespace

TEST(SplitWalk, givesThePartsInOrder_droppingWhatAnEarlierPartEnteredOnceALinkIsInPlay) {
    const struct {
        const char* what;
        std::vector<std::vector<Step>> parts;
        std::vector<std::string> expected;
    } cases[] = {
        {"no links: every event, in part order",
         {{Enter(10), Put(10, "a"), Enter(11), Put(11, "b")},
          {Enter(20), Put(20, "c")},
          {Put(kStartLevel, "d"), Enter(30), Put(30, "e")}},
         {"a", "b", "c", "d", "e"}},
        {"a later part reaches through a link a folder an earlier part entered",
         {{Enter(10), Put(10, "a")}, {Enter(20), Put(20, "b"), Enter(10, true), Put(10, "x")}},
         {"a", "b"}},
        {"a later part enters plainly a folder an earlier part reached through a link",
         {{Enter(10), Enter(20, true), Put(20, "a")},
          {Enter(20), Put(20, "x"), Put(kStartLevel, "b")}},
         {"a", "b"}},
        {"the start counts as entered; the start's level is never dropped",
         {{Enter(10), Enter(kStart, true), Put(kStart, "x"), Put(kStartLevel, "a")}},
         {"a"}},
        {"a part's own folders are its own; what a later part entered does not count",
         {{Enter(10, true), Put(10, "a"), Enter(10), Put(10, "b")},
          {Enter(10, true), Put(10, "x")}},
         {"a", "b"}},
        {"the emitter asks about a folder of its own",
         {{Enter(50, true), Put(50, "a")}, {Enter(60, true), Put(60, "b")}},
         {"a", "?b"}},
    };
    for (const auto& c : cases) {
        for (int threads : {1, 2, 4}) {
            // Far more than is kept, and so little that every kept event waits for its turn.
            for (std::size_t keepLimit : {std::size_t{1} << 20, std::size_t{1}})
                EXPECT_EQ(Split(c.parts, threads, keepLimit), c.expected)
                    << c.what << ", " << threads << " threads, keeping " << keepLimit;
        }
    }
}

TEST(SplitWalk, mountsBelowTheStartAreFoundInTheMountTable) {
    const std::string table =
        "22 26 0:21 / /sys rw - sysfs sysfs rw\n"
        "36 26 8:1 /data /home/lib\\040one/Tab/mnt rw - ext4 /dev/sda1 rw\n";
    EXPECT_TRUE(MountsBelow(table, "/home/lib one"));
    EXPECT_TRUE(MountsBelow(table, "/home/lib one/Tab"));
    EXPECT_FALSE(MountsBelow(table, "/home/lib one/Tab/mnt"));  // mounted at, not below
    EXPECT_FALSE(MountsBelow(table, "/home/lib"));
    EXPECT_TRUE(MountsBelow(table, "/"));
}
