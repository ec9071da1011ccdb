#include "infoview/ui/FuncInfoTreeCtrl.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTest>

#include "FakeSeam.h"
#include "TestFiles.h"
#include "TreeText.h"
#include "data/SampleLibrary.h"

using kelvane::sample::SampleFunction;
using kelvane::sample::SampleParameter;

namespace {

class FuncInfoTreeCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.SetSeam(seam);
        tree.resize(400, 600);
        tree.show();
    }

    // Writes dir/NAME()/NAME().fdb and shows it.
    void Show(const SampleFunction& spec) {
        ASSERT_TRUE(kelvane::sample::WriteFunction(dir.path(), spec).ok());
        tree.ShowFunction(spec.name + "()", dir / (spec.name + "()"));
        QCoreApplication::processEvents();  // lays the items out
    }

    std::vector<std::string> Lines() { return TreeLines(tree, CFuncInfoTreeCtrl::kIconRole); }

    QPoint Center(QTreeWidgetItem* item) { return tree.visualItemRect(item).center(); }

    TempDir dir;
    FakeSeam seam;
    CFuncInfoTreeCtrl tree;
};

TEST_F(FuncInfoTreeCtrlTest, dllFunctionWithoutParameters_showsBasicInformationExpanded) {
    Show({"Blur", 0, "Smooths an image", {}});
    const std::vector<std::string> expected = {
        "Blur() [0] + *",
        "  Basic Information [1] +",
        "    Type [3]",
        "      DLL Function [4]",
        "    Attribute [3]",
        "    Number of Parameters [3]",
        "      0 [4]",
        "    Description(Max:1024 bytes) [3]",
        "      Smooths an image [4]",
        "  Parameters [1] +",
    };
    EXPECT_EQ(Lines(), expected);
    EXPECT_EQ(tree.currentItem(), nullptr);
    EXPECT_TRUE(tree.selectedItems().isEmpty());
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(FuncInfoTreeCtrlTest, parameters_areCollapsedWithDirectionIconsAndValueTexts) {
    SampleFunction spec{"Mix", 1, "d", {}};
    spec.params.push_back({"CImageByte*", true, "source", "", ""});
    spec.params.push_back({"int*", false, "count", "0", "0"});
    spec.params.push_back({"CSequence*", true, "seq", "1", "2"});
    Show(spec);
    const std::vector<std::string> lines = Lines();
    const std::vector<std::string> parameters(lines.begin() + 9, lines.end());
    const std::vector<std::string> expected = {
        "  Parameters [1] +",
        "    CImageByte* Type [7]",
        "      Input/Output [4]",
        "        Input Parameter [5]",
        "      Parameter Type [4]",
        "        CImageByte* [5]",
        "      Default Value [4]",
        "        Image do not have a default parameter [5]",
        "      Stored Value [4]",
        "        Image do not have a stored parameter [5]",
        "      Description(Max:512 bytes) [4]",
        "        source [5]",
        "    int* Type [8]",
        "      Input/Output [4]",
        "        Output Parameter [5]",
        "      Parameter Type [4]",
        "        int* [5]",
        "      Default Value [4]",
        "        0 [5]",
        "      Stored Value [4]",
        "        0 [5]",
        "      Description(Max:512 bytes) [4]",
        "        count [5]",
        "    CSequence* Type [7]",
        "      Input/Output [4]",
        "        Input Parameter [5]",
        "      Parameter Type [4]",
        "        CSequence* [5]",
        "      Default Value [4]",
        "        Unknown Parameter Type [5]",
        "      Stored Value [4]",
        "        Unknown Parameter Type [5]",
        "      Description(Max:512 bytes) [4]",
        "        seq [5]",
    };
    EXPECT_EQ(parameters, expected);
    EXPECT_EQ(lines[3], "      Schematic Function [4]");
}

TEST_F(FuncInfoTreeCtrlTest, emptyArguments_changeNothing) {
    Show({"Blur", 0, "d", {}});
    const std::vector<std::string> before = Lines();
    tree.ShowFunction("", dir / "Blur()");
    tree.ShowFunction("Blur()", "");
    EXPECT_EQ(Lines(), before);
    EXPECT_EQ(tree.m_strFolderName, "Blur()");
    EXPECT_EQ(tree.m_strFolderPath, dir / "Blur()");
}

TEST_F(FuncInfoTreeCtrlTest, missingFile_setsMembersShowsMessageAndLeavesTreeEmpty) {
    Show({"Blur", 0, "d", {}});
    MakeDirs(dir / "Gone()");
    tree.ShowFunction("Gone()", dir / "Gone()");
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    EXPECT_EQ(tree.m_strFolderName, "Gone()");
    EXPECT_EQ(tree.m_strFolderPath, dir / "Gone()");
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].toStdString(), dir / "Gone()" + "/Gone().fdb 파일이 없습니다.");

    // A later refresh tries the same file again and finds it once it exists.
    ASSERT_TRUE(kelvane::sample::WriteFunction(dir.path(), {"Gone", 2, "back", {}}).ok());
    tree.SendRefresh();
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(FindItem(tree.topLevelItem(0), "Script Function") != nullptr, true);
}

TEST_F(FuncInfoTreeCtrlTest, refresh_rereadsTheFileAndDropsTheSelection) {
    SampleFunction spec{"Blur", 0, "old", {{"int*", true, "n", "1", "1"}}};
    Show(spec);
    tree.setCurrentItem(FindItem(tree.topLevelItem(0), "old"));
    spec.description = "new";
    ASSERT_TRUE(kelvane::sample::WriteFunction(dir.path(), spec).ok());
    tree.SendRefresh();
    EXPECT_NE(FindItem(tree.topLevelItem(0), "new"), nullptr);
    EXPECT_EQ(FindItem(tree.topLevelItem(0), "old"), nullptr);
    EXPECT_EQ(tree.currentItem(), nullptr);
    EXPECT_EQ(kRefreshMessage, 0x0401);
}

TEST_F(FuncInfoTreeCtrlTest, doubleClick_sendsEditFieldOnlyForItemsWithoutChildren) {
    Show({"Blur", 0, "d", {{"int*", true, "n", "1", "1"}}});
    QSignalSpy commands(&tree, &CFuncInfoTreeCtrl::commandRequested);
    QTreeWidgetItem* parameter = FindItem(tree.topLevelItem(0), "int* Type");
    parameter->setExpanded(true);
    QCoreApplication::processEvents();
    QTreeWidgetItem* label = FindItem(parameter, "Default Value");
    ASSERT_FALSE(label->isExpanded());

    DoubleClick(tree.viewport(), Center(label));
    EXPECT_TRUE(label->isExpanded());
    QCoreApplication::processEvents();
    EXPECT_EQ(commands.count(), 0);

    QTreeWidgetItem* value = label->child(0);
    DoubleClick(tree.viewport(), Center(value));
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands[0][0].toInt(), 32782);
    EXPECT_EQ(tree.currentItem(), value);

    // Far right of another value's text, on its row: that value is the one edited.
    FindItem(tree.topLevelItem(0), "Description(Max:1024 bytes)")->setExpanded(true);
    QCoreApplication::processEvents();
    QTreeWidgetItem* description = FindItem(tree.topLevelItem(0), "d");
    DoubleClick(tree.viewport(), QPoint(tree.viewport()->width() - 5, Center(description).y()));
    ASSERT_EQ(commands.count(), 2);
    EXPECT_EQ(tree.currentItem(), description);
}

TEST_F(FuncInfoTreeCtrlTest, rightClick_selectsTheItemAndAsksForThePopupByItemKind) {
    Show({"Blur", 0, "d", {}});
    QSignalSpy popups(&tree, &CFuncInfoTreeCtrl::popupRequested);
    auto rightClick = [&](QPoint pos) {
        QTest::mousePress(tree.viewport(), Qt::RightButton, {}, pos);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, pos, tree.viewport()->mapToGlobal(pos));
        QCoreApplication::sendEvent(tree.viewport(), &menu);
        QTest::mouseRelease(tree.viewport(), Qt::RightButton, {}, pos);
    };

    QTreeWidgetItem* root = tree.topLevelItem(0);
    // Far right of the text, still on the row.
    rightClick(QPoint(tree.viewport()->width() - 5, Center(root).y()));
    EXPECT_EQ(tree.currentItem(), root);
    QTreeWidgetItem* label = FindItem(root, "Attribute");
    rightClick(Center(label));
    EXPECT_EQ(tree.currentItem(), label);
    ASSERT_EQ(popups.count(), 2);
    EXPECT_EQ(popups[0][0].toInt(), CFuncInfoTreeCtrl::kFunctionPopup);
    EXPECT_EQ(popups[1][0].toInt(), CFuncInfoTreeCtrl::kParameterPopup);

    // Below the last item: the selection stays and no popup opens.
    rightClick(QPoint(10, tree.viewport()->height() - 3));
    EXPECT_EQ(popups.count(), 2);
}

}  // namespace

namespace {

TEST_F(FuncInfoTreeCtrlTest, oddDirectionAndKind_readAsInputAndUnknownFunction) {
    kelvane::FunctionRecord record =
        kelvane::sample::MakeRecord({"Odd", 7, "d", {{"int*", true, "n", "1", "1"}}});
    record.parameter(0).direction = 2;
    MakeDirs(dir / "Odd()");
    ASSERT_TRUE(record.Save(dir / "Odd()/Odd().fdb").ok());
    tree.ShowFunction("Odd()", dir / "Odd()");
    QTreeWidgetItem* root = tree.topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_NE(FindItem(root, "Unknown Function"), nullptr);
    QTreeWidgetItem* parameter = FindItem(root, "int* Type");
    ASSERT_NE(parameter, nullptr);
    EXPECT_EQ(parameter->data(0, CFuncInfoTreeCtrl::kIconRole).toInt(), 8);
    EXPECT_NE(FindItem(parameter, "Input Parameter"), nullptr);
}

}  // namespace
