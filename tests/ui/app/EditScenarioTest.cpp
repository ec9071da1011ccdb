#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <map>
#include <memory>

#include "FakeSeam.h"
#include "TestFiles.h"
#include "TreeText.h"
#include "app/MainFrame.h"
#include "browser/FuncTreeView.h"
#include "data/SampleLibrary.h"
#include "infoview/InfoTreeModel.h"
#include "infoview/ui/KLVView.h"
#include "records/LibraryPaths.h"
#include "resources/CommandIds.h"

namespace {

// The window on the sample library, used as a user would: clicks, keys and dialogs.
class EditScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kelvane::sample::WriteSampleLibrary(home.path()).ok());
        kelvane::SetProgramDirectoryOverride(home.path());
        frame = std::make_unique<CMainFrame>(seam);
        frame->show();
        QApplication::setActiveWindow(frame.get());
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        frame.reset();
        kelvane::SetProgramDirectoryOverride("");
    }

    std::string Folder(const std::string& relative) {
        return home / ("FunctionLibrary/" + relative);
    }
    std::string File(const std::string& relative) {
        return Folder(relative) + "/" + kelvane::LastComponent(Folder(relative)) + ".fdb";
    }
    CFuncInfoTreeCtrl& Info() { return *frame->GetView()->InfoTree(); }
    CLibraryTreeCtrl& Tree() { return *frame->GetBrowser()->CurrentTree(); }

    static QPoint Row(QTreeWidget& tree, QTreeWidgetItem* item) {
        tree.scrollToItem(item);
        return QPoint(tree.visualItemRect(item).left() + 4, tree.visualItemRect(item).center().y());
    }
    // Makes the folder visible in its tab and clicks it (which opens no group).
    void Click(const std::string& relative) {
        QTreeWidgetItem* item = frame->GetBrowser()->SelectPath(Folder(relative));
        ASSERT_NE(item, nullptr) << relative;
        Tree().collapseItem(item);
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, Row(Tree(), item));
    }
    void KeyInTree(Qt::Key key) { QTest::keyClick(&Tree(), key); }
    QString Current() { return Tree().currentItem() ? Tree().currentItem()->text(0) : QString(); }

    // Selects the value under label of parameter i of the shown function (i < 0: under
    // "Basic Information"), or the parameter row itself when label is empty.
    void SelectInInfo(int i, const QString& label = {}) {
        QTreeWidgetItem* root = Info().topLevelItem(0);
        QTreeWidgetItem* owner = FindItem(root, i < 0 ? "Basic Information" : "Parameters");
        ASSERT_NE(owner, nullptr);
        if (i >= 0)
            owner = owner->child(i);
        if (label.isEmpty())
            return Info().setCurrentItem(owner);
        for (int c = 0; c < owner->childCount(); ++c)
            if (owner->child(c)->text(0) == label)
                return Info().setCurrentItem(owner->child(c)->child(0));
        FAIL() << label.toStdString();
    }

    // The right pane shows the function at relative as its file now is, and the library
    // tree has it selected.
    void ExpectOnScreen(const std::string& relative) {
        const std::string folder = Folder(relative);
        const std::string name = kelvane::LastComponent(folder);
        EXPECT_FALSE(Info().isHidden());
        EXPECT_EQ(Info().m_strFolderName, name);
        EXPECT_EQ(Info().m_strFolderPath, folder);
        const kelvane::InfoTreeResult fromDisk = kelvane::LoadInfoTree(folder, name);
        ASSERT_TRUE(fromDisk.loaded);
        EXPECT_EQ(Texts(Info().topLevelItem(0)), Texts(fromDisk.root));
        ASSERT_NE(Tree().currentItem(), nullptr);
        EXPECT_EQ(Tree().GetItemPath(Tree().currentItem()), folder);
    }
    static std::vector<std::string> Texts(QTreeWidgetItem* item) {
        std::vector<std::string> texts{item->text(0).toStdString()};
        for (int i = 0; i < item->childCount(); ++i)
            for (std::string& text : Texts(item->child(i)))
                texts.push_back(std::move(text));
        return texts;
    }
    static std::vector<std::string> Texts(const kelvane::InfoItem& item) {
        std::vector<std::string> texts{item.text};
        for (const kelvane::InfoItem& child : item.children)
            for (std::string& text : Texts(child))
                texts.push_back(std::move(text));
        return texts;
    }

    TempDir home;
    FakeSeam seam;
    std::unique_ptr<CMainFrame> frame;
};

FakeSeam::Driver Type(const char* id, const char* text) {
    return [=](QDialog& d) {
        if (auto* line = d.findChild<QLineEdit*>(id))
            line->setText(text);
        else if (auto* box = d.findChild<QPlainTextEdit*>(id))
            box->setPlainText(text);
        else
            d.findChild<QComboBox*>(id)->setCurrentText(text);
        d.findChild<QPushButton*>("1")->click();
    };
}

}  // namespace

// Add Parameter and Modify act on the function shown, so they are enabled only while the
// browser's selection is that function.
TEST_F(EditScenario, addParameterAndModifyFollowTheShownFunction_notAKeyboardMove) {
    const std::string blur = ReadBytes(File("Basic/Filter/Blur()"));
    Click("Basic/Filter/Blur()");
    EXPECT_TRUE(frame->IsCommandEnabled(cmd::kAddParameter));
    EXPECT_TRUE(frame->IsCommandEnabled(cmd::kModify));

    Click("Basic/Color");
    EXPECT_TRUE(frame->GetView()->GroupList()->isVisible());
    QTreeWidgetItem* basic = Tree().RootItem();
    const Qt::Key toArithmetic = basic->indexOfChild(FindItem(basic, "Arithmetic")) <
                                         basic->indexOfChild(FindItem(basic, "Color"))
                                     ? Qt::Key_Up
                                     : Qt::Key_Down;
    for (int moves = 0; moves < 20 && Current() != "Arithmetic"; ++moves)
        KeyInTree(toArithmetic);
    ASSERT_EQ(Current(), "Arithmetic");
    KeyInTree(Qt::Key_Right);
    KeyInTree(Qt::Key_Down);
    ASSERT_EQ(Current(), "Add()");
    frame->UpdateCommandStates();
    EXPECT_FALSE(frame->Action(cmd::kAddParameter)->isEnabled());
    EXPECT_FALSE(frame->Action(cmd::kModify)->isEnabled());
    EXPECT_FALSE(frame->RunCommand(cmd::kAddParameter));

    // Shown, but another tab is current with a function of its own selected.
    Click("Basic/Filter/Blur()");
    CFuncTreeView* browser = frame->GetBrowser();
    for (CLibraryTreeCtrl* tree : browser->m_pTrees)
        if (kelvane::LastComponent(tree->m_strRootPath) == "Advanced")
            browser->TabControl()->setCurrentWidget(tree);
    CLibraryTreeCtrl& other = Tree();
    ASSERT_EQ(kelvane::LastComponent(other.m_strRootPath), "Advanced");
    QTreeWidgetItem* root = other.RootItem();
    for (int i = 0; i < root->childCount(); ++i)
        other.expandItem(root->child(i));
    QTreeWidgetItem* function = nullptr;
    for (QTreeWidgetItemIterator it(&other); *it && !function; ++it)
        if (kelvane::IsFunctionFolderName((*it)->text(0).toStdString()))
            function = *it;
    ASSERT_NE(function, nullptr);
    other.setCurrentItem(function);
    EXPECT_FALSE(frame->RunCommand(cmd::kAddParameter));
    EXPECT_FALSE(frame->IsCommandEnabled(cmd::kModify));
    frame->GetBrowser()->SelectPath(Folder("Basic/Filter/Blur()"));
    EXPECT_TRUE(frame->IsCommandEnabled(cmd::kAddParameter));

    EXPECT_EQ(ReadBytes(File("Basic/Filter/Blur()")), blur);
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(EditScenario, doubleClickOnAFunctionRowSelectsItInTheTreeAndShowsIt) {
    Click("Basic/Arithmetic");
    CGroupListCtrl* list = frame->GetView()->GroupList();
    QTreeWidgetItem* row = nullptr;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0) == "Add()")
            row = list->topLevelItem(i);
    ASSERT_NE(row, nullptr);
    DoubleClick(list->viewport(), Row(*list, row));
    ExpectOnScreen("Basic/Arithmetic/Add()");
    ASSERT_TRUE(frame->RunCommand(cmd::kAddParameter));
    EXPECT_EQ(ReadBytes(File("Basic/Arithmetic/Add()")).size(),
              kelvane::fdb::kHeaderSize + 4 * kelvane::fdb::kParameterSize);
}

// Ten edits of three functions, all undone with the keys and redone; each step shows the
// function it changed as its file now is.
TEST_F(EditScenario, tenEditsOfThreeFunctionsAreUndoneAndRedoneStepByStep) {
    const std::vector<std::string> functions = {"Basic/Filter/Blur()", "Basic/Filter/Sharpen()",
                                                "Basic/Arithmetic/Add()"};
    struct Edit {
        const char* function;
        int command;
        int parameter;  // the row selected (-1: "Basic Information")
        const char* label;
        FakeSeam::Driver dialog;
    };
    const Edit edits[] = {
        {"Basic/Filter/Blur()", cmd::kAddParameter, 0, nullptr, nullptr},
        {"Basic/Filter/Blur()", cmd::kEditField, 1, "Default Value", Type("1020", "7")},
        {"Basic/Filter/Blur()", cmd::kEditField, -1, "Description(Max:1024 bytes)",
         Type("1021", "Blurs, changed.")},
        {"Basic/Filter/Sharpen()", cmd::kEditField, 1, "Stored Value", Type("1020", "2.5")},
        {"Basic/Filter/Sharpen()", cmd::kEditField, 0, "Input/Output",
         Type("1009", "Output  Parameter")},
        {"Basic/Filter/Blur()", cmd::kDeleteParameter, 0, nullptr, nullptr},
        {"Basic/Arithmetic/Add()", cmd::kAddParameter, 0, nullptr, nullptr},
        {"Basic/Arithmetic/Add()", cmd::kEditField, 3, "Parameter Type", Type("1010", "CMatrix*")},
        {"Basic/Arithmetic/Add()", cmd::kEditField, 0, "Description(Max:512 bytes)",
         Type("1021", "first")},
        {"Basic/Filter/Sharpen()", cmd::kEditField, -1, "Description(Max:1024 bytes)",
         Type("1021", "Sharpens, changed.")},
    };
    auto files = [&] {
        std::map<std::string, std::string> bytes;
        for (const std::string& function : functions)
            bytes[function] = ReadBytes(File(function));
        return bytes;
    };
    std::vector<std::map<std::string, std::string>> states{files()};
    for (const Edit& edit : edits) {
        Click(edit.function);
        if (edit.label)
            SelectInInfo(edit.parameter, edit.label);
        else if (edit.command == cmd::kDeleteParameter)
            SelectInInfo(edit.parameter);
        if (edit.dialog)
            seam.onNextDialog(edit.dialog);
        ASSERT_TRUE(frame->RunCommand(edit.command)) << edit.function;
        states.push_back(files());
        ASSERT_NE(states.back(), states[states.size() - 2]) << edit.function;
    }
    ASSERT_TRUE(seam.messages.empty());
    ASSERT_EQ(seam.unexpectedDialogs, 0);

    Tree().setFocus();
    for (int step = 10; step >= 1; --step) {
        SCOPED_TRACE("undo of edit " + std::to_string(step));
        if (step % 2)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace, Qt::AltModifier);
        EXPECT_EQ(files(), states[static_cast<std::size_t>(step) - 1]);
        ExpectOnScreen(edits[step - 1].function);
    }
    EXPECT_FALSE(frame->IsCommandEnabled(cmd::kEditUndo));
    for (int step = 1; step <= 10; ++step) {
        SCOPED_TRACE("redo of edit " + std::to_string(step));
        if (step % 2)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z,
                            Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(files(), states[static_cast<std::size_t>(step)]);
        ExpectOnScreen(edits[step - 1].function);
    }
    EXPECT_FALSE(frame->IsCommandEnabled(cmd::kEditRedo));
    EXPECT_TRUE(seam.messages.empty());
}
