#include <gtest/gtest.h>

#include <filesystem>

#include "TestFiles.h"
#include "data/SampleLibrary.h"
#include "records/FunctionEdits.h"
#include "records/WrittenChange.h"

using namespace kelvane;

namespace {

// A function file with trailing bytes past its records, which a load does not keep: an
// undo must bring them back all the same.
struct Edited {
    TempDir dir;
    std::string path = dir / "F().fdb";
    std::string original;
    WrittenChange change;

    Edited() {
        original = sample::MakeRecord({"F", 0, "f", {{"int*", true, "n", "1", "2"}}}).Serialize() +
                   "trailing";
        WriteBytes(path, original);
        FunctionEdit edit;
        EXPECT_TRUE(edit.Load(path).ok());
        EXPECT_TRUE(AddParameter(edit.record()).ok());
        EXPECT_TRUE(edit.Save().ok());
        change = edit.Change();
    }
};

}  // namespace

TEST(WrittenChange, undoPutsBackTheBytesBeforeAndRedoTheBytesWritten) {
    Edited edited;
    EXPECT_EQ(edited.change.before, edited.original);
    EXPECT_EQ(edited.change.after, ReadBytes(edited.path));
    for (int round = 0; round < 2; ++round) {
        const ChangeStep undone = UndoChange(edited.change);
        EXPECT_TRUE(undone.done) << undone.message;
        EXPECT_EQ(ReadBytes(edited.path), edited.original);
        const ChangeStep redone = RedoChange(edited.change);
        EXPECT_TRUE(redone.done) << redone.message;
        EXPECT_EQ(ReadBytes(edited.path), edited.change.after);
    }
    EXPECT_EQ(SortedNames(edited.dir.path()), std::vector<std::string>{"F().fdb"});
}

// The file is no longer what the other step left: nothing is written, whatever the change.
TEST(WrittenChange, aFileChangedSinceIsLeftAsItIs) {
    struct Case {
        const char* name;
        bool undo;
        std::function<void(const std::string& path, std::string bytes)> outside;
        const char* reason;
    };
    const Case cases[] = {
        {"longer", true, [](auto& p, std::string b) { WriteBytes(p, b + "x"); }, "changed since"},
        {"same size, one byte", true,
         [](auto& p, std::string b) {
             b[fdb::kHeaderSize / 2] ^= 1;
             WriteBytes(p, b);
         },
         "changed since"},
        {"removed", true, [](auto& p, std::string) { std::filesystem::remove(p); }, "removed"},
        {"a folder in its place", true,
         [](auto& p, std::string) {
             std::filesystem::remove(p);
             MakeDirs(p);
         },
         "removed"},
        {"redo after a change", false, [](auto& p, std::string b) { WriteBytes(p, b + "x"); },
         "changed since"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edited edited;
        if (!c.undo) {
            ASSERT_TRUE(UndoChange(edited.change).done);
        }
        c.outside(edited.path, ReadBytes(edited.path));
        const bool isFile = std::filesystem::is_regular_file(edited.path);
        const std::string theirs = isFile ? ReadBytes(edited.path) : std::string();
        const std::vector<std::string> names = SortedNames(edited.dir.path());
        const ChangeStep step = c.undo ? UndoChange(edited.change) : RedoChange(edited.change);
        EXPECT_FALSE(step.done);
        EXPECT_NE(step.message.find(c.reason), std::string::npos) << step.message;
        EXPECT_NE(step.message.find(c.undo ? "Could not undo" : "Could not redo"),
                  std::string::npos);
        EXPECT_EQ(SortedNames(edited.dir.path()), names);
        EXPECT_EQ(std::filesystem::is_regular_file(edited.path), isFile);
        if (isFile) {
            EXPECT_EQ(ReadBytes(edited.path), theirs);
        }
    }
}

TEST(WrittenChange, aRefusedSaveIsNoStepTaken) {
    Edited edited;
    chmod(edited.path.c_str(), 0444);
    const ChangeStep step = UndoChange(edited.change);
    EXPECT_FALSE(step.done);
    EXPECT_NE(step.message.find("read-only"), std::string::npos) << step.message;
    EXPECT_EQ(ReadBytes(edited.path), edited.change.after);
}
