#include "infoview/ui/GroupListCtrl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <algorithm>
#include <filesystem>

#include "FakeSeam.h"
#include "TestFiles.h"
#include "TreeText.h"
#include "data/SampleLibrary.h"
#include "infoview/ui/KLVView.h"
#include "records/DirScan.h"

namespace {

class GroupListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override { list.SetSeam(seam); }

    void AddFunction(const std::string& group, const std::string& name, int kind, int params,
                     const std::string& description) {
        kelvane::sample::SampleFunction spec{name, kind, description, {}};
        for (int i = 0; i < params; ++i)
            spec.params.push_back({"int*", true, "p", "0", "0"});
        ASSERT_TRUE(kelvane::sample::WriteFunction(dir / group, spec).ok());
    }

    // Header texts with their widths, "Name:80".
    std::vector<std::string> Columns() {
        std::vector<std::string> columns;
        for (int i = 0; i < list.columnCount(); ++i)
            columns.push_back(list.headerItem()->text(i).toStdString() + ":" +
                              std::to_string(list.columnWidth(i)));
        return columns;
    }

    // Each row as its cells joined by "|", with the icon cell first.
    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        for (int r = 0; r < list.topLevelItemCount(); ++r) {
            QTreeWidgetItem* item = list.topLevelItem(r);
            std::string row = std::to_string(item->data(0, CGroupListCtrl::kIconRole).toInt());
            for (int c = 0; c < list.columnCount(); ++c)
                row += "|" + item->text(c).toStdString();
            rows.push_back(row);
        }
        return rows;
    }

    TempDir dir;
    FakeSeam seam;
    CGroupListCtrl list;
};

TEST_F(GroupListCtrlTest, startsWithTheSubgroupColumns) {
    EXPECT_EQ(Columns(), (std::vector<std::string>{"Name:80", "Description:480"}));
    EXPECT_FALSE(list.rootIsDecorated());
}

TEST_F(GroupListCtrlTest, groupWithSubgroups_listsOnlyTheSubgroups) {
    MakeDirs(dir / "G/A");
    AddFunction("G", "F", 0, 0, "f");
    MakeDirs(dir / "G/_Src");
    list.ShowGroup("G", dir / "G");
    EXPECT_EQ(Columns(), (std::vector<std::string>{"Name:80", "Description:480"}));
    std::vector<std::string> rows = Rows();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<std::string>{"1|A|", "1|_Src|"}));
    EXPECT_EQ(list.m_strFolderName, "G");
    EXPECT_EQ(list.m_strFolderPath, dir / "G");
}

TEST_F(GroupListCtrlTest, groupOfFunctions_listsKindCountAndDescription) {
    AddFunction("G", "F", 0, 2, "first");
    AddFunction("G", "H", 2, 0, "third");
    list.header()->resizeSection(0, 200);  // widths come back on the next listing
    list.ShowGroup("G", dir / "G");
    EXPECT_EQ(Columns(),
              (std::vector<std::string>{"Name:80", "Type:50", "#:20", "Description:480"}));
    std::vector<std::string> rows = Rows();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<std::string>{"3|F()|Dll|2|first", "3|H()|Script|0|third"}));
}

TEST_F(GroupListCtrlTest, emptyGroup_showsTheFunctionColumnsAndNoRow) {
    MakeDirs(dir / "G");
    list.ShowGroup("G", dir / "G");
    EXPECT_EQ(list.columnCount(), 4);
    EXPECT_EQ(list.topLevelItemCount(), 0);
}

TEST_F(GroupListCtrlTest, missingFunctionFile_endsTheListingThereWithTheMessage) {
    AddFunction("G", "A", 0, 0, "a");
    AddFunction("G", "B", 1, 0, "b");
    AddFunction("G", "C", 1, 0, "c");
    // Which function is second depends on the scan order: break that one.
    const std::vector<kelvane::DirEntry> order = kelvane::ScanDirectories(dir / "G");
    ASSERT_EQ(order.size(), 3u);
    std::filesystem::remove(order[1].path + "/" + order[1].name + ".fdb");

    list.ShowGroup("G", dir / "G");
    ASSERT_EQ(list.topLevelItemCount(), 2);
    EXPECT_EQ(list.topLevelItem(0)->text(0).toStdString(), order[0].name);
    EXPECT_FALSE(list.topLevelItem(0)->text(1).isEmpty());
    EXPECT_EQ(list.topLevelItem(1)->text(0).toStdString(), order[1].name);
    EXPECT_TRUE(list.topLevelItem(1)->text(1).isEmpty());
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].toStdString(),
              order[1].path + "/" + order[1].name + ".fdb 파일이 없습니다.");
}

TEST_F(GroupListCtrlTest, emptyNameOrPath_keepsThePreviousListing) {
    MakeDirs(dir / "G/A");
    list.ShowGroup("G", dir / "G");
    list.ShowGroup("", dir / "G");
    list.ShowGroup("G", "");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1|A|"}));
}

TEST(KLVViewTest, showsOneControlAtATime_andDoubleClickedRowsOpenTheirFolder) {
    TempDir dir;
    FakeSeam seam;
    ASSERT_TRUE(kelvane::sample::WriteFunction(dir / "G", {"F", 0, "f", {}}).ok());
    MakeDirs(dir / "Top/Sub");
    CKLVView view(seam);
    view.resize(300, 200);
    view.show();
    EXPECT_FALSE(view.InfoTree()->isVisible());
    EXPECT_FALSE(view.GroupList()->isVisible());
    EXPECT_EQ(view.InfoTree()->geometry(), QRect(0, 0, 300, 200));
    EXPECT_EQ(view.GroupList()->geometry(), QRect(0, 0, 300, 200));

    view.ShowItem("G", dir / "G");
    QCoreApplication::processEvents();
    EXPECT_TRUE(view.GroupList()->isVisible());
    EXPECT_FALSE(view.InfoTree()->isVisible());

    CGroupListCtrl* list = view.GroupList();
    DoubleClick(list->viewport(),
                QPoint(20, list->visualItemRect(list->topLevelItem(0)).center().y()));
    EXPECT_TRUE(view.InfoTree()->isVisible());
    EXPECT_FALSE(view.GroupList()->isVisible());
    EXPECT_EQ(view.InfoTree()->m_strFolderPath, dir / "G/F()");
    EXPECT_EQ(view.InfoTree()->topLevelItem(0)->text(0), QStringLiteral("F()"));

    QSignalSpy groups(&view, &CKLVView::groupActivated);
    view.ShowItem("Top", dir / "Top");
    QCoreApplication::processEvents();
    DoubleClick(list->viewport(),
                QPoint(20, list->visualItemRect(list->topLevelItem(0)).center().y()));
    ASSERT_EQ(groups.count(), 1);
    EXPECT_TRUE(seam.messages.empty());
}

}  // namespace

namespace {

TEST(GroupListRowsTest, multiLineDescription_showsOnOneLineWithTheWholeTextAsTooltip) {
    TempDir dir;
    ASSERT_TRUE(kelvane::sample::WriteFunction(dir / "G", {"F", 0, "one\r\ntwo", {}}).ok());
    CGroupListCtrl list;
    list.ShowGroup("G", dir / "G");
    ASSERT_EQ(list.topLevelItemCount(), 1);
    EXPECT_EQ(list.topLevelItem(0)->text(3), QStringLiteral("one two"));
    EXPECT_EQ(list.topLevelItem(0)->toolTip(3), QStringLiteral("one\r\ntwo"));
}

}  // namespace

namespace {

// The tooltip a pause of the mouse over the cell brings up; empty when none shows.
QString TipOver(CGroupListCtrl& list, int row, int column) {
    // Hiding a tooltip takes a timer; the test closes the last one at once.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->inherits("QTipLabel"))
            window->close();
    const QRect cell = list.visualRect(list.model()->index(row, column));
    QHelpEvent help(QEvent::ToolTip, cell.center(), list.viewport()->mapToGlobal(cell.center()));
    QCoreApplication::sendEvent(list.viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

TEST(GroupListRowsTest, cutCellsShowTheirWholeTextAsTooltip) {
    TempDir dir;
    kelvane::sample::SampleFunction wide{"AdaptiveThresholdLocal", 0, "short", {}};
    for (int i = 0; i < 12; ++i)
        wide.params.push_back({"int*", true, "p", "0", "0"});
    ASSERT_TRUE(kelvane::sample::WriteFunction(dir / "G", wide).ok());
    ASSERT_TRUE(kelvane::sample::WriteFunction(dir / "G", {"F", 0, "one\r\ntwo", {}}).ok());
    CGroupListCtrl list;
    list.resize(800, 200);
    list.show();
    list.ShowGroup("G", dir / "G");
    ASSERT_EQ(list.topLevelItemCount(), 2);
    const int wideRow = list.topLevelItem(0)->text(0).startsWith('A') ? 0 : 1;
    const int otherRow = 1 - wideRow;

    EXPECT_EQ(TipOver(list, wideRow, 0), QStringLiteral("AdaptiveThresholdLocal()"));
    EXPECT_EQ(TipOver(list, wideRow, 2), QStringLiteral("12"));
    EXPECT_EQ(TipOver(list, wideRow, 1), QString());  // "Dll" fits
    EXPECT_EQ(TipOver(list, wideRow, 3), QString());
    EXPECT_EQ(TipOver(list, otherRow, 0), QString());
    EXPECT_EQ(TipOver(list, otherRow, 3), QStringLiteral("one\r\ntwo"));
    // The widths stay as they are.
    EXPECT_EQ(list.columnWidth(0), 80);
    EXPECT_EQ(list.columnWidth(2), 20);
}

}  // namespace
