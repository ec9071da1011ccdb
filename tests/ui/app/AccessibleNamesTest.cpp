// Every control a user can operate in the dialogs and the wizard pages has a name a
// screen reader can say: what the accessibility interface reports, as assistive
// technology reads it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWizard>
#include <functional>
#include <memory>
#include <vector>

#include "EveryDialog.h"
#include "FakeSeam.h"
#include "app/AboutDlg.h"
#include "dialogs/ui/DefaultValueDlg.h"
#include "dialogs/ui/DescriptionDlg.h"
#include "dialogs/ui/InOutDlg.h"
#include "dialogs/ui/MatrixDlg.h"
#include "dialogs/ui/ParamTypeDlg.h"
#include "dialogs/ui/RenameDlg.h"
#include "search/ui/FindFunctionDlg.h"
#include "wizard/ui/CodeWizard.h"
#include "wizard/ui/NamePropertyPage.h"

namespace {

bool IsInputControl(const QWidget* widget) {
    if (qobject_cast<const QHeaderView*>(widget))
        return false;  // read out as part of its list
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const QAbstractButton*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget);
}

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name).trimmed() : QString();
}

// The input controls of the window that a screen reader would announce without a name,
// as "class objectName". Popups of its own (a combo box's list) are other windows.
std::vector<std::string> Unnamed(QWidget& root) {
    std::vector<std::string> unnamed;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (widget->window() != root.window() || !widget->isVisibleTo(&root) ||
            !IsInputControl(widget))
            continue;
        if (AccessibleName(widget).isEmpty())
            unnamed.push_back(std::string(widget->metaObject()->className()) + " " +
                              widget->objectName().toStdString());
    }
    return unnamed;
}

}  // namespace

TEST(AccessibleNames, everyControlOfEveryDialogAndWizardPageHasAName) {
    FakeSeam seam;
    auto dialogs = EveryDialog(seam);
    for (auto& [name, dialog] : dialogs)
        EXPECT_EQ(Unnamed(*dialog), std::vector<std::string>{}) << name;

    CCodeWizard wizard(seam);
    for (int id : wizard.pageIds())
        EXPECT_EQ(Unnamed(*wizard.page(id)), std::vector<std::string>{}) << "page " << id;
    for (auto which :
         {QWizard::BackButton, QWizard::NextButton, QWizard::FinishButton, QWizard::CancelButton})
        EXPECT_FALSE(AccessibleName(wizard.button(which)).isEmpty()) << which;
}

TEST(AccessibleNames, controlsAreNamedByTheLabelsTheUserSeesWithoutMnemonicOrColon) {
    FakeSeam seam;
    CCodeWizard wizard(seam);
    auto named = [&](const char* objectName) {
        return AccessibleName(wizard.findChild<QWidget*>(QLatin1String(objectName)));
    };
    EXPECT_EQ(AccessibleName(wizard.NamePage()->NameEdit()), QStringLiteral("함수 이름"));
    EXPECT_EQ(AccessibleName(wizard.NamePage()->LocationEdit()), QStringLiteral("생성할 위치"));
    EXPECT_EQ(named("1005"), QStringLiteral("Input Parameters"));
    EXPECT_EQ(named("1006"), QStringLiteral("Output Parameters"));
    EXPECT_EQ(named("1007"), QStringLiteral("Kinds of Parameters"));
    EXPECT_EQ(named("1004"), QStringLiteral("Add kind to inputs"));

    CRenameDlg rename;
    EXPECT_EQ(AccessibleName(rename.findChild<QLineEdit*>("1020")),
              QStringLiteral("바꿀 이름을 입력하세요"));
    // A drop-down list's popup, a window of its own, is named too.
    CInOutDlg inOut;
    EXPECT_EQ(AccessibleName(inOut.findChild<QComboBox*>("1009")->view()),
              QStringLiteral("입/출력 형식을 선택하세요"));
}

TEST(AccessibleNames, matrixCellsAreNamedByRowAndColumnAndSizeControlsByTheirLabels) {
    FakeSeam seam;
    CMatrixDlg dlg(seam);
    auto named = [&](const QString& objectName) {
        return AccessibleName(dlg.findChild<QWidget*>(objectName));
    };
    EXPECT_EQ(named(QString::number(CMatrixDlg::CellId(0, 0))), "Row 1, column 1");
    EXPECT_EQ(named(QString::number(CMatrixDlg::CellId(1, 2))), "Row 2, column 3");
    EXPECT_EQ(named(QString::number(CMatrixDlg::CellId(9, 9))), "Row 10, column 10");
    EXPECT_EQ(named("1000"), "Width");
    EXPECT_EQ(named("1001"), "Height");
    std::vector<QString> steps;
    for (const char* spin : {"1002", "1004"})
        for (QAbstractButton* button :
             dlg.findChild<QWidget*>(spin)->findChildren<QAbstractButton*>())
            steps.push_back(AccessibleName(button));
    EXPECT_EQ(steps, (std::vector<QString>{"Width up", "Width down", "Height up", "Height down"}));
}
