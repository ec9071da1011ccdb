#include "app/QtSeam.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include "i18n/Language.h"

namespace {
// Message boxes carry the program's title, as its main window does.
QString Caption() {
    return QCoreApplication::translate("CMainFrame", "Kelvane v1.0");
}
}  // namespace

int QtSeam::exec(QDialog& dialog) {
    return dialog.exec();
}

void QtSeam::message(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, Caption(), text, QMessageBox::Ok);
}

bool QtSeam::confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, Caption(), text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

int QtSeam::choose(QWidget* parent, const QString& text, const QStringList& choices) {
    QMessageBox box(QMessageBox::Warning, Caption(), text, QMessageBox::NoButton, parent);
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
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    // The program started sees the user's language settings, not the ones set for ours.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const kelvane::i18n::VariableToRestore& variable :
         kelvane::i18n::EnvironmentForChildren()) {
        const QString name = QString::fromStdString(variable.name);
        if (variable.value)
            environment.insert(name, QString::fromStdString(*variable.value));
        else
            environment.remove(name);
    }
    process.setProcessEnvironment(environment);
    return process.startDetached();
}
