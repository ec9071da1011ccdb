#include "records/DirWalk.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <functional>
#include <map>
#include <optional>

#include "HostileTrees.h"
#include "TestFiles.h"
#include "records/DirIdentitySet.h"
#include "records/FunctionFile.h"

using namespace kelvane;

namespace {

// What a walk told, by path.
class Recorder : public WalkVisitor {
public:
    std::function<void(const std::string&)> onFound;  // before the walk opens it
    std::map<std::string, DirIdentity> entered;
    std::vector<std::string> repeated, outside;

    bool Found(const WalkDir&, const std::string& name) override {
        if (onFound)
            onFound(name);
        return true;
    }
    void Entered(const WalkDir& dir) override { entered[dir.path] = dir.id; }
    void Repeated(const std::string& path) override { repeated.push_back(path); }
    void LeadsOutside(const std::string& path) override { outside.push_back(path); }
    void Unreadable(const std::string& path, std::string_view, int error) override {
        ADD_FAILURE() << path << ": " << error;
    }
};

DirIdentity StatIdentity(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return {st.st_dev, st.st_ino};
}

// Mounts made for one test, taken away before its folders are removed.
class Mounts {
public:
    bool Mount(const char* source, const std::string& target, const char* type, unsigned long flags,
               const char* options = nullptr) {
        if (mount(source, target.c_str(), type, flags, options) != 0)
            return false;
        m_targets.push_back(target);
        return true;
    }
    ~Mounts() {
        for (auto it = m_targets.rbegin(); it != m_targets.rend(); ++it)
            umount2(it->c_str(), MNT_DETACH);
    }

private:
    std::vector<std::string> m_targets;
};

}  // namespace

// A mount point's listing names the folder it covers: the walk must know the mounted one
// by its own identity, and a bind mount of a folder it walks as that folder again.
TEST(DirWalk, mountPointsAndBindMountsBelowTheStartHaveTheirOwnIdentity) {
    TempDir top;
    MakeDirs(top / "lib/a/F()");
    MakeDirs(top / "lib/b");
    MakeDirs(top / "lib/t");
    Mounts mounts;
    if (!mounts.Mount((top / "lib/a").c_str(), top / "lib/b", nullptr, MS_BIND) ||
        !mounts.Mount("tmpfs", top / "lib/t", "tmpfs", 0, "size=64k"))
        GTEST_SKIP() << "mounting needs root";
    MakeDirs(top / "lib/t/G()");

    Recorder walk;
    ASSERT_TRUE(WalkDirectories(top / "lib", walk));
    for (const auto& [path, id] : walk.entered)
        EXPECT_EQ(id, StatIdentity(path)) << path;
    EXPECT_EQ(walk.entered.size(), 5u);  // lib, a or b and its F(), t and its G()
    EXPECT_TRUE(walk.entered.contains(top / "lib/t/G()"));
    ASSERT_EQ(walk.repeated.size(), 1u);
    EXPECT_TRUE(walk.repeated[0] == top / "lib/a" || walk.repeated[0] == top / "lib/b");
}

// A folder that a link to one outside the start replaces after the listing named it a
// folder is examined as the link it now is.
TEST(DirWalk, aFolderReplacedByALinkSinceItsListingIsTreatedAsALink) {
    for (const WalkLinks links : {WalkLinks::StayInside, WalkLinks::FollowAndTell}) {
        TempDir top;
        MakeDirs(top / "lib/x/F()");
        MakeDirs(top / "outside/G()");
        Recorder walk;
        walk.onFound = [&](const std::string& name) {
            if (name != "x")
                return;
            ASSERT_EQ(rename((top / "lib/x").c_str(), (top / "moved").c_str()), 0);
            ASSERT_EQ(symlink((top / "outside").c_str(), (top / "lib/x").c_str()), 0);
        };
        ASSERT_TRUE(WalkDirectories(top / "lib", walk, links));
        EXPECT_EQ(walk.outside, std::vector<std::string>{top / "lib/x"});
        const bool follow = links == WalkLinks::FollowAndTell;
        EXPECT_EQ(walk.entered.contains(top / "lib/x/G()"), follow);
        if (follow) {
            EXPECT_EQ(walk.entered[top / "lib/x"], StatIdentity(top / "outside"));
        }
    }
}

// A file the walk lists is read in one call where a read shorter than its buffer is known
// to be the whole file; at and past the buffer's size it is measured as before.
TEST(DirWalk, listedFunctionFilesReadWholeAtEverySizeAroundOneRead) {
    struct Case {
        FdbPart part;
        std::int32_t count;
        std::size_t size;
    };
    const std::size_t records = kOneReadFileBytes;  // the header and kOneReadParameters
    const Case cases[] = {
        {FdbPart::Records, kOneReadParameters, records},
        {FdbPart::Records, kOneReadParameters, records + 1},
        {FdbPart::Records, kOneReadParameters, records + 2},
        {FdbPart::Header, 0, kHeaderReadBytes - 1},
        {FdbPart::Header, 0, kHeaderReadBytes},
        {FdbPart::Header, 0, kHeaderReadBytes + 1},
        {FdbPart::Header, kOneReadParameters, records + 1},
    };
    for (const Case& c : cases) {
        TempDir top;
        MakeDirs(top / "F()");
        MakeSparseFunctionFile(top / "F()/F().fdb", c.count);
        ASSERT_EQ(truncate((top / "F()/F().fdb").c_str(), static_cast<off_t>(c.size)), 0);
        class Reader : public Recorder {
        public:
            explicit Reader(FdbPart part) : m_part(part) {}
            void Listed(const WalkDir& dir, const std::vector<std::string>& files) override {
                if (dir.name == "F()" && files == std::vector<std::string>{"F().fdb"})
                    read = ReadListedFunctionFile(dir.fd, "F().fdb", m_part);
            }
            std::optional<FdbRead> read;

        private:
            FdbPart m_part;
        } walk(c.part);
        ASSERT_TRUE(WalkDirectories(top.path(), walk));
        const std::string what = std::to_string(c.size) + " bytes";
        ASSERT_TRUE(walk.read && walk.read->ok()) << what;
        EXPECT_EQ(walk.read->fileSize, c.size) << what;
        EXPECT_EQ(walk.read->header.parameterCount, c.count) << what;
        EXPECT_EQ(
            walk.read->trailingBytes,
            c.size - fdb::kHeaderSize - static_cast<std::size_t>(c.count) * fdb::kParameterSize)
            << what;
        EXPECT_EQ(walk.read->parameters.size(),
                  c.part == FdbPart::Records ? static_cast<std::size_t>(c.count) : 0)
            << what;
    }
}

// The walk's set of entered folders keeps every identity through its growth, inode 0 too.
TEST(DirIdentitySet, keepsEveryIdentityAsItGrows) {
    DirIdentitySet set;
    constexpr ino_t kInodes = 5000;
    for (const dev_t device : {dev_t{1}, dev_t{2}})
        for (ino_t inode = 0; inode < kInodes; ++inode)
            ASSERT_TRUE(set.Insert({device, inode})) << device << ":" << inode;
    for (const dev_t device : {dev_t{1}, dev_t{2}})
        for (ino_t inode = 0; inode < kInodes; ++inode) {
            EXPECT_FALSE(set.Insert({device, inode})) << device << ":" << inode;
            EXPECT_TRUE(set.Contains({device, inode}));
        }
    EXPECT_FALSE(set.Contains({3, 1}));
    EXPECT_FALSE(set.Contains({3, 0}));
    EXPECT_FALSE(set.Contains({1, kInodes}));
}
