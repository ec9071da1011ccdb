#include "app/QtSeam.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

namespace {
// Message boxes carry the program's title, as its main window does.
const QString kCaption = QStringLiteral("Kelvane v1.0");
}  // namespace

int QtSeam::exec(QDialog& dialog) {
    return dialog.exec();
}

void QtSeam::message(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, kCaption, text, QMessageBox::Ok);
}

bool QtSeam::confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, kCaption, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

int QtSeam::choose(QWidget* parent, const QString& text, const QStringList& choices) {
    QMessageBox box(QMessageBox::Warning, kCaption, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices)
        buttons << box.addButton(
            choice, buttons.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::RejectRole);
    if (buttons.isEmpty())
        return -1;
    box.setDefaultButton(qobject_cast<QPushButton*>(buttons.first()));
    box.setEscapeButton(buttons.last());
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return static_cast<int>(chosen < 0 ? buttons.size() - 1 : chosen);
}

QString QtSeam::saveFileName(QWidget* parent, const QString& caption, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
}

QString QtSeam::openFileName(QWidget* parent, const QString& caption, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

bool QtSeam::launch(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}
