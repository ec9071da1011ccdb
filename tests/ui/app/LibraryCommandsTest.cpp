#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTabWidget>
#include <filesystem>

#include "FakeSeam.h"
#include "TestFiles.h"
#include "app/MainFrame.h"
#include "browser/FuncTreeView.h"
#include "records/LibraryPaths.h"
#include "resources/CommandIds.h"
#include "uisupport/FolderTreeCtrl.h"
#include "wizard/ui/CodeWizard.h"
#include "wizard/ui/FinalPropertyPage.h"
#include "wizard/ui/NamePropertyPage.h"
#include "wizard/ui/ParameterPropertyPage.h"

#include <QCheckBox>
#include <QListWidget>

namespace {

// A library with the tab Basic holding the groups Filter (with Blur()), Other and the
// empty folder Empty.
class LibraryCommandsTest : public ::testing::Test {
protected:
    LibraryCommandsTest() {
        MakeDirs(dir / "FunctionLibrary/Basic/Filter/Blur()");
        MakeDirs(dir / "FunctionLibrary/Basic/Other/Inner");
        MakeDirs(dir / "FunctionLibrary/Basic/Empty");
        kelvane::SetProgramDirectoryOverride(dir.path());
        frame = std::make_unique<CMainFrame>(seam);
    }
    ~LibraryCommandsTest() override {
        frame.reset();
        kelvane::SetProgramDirectoryOverride("");
    }

    std::string Basic(const std::string& name = {}) {
        return dir / ("FunctionLibrary/Basic" + (name.empty() ? "" : "/" + name));
    }
    void Select(const std::string& path) {
        ASSERT_NE(frame->GetBrowser()->SelectPath(path), nullptr);
    }
    void AnswerRename(const QString& name) {
        seam.onNextDialog([name](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("1020"))->setText(name);
            dialog.accept();
        });
    }
    QStringList BasicChildren() {
        QTreeWidgetItem* basic = frame->GetBrowser()->CurrentTree()->RootItem();
        QStringList names;
        for (int i = 0; i < basic->childCount(); ++i)
            names << basic->child(i)->text(0);
        names.sort();
        return names;
    }

    TempDir dir;
    FakeSeam seam;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(LibraryCommandsTest, rename_movesTheFolderBesideItselfAndRefreshesTheParent) {
    Select(Basic("Filter"));
    AnswerRename(QStringLiteral("Filters"));
    EXPECT_TRUE(frame->RunCommand(cmd::kRename));
    EXPECT_TRUE(std::filesystem::is_directory(Basic("Filters/Blur()")));
    EXPECT_FALSE(std::filesystem::exists(Basic("Filter")));
    EXPECT_EQ(BasicChildren(), (QStringList{"Empty", "Filters", "Other"}));
    EXPECT_TRUE(seam.messages.empty());

    // A function folder keeps its files' names.
    Select(Basic("Filters/Blur()"));
    AnswerRename(QStringLiteral("Sharpen()"));
    frame->RunCommand(cmd::kRename);
    EXPECT_TRUE(std::filesystem::is_directory(Basic("Filters/Sharpen()")));
}

TEST_F(LibraryCommandsTest, rename_neverReplacesASiblingAndRefusesBadNames) {
    for (const QString& taken : {QStringLiteral("Other"), QStringLiteral("Empty")}) {
        Select(Basic("Filter"));
        AnswerRename(taken);
        frame->RunCommand(cmd::kRename);
    }
    for (const QString& bad : {QString(), QStringLiteral("a/b"), QStringLiteral("..")}) {
        Select(Basic("Filter"));
        AnswerRename(bad);
        frame->RunCommand(cmd::kRename);
    }
    EXPECT_EQ(seam.messages.size(), 5u);
    EXPECT_TRUE(std::filesystem::is_directory(Basic("Filter/Blur()")));
    EXPECT_TRUE(std::filesystem::is_directory(Basic("Other/Inner")));
    EXPECT_TRUE(std::filesystem::is_empty(Basic("Empty")));
    EXPECT_EQ(BasicChildren(), (QStringList{"Empty", "Filter", "Other"}));
}

TEST_F(LibraryCommandsTest, rename_cancelNoSelectionAndTheTabRoot_changeNothing) {
    Select(Basic("Filter"));
    seam.onNextDialog([](QDialog& dialog) { dialog.reject(); });
    frame->RunCommand(cmd::kRename);
    EXPECT_TRUE(std::filesystem::is_directory(Basic("Filter")));

    frame->GetBrowser()->CurrentTree()->setCurrentItem(nullptr);
    frame->RunCommand(cmd::kRename);
    EXPECT_EQ(seam.dialogTitles.size(), 1u);  // no dialog without a selection

    Select(Basic());
    frame->RunCommand(cmd::kRename);
    EXPECT_EQ(seam.dialogTitles.size(), 1u);
    EXPECT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(Basic()));
    EXPECT_EQ(seam.unexpectedDialogs, 0);
}

TEST_F(LibraryCommandsTest, rename_withOnlyTheFocusFrameOnATabJustSwitchedTo_doesNothing) {
    frame.reset();
    MakeDirs(dir / "FunctionLibrary/Second/Group");
    frame = std::make_unique<CMainFrame>(seam);
    auto* tabs = frame->findChild<QTabWidget*>(QStringLiteral("1000"));
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 2);
    tabs->setCurrentIndex(1 - tabs->currentIndex());
    CLibraryTreeCtrl* tree = frame->GetBrowser()->CurrentTree();
    // What the tree does when it takes the focus with no current item: the frame, no
    // selection.
    tree->selectionModel()->setCurrentIndex(tree->model()->index(0, 0),
                                            QItemSelectionModel::NoUpdate);
    ASSERT_NE(tree->currentItem(), nullptr);
    ASSERT_TRUE(tree->selectedItems().isEmpty());
    EXPECT_TRUE(frame->RunCommand(cmd::kRename));
    EXPECT_TRUE(seam.dialogTitles.empty());
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(LibraryCommandsTest, codeWizardRunsModallyAndLaunchExplorerOpensTheLibraryRoot) {
    seam.onNextDialog([](QDialog& dialog) { dialog.reject(); });
    EXPECT_TRUE(frame->RunCommand(cmd::kCodeWizard));
    EXPECT_EQ(seam.dialogTitles, std::vector<QString>{QStringLiteral("Wizard")});

    EXPECT_TRUE(frame->RunCommand(cmd::kLaunchExplorer));
    ASSERT_EQ(seam.launches.size(), 1u);
    EXPECT_EQ(seam.launches[0].program, "xdg-open");
    EXPECT_EQ(seam.launches[0].arguments,
              QStringList{QString::fromStdString(dir / "FunctionLibrary/")});
}

TEST_F(LibraryCommandsTest, functionMadeByTheWizard_showsAfterItsGroupIsOpenedAgain) {
    Select(Basic("Filter"));
    QTreeWidgetItem* filter = frame->GetBrowser()->CurrentTree()->currentItem();
    filter->setExpanded(true);
    seam.onNextDialog([&](QDialog& dialog) {
        auto& wizard = static_cast<CCodeWizard&>(dialog);
        wizard.next();
        wizard.NamePage()->NameEdit()->setText(QStringLiteral("Sharpen"));
        ASSERT_TRUE(wizard.NamePage()->FolderTree()->SelectPath(Basic("Filter")));
        wizard.next();
        wizard.ParameterPage()->InputList()->addItem(QStringLiteral("CImageRGB*"));
        wizard.next();
        wizard.FinalPage()->LaunchBox()->setChecked(false);
        wizard.button(QWizard::FinishButton)->click();
    });
    frame->RunCommand(cmd::kCodeWizard);
    EXPECT_EQ(seam.dialogTitles, std::vector<QString>{QStringLiteral("Wizard")});
    EXPECT_TRUE(std::filesystem::exists(Basic("Filter/Sharpen()/Sharpen().fdb")));
    EXPECT_EQ(filter->childCount(), 1);  // the browser was not told

    filter->setExpanded(false);
    filter->setExpanded(true);
    QStringList names;
    for (int i = 0; i < filter->childCount(); ++i)
        names << filter->child(i)->text(0);
    names.sort();
    EXPECT_EQ(names, (QStringList{"Blur()", "Sharpen()"}));
}
