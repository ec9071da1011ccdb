#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "FakeSeam.h"
#include "TestFiles.h"
#include "dialogs/ui/MatrixDlg.h"
#include "dialogs/ui/SpinButtons.h"

namespace {

QLineEdit* Cell(QDialog& dlg, int row, int column) {
    return dlg.findChild<QLineEdit*>(QString::number(CMatrixDlg::CellId(row, column)));
}
QLineEdit* WidthEdit(QDialog& dlg) {
    return dlg.findChild<QLineEdit*>("1000");
}
QLineEdit* HeightEdit(QDialog& dlg) {
    return dlg.findChild<QLineEdit*>("1001");
}
void Press(QDialog& dlg, const char* id) {
    dlg.findChild<QPushButton*>(id)->click();
}

// Enabled cells as rows of 0/1, for readable comparisons.
std::vector<std::string> EnabledMap(QDialog& dlg) {
    std::vector<std::string> map;
    for (int r = 0; r < 10; ++r) {
        std::string row;
        for (int c = 0; c < 10; ++c)
            row += Cell(dlg, r, c)->isEnabled() ? '1' : '0';
        map.push_back(row);
    }
    return map;
}

int EnabledCount(QDialog& dlg) {
    int n = 0;
    for (const std::string& row : EnabledMap(dlg))
        n += std::count(row.begin(), row.end(), '1');
    return n;
}

void TypeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

}  // namespace

TEST(MatrixDlg, cellIdsFollowTheRowTable) {
    EXPECT_EQ(CMatrixDlg::CellId(0, 0), 1248);
    EXPECT_EQ(CMatrixDlg::CellId(4, 9), 1321);
    EXPECT_EQ(CMatrixDlg::CellId(5, 0), 1338);
    EXPECT_EQ(CMatrixDlg::CellId(9, 9), 1407);
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    EXPECT_EQ(dlg.findChildren<QLineEdit*>().size(), 102);
    EXPECT_NE(dlg.findChild<CSpinButtons*>("1002"), nullptr);
    EXPECT_NE(dlg.findChild<CSpinButtons*>("1004"), nullptr);
}

TEST(MatrixDlg, emptyValueOpensOneCellAndOkGivesTheUnitMatrix) {
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    dlg.SetValueText("");
    EXPECT_EQ(EnabledCount(dlg), 1);
    EXPECT_TRUE(Cell(dlg, 0, 0)->isEnabled());
    EXPECT_EQ(Cell(dlg, 0, 0)->text(), "1");
    EXPECT_EQ(WidthEdit(dlg)->text(), "1");
    EXPECT_EQ(HeightEdit(dlg)->text(), "1");
    seam.onNextDialog([](QDialog& d) { Press(d, "1"); });
    ASSERT_EQ(seam.exec(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.ValueText(), "(1x1) 1.000000");
    EXPECT_TRUE(seam.messages.empty());
}

TEST(MatrixDlg, valueTextOpensItsActivePart) {
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    dlg.SetValueText("(3x2) 1.000000 2.000000 3.000000 4.000000 5.000000 6.000000");
    EXPECT_EQ(EnabledMap(dlg)[0], "1110000000");
    EXPECT_EQ(EnabledMap(dlg)[1], "1110000000");
    EXPECT_EQ(EnabledCount(dlg), 6);
    EXPECT_EQ(Cell(dlg, 1, 2)->text(), "6");
    EXPECT_EQ(Cell(dlg, 0, 3)->text(), "1");
    EXPECT_EQ(WidthEdit(dlg)->text(), "3");

    CMatrixDlg other(seam);
    other.SetValueText("Sequence do not have default parameters");
    EXPECT_EQ(EnabledCount(other), 0);
    EXPECT_EQ(WidthEdit(other)->text(), "0");
    EXPECT_EQ(HeightEdit(other)->text(), "0");
}

TEST(MatrixDlg, typedSizesAreClampedAndZeroDisablesEveryCell) {
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    dlg.SetValueText("");
    TypeInto(WidthEdit(dlg), "12");
    EXPECT_EQ(WidthEdit(dlg)->text(), "10");
    EXPECT_EQ(EnabledMap(dlg)[0], "1111111111");
    TypeInto(WidthEdit(dlg), "4");
    TypeInto(HeightEdit(dlg), "0");
    EXPECT_EQ(EnabledCount(dlg), 0);
    EXPECT_TRUE(seam.messages.empty());
    seam.onNextDialog([](QDialog& d) { Press(d, "1"); });
    ASSERT_EQ(seam.exec(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.ValueText(), "(4x0)");
}

TEST(MatrixDlg, clearingASizeAsksForAnIntegerAndRestoresIt) {
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    dlg.SetValueText("(2x2) 1.000000 2.000000 3.000000 4.000000");
    Cell(dlg, 0, 1)->setText("9");  // typed but not yet exchanged: must survive
    WidthEdit(dlg)->clear();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0], "Please enter an integer.");
    EXPECT_EQ(WidthEdit(dlg)->text(), "2");
    EXPECT_EQ(Cell(dlg, 0, 1)->text(), "9");
    EXPECT_EQ(EnabledCount(dlg), 4);
}

TEST(MatrixDlg, spinArrowsStepWithinOneToTen) {
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    dlg.SetValueText(
        "(10x1) 1.000000 1.000000 1.000000 1.000000 1.000000 1.000000 1.000000 "
        "1.000000 1.000000 1.000000");
    auto* spin = dlg.findChild<CSpinButtons*>("1002");
    spin->StepBy(1);
    EXPECT_EQ(WidthEdit(dlg)->text(), "10");
    QTest::keyClick(WidthEdit(dlg), Qt::Key_Down);
    EXPECT_EQ(WidthEdit(dlg)->text(), "9");
    EXPECT_EQ(EnabledMap(dlg)[0], "1111111110");
    for (int i = 0; i < 20; ++i)
        spin->StepBy(-1);
    EXPECT_EQ(WidthEdit(dlg)->text(), "1");
    EXPECT_TRUE(seam.messages.empty());
}

TEST(MatrixDlg, shrinkingKeepsHiddenNumbersAndTheyAreNotStored) {
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    dlg.SetValueText("(2x1) 1.000000 2.000000");
    Cell(dlg, 0, 1)->setText("7.5");
    TypeInto(WidthEdit(dlg), "1");
    EXPECT_FALSE(Cell(dlg, 0, 1)->isEnabled());
    seam.onNextDialog([](QDialog& d) { Press(d, "1"); });
    ASSERT_EQ(seam.exec(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.ValueText(), "(1x1) 1.000000");
    TypeInto(WidthEdit(dlg), "2");
    EXPECT_EQ(Cell(dlg, 0, 1)->text(), "7.5");
}

TEST(MatrixDlg, nonNumericCellKeepsTheDialogOpen) {
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    dlg.SetValueText("(2x1) 1.000000 2.000000");
    seam.onNextDialog([](QDialog& d) {
        Cell(d, 0, 0)->setText("-2.5");
        Cell(d, 0, 1)->setText("abc");
        Press(d, "1");
        EXPECT_EQ(d.result(), QDialog::Rejected);
        Cell(d, 0, 1)->setText("1234567");
        Press(d, "1");
    });
    ASSERT_EQ(seam.exec(dlg), QDialog::Accepted);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0], "Please enter a number.");
    EXPECT_EQ(dlg.ValueText(), "(2x1) -2.500000 1234567.000000");
}

TEST(MatrixDlg, valueTooLongForItsFieldIsRefusedOnOk) {
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    dlg.SetValueText("");
    TypeInto(WidthEdit(dlg), "10");
    TypeInto(HeightEdit(dlg), "10");
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c)
            Cell(dlg, r, c)->setText("1e30");
    seam.onNextDialog([](QDialog& d) { Press(d, "1"); });
    EXPECT_EQ(seam.exec(dlg), QDialog::Rejected);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].contains("2047"));
    EXPECT_EQ(dlg.ValueText(), "");
}

TEST(MatrixDlg, saveAndLoadRoundTripThroughTheFileDialogs) {
    TempDir dir;
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    dlg.SetValueText("(2x2) 0.123457 2.000000 3.000000 -4.000000");
    Cell(dlg, 1, 1)->setText("0.1234567");
    seam.answerNextFileDialog(QString::fromStdString(dir / "m"));
    Press(dlg, "1077");
    ASSERT_EQ(seam.fileDialogFilters.size(), 1u);
    EXPECT_EQ(seam.fileDialogFilters[0], "Matrix Files(*.mat)");
    EXPECT_EQ(ReadBytes(dir / "m.mat"), "2\n2\n\n0.123457 2.000000 \n3.000000 0.123457 \n");

    CMatrixDlg other(seam);
    other.SetValueText("");
    seam.answerNextFileDialog(QString::fromStdString(dir / "m.mat"));
    Press(other, "1078");
    EXPECT_EQ(EnabledCount(other), 4);
    EXPECT_EQ(Cell(other, 1, 1)->text(), "0.123457");
    seam.onNextDialog([](QDialog& d) { Press(d, "1"); });
    ASSERT_EQ(seam.exec(other), QDialog::Accepted);
    EXPECT_EQ(other.ValueText(), "(2x2) 0.123457 2.000000 3.000000 0.123457");
    EXPECT_TRUE(seam.messages.empty());
}

TEST(MatrixDlg, enterPressesTheFocusedFileButtonNotOk) {
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    dlg.SetValueText("");
    dlg.show();
    auto* save = dlg.findChild<QPushButton*>("1077");
    save->setFocus();
    QTest::keyClick(save, Qt::Key_Return);  // the file dialog is cancelled
    EXPECT_EQ(seam.fileDialogFilters.size(), 1u);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.ValueText(), "");
    QTest::keyClick(Cell(dlg, 0, 0), Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.ValueText(), "(1x1) 1.000000");
}

TEST(MatrixDlg, savingUnderACompletedNameAsksBeforeReplacing) {
    TempDir dir;
    WriteBytes(dir / "m.mat", "keep");
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    dlg.SetValueText("");
    seam.answerNextFileDialog(QString::fromStdString(dir / "m"));
    seam.answerNextConfirm(false);
    Press(dlg, "1077");
    EXPECT_EQ(ReadBytes(dir / "m.mat"), "keep");
    seam.answerNextFileDialog(QString::fromStdString(dir / "m"));
    seam.answerNextConfirm(true);
    Press(dlg, "1077");
    EXPECT_EQ(ReadBytes(dir / "m.mat"), "1\n1\n\n1.000000 \n");
    EXPECT_EQ(seam.questions.size(), 2u);
}

TEST(MatrixDlg, fileFailuresSaySoAndLeaveTheGridUsable) {
    TempDir dir;
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    dlg.SetValueText("(1x1) 5.000000");
    seam.answerNextFileDialog(QString::fromStdString(dir / "missing/m.mat"));
    Press(dlg, "1077");
    seam.answerNextFileDialog(QString::fromStdString(dir / "none.mat"));
    Press(dlg, "1078");
    WriteBytes(dir / "bad.mat", "2\n2\n\n1 2\n");
    seam.answerNextFileDialog(QString::fromStdString(dir / "bad.mat"));
    Press(dlg, "1078");
    Press(dlg, "1078");  // cancelled file dialog: nothing happens
    ASSERT_EQ(seam.messages.size(), 3u);
    EXPECT_EQ(seam.messages[0], "Matrix File Open Error!");
    EXPECT_EQ(seam.messages[1], "Matrix File Open Error!");
    EXPECT_TRUE(seam.messages[2].contains("the matrix is unchanged"));
    EXPECT_EQ(EnabledCount(dlg), 1);
    EXPECT_EQ(Cell(dlg, 0, 0)->text(), "5");
    seam.onNextDialog([](QDialog& d) { Press(d, "1"); });
    ASSERT_EQ(seam.exec(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.ValueText(), "(1x1) 5.000000");
}

TEST(MatrixDlg, cellsShowTheStartOfLongNumbersAndTheWholeAsTooltip) {
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    dlg.SetValueText("(2x1) 0.123457 1234567.000000");
    dlg.show();
    QLineEdit* first = Cell(dlg, 0, 0);
    QLineEdit* second = Cell(dlg, 0, 1);
    EXPECT_EQ(second->text(), "1.23457e+06");
    for (QLineEdit* cell : {first, second}) {
        EXPECT_LT(cell->width(), cell->fontMetrics().horizontalAdvance(cell->text()));
        EXPECT_EQ(cell->cursorPosition(), 0);  // scrolled to the start
        EXPECT_EQ(cell->toolTip(), cell->text());
    }

    // Typing leaves the caret at the end; leaving the cell brings the start back.
    first->setFocus();
    first->selectAll();
    QTest::keyClicks(first, "3.14159265");
    EXPECT_EQ(first->cursorPosition(), 10);
    EXPECT_EQ(first->toolTip(), "3.14159265");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(first, &out);
    EXPECT_EQ(first->cursorPosition(), 0);
}
