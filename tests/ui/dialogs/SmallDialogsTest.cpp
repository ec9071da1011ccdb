#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "FakeSeam.h"
#include "dialogs/ui/DefaultValueDlg.h"
#include "dialogs/ui/DescriptionDlg.h"
#include "dialogs/ui/InOutDlg.h"
#include "dialogs/ui/ParamTypeDlg.h"
#include "dialogs/ui/RenameDlg.h"

namespace {

template <typename T>
T* Child(QDialog& dialog, const char* id) {
    T* child = dialog.findChild<T*>(QString::fromLatin1(id));
    EXPECT_NE(child, nullptr) << id;
    return child;
}

void PressOk(QDialog& dialog) {
    Child<QPushButton>(dialog, "1")->click();
}
void PressCancel(QDialog& dialog) {
    Child<QPushButton>(dialog, "2")->click();
}

QStringList Rows(QComboBox* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->itemText(i);
    return rows;
}

}  // namespace

TEST(ParamTypeDlg, listsFourteenRowsWithHeadingsAndSpacers) {
    CParamTypeDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "Parameter Type Selection");
    EXPECT_EQ(Rows(Child<QComboBox>(dlg, "1010")),
              QStringList({"<--Image Parameter-->", "CImageByte*", "CImageFloat*", "CImageComplex*",
                           "CImageRGB*", "", "<--Sequence Parameter-->", "CSequence*", "",
                           "<--Value Parameter-->", "int*", "double*", "char*", "CMatrix*"}));
}

TEST(ParamTypeDlg, preselectsTheMatchingRowOrNone) {
    CParamTypeDlg dlg;
    dlg.SetTypeName("char*");
    EXPECT_EQ(Child<QComboBox>(dlg, "1010")->currentIndex(), 12);
    dlg.SetTypeName("__Empty_Type_01");
    EXPECT_EQ(Child<QComboBox>(dlg, "1010")->currentIndex(), -1);
    dlg.SetTypeName("");
    EXPECT_EQ(Child<QComboBox>(dlg, "1010")->currentIndex(), -1);
}

TEST(ParamTypeDlg, okWithHeadingSpacerOrNothingKeepsTheDialogOpen) {
    FakeSeam seam;
    CParamTypeDlg dlg;
    dlg.SetTypeName("");
    seam.onNextDialog([](QDialog& d) {
        auto* list = d.findChild<QComboBox*>("1010");
        PressOk(d);  // nothing selected
        EXPECT_EQ(d.result(), QDialog::Rejected);
        list->setCurrentIndex(9);  // <--Value Parameter-->
        PressOk(d);
        EXPECT_EQ(d.result(), QDialog::Rejected);
        list->setCurrentIndex(8);  // spacer
        PressOk(d);
        EXPECT_EQ(d.result(), QDialog::Rejected);
        list->setCurrentIndex(13);
        PressOk(d);
    });
    ASSERT_EQ(seam.exec(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.TypeName(), "CMatrix*");
}

TEST(ParamTypeDlg, cancelKeepsTheName) {
    FakeSeam seam;
    CParamTypeDlg dlg;
    dlg.SetTypeName("__Empty_Type_02");
    seam.onNextDialog([](QDialog& d) {
        d.findChild<QComboBox*>("1010")->setCurrentIndex(10);
        PressCancel(d);
    });
    EXPECT_EQ(seam.exec(dlg), QDialog::Rejected);
    EXPECT_EQ(dlg.TypeName(), "__Empty_Type_02");
}

TEST(InOutDlg, preselectsOutputForAnyKindButOne) {
    FakeSeam seam;
    for (int kind : {0, 2, -1}) {
        CInOutDlg dlg;
        dlg.SetKind(kind);
        EXPECT_EQ(Child<QComboBox>(dlg, "1009")->currentText(), "Output  Parameter");
        seam.onNextDialog(PressOk);
        ASSERT_EQ(seam.exec(dlg), QDialog::Accepted);
        EXPECT_EQ(dlg.Kind(), 0);
    }
    CInOutDlg dlg;
    dlg.SetKind(1);
    seam.onNextDialog(PressOk);
    ASSERT_EQ(seam.exec(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.Kind(), 1);
}

TEST(DefaultValueDlg, emptyTextIsAcceptedAsIs) {
    FakeSeam seam;
    CDefaultValueDlg dlg(seam);
    EXPECT_EQ(dlg.windowTitle(), "Input Default Value ");
    dlg.SetValue("17");
    seam.onNextDialog([](QDialog& d) {
        d.findChild<QLineEdit*>("1020")->clear();
        PressOk(d);
    });
    ASSERT_EQ(seam.exec(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.Value(), "");
    EXPECT_TRUE(seam.messages.empty());
}

TEST(DefaultValueDlg, enterConfirmsFromTheEditButPressesAFocusedCancel) {
    FakeSeam seam;
    CDefaultValueDlg dlg(seam);
    dlg.SetValue("17");
    dlg.show();
    auto* edit = Child<QLineEdit>(dlg, "1020");
    edit->setText("5");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Value(), "5");

    CDefaultValueDlg other(seam);
    other.SetValue("17");
    other.show();
    Child<QLineEdit>(other, "1020")->setText("5");
    auto* cancel = Child<QPushButton>(other, "2");
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_EQ(other.result(), QDialog::Rejected);
    EXPECT_FALSE(other.isVisible());
    EXPECT_EQ(other.Value(), "17");
}

TEST(DefaultValueDlg, refusesTextCp949CannotHoldWithAMessage) {
    FakeSeam seam;
    CDefaultValueDlg dlg(seam);
    dlg.SetValue("1");
    seam.onNextDialog([](QDialog& d) {
        d.findChild<QLineEdit*>("1020")->setText(QStringLiteral("x \U0001F600"));
        PressOk(d);
        EXPECT_EQ(d.result(), QDialog::Rejected);
        d.findChild<QLineEdit*>("1020")->setText(QStringLiteral("한글 2"));
        PressOk(d);
    });
    ASSERT_EQ(seam.exec(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.Value(), QStringLiteral("한글 2"));
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].contains("CP949"));
}

TEST(DefaultValueDlg, editRefusesInputBeyondTheFieldInsteadOfCutting) {
    FakeSeam seam;
    CDefaultValueDlg dlg(seam);
    auto* edit = Child<QLineEdit>(dlg, "1020");
    dlg.SetValue(QString(2046, 'a'));
    QTest::keyClicks(edit, "b");  // 2047 bytes: still fits
    EXPECT_EQ(edit->text().size(), 2047);
    QTest::keyClicks(edit, "c");
    EXPECT_EQ(edit->text().size(), 2047);
    edit->setText(QString(1023, 'a'));
    edit->end(false);
    edit->insert(QStringLiteral("가"));          // two bytes in CP949: 1025... fits
    edit->insert(QString(1020, QChar(0xAC00)));  // far over: refused whole
    EXPECT_EQ(edit->text(), QString(1023, 'a') + QStringLiteral("가"));
}

TEST(DescriptionDlg, keepsLineBreaksAsCrLfAndEnterConfirms) {
    FakeSeam seam;
    CDescriptionDlg dlg(seam, 511);
    dlg.SetDescription(QStringLiteral("first\r\nsecond"));
    auto* edit = Child<QPlainTextEdit>(dlg, "1021");
    EXPECT_EQ(edit->toPlainText(), "first\nsecond");
    seam.onNextDialog([edit](QDialog& d) {
        edit->moveCursor(QTextCursor::End);
        QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(edit, "third");
        EXPECT_EQ(d.result(), QDialog::Rejected);
        QTest::keyClick(edit, Qt::Key_Return);
    });
    ASSERT_EQ(seam.exec(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.Description(), "first\r\nsecond\r\nthird");
}

TEST(DescriptionDlg, limitCountsLineBreaksAsTwoBytes) {
    FakeSeam seam;
    CDescriptionDlg dlg(seam, 511);
    auto* edit = Child<QPlainTextEdit>(dlg, "1021");
    dlg.SetDescription(QString(509, 'a'));
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);  // 511 bytes
    EXPECT_EQ(edit->toPlainText().size(), 510);
    QTest::keyClicks(edit, "z");
    EXPECT_EQ(edit->toPlainText().size(), 510);
    // Shortening a text that is over the limit is still allowed.
    dlg.SetDescription(QString(600, 'a'));
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->toPlainText().size(), 599);
}

TEST(DescriptionDlg, overLongTextIsRefusedOnOkNotCut) {
    FakeSeam seam;
    CDescriptionDlg dlg(seam, 511);
    dlg.SetDescription(QString(600, 'a'));  // a damaged file may hold more
    seam.onNextDialog(PressOk);
    EXPECT_EQ(seam.exec(dlg), QDialog::Rejected);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].contains("511"));
    EXPECT_EQ(dlg.Description(), QString(600, 'a'));
}

TEST(RenameDlg, showsTheNameAndCancelKeepsIt) {
    FakeSeam seam;
    CRenameDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "Rename");
    dlg.SetName(QStringLiteral("필터"));
    EXPECT_EQ(Child<QLineEdit>(dlg, "1020")->text(), QStringLiteral("필터"));
    seam.onNextDialog([](QDialog& d) {
        d.findChild<QLineEdit*>("1020")->setText("Other");
        PressCancel(d);
    });
    EXPECT_EQ(seam.exec(dlg), QDialog::Rejected);
    EXPECT_EQ(dlg.Name(), QStringLiteral("필터"));
    seam.onNextDialog([](QDialog& d) {
        d.findChild<QLineEdit*>("1020")->setText("Other");
        PressOk(d);
    });
    EXPECT_EQ(seam.exec(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.Name(), "Other");
}
