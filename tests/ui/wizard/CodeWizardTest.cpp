#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <filesystem>

#include "FakeSeam.h"
#include "TestFiles.h"
#include "records/LibraryPaths.h"
#include "uisupport/DialogUnits.h"
#include "uisupport/FolderTreeCtrl.h"
#include "wizard/FunctionCreator.h"
#include "wizard/ui/CodeWizard.h"
#include "wizard/ui/FinalPropertyPage.h"
#include "wizard/ui/NamePropertyPage.h"
#include "wizard/ui/ParameterPropertyPage.h"
#include "wizard/ui/TypePropertyPage.h"

namespace {

// A program directory with a library holding Basic/Filter, and the project skeleton.
class WizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeDirs(dir / "FunctionLibrary/Basic/Filter");
        MakeDirs(dir / "Skel/Dll/res");
        WriteBytes(dir / "Skel/Dll/res/Dll.rc2", "rc2");
        for (const char* name :
             {"StdAfx.h", "StdAfx.cpp", "resource.h", "Dll.rc", "Dll.h", "Dll.cpp", "Dll.dsp"})
            WriteBytes(dir / ("Skel/Dll/" + std::string(name)), name);
        kelvane::SetProgramDirectoryOverride(dir.path());
    }
    void TearDown() override { kelvane::SetProgramDirectoryOverride(""); }

    QPushButton* Button(QWidget* page, const char* id) {
        return page->findChild<QPushButton*>(QLatin1String(id));
    }
    void SelectKind(CCodeWizard& wizard, const char* type) {
        QTreeWidget* kinds = wizard.ParameterPage()->Kinds();
        const auto found = kinds->findItems(QLatin1String(type), Qt::MatchExactly, 0);
        ASSERT_EQ(found.size(), 1);
        kinds->setCurrentItem(found.front());
    }
    // Fills the name page and the parameter page and arrives on the summary page.
    void FillIn(CCodeWizard& wizard, const QString& name, const QString& location) {
        wizard.next();
        wizard.NamePage()->NameEdit()->setText(name);
        wizard.NamePage()->LocationEdit()->setText(location);
        wizard.next();
        QWidget* page = wizard.ParameterPage();
        SelectKind(wizard, "CImageByte*");
        Button(page, "1004")->click();
        SelectKind(wizard, "int*");
        Button(page, "1004")->click();
        SelectKind(wizard, "CImageByte*");
        Button(page, "1012")->click();
        wizard.next();
        ASSERT_EQ(wizard.currentId(), CCodeWizard::kFinalPage);
    }
    QString Location(const std::string& relative) { return QString::fromStdString(dir / relative); }

    TempDir dir;
    FakeSeam seam;
};

QStringList Entries(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

}  // namespace

TEST_F(WizardTest, kindAndNamePages_startAfreshAndSelectTheLibraryRoot) {
    CCodeWizard wizard(seam);
    EXPECT_EQ(wizard.windowTitle(), "Wizard");
    EXPECT_EQ(wizard.currentId(), CCodeWizard::kTypePage);
    EXPECT_EQ(wizard.currentPage()->title(), "함수 생성 마법사");
    EXPECT_EQ(wizard.TypePage()->Kind(), 0);
    EXPECT_FALSE(wizard.TypePage()->findChild<QRadioButton*>("1002")->isEnabled());
    EXPECT_FALSE(wizard.TypePage()->findChild<QRadioButton*>("1003")->isEnabled());

    wizard.next();
    ASSERT_EQ(wizard.currentId(), CCodeWizard::kNamePage);
    CNamePropertyPage* page = wizard.NamePage();
    EXPECT_EQ(page->FolderTree()->currentItem()->text(0), "FunctionLibrary");
    // The library root holds a folder, so its path keeps the final separator.
    EXPECT_EQ(page->LocationEdit()->text(), Location("FunctionLibrary/"));
    EXPECT_TRUE(page->NameEdit()->text().isEmpty());
}

TEST_F(WizardTest, namePage_findsTheLibraryRootOfARelativeProgramDirectory) {
    const std::filesystem::path saved = std::filesystem::current_path();
    const std::filesystem::path program(dir.path());
    std::filesystem::current_path(program.parent_path());
    kelvane::SetProgramDirectoryOverride("./" + program.filename().string() + "/../" +
                                         program.filename().string());
    CCodeWizard wizard(seam);
    wizard.next();
    std::filesystem::current_path(saved);
    EXPECT_EQ(wizard.NamePage()->LocationEdit()->text(), Location("FunctionLibrary/"));
}

TEST_F(WizardTest, namePage_refusesEmptyTextsSilentlyAndBadNamesWithAMessage) {
    CCodeWizard wizard(seam);
    wizard.next();
    CNamePropertyPage* page = wizard.NamePage();
    wizard.next();
    EXPECT_EQ(wizard.currentId(), CCodeWizard::kNamePage);

    for (const QString& bad : {QStringLiteral("a/b"), QStringLiteral(".."),
                               QString(80, QLatin1Char('x')), QStringLiteral("😀")}) {
        page->NameEdit()->setText(bad);
        wizard.next();
        EXPECT_EQ(wizard.currentId(), CCodeWizard::kNamePage) << bad.toStdString();
    }
    EXPECT_EQ(seam.messages.size(), 4u);

    // Selecting "Drives" empties the location: refused without a message.
    page->NameEdit()->setText(QStringLiteral("Blur"));
    page->FolderTree()->setCurrentItem(page->FolderTree()->DrivesItem());
    EXPECT_TRUE(page->LocationEdit()->text().isEmpty());
    wizard.next();
    EXPECT_EQ(wizard.currentId(), CCodeWizard::kNamePage);
    EXPECT_EQ(seam.messages.size(), 4u);

    // Selecting a folder keeps the typed name; a typed location is what Next takes.
    ASSERT_TRUE(page->FolderTree()->SelectPath(dir / "FunctionLibrary/Basic"));
    EXPECT_EQ(page->LocationEdit()->text(), Location("FunctionLibrary/Basic/"));
    EXPECT_EQ(page->NameEdit()->text(), "Blur");
    page->LocationEdit()->setText(Location("typed"));
    page->NameEdit()->setText(QStringLiteral("  "));  // blanks are a name
    wizard.next();
    EXPECT_EQ(wizard.currentId(), CCodeWizard::kParameterPage);
    EXPECT_EQ(wizard.Collected().location, dir / "typed");
    EXPECT_EQ(wizard.Collected().name, "  ");

    // Back and forth keeps the texts and the tree.
    wizard.back();
    EXPECT_EQ(page->LocationEdit()->text(), Location("typed"));
    EXPECT_EQ(page->FolderTree()->currentItem()->text(0), "Basic");
}

TEST_F(WizardTest, parameterPage_addsRemovesAndMovesEntries) {
    CCodeWizard wizard(seam);
    wizard.next();
    wizard.NamePage()->NameEdit()->setText(QStringLiteral("Blur"));
    wizard.next();
    CParameterPropertyPage* page = wizard.ParameterPage();
    QTreeWidget* kinds = page->Kinds();
    ASSERT_EQ(kinds->topLevelItemCount(), 9);
    EXPECT_EQ(kinds->topLevelItem(8)->text(0), "CSequence*");
    EXPECT_EQ(kinds->headerItem()->text(1), "Description");

    Button(page, "1004")->click();  // nothing selected: nothing added
    wizard.next();                  // no input: refused
    EXPECT_EQ(wizard.currentId(), CCodeWizard::kParameterPage);
    SelectKind(wizard, "CMatrix*");
    Button(page, "1012")->click();
    wizard.next();  // outputs only: still refused
    EXPECT_EQ(wizard.currentId(), CCodeWizard::kParameterPage);

    SelectKind(wizard, "int*");
    for (int i = 0; i < 3; ++i)
        Button(page, "1004")->click();
    SelectKind(wizard, "char*");
    Button(page, "1004")->click();
    QListWidget* inputs = page->InputList();
    EXPECT_EQ(Entries(inputs), (QStringList{"int*", "int*", "int*", "char*"}));

    inputs->setCurrentRow(3);
    Button(page, "1009")->click();  // down on the last: nothing
    Button(page, "1008")->click();  // up
    EXPECT_EQ(Entries(inputs), (QStringList{"int*", "int*", "char*", "int*"}));
    EXPECT_EQ(inputs->currentRow(), 2);
    EXPECT_TRUE(inputs->item(2)->isSelected());
    inputs->setCurrentRow(0);
    Button(page, "1008")->click();  // up on the first: nothing
    EXPECT_EQ(Entries(inputs), (QStringList{"int*", "int*", "char*", "int*"}));
    Button(page, "1011")->click();  // remove the first
    EXPECT_EQ(Entries(inputs), (QStringList{"int*", "char*", "int*"}));
    EXPECT_TRUE(inputs->selectedItems().isEmpty());
    Button(page, "1011")->click();  // nothing selected: nothing removed
    EXPECT_EQ(inputs->count(), 3);

    wizard.next();
    EXPECT_EQ(wizard.currentId(), CCodeWizard::kFinalPage);
    EXPECT_EQ(wizard.Collected().outputs, std::vector<std::string>{"CMatrix*"});
}

TEST_F(WizardTest, parameterPage_narrowButtonsLeaveTheKindsListRoomForBothColumns) {
    CCodeWizard wizard(seam);
    wizard.next();
    wizard.NamePage()->NameEdit()->setText(QStringLiteral("Blur"));
    wizard.next();
    wizard.show();
    QCoreApplication::processEvents();
    CParameterPropertyPage* page = wizard.ParameterPage();
    const DialogUnits du(page->fontMetrics());
    for (const char* id : {"1004", "1008", "1009", "1010", "1011", "1012", "1013", "1014"})
        EXPECT_EQ(Button(page, id)->size(), du.Size(15, 18)) << id;

    // At the wizard's own size both columns show whole, with no scroll bar across.
    QTreeWidget* kinds = page->Kinds();
    EXPECT_EQ(kinds->columnWidth(0), 120);
    EXPECT_GE(kinds->columnWidth(1), 300);
    EXPECT_FALSE(kinds->horizontalScrollBar()->isVisible());
    EXPECT_LE(kinds->header()->sectionViewportPosition(1) + 300, kinds->viewport()->width());
    EXPECT_TRUE(page->contentsRect().contains(
        kinds->geometry().translated(kinds->parentWidget()->mapTo(page, QPoint(0, 0)))));
}

TEST_F(WizardTest, finish_createsTheFunctionAndLaunchesTheProject) {
    seam.onNextDialog([&](QDialog& dialog) {
        auto& wizard = static_cast<CCodeWizard&>(dialog);
        FillIn(wizard, QStringLiteral("Blur"), Location("FunctionLibrary/Basic"));
        const std::string summary = wizard.FinalPage()->Summary();
        EXPECT_NE(summary.find("함수의 위치\r\n====================\r\n\r\n" +
                               (dir / "FunctionLibrary/Basic/Blur()\r\n")),
                  std::string::npos);
        EXPECT_TRUE(
            summary.ends_with("Input:\r\nCImageByte*\r\nint*\r\n\r\nOutput:\r\nCImageByte*\r\n"));
        EXPECT_TRUE(wizard.FinalPage()->LaunchBox()->isChecked());
        wizard.button(QWizard::FinishButton)->click();
    });
    CCodeWizard wizard(seam);
    EXPECT_EQ(seam.exec(wizard), QDialog::Accepted);

    const std::string folder = dir / "FunctionLibrary/Basic/Blur()";
    const kelvane::NewFunction expected{
        0, "Blur", dir / "FunctionLibrary/Basic", {"CImageByte*", "int*"}, {"CImageByte*"}};
    EXPECT_EQ(ReadBytes(folder + "/Blur().fdb"),
              kelvane::BuildFunctionRecord(expected)->Serialize());
    EXPECT_EQ(ReadBytes(folder + "/_Src/Blur.dsp"), "Dll.dsp");
    EXPECT_TRUE(seam.messages.empty());
    ASSERT_EQ(seam.launches.size(), 1u);
    EXPECT_EQ(seam.launches[0].arguments,
              QStringList{QString::fromStdString(folder + "/_Src/Blur.dsp")});
}

TEST_F(WizardTest, finish_withoutLaunchAndWithMissingSkeletonFile_reportsOnceAndStartsNothing) {
    std::filesystem::remove(dir / "Skel/Dll/Dll.h");
    CCodeWizard wizard(seam);
    FillIn(wizard, QStringLiteral("Blur"), Location("FunctionLibrary"));
    wizard.FinalPage()->LaunchBox()->setChecked(false);
    wizard.button(QWizard::FinishButton)->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_TRUE(seam.launches.empty());
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].contains(Location("FunctionLibrary/Blur()/_Src/Dll.h")));
    EXPECT_TRUE(std::filesystem::exists(dir / "FunctionLibrary/Blur()/Blur().fdb"));
}

TEST_F(WizardTest, finish_withAnEmptyProjectFile_saysSoAndStartsNothing) {
    std::filesystem::remove(dir / "Skel/Dll/Dll.dsp");
    CCodeWizard wizard(seam);
    FillIn(wizard, QStringLiteral("Blur"), Location("FunctionLibrary"));
    ASSERT_TRUE(wizard.FinalPage()->LaunchBox()->isChecked());
    wizard.button(QWizard::FinishButton)->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_TRUE(seam.launches.empty());
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].contains(Location("FunctionLibrary/Blur()/_Src/Blur.dsp")));
    EXPECT_TRUE(seam.messages[0].contains(QString::fromUtf8(kelvane::kEmptyProjectMessage.data(),
                                                            kelvane::kEmptyProjectMessage.size())));
}

TEST_F(WizardTest, finish_atAMissingLocation_staysOpenAndCreatesNothing) {
    CCodeWizard wizard(seam);
    FillIn(wizard, QStringLiteral("Blur"), Location("nowhere"));
    wizard.button(QWizard::FinishButton)->click();
    EXPECT_NE(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(wizard.currentId(), CCodeWizard::kFinalPage);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].startsWith("fdb 파일 생성 에러"));
    EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));
    EXPECT_EQ(wizard.NamePage()->NameEdit()->text(), "Blur");
}

TEST_F(WizardTest, finish_onAnExistingFunction_asksAndReplacesOnlyOnYes) {
    const std::string folder = dir / "FunctionLibrary/Basic/Filter";
    WriteBytes(folder + "/keep.txt", "mine");
    CCodeWizard wizard(seam);
    FillIn(wizard, QStringLiteral("Filter"), Location("FunctionLibrary/Basic"));
    // "Filter" is a group here, not a function folder: no conflict with "Filter()".
    MakeDirs(dir / "FunctionLibrary/Basic/Filter()");
    WriteBytes(dir / "FunctionLibrary/Basic/Filter()/Filter().fdb", "old");

    seam.answerNextConfirm(false);
    wizard.button(QWizard::FinishButton)->click();
    EXPECT_NE(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(seam.questions.size(), 1u);
    EXPECT_EQ(ReadBytes(dir / "FunctionLibrary/Basic/Filter()/Filter().fdb"), "old");
    EXPECT_TRUE(seam.launches.empty());

    seam.answerNextConfirm(true);
    wizard.button(QWizard::FinishButton)->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(ReadBytes(dir / "FunctionLibrary/Basic/Filter()/Filter().fdb").size(),
              1372u + 3u * 4740u);
    EXPECT_EQ(ReadBytes(folder + "/keep.txt"), "mine");
}
