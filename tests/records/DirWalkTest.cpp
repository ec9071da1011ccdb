#include "records/DirWalk.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <functional>
#include <map>

#include "TestFiles.h"

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
