#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "FakeSeam.h"
#include "TestFiles.h"
#include "TreeText.h"
#include "app/EditHistory.h"
#include "app/MainFrame.h"
#include "browser/FuncTreeView.h"
#include "data/SampleLibrary.h"
#include "dialogs/ui/MatrixDlg.h"
#include "infoview/ui/KLVView.h"
#include "records/FunctionEdits.h"
#include "records/FunctionRecord.h"
#include "records/LibraryPaths.h"
#include "resources/CommandIds.h"

using namespace kelvane;

namespace {

void Press(QDialog& dlg, const char* id) {
    dlg.findChild<QPushButton*>(id)->click();
}

// A library with one group, Filters, holding Blur() with the given parameter types; the
// window is built on it and shows Blur().
class EditCommands : public ::testing::Test {
protected:
    TempDir home;
    std::string group;
    std::string folder;
    std::string file;
    FakeSeam seam;
    std::unique_ptr<CMainFrame> frame;

    void Open(const std::vector<std::string>& types) {
        group = home / "FunctionLibrary/Filters";
        sample::SampleFunction spec{"Blur", 0, "Blurs", {}};
        for (const std::string& type : types) {
            sample::SampleParameter param;
            param.type = type;
            spec.params.push_back(param);
        }
        ASSERT_TRUE(sample::WriteFunction(group, spec).ok());
        folder = group + "/Blur()";
        file = folder + "/Blur().fdb";
        SetProgramDirectoryOverride(home.path());
        frame = std::make_unique<CMainFrame>(seam);
        ASSERT_NE(frame->GetBrowser()->SelectPath(folder), nullptr);
        frame->GetView()->ShowFunction("Blur()", folder);
    }

    CFuncInfoTreeCtrl* Tree() { return frame->GetView()->InfoTree(); }

    QTreeWidgetItem* ParameterRow(int i) {
        QTreeWidgetItem* root = Tree()->topLevelItem(0);
        for (int c = 0; root && c < root->childCount(); ++c)
            if (root->child(c)->text(0) == "Parameters")
                return root->child(c)->child(i);
        return nullptr;
    }
    QTreeWidgetItem* LabelRow(QTreeWidgetItem* parent, const QString& label) {
        for (int c = 0; parent && c < parent->childCount(); ++c)
            if (parent->child(c)->text(0) == label)
                return parent->child(c);
        return nullptr;
    }
    // Selects the value under label of parameter i (i < 0: of "Basic Information").
    void SelectValue(int i, const QString& label) {
        QTreeWidgetItem* owner =
            i < 0 ? LabelRow(Tree()->topLevelItem(0), "Basic Information") : ParameterRow(i);
        QTreeWidgetItem* row = LabelRow(owner, label);
        ASSERT_NE(row, nullptr) << label.toStdString();
        Tree()->setCurrentItem(row->child(0));
    }
    QString ShownValue(int i, const QString& label) {
        QTreeWidgetItem* row = LabelRow(ParameterRow(i), label);
        return row && row->childCount() ? row->child(0)->text(0) : QString();
    }
    FunctionRecord Reload() {
        FunctionRecord record;
        EXPECT_TRUE(record.Load(file));
        return record;
    }
};

std::string Text(const char* field) {
    return field;
}

}  // namespace

TEST_F(EditCommands, addParameterNeedsAFunctionSelectedInTheBrowser) {
    Open({"CImageByte*", "int*"});
    const auto before = ReadBytes(file).size();
    frame->GetBrowser()->SelectPath(group);
    EXPECT_FALSE(frame->RunCommand(cmd::kAddParameter));
    EXPECT_FALSE(frame->IsCommandEnabled(cmd::kModify));
    frame->GetBrowser()->SelectPath(folder);
    ASSERT_TRUE(frame->RunCommand(cmd::kAddParameter));
    EXPECT_EQ(ReadBytes(file).size(), before + fdb::kParameterSize);
    const FunctionRecord record = Reload();
    EXPECT_EQ(Text(record.parameter(2).typeName), "__Empty_Type_03");
    EXPECT_EQ(record.parameter(2).direction, 1);
    EXPECT_EQ(ShownValue(2, "Default Value"), "Image do not have a default parameter");
    EXPECT_EQ(ShownValue(2, "Stored Value"), "Image do not have a stored parameter");
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(EditCommands, aFunctionFileLinkedOutOfTheLibrary_isWrittenOnlyAfterAsking) {
    Open({"int*"});
    const std::string outside = home / "outside.fdb";
    std::filesystem::rename(file, outside);
    ASSERT_EQ(symlink(outside.c_str(), file.c_str()), 0);
    const std::string before = ReadBytes(outside);

    seam.answerNextConfirm(false);
    ASSERT_TRUE(frame->RunCommand(cmd::kAddParameter));
    ASSERT_EQ(seam.questions.size(), 1u);
    EXPECT_TRUE(seam.questions[0].contains(" leads through a symbolic link out of "))
        << seam.questions[0].toStdString();
    EXPECT_TRUE(seam.questions[0].contains(QString::fromStdString(outside)));
    EXPECT_EQ(ReadBytes(outside), before);

    seam.answerNextConfirm(true);
    Tree()->setCurrentItem(ParameterRow(0));
    ASSERT_TRUE(frame->RunCommand(cmd::kDeleteParameter));
    EXPECT_EQ(seam.questions.size(), 2u);
    EXPECT_EQ(ReadBytes(outside).size(), fdb::kHeaderSize);
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(EditCommands, deleteParameterRemovesTheSelectedRowWithoutAsking) {
    Open({"CImageByte*", "int*", "char*"});
    const auto before = ReadBytes(file).size();
    EXPECT_FALSE(frame->IsCommandEnabled(cmd::kDeleteParameter));
    Tree()->setCurrentItem(ParameterRow(0));
    ASSERT_TRUE(frame->RunCommand(cmd::kDeleteParameter));
    EXPECT_EQ(ReadBytes(file).size(), before - fdb::kParameterSize);
    FunctionRecord record = Reload();
    ASSERT_EQ(record.parameterCount(), 2);
    EXPECT_EQ(Text(record.parameter(0).typeName), "int*");
    EXPECT_EQ(Text(record.parameter(1).typeName), "char*");
    EXPECT_TRUE(seam.dialogTitles.empty());
    EXPECT_TRUE(seam.questions.empty());

    Tree()->setCurrentItem(ParameterRow(1));
    ASSERT_TRUE(frame->RunCommand(cmd::kDeleteParameter));
    Tree()->setCurrentItem(ParameterRow(0));
    ASSERT_TRUE(frame->RunCommand(cmd::kDeleteParameter));
    EXPECT_EQ(ReadBytes(file).size(), fdb::kHeaderSize);
}

TEST_F(EditCommands, integerDefaultValueByDoubleClickSetsBothKinds) {
    Open({"int*"});
    const std::string stored = Text(Reload().parameter(0).storedText);
    SelectValue(0, "Default Value");
    seam.onNextDialog([](QDialog& d) {
        d.findChild<QLineEdit*>("1020")->setText("42");
        Press(d, "1");
    });
    emit Tree()->commandRequested(cmd::kEditField);  // as a double click sends it
    const FunctionRecord record = Reload();
    EXPECT_EQ(Text(record.parameter(0).defaultText), "42");
    EXPECT_EQ(Text(record.parameter(0).storedText), stored);
    EXPECT_EQ(record.parameter(0).defaultKind, 1);
    EXPECT_EQ(record.parameter(0).storedKind, 1);
    EXPECT_EQ(ShownValue(0, "Default Value"), "42");
}

TEST_F(EditCommands, matrixStoredValueIsWrittenAndCancelWritesNothing) {
    Open({"CMatrix*"});
    SelectValue(0, "Stored Value");
    const std::string before = ReadBytes(file);
    seam.onNextDialog([](QDialog& d) {
        d.findChild<QLineEdit*>("1000")->setText("5");
        Press(d, "2");
    });
    ASSERT_TRUE(frame->RunCommand(cmd::kEditField));
    EXPECT_EQ(ReadBytes(file), before);

    SelectValue(0, "Stored Value");
    seam.onNextDialog([](QDialog& d) {
        d.findChild<QLineEdit*>("1000")->setText("2");
        d.findChild<QLineEdit*>(QString::number(CMatrixDlg::CellId(0, 1)))->setText("2");
        Press(d, "1");
    });
    ASSERT_TRUE(frame->RunCommand(cmd::kEditField));
    const FunctionRecord record = Reload();
    EXPECT_EQ(Text(record.parameter(0).storedText), "(2x1) 1.000000 2.000000");
    EXPECT_EQ(record.parameter(0).storedKind, 4);
    EXPECT_EQ(Text(record.parameter(0).defaultText), "(1x1) 1.000000");
    EXPECT_EQ(seam.dialogTitles, std::vector<QString>(2, QStringLiteral("Input Matrix Parameter")));
}

TEST_F(EditCommands, imageValueNeedsNoDialogAndTypeChangeKeepsKinds) {
    Open({"CImageByte*"});
    FunctionRecord record = Reload();
    record.parameter(0).defaultKind = 3;
    ASSERT_TRUE(record.Save(file).ok());
    Tree()->SendRefresh();
    SelectValue(0, "Default Value");
    ASSERT_TRUE(frame->RunCommand(cmd::kEditField));
    EXPECT_TRUE(seam.dialogTitles.empty());
    EXPECT_EQ(Reload().parameter(0).defaultKind, 0);

    frame->GetBrowser()->SelectPath(folder);
    ASSERT_TRUE(frame->RunCommand(cmd::kAddParameter));
    SelectValue(1, "Parameter Type");
    seam.onNextDialog([](QDialog& d) {
        d.findChild<QComboBox*>("1010")->setCurrentText("int*");
        Press(d, "1");
    });
    ASSERT_TRUE(frame->RunCommand(cmd::kEditField));
    record = Reload();
    EXPECT_EQ(Text(record.parameter(1).typeName), "int*");
    EXPECT_EQ(record.parameter(1).defaultKind, 0);
    EXPECT_EQ(record.parameter(1).storedKind, 0);
    EXPECT_EQ(ShownValue(1, "Default Value"), "Image do not have a default parameter");
}

TEST_F(EditCommands, typeAndAttributeAreNotEditable) {
    Open({"int*"});
    const std::string before = ReadBytes(file);
    SelectValue(-1, "Type");
    ASSERT_TRUE(frame->RunCommand(cmd::kEditField));
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_TRUE(seam.dialogTitles.empty());
    EXPECT_EQ(seam.messages.size(), 1u);
    // A label row is no value: the command is disabled, also for a double click.
    Tree()->setCurrentItem(LabelRow(ParameterRow(0), "Default Value"));
    emit Tree()->commandRequested(cmd::kEditField);
    EXPECT_TRUE(seam.dialogTitles.empty());
}

TEST_F(EditCommands, descriptionsAreEditedAndRefusedWhenNotCp949) {
    Open({"int*"});
    SelectValue(-1, "Description(Max:1024 bytes)");
    seam.onNextDialog([](QDialog& d) {
        auto* edit = d.findChild<QPlainTextEdit*>("1021");
        edit->setPlainText(QStringLiteral("smile \U0001F600"));
        Press(d, "1");
        EXPECT_EQ(d.result(), QDialog::Rejected);
        edit->setPlainText(QStringLiteral("흐림\n두 줄"));
        Press(d, "1");
    });
    ASSERT_TRUE(frame->RunCommand(cmd::kEditField));
    EXPECT_EQ(seam.messages.size(), 1u);
    const std::string description = Text(Reload().header().description);
    EXPECT_EQ(description.size(), 11u);  // five Korean characters, a blank, CR LF
    EXPECT_NE(description.find("\r\n"), std::string::npos);
}

TEST_F(EditCommands, okOnTextLeftAsShown_keepsBytesThatAreNotCp949) {
    Open({"char*"});
    const std::string odd = "a\xFF\xA1 z";  // no CP949: shown with replacement characters
    FunctionRecord record = Reload();
    ASSERT_TRUE(SetFieldText(record.parameter(0).defaultText, odd));
    ASSERT_TRUE(SetFieldText(record.parameter(0).storedText, odd));
    ASSERT_TRUE(SetFieldText(record.parameter(0).description, odd + "\r\n2"));
    ASSERT_TRUE(SetFieldText(record.header().description, odd));
    ASSERT_TRUE(record.Save(file).ok());
    Tree()->SendRefresh();
    const std::string before = ReadBytes(file);

    const std::pair<int, const char*> values[] = {{0, "Default Value"},
                                                  {0, "Stored Value"},
                                                  {0, "Description(Max:512 bytes)"},
                                                  {-1, "Description(Max:1024 bytes)"}};
    for (const auto& [parameter, label] : values) {
        SelectValue(parameter, label);
        seam.onNextDialog([](QDialog& d) { Press(d, "1"); });
        ASSERT_TRUE(frame->RunCommand(cmd::kEditField));
        EXPECT_EQ(ReadBytes(file), before) << label;
    }
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_EQ(seam.dialogTitles.size(), 4u);

    // A changed text is checked, and its replacement characters refused.
    SelectValue(0, "Default Value");
    seam.onNextDialog([](QDialog& d) {
        auto* edit = d.findChild<QLineEdit*>("1020");
        edit->setText(edit->text() + "!");
        Press(d, "1");
        EXPECT_EQ(d.result(), QDialog::Rejected);
    });
    ASSERT_TRUE(frame->RunCommand(cmd::kEditField));
    EXPECT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(ReadBytes(file), before);
}

// Another program changes the file while the dialog is open: the save is refused, and the
// user discards the change or makes it to the file as it is now.
TEST_F(EditCommands, aFileChangedDuringTheDialog_theChangeIsDiscardedOrMadeToTheFileAsItIsNow) {
    struct Case {
        const char* name;
        std::function<void(FunctionRecord&)> outside;
        int choice;           // 0 apply my change, 1 discard
        const char* refusal;  // why applying it was refused; nullptr when it was made
    };
    const Case cases[] = {
        {"discarded",
         [](FunctionRecord& r) { ASSERT_TRUE(SetFieldText(r.parameter(0).storedText, "99")); }, 1,
         nullptr},
        {"made",
         [](FunctionRecord& r) { ASSERT_TRUE(SetFieldText(r.parameter(0).storedText, "99")); }, 0,
         nullptr},
        {"type changed", [](FunctionRecord& r) { ASSERT_TRUE(SetTypeName(r, 0, "char*").ok()); }, 0,
         "now of type char*, not int*"},
        {"parameter gone", [](FunctionRecord& r) { ASSERT_TRUE(DeleteParameter(r, 0).ok()); }, 0,
         "no parameter 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        seam = FakeSeam();
        Open({"int*"});
        SelectValue(0, "Default Value");
        std::string theirs;
        seam.onNextDialog([&](QDialog& d) {
            FunctionRecord other = Reload();
            c.outside(other);
            ASSERT_TRUE(other.Save(file).ok());
            theirs = ReadBytes(file);
            d.findChild<QLineEdit*>("1020")->setText("1");
            Press(d, "1");
        });
        seam.answerNextChoice(c.choice);
        ASSERT_TRUE(frame->RunCommand(cmd::kEditField));
        ASSERT_EQ(seam.choiceTexts.size(), 1u);
        EXPECT_TRUE(seam.choiceTexts[0].contains("changed on disk"))
            << seam.choiceTexts[0].toStdString();
        EXPECT_EQ(seam.choiceButtons[0],
                  QStringList({"Apply my change to the current file", "Discard"}));

        if (c.choice == 0 && !c.refusal) {
            FunctionRecord mine = Reload();
            EXPECT_EQ(Text(mine.parameter(0).defaultText), "1");
            EXPECT_EQ(Text(mine.parameter(0).storedText), "99");
            // The history holds the change to the file as the other program left it.
            ASSERT_TRUE(frame->RunCommand(cmd::kEditUndo));
        }
        EXPECT_EQ(ReadBytes(file), theirs);
        if (c.refusal) {
            ASSERT_EQ(seam.messages.size(), 1u);
            EXPECT_TRUE(seam.messages[0].contains(c.refusal)) << seam.messages[0].toStdString();
        } else {
            EXPECT_TRUE(seam.messages.empty());
        }
        EXPECT_EQ(seam.choiceTexts.size(), 1u);
        frame.reset();
    }
}

TEST_F(EditCommands, readOnlyFileAndVanishedParameterAreReported) {
    Open({"int*", "char*"});
    chmod(file.c_str(), 0444);
    const std::string before = ReadBytes(file);
    frame->GetBrowser()->SelectPath(folder);
    ASSERT_TRUE(frame->RunCommand(cmd::kAddParameter));
    EXPECT_EQ(ReadBytes(file), before);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].contains("read-only"));
    EXPECT_EQ(ParameterRow(2), nullptr);
    chmod(file.c_str(), 0644);

    SelectValue(1, "Description(Max:512 bytes)");
    FunctionRecord shorter = Reload();
    ASSERT_TRUE(DeleteParameter(shorter, 1).ok());
    ASSERT_TRUE(shorter.Save(file).ok());
    const std::string now = ReadBytes(file);
    ASSERT_TRUE(frame->RunCommand(cmd::kEditField));
    EXPECT_TRUE(seam.dialogTitles.empty());
    EXPECT_EQ(ReadBytes(file), now);
    ASSERT_EQ(seam.messages.size(), 2u);
    EXPECT_TRUE(seam.messages[1].contains("no longer"));

    std::filesystem::remove(file);
    Tree()->setCurrentItem(ParameterRow(0));
    ASSERT_TRUE(frame->RunCommand(cmd::kDeleteParameter));
    EXPECT_EQ(seam.messages.size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(EditCommands, modifyOpensTheWorkspaceElseTheProjectElseSaysThereIsNone) {
    Open({});
    setenv("KELVANE_IDE", "msdev", 1);
    ASSERT_TRUE(frame->RunCommand(cmd::kModify));
    EXPECT_TRUE(seam.launches.empty());
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].contains("no project"));

    MakeDirs(folder + "/_Src");
    WriteBytes(folder + "/_Src/Blur.dsp", "project");
    ASSERT_TRUE(frame->RunCommand(cmd::kModify));
    WriteBytes(folder + "/_Src/Blur.dsw", "workspace");
    ASSERT_TRUE(frame->RunCommand(cmd::kModify));
    unsetenv("KELVANE_IDE");
    ASSERT_EQ(seam.launches.size(), 2u);
    EXPECT_EQ(seam.launches[0].program, "msdev");
    EXPECT_EQ(seam.launches[0].arguments,
              QStringList(QString::fromStdString(folder + "/_Src/Blur.dsp")));
    EXPECT_EQ(seam.launches[1].arguments,
              QStringList(QString::fromStdString(folder + "/_Src/Blur.dsw")));
}

// Each command's change is undone to the bytes before it and redone to the bytes it wrote.
TEST_F(EditCommands, everyChangeIsUndoneAndRedoneByteForByte) {
    using Driver = FakeSeam::Driver;
    auto combo = [](const char* id, const char* text) -> Driver {
        return [=](QDialog& d) {
            d.findChild<QComboBox*>(id)->setCurrentText(text);
            Press(d, "1");
        };
    };
    auto line = [](const char* id, const char* text) -> Driver {
        return [=](QDialog& d) {
            d.findChild<QLineEdit*>(id)->setText(text);
            Press(d, "1");
        };
    };
    auto description = [](QDialog& d) {
        d.findChild<QPlainTextEdit*>("1021")->setPlainText("changed");
        Press(d, "1");
    };
    struct Case {
        const char* type;
        int command;
        int parameter;      // the row selected; -1: "Basic Information"
        const char* label;  // the value selected under it; nullptr: the row itself
        Driver dialog;      // nullptr: none opens
    };
    const Case cases[] = {
        {"int*", cmd::kAddParameter, 0, nullptr, nullptr},
        {"int*", cmd::kDeleteParameter, 1, nullptr, nullptr},
        {"int*", cmd::kEditField, 1, "Input/Output", combo("1009", "Output  Parameter")},
        {"int*", cmd::kEditField, 1, "Parameter Type", combo("1010", "char*")},
        {"int*", cmd::kEditField, 1, "Default Value", line("1020", "42")},
        {"CMatrix*", cmd::kEditField, 1, "Stored Value", line("1000", "2")},
        {"CImageByte*", cmd::kEditField, 1, "Default Value", nullptr},
        {"int*", cmd::kEditField, 1, "Description(Max:512 bytes)", description},
        {"int*", cmd::kEditField, -1, "Description(Max:1024 bytes)", description},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.command) + " " + (c.label ? c.label : "") + " " + c.type);
        seam = FakeSeam();
        Open({"char*", c.type});
        FunctionRecord record = Reload();
        record.parameter(1).defaultKind = 3;  // an image's value kinds are then set back
        ASSERT_TRUE(record.Save(file).ok());
        Tree()->SendRefresh();
        const std::string before = ReadBytes(file);
        if (c.label)
            SelectValue(c.parameter, c.label);
        else
            Tree()->setCurrentItem(ParameterRow(c.parameter));
        if (c.dialog)
            seam.onNextDialog(c.dialog);
        EXPECT_FALSE(frame->IsCommandEnabled(cmd::kEditUndo));
        ASSERT_TRUE(frame->RunCommand(c.command));
        const std::string after = ReadBytes(file);
        ASSERT_NE(after, before);

        ASSERT_TRUE(frame->RunCommand(cmd::kEditUndo));
        EXPECT_EQ(ReadBytes(file), before);
        EXPECT_FALSE(frame->IsCommandEnabled(cmd::kEditUndo));
        ASSERT_TRUE(frame->RunCommand(cmd::kEditRedo));
        EXPECT_EQ(ReadBytes(file), after);
        EXPECT_FALSE(frame->IsCommandEnabled(cmd::kEditRedo));
        EXPECT_TRUE(seam.messages.empty());
        EXPECT_EQ(seam.unexpectedDialogs, 0);
        frame.reset();
    }
}

TEST_F(EditCommands, undoingTheDeletionOfTheMiddleParameterBringsItBackInItsPlace) {
    Open({"CImageByte*", "char*", "CMatrix*"});
    FunctionRecord record = Reload();
    ASSERT_TRUE(SetTextValue(record, 1, false, "text").ok());
    ASSERT_TRUE(SetParameterDescription(record, 1, "the middle one").ok());
    record.parameter(1).direction = fdb::kOutput;
    ASSERT_TRUE(record.Save(file).ok());
    const std::string before = ReadBytes(file);
    Tree()->SendRefresh();

    Tree()->setCurrentItem(ParameterRow(1));
    ASSERT_TRUE(frame->RunCommand(cmd::kDeleteParameter));
    ASSERT_EQ(Reload().parameterCount(), 2);
    ASSERT_TRUE(frame->RunCommand(cmd::kEditUndo));
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_EQ(ParameterRow(1)->text(0), "char* Type");
    EXPECT_EQ(ShownValue(1, "Default Value"), "text");
    EXPECT_EQ(ShownValue(1, "Input/Output"), "Output Parameter");
    EXPECT_EQ(ShownValue(1, "Description(Max:512 bytes)"), "the middle one");
    EXPECT_EQ(ParameterRow(2)->text(0), "CMatrix* Type");
}

// After another program changed the file, an undo or redo is refused: nothing is written,
// and the history stays as it was, so the step is taken once the file is put back.
TEST_F(EditCommands, anUndoOrRedoAfterAnOutsideChangeIsRefusedAndWritesNothing) {
    Open({"int*"});
    const std::string before = ReadBytes(file);
    ASSERT_TRUE(frame->RunCommand(cmd::kAddParameter));
    const std::string after = ReadBytes(file);

    FunctionRecord theirs = Reload();
    ASSERT_TRUE(SetFunctionDescription(theirs, "theirs").ok());
    ASSERT_TRUE(theirs.Save(file).ok());
    const std::string changed = ReadBytes(file);
    ASSERT_TRUE(frame->RunCommand(cmd::kEditUndo));
    EXPECT_EQ(ReadBytes(file), changed);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].startsWith("Could not undo the change to "))
        << seam.messages[0].toStdString();
    EXPECT_TRUE(seam.messages[0].contains("has changed since"));
    EXPECT_TRUE(FindItem(Tree()->topLevelItem(0), "theirs"));  // shown as it now is
    EXPECT_TRUE(frame->IsCommandEnabled(cmd::kEditUndo));
    EXPECT_FALSE(frame->IsCommandEnabled(cmd::kEditRedo));

    WriteBytes(file, after);
    ASSERT_TRUE(frame->RunCommand(cmd::kEditUndo));
    EXPECT_EQ(ReadBytes(file), before);

    WriteBytes(file, changed);
    ASSERT_TRUE(frame->RunCommand(cmd::kEditRedo));
    EXPECT_EQ(ReadBytes(file), changed);
    ASSERT_EQ(seam.messages.size(), 2u);
    EXPECT_TRUE(seam.messages[1].startsWith("Could not redo the change to "));
    EXPECT_TRUE(frame->IsCommandEnabled(cmd::kEditRedo));
    EXPECT_EQ(SortedNames(folder), std::vector<std::string>{"Blur().fdb"});
}

TEST_F(EditCommands, theOldestChangesAreForgottenBeyondTheMemoryOfTheHistory) {
    Open({"int*"});
    const std::string before = ReadBytes(file);
    const std::string once = before + std::string(fdb::kParameterSize, '\0');
    const std::string twice = once + std::string(fdb::kParameterSize, '\0');
    CEditHistory history(*frame, once.size() + twice.size());
    history.Record({file, before, once}, "Blur()", folder, "first");
    history.Record({file, once, twice}, "Blur()", folder, "second");
    WriteBytes(file, twice);

    history.Undo();
    EXPECT_EQ(ReadBytes(file), once);
    ASSERT_TRUE(history.CanUndo());
    history.Undo();
    EXPECT_EQ(ReadBytes(file), once);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].contains("too old")) << seam.messages[0].toStdString();
    history.Redo();
    EXPECT_EQ(ReadBytes(file), twice);
}
