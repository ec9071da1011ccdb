#include <gtest/gtest.h>
#include <unistd.h>

#include "TestFiles.h"
#include "uisupport/FolderTreeCtrl.h"

namespace {

QStringList ChildTexts(const QTreeWidgetItem* item) {
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

QTreeWidgetItem* Child(const QTreeWidgetItem* item, const QString& text) {
    for (int i = 0; i < item->childCount(); ++i) {
        if (item->child(i)->text(0) == text)
            return item->child(i);
    }
    return nullptr;
}

// lib/{alpha/{Data/, data/}, .hidden/, empty/, file.txt}
struct Tree {
    Tree() {
        MakeDirs(dir / "lib/alpha/Data");
        MakeDirs(dir / "lib/alpha/data");
        MakeDirs(dir / "lib/.hidden");
        MakeDirs(dir / "lib/empty");
        WriteBytes(dir / "lib/file.txt", "not a folder");
        tree.Initialise(true);
    }
    TempDir dir;
    CFolderTreeCtrl tree;
};

}  // namespace

TEST(FolderTreeCtrl, initialise_showsDrivesThenDesktopEachWithAPlaceholder) {
    CFolderTreeCtrl tree;
    tree.Initialise(true);
    tree.Initialise(true);  // clearing first leaves no doubles
    ASSERT_EQ(tree.topLevelItemCount(), 2);
    EXPECT_EQ(tree.topLevelItem(0), tree.DrivesItem());
    EXPECT_EQ(tree.DrivesItem()->text(0), "Drives");
    EXPECT_EQ(tree.topLevelItem(1), tree.DesktopItem());
    EXPECT_FALSE(tree.DesktopItem()->text(0).isEmpty());
    for (QTreeWidgetItem* root : {tree.DrivesItem(), tree.DesktopItem()}) {
        ASSERT_EQ(root->childCount(), 1);
        EXPECT_TRUE(CFolderTreeCtrl::IsPlaceholder(root->child(0)));
        EXPECT_FALSE(root->icon(0).isNull());
    }
    EXPECT_EQ(tree.PathOfItem(tree.DrivesItem()), "");
    EXPECT_EQ(tree.PathOfItem(tree.DesktopItem()), tree.DesktopPath() + "/");
    EXPECT_EQ(tree.PathOfSelection(tree.DrivesItem()->child(0)), "");

    tree.DrivesItem()->setExpanded(true);
    EXPECT_EQ(ChildTexts(tree.DrivesItem()), QStringList{"/"});
    EXPECT_EQ(tree.PathOfItem(tree.DrivesItem()->child(0)), "/");
}

TEST(FolderTreeCtrl, selectPath_opensEachLevelAndMatchesExactThenIgnoringCase) {
    Tree t;
    ASSERT_TRUE(t.tree.SelectPath(t.dir / "lib/alpha/data"));
    QTreeWidgetItem* selected = t.tree.currentItem();
    EXPECT_EQ(selected->text(0), "data");
    // Opened and found empty: no final separator.
    EXPECT_EQ(t.tree.PathOfSelection(selected), t.dir / "lib/alpha/data");

    QTreeWidgetItem* lib = selected->parent()->parent();
    EXPECT_TRUE(lib->isExpanded());
    QStringList libChildren = ChildTexts(lib);
    libChildren.sort();
    EXPECT_EQ(libChildren, (QStringList{".hidden", "alpha", "empty"}));  // no files
    // Unopened folders still carry their placeholder and end with a separator.
    EXPECT_EQ(t.tree.PathOfItem(Child(lib, "empty")), t.dir / "lib/empty/");
    EXPECT_EQ(t.tree.PathOfItem(lib), t.dir / "lib/");

    ASSERT_TRUE(t.tree.SelectPath("//" + (t.dir / "lib//ALPHA/DATA/")));
    EXPECT_EQ(t.tree.PathOfSelection(t.tree.currentItem()).substr(0, (t.dir / "lib/alpha/").size()),
              t.dir / "lib/alpha/");
    EXPECT_EQ(t.tree.currentItem()->text(0).toUpper(), "DATA");

    ASSERT_TRUE(t.tree.SelectPath(t.dir / "lib/alpha/Data"));
    EXPECT_EQ(t.tree.currentItem()->text(0), "Data");
}

TEST(FolderTreeCtrl, selectPath_missingFolderOrRelativePath_keepsTheSelection) {
    Tree t;
    ASSERT_TRUE(t.tree.SelectPath(t.dir / "lib/empty"));
    QTreeWidgetItem* before = t.tree.currentItem();
    EXPECT_FALSE(t.tree.SelectPath(t.dir / "lib/missing"));
    EXPECT_FALSE(t.tree.SelectPath(t.dir / "lib/file.txt"));
    EXPECT_FALSE(t.tree.SelectPath("lib/empty"));
    EXPECT_EQ(t.tree.currentItem(), before);
}

TEST(FolderTreeCtrl, collapse_dropsChildrenAndReopenReadsDiskAgain) {
    Tree t;
    ASSERT_TRUE(t.tree.SelectPath(t.dir / "lib"));
    QTreeWidgetItem* lib = t.tree.currentItem();
    EXPECT_EQ(lib->childCount(), 3);
    lib->setExpanded(false);
    ASSERT_EQ(lib->childCount(), 1);
    EXPECT_TRUE(CFolderTreeCtrl::IsPlaceholder(lib->child(0)));

    MakeDirs(t.dir / "lib/added");
    lib->setExpanded(true);
    EXPECT_EQ(lib->childCount(), 4);
    EXPECT_NE(Child(lib, "added"), nullptr);
    // Each folder has its own closed and open icon.
    const QIcon icon = Child(lib, "added")->icon(0);
    EXPECT_FALSE(icon.availableSizes(QIcon::Normal, QIcon::Off).isEmpty());
    EXPECT_FALSE(icon.availableSizes(QIcon::Normal, QIcon::On).isEmpty());
}

TEST(FolderTreeCtrl, aFolderReachedAgainThroughALink_opensInOnePlaceAtATime) {
    Tree t;
    symlink((t.dir / "lib/alpha").c_str(), (t.dir / "lib/link").c_str());
    ASSERT_TRUE(t.tree.SelectPath(t.dir / "lib/alpha"));
    QTreeWidgetItem* alpha = t.tree.currentItem();
    QTreeWidgetItem* link = Child(alpha->parent(), "link");
    ASSERT_NE(link, nullptr);

    link->setExpanded(true);
    EXPECT_FALSE(link->isExpanded());
    EXPECT_TRUE(link->font(0).italic());
    EXPECT_TRUE(link->toolTip(0).contains(QString::fromStdString(t.dir / "lib/alpha/")))
        << link->toolTip(0).toStdString();

    alpha->setExpanded(false);
    link->setExpanded(true);
    EXPECT_TRUE(link->isExpanded());
    EXPECT_EQ(ChildTexts(link).size(), 2);  // Data and data
}
