#include "DialogFrame.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>

DialogFrame BuildDialogFrame(QDialog& dialog, const QString& caption, const QString& groupTitle,
                             QWidget* control, ButtonPlacement placement) {
    dialog.setWindowTitle(caption);

    auto* group = new QGroupBox(groupTitle, &dialog);
    // The caption is the control's only label; a drop-down list's popup is named by it too.
    control->setAccessibleName(groupTitle);
    if (auto* list = qobject_cast<QComboBox*>(control))
        list->view()->setAccessibleName(groupTitle);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(control);

    auto* ok = new QPushButton(QCoreApplication::translate("DialogFrame", "OK"), &dialog);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    auto* cancel = new QPushButton(QCoreApplication::translate("DialogFrame", "Cancel"), &dialog);
    cancel->setObjectName(QStringLiteral("2"));
    // A focused Cancel takes Enter itself; Enter anywhere else still means OK.
    cancel->setAutoDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);

    if (placement == ButtonPlacement::Right) {
        auto* layout = new QHBoxLayout(&dialog);
        layout->addWidget(group, 1);
        auto* buttons = new QVBoxLayout;
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        buttons->addStretch(1);
        layout->addLayout(buttons);
    } else {
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(group, 1);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        buttons->addStretch(1);
        layout->addLayout(buttons);
    }
    return {group, ok, cancel};
}
