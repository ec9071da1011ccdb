#include "browser/LibraryTreeCtrl.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <filesystem>

#include "HostileTrees.h"
#include "TestFiles.h"
#include "TreeText.h"
#include "browser/FuncTreeView.h"
#include "data/SampleLibrary.h"
#include "infoview/IconCells.h"
#include "records/DirScan.h"
#include "uisupport/OpenFolders.h"

namespace {

// A library with the tabs Basic and Advanced; Basic holds Filter (with Blur() and its
// _Src) and Edge().
class LibraryTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            kelvane::sample::WriteFunction(root / "Basic/Filter", {"Blur", 0, "b", {}}).ok());
        MakeDirs(root / "Basic/Filter/Blur()/_Src");
        ASSERT_TRUE(kelvane::sample::WriteFunction(root / "Basic", {"Edge", 0, "e", {}}).ok());
        MakeDirs(root / "Advanced/Deep");
        view.resize(220, 400);
        view.InitialUpdate(root.path());
        view.show();
        QCoreApplication::processEvents();
    }

    CLibraryTreeCtrl& Tree(int i) { return *view.m_pTrees[static_cast<std::size_t>(i)]; }
    CLibraryTreeCtrl& Basic() { return Tree(TabIndex("Basic")); }

    int TabIndex(const QString& name) {
        for (int i = 0; i < view.TabControl()->count(); ++i)
            if (view.TabControl()->tabText(i) == name)
                return i;
        return -1;
    }

    QTreeWidgetItem* Item(CLibraryTreeCtrl& tree, const QString& text) {
        return FindItem(tree.RootItem(), text);
    }

    void ShowTab(const QString& name) { view.TabControl()->setCurrentIndex(TabIndex(name)); }

    std::vector<std::string> Lines(CLibraryTreeCtrl& tree) {
        return TreeLines(tree, CLibraryTreeCtrl::kIconRole);
    }

    QPoint RowPoint(CLibraryTreeCtrl& tree, QTreeWidgetItem* item, int x = -1) {
        const QRect rect = tree.visualItemRect(item);
        return QPoint(x < 0 ? rect.center().x() : x, rect.center().y());
    }

    void RightClick(CLibraryTreeCtrl& tree, QPoint pos) {
        QTest::mousePress(tree.viewport(), Qt::RightButton, {}, pos);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, pos, tree.viewport()->mapToGlobal(pos));
        QCoreApplication::sendEvent(tree.viewport(), &menu);
        QTest::mouseRelease(tree.viewport(), Qt::RightButton, {}, pos);
    }

    TempDir root;
    CFuncTreeView view;
};

TEST_F(LibraryTreeTest, oneTabPerTopLevelGroupInScanOrder_firstTreeShown) {
    const std::vector<kelvane::DirEntry> order = kelvane::ScanDirectories(root.path());
    ASSERT_EQ(view.m_nGroupCount, 2);
    ASSERT_EQ(view.TabControl()->count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(view.TabControl()->tabText(i).toStdString(),
                  order[static_cast<std::size_t>(i)].name);
        EXPECT_EQ(Tree(i).m_strRootPath, order[static_cast<std::size_t>(i)].path);
    }
    EXPECT_EQ(view.CurrentTab(), 0);
    EXPECT_EQ(view.CurrentTree(), &Tree(0));
    EXPECT_TRUE(Tree(0).isVisible());
    EXPECT_FALSE(Tree(1).isVisible());

    view.InitialUpdate(root.path());  // a second run adds nothing
    EXPECT_EQ(view.TabControl()->count(), 2);
}

TEST_F(LibraryTreeTest, rootIsBoldAndExpanded_childrenWaitBehindAPlaceholder) {
    std::vector<std::string> lines = Lines(Basic());
    std::sort(lines.begin() + 1, lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"Basic [0] + *", "     [0]", "     [0]",
                                               "  Edge() [3]", "  Filter [1]"}));
}

TEST_F(LibraryTreeTest, expanding_readsTheDirectorySkippingSrc_collapsingLeavesAPlaceholder) {
    QTreeWidgetItem* filter = Item(Basic(), "Filter");
    filter->setExpanded(true);
    EXPECT_EQ(Lines(Basic()).size(), 6u);
    QTreeWidgetItem* blur = Item(Basic(), "Blur()");
    ASSERT_NE(blur, nullptr);
    EXPECT_EQ(blur->data(0, CLibraryTreeCtrl::kIconRole).toInt(), 3);

    blur->setExpanded(true);  // only _Src inside: no children, no expand button
    EXPECT_EQ(blur->childCount(), 0);

    filter->setExpanded(false);
    ASSERT_EQ(filter->childCount(), 1);
    EXPECT_TRUE(filter->child(0)->text(0).isEmpty());
}

TEST_F(LibraryTreeTest, everyExpansionRereadsTheDisk) {
    QTreeWidgetItem* filter = Item(Basic(), "Filter");
    filter->setExpanded(true);
    filter->setExpanded(false);
    ASSERT_TRUE(
        kelvane::sample::WriteFunction(root / "Basic/Filter", {"Sharpen", 0, "s", {}}).ok());
    filter->setExpanded(true);
    EXPECT_NE(Item(Basic(), "Sharpen()"), nullptr);

    filter->setExpanded(false);
    std::filesystem::remove_all(root / "Basic/Filter");
    std::filesystem::create_directory(root / "Basic/Filter");
    filter->setExpanded(true);
    EXPECT_EQ(filter->childCount(), 0);
}

TEST_F(LibraryTreeTest, itemPathsAndRefresh) {
    CLibraryTreeCtrl& tree = Basic();
    Item(tree, "Filter")->setExpanded(true);
    EXPECT_EQ(tree.GetItemPath(Item(tree, "Blur()")), root / "Basic/Filter/Blur()");
    EXPECT_EQ(tree.GetItemPath(tree.RootItem()), root / "Basic");

    MakeDirs(root / "Basic/New");
    QTreeWidgetItem* rootItem = tree.RootItem();
    tree.RefreshItem(rootItem);
    EXPECT_NE(Item(tree, "New"), nullptr);
    EXPECT_TRUE(rootItem->isExpanded());
}

TEST_F(LibraryTreeTest, mouseClickShowsTheItem_keyboardMovesShowNothing) {
    CLibraryTreeCtrl& tree = Basic();
    QSignalSpy shows(&view, &CFuncTreeView::showRequested);
    QTreeWidgetItem* edge = Item(tree, "Edge()");
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, RowPoint(tree, edge));
    ASSERT_EQ(shows.count(), 1);
    EXPECT_EQ(shows[0][0].value<std::string>(), "Edge()");
    EXPECT_EQ(shows[0][1].value<std::string>(), root / "Basic/Edge()");

    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Up);
    QTest::keyClick(&tree, Qt::Key_Down);
    QTest::keyClick(&tree, Qt::Key_Home);
    EXPECT_EQ(tree.currentItem(), tree.RootItem());
    EXPECT_EQ(shows.count(), 1);

    // Root included; below the last item the selection stays and is shown again.
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                      QPoint(5, tree.viewport()->height() - 3));
    ASSERT_EQ(shows.count(), 2);
    EXPECT_EQ(shows[1][0].value<std::string>(), "Basic");
    EXPECT_EQ(shows[1][1].value<std::string>(), root / "Basic");
}

TEST_F(LibraryTreeTest, changingTheTabShowsNothing) {
    QSignalSpy shows(&view, &CFuncTreeView::showRequested);
    ShowTab("Advanced");
    EXPECT_EQ(view.CurrentTree(), &Tree(TabIndex("Advanced")));
    EXPECT_TRUE(view.CurrentTree()->isVisible());
    EXPECT_EQ(shows.count(), 0);
}

TEST_F(LibraryTreeTest, rightClick_popupByItemKind_noneOnTheRoot) {
    CLibraryTreeCtrl& tree = Basic();
    QSignalSpy shows(&view, &CFuncTreeView::showRequested);
    QSignalSpy popups(&view, &CFuncTreeView::popupRequested);

    RightClick(tree, RowPoint(tree, tree.RootItem()));
    EXPECT_EQ(shows.count(), 1);
    EXPECT_EQ(popups.count(), 0);

    // Far right of the text, on the row.
    RightClick(tree, RowPoint(tree, Item(tree, "Filter"), tree.viewport()->width() - 4));
    EXPECT_EQ(tree.currentItem(), Item(tree, "Filter"));
    RightClick(tree, RowPoint(tree, Item(tree, "Edge()")));
    ASSERT_EQ(popups.count(), 2);
    EXPECT_EQ(popups[0][0].toInt(), CLibraryTreeCtrl::kGroupPopup);
    EXPECT_EQ(popups[1][0].toInt(), CLibraryTreeCtrl::kFunctionPopup);

    // Below the last item: the old selection is shown again, no popup.
    RightClick(tree, QPoint(5, tree.viewport()->height() - 3));
    EXPECT_EQ(tree.currentItem(), Item(tree, "Edge()"));
    EXPECT_EQ(shows.count(), 4);
    EXPECT_EQ(popups.count(), 2);
}

TEST(LibraryTreeEdgeTest, topLevelFunctionFolderIsATab_andAnEmptyRootGivesNoTab) {
    TempDir root;
    MakeDirs(root / "X()");
    CFuncTreeView view;
    view.InitialUpdate(root.path());
    ASSERT_EQ(view.m_nGroupCount, 1);
    EXPECT_EQ(view.TabControl()->tabText(0), QStringLiteral("X()"));
    EXPECT_EQ(view.m_pTrees[0]->RootItem()->data(0, CLibraryTreeCtrl::kIconRole).toInt(), 0);

    CFuncTreeView empty;
    empty.InitialUpdate(root / "missing");
    EXPECT_EQ(empty.m_nGroupCount, 0);
    EXPECT_EQ(empty.CurrentTab(), -1);
    EXPECT_EQ(empty.CurrentTree(), nullptr);
}

TEST_F(LibraryTreeTest, selectPath_expandsDownToTheFolderOnItsTab) {
    ShowTab("Advanced");
    QTreeWidgetItem* blur = view.SelectPath(root / "Basic/Filter/Blur()");
    ASSERT_NE(blur, nullptr);
    EXPECT_EQ(view.CurrentTree(), &Basic());
    EXPECT_EQ(Basic().currentItem(), blur);
    EXPECT_TRUE(Item(Basic(), "Filter")->isExpanded());
    EXPECT_EQ(view.SelectPath(root / "Basic/None"), nullptr);
    EXPECT_EQ(view.SelectPath("/elsewhere"), nullptr);
}

// A folder reached through several links opens in one place of the tree: expanding all
// (the "*" key) stays linear in a web of links, and a link back up is marked at once.
TEST(LibraryTreeLinksTest, aFolderOpensOncePerTree_evenWhenAllIsExpanded) {
    constexpr int kFolders = 40;
    TempDir root;
    TempDir store;
    MakeLinkWeb(root / "Web", store.path(), kFolders);
    symlink((root / "Web").c_str(), (store / "d39/up").c_str());
    CFuncTreeView view;
    view.InitialUpdate(root.path());
    view.show();
    CLibraryTreeCtrl& tree = *view.m_pTrees[0];
    tree.setCurrentItem(tree.RootItem());
    QTest::keyClick(&tree, Qt::Key_Asterisk);

    const std::vector<std::string> lines = TreeLines(tree, CLibraryTreeCtrl::kIconRole);
    EXPECT_LT(lines.size(), 5u * kFolders);
    int marked = 0;
    std::vector<QTreeWidgetItem*> pending{tree.RootItem()};
    while (!pending.empty()) {
        QTreeWidgetItem* item = pending.back();
        pending.pop_back();
        if (COpenFolders::IsMarkedOpenElsewhere(item)) {
            ++marked;
            EXPECT_FALSE(item->isExpanded());
            EXPECT_TRUE(item->font(0).italic());
            EXPECT_TRUE(item->toolTip(0).startsWith("Open already as Web"))
                << item->toolTip(0).toStdString();
        }
        for (int i = 0; i < item->childCount(); ++i)
            pending.push_back(item->child(i));
    }
    EXPECT_EQ(marked, kFolders);  // one of a and b in each folder but the last, and up

    // Closing the folder where it is open lets the other link open it.
    auto child = [](QTreeWidgetItem* parent, const QString& text) {
        for (int i = 0; i < parent->childCount(); ++i)
            if (parent->child(i)->text(0) == text)
                return parent->child(i);
        return static_cast<QTreeWidgetItem*>(nullptr);
    };
    QTreeWidgetItem* d00 = child(tree.RootItem(), "d00");
    QTreeWidgetItem* a = child(d00, "a");
    QTreeWidgetItem* b = child(d00, "b");
    QTreeWidgetItem* open = a->isExpanded() ? a : b;
    QTreeWidgetItem* other = open == a ? b : a;
    open->setExpanded(false);
    other->setExpanded(true);
    EXPECT_TRUE(other->isExpanded());
    EXPECT_FALSE(other->font(0).italic());
    EXPECT_NE(child(other, "F01()"), nullptr);
    EXPECT_TRUE(other->toolTip(0).isEmpty());
}

TEST(LibraryTreeUnreadableTest, aFolderThatCannotBeReadShowsTheCrossedBoxAndWhy) {
    TempDir root;
    MakeDirs(root / "Tab/Locked/Sub");
    ASSERT_EQ(chmod(root.path().c_str(), 0755), 0);
    ASSERT_EQ(chmod((root / "Tab/Locked").c_str(), 0), 0);
    CFuncTreeView view;
    view.InitialUpdate(root.path());
    CLibraryTreeCtrl& tree = *view.m_pTrees[0];
    QTreeWidgetItem* locked = FindItem(tree.RootItem(), "Locked");
    ASSERT_NE(locked, nullptr);
    {
        // Root reads anything: be nobody for the expansion.
        const bool root = geteuid() == 0;
        ASSERT_TRUE(!root || seteuid(65534) == 0);
        locked->setExpanded(true);
        ASSERT_TRUE(!root || seteuid(0) == 0);
    }
    EXPECT_EQ(locked->childCount(), 0);
    EXPECT_EQ(locked->data(0, CLibraryTreeCtrl::kIconRole).toInt(), kelvane::libicon::kBroken);
    EXPECT_EQ(locked->toolTip(0), "This folder could not be read: no permission to read it.");

    // Readable again: the next expansion shows it as a group with its contents.
    ASSERT_EQ(chmod((root / "Tab/Locked").c_str(), 0755), 0);
    locked->setExpanded(false);
    locked->setExpanded(true);
    EXPECT_EQ(locked->data(0, CLibraryTreeCtrl::kIconRole).toInt(), kelvane::libicon::kGroupClosed);
    EXPECT_NE(FindItem(locked, "Sub"), nullptr);
    EXPECT_TRUE(locked->toolTip(0).isEmpty());
}

}  // namespace
