#include "app/MainFrame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <memory>

#include "FakeSeam.h"
#include "TestFiles.h"
#include "TreeText.h"
#include "browser/FuncTreeView.h"
#include "data/SampleLibrary.h"
#include "infoview/ui/KLVView.h"
#include "records/LibraryPaths.h"
#include "resources/CommandIds.h"

namespace {

// The library: Basic (Filter with Blur(), Edge()) and Advanced.
class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string lib = home / "FunctionLibrary";
        ASSERT_TRUE(kelvane::sample::WriteFunction(
                        lib + "/Basic/Filter", {"Blur", 0, "b", {{"int*", true, "n", "1", "2"}}})
                        .ok());
        ASSERT_TRUE(kelvane::sample::WriteFunction(lib + "/Basic", {"Edge", 0, "e", {}}).ok());
        MakeDirs(lib + "/Advanced");
        kelvane::SetProgramDirectoryOverride(home.path());
        frame = std::make_unique<CMainFrame>(seam);
        frame->show();
        QCoreApplication::processEvents();
    }

    void TearDown() override {
        for (QMenu* menu : frame->findChildren<QMenu*>())
            menu->close();
        frame.reset();
        kelvane::SetProgramDirectoryOverride("");
    }

    CLibraryTreeCtrl& Basic() {
        CFuncTreeView* browser = frame->GetBrowser();
        for (CLibraryTreeCtrl* tree : browser->m_pTrees)
            if (kelvane::LastComponent(tree->m_strRootPath) == "Basic")
                return *tree;
        throw std::runtime_error("no tab Basic");
    }

    void SelectTab(CLibraryTreeCtrl& tree) {
        frame->GetBrowser()->TabControl()->setCurrentWidget(&tree);
        QCoreApplication::processEvents();
    }

    static QPoint Row(QTreeWidget& tree, QTreeWidgetItem* item) {
        return QPoint(tree.visualItemRect(item).left() + 4, tree.visualItemRect(item).center().y());
    }

    static void RightClick(QTreeWidget& tree, QTreeWidgetItem* item) {
        const QPoint pos = Row(tree, item);
        QTest::mousePress(tree.viewport(), Qt::RightButton, {}, pos);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, pos, tree.viewport()->mapToGlobal(pos));
        QCoreApplication::sendEvent(tree.viewport(), &menu);
        QTest::mouseRelease(tree.viewport(), Qt::RightButton, {}, pos);
    }

    // The open popup, nullptr when none.
    QMenu* OpenPopup() {
        for (QMenu* menu : frame->findChildren<QMenu*>())
            if (menu->isVisible())
                return menu;
        return nullptr;
    }

    TempDir home;
    FakeSeam seam;
    std::unique_ptr<CMainFrame> frame;
};

void AppendMenuLines(std::vector<std::string>& lines, QMenu* menu, int depth) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            lines.push_back(indent + "-");
        } else if (action->menu()) {
            lines.push_back(indent + action->text().toStdString());
            AppendMenuLines(lines, action->menu(), depth + 1);
        } else {
            lines.push_back(indent + action->text().toStdString() + " " +
                            std::to_string(action->data().toInt()));
        }
    }
}

TEST_F(MainFrameTest, windowTitleSizeAndPanes) {
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Kelvane v1.0"));
    EXPECT_EQ(frame->size(), QSize(640, 480));
    QSplitter* splitter = frame->Splitter();
    ASSERT_EQ(splitter->count(), 2);
    EXPECT_EQ(splitter->widget(0), frame->GetBrowser());
    EXPECT_EQ(splitter->widget(1), frame->GetView());
    EXPECT_EQ(splitter->sizes()[0], 220);
    EXPECT_EQ(frame->GetBrowser()->width(), 220);
    EXPECT_EQ(frame->GetView()->width(), 640 - 220 - splitter->handleWidth());
    EXPECT_EQ(frame->findChild<QStatusBar*>(), nullptr);
    EXPECT_FALSE(frame->GetView()->InfoTree()->isVisible());
    EXPECT_FALSE(frame->GetView()->GroupList()->isVisible());

    frame->resize(800, 480);  // the browser keeps its width
    EXPECT_EQ(splitter->sizes()[0], 220);
}

TEST_F(MainFrameTest, menuBarTextsIdsAndSeparators_noKeyNames) {
    std::vector<std::string> lines;
    for (QAction* top : frame->menuBar()->actions()) {
        lines.push_back(top->text().toStdString());
        AppendMenuLines(lines, top->menu(), 1);
    }
    const std::vector<std::string> expected = {
        "&File",
        "  E&xit 57665",
        "&DBMS",
        "  Group",
        "    Rename... 32772",
        "  Function",
        "    &Parameter Management",
        "      &Add Parameter... 32780",
        "      &Delete Parameter 32781",
        "      -",
        "      &Edit Field... 32782",
        "    -",
        "    &Modify 32779",
        "&Tools",
        "  Code &Wizard... 32771",
        "  Launch Explorer 32789",
        "  -",
        "  Find Function... 32790",
        "&Help",
        "  &About KLV... 57664",
    };
    EXPECT_EQ(lines, expected);
    for (QMenu* menu : frame->menuBar()->findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            EXPECT_TRUE(action->shortcut().isEmpty());
    EXPECT_EQ(frame->GroupPopup()->title(), QStringLiteral("Group"));
    EXPECT_EQ(frame->FunctionPopup()->title(), QStringLiteral("Function"));
    EXPECT_EQ(frame->ParameterPopup()->title(), QStringLiteral("&Parameter Management"));
}

TEST_F(MainFrameTest, toolbarButtonsGapsAndTooltips) {
    QToolBar* bar = frame->ToolBar();
    std::vector<std::string> lines;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator()) {
            lines.push_back("-");
            continue;
        }
        lines.push_back(std::to_string(action->data().toInt()) + " " +
                        action->toolTip().toStdString());
        EXPECT_FALSE(action->icon().isNull());
    }
    const std::vector<std::string> expected = {"32771 Function Code Wizard",
                                               "32789 Launch Explorer",
                                               "-",
                                               "32779 Modify Function",
                                               "-",
                                               "32780 Add Parameter",
                                               "32781 Delete Parameter",
                                               "32782 Edit Field",
                                               "-",
                                               "57664 About"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(bar->iconSize(), QSize(16, 15));
    EXPECT_TRUE(bar->isMovable());
    EXPECT_EQ(frame->toolBarArea(bar), Qt::TopToolBarArea);
    EXPECT_EQ(bar->allowedAreas(), Qt::TopToolBarArea);

    // No menu to hide the toolbar: it stays as long as the window.
    for (QWidget* area : {static_cast<QWidget*>(bar), static_cast<QWidget*>(frame->menuBar())}) {
        const QPoint pos(area->width() - 2, area->height() / 2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, area->mapToGlobal(pos));
        QCoreApplication::sendEvent(area, &event);
        EXPECT_EQ(OpenPopup(), nullptr);
        if (QMenu* menu = OpenPopup())
            menu->close();
    }
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(MainFrameTest, commandsRunOnlyWhileEnabled_statesFollowMenusAndRunCommand) {
    bool allowed = false;
    int runs = 0;
    frame->SetCommandHandler(cmd::kModify, {[&] { return allowed; }, [&] { ++runs; }});
    EXPECT_FALSE(frame->RunCommand(cmd::kModify));
    EXPECT_FALSE(frame->Action(cmd::kModify)->isEnabled());

    allowed = true;
    emit frame->FunctionPopup()->aboutToShow();
    EXPECT_TRUE(frame->Action(cmd::kModify)->isEnabled());
    frame->Action(cmd::kModify)->trigger();
    EXPECT_EQ(runs, 1);
    allowed = false;
    frame->Action(cmd::kModify)->trigger();  // the rule is asked again when the command runs
    EXPECT_EQ(runs, 1);

    EXPECT_FALSE(frame->IsCommandEnabled(12345));
    EXPECT_FALSE(frame->RunCommand(12345));
    EXPECT_EQ(frame->Action(12345), nullptr);
}

TEST_F(MainFrameTest, aboutBoxClosesWithOkEnterOrEscape) {
    auto check = [](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("100"));
        auto* text = dialog.findChild<QLabel*>(QStringLiteral("version"));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->text(), QStringLiteral("KLV Version 1.0"));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("1"));
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), QStringLiteral("OK"));
        EXPECT_TRUE(ok->isDefault());
        dialog.show();
    };
    seam.onNextDialog([&](QDialog& d) {
        check(d);
        d.findChild<QPushButton*>(QStringLiteral("1"))->click();
    });
    seam.onNextDialog([&](QDialog& d) {
        check(d);
        QTest::keyClick(&d, Qt::Key_Return);
    });
    seam.onNextDialog([&](QDialog& d) {
        check(d);
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(frame->RunCommand(cmd::kAppAbout));
    EXPECT_EQ(seam.dialogTitles, (std::vector<QString>(3, QStringLiteral("About Kelvane v1.0"))));
    EXPECT_EQ(seam.unexpectedDialogs, 0);
}

TEST_F(MainFrameTest, f6MovesTheFocusBetweenThePanes) {
    QApplication::setActiveWindow(frame.get());
    CLibraryTreeCtrl* tree = frame->GetBrowser()->CurrentTree();
    ASSERT_NE(tree, nullptr);
    tree->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), tree);

    QTest::keyClick(tree, Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), frame->GetView());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), tree);

    frame->GetView()->ShowItem("Basic", tree->m_strRootPath);
    QTest::keyClick(tree, Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), frame->GetView()->GroupList());
}

TEST_F(MainFrameTest, clicksShowItemsOnTheRight_rightClicksOpenThePopupByKind) {
    CLibraryTreeCtrl& tree = Basic();
    SelectTab(tree);
    QTreeWidgetItem* edge = FindItem(tree.RootItem(), "Edge()");
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, Row(tree, edge));
    CKLVView* view = frame->GetView();
    EXPECT_TRUE(view->InfoTree()->isVisible());
    EXPECT_EQ(view->InfoTree()->m_strFolderName, "Edge()");

    RightClick(tree, FindItem(tree.RootItem(), "Filter"));
    EXPECT_TRUE(view->GroupList()->isVisible());
    EXPECT_EQ(OpenPopup(), frame->GroupPopup());
    frame->GroupPopup()->close();

    RightClick(tree, edge);
    EXPECT_EQ(OpenPopup(), frame->FunctionPopup());
    frame->FunctionPopup()->close();

    RightClick(tree, tree.RootItem());
    EXPECT_EQ(OpenPopup(), nullptr);

    tree.setCurrentItem(edge);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, Row(tree, edge));
    CFuncInfoTreeCtrl* info = view->InfoTree();
    QCoreApplication::processEvents();
    RightClick(*info, info->topLevelItem(0));
    EXPECT_EQ(OpenPopup(), frame->FunctionPopup());
    frame->FunctionPopup()->close();
    RightClick(*info, FindItem(info->topLevelItem(0), "Attribute"));
    EXPECT_EQ(OpenPopup(), frame->ParameterPopup());
    frame->ParameterPopup()->close();
}

TEST_F(MainFrameTest, doubleClickOnAValueRunsEditFieldUnderItsRule) {
    bool allowed = false;
    int runs = 0;
    frame->SetCommandHandler(cmd::kEditField, {[&] { return allowed; }, [&] { ++runs; }});
    CKLVView* view = frame->GetView();
    view->ShowItem("Edge()", Basic().m_strRootPath + "/Edge()");
    QCoreApplication::processEvents();
    CFuncInfoTreeCtrl* info = view->InfoTree();
    QTreeWidgetItem* value = FindItem(info->topLevelItem(0), "DLL Function");
    ASSERT_NE(value, nullptr);
    value->parent()->setExpanded(true);
    QCoreApplication::processEvents();
    DoubleClick(info->viewport(), Row(*info, value));
    EXPECT_EQ(runs, 0);
    allowed = true;
    DoubleClick(info->viewport(), Row(*info, value));
    EXPECT_EQ(runs, 1);
}

TEST_F(MainFrameTest, doubleClickOnASubgroupRowSelectsItInTheTreeAndListsIt) {
    CLibraryTreeCtrl& tree = Basic();
    SelectTab(tree);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, Row(tree, tree.RootItem()));
    CGroupListCtrl* list = frame->GetView()->GroupList();
    ASSERT_TRUE(list->isVisible());
    QCoreApplication::processEvents();
    ASSERT_EQ(list->topLevelItemCount(), 1);  // Filter; Edge() is a function
    DoubleClick(list->viewport(), Row(*list, list->topLevelItem(0)));

    QTreeWidgetItem* filter = FindItem(tree.RootItem(), "Filter");
    EXPECT_EQ(tree.currentItem(), filter);
    EXPECT_TRUE(filter->isExpanded());
    EXPECT_NE(FindItem(filter, "Blur()"), nullptr);
    EXPECT_EQ(list->m_strFolderName, "Filter");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Blur()"));
}

}  // namespace
