#include "app/QtSeam.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>

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

QString QtSeam::saveFileName(QWidget* parent, const QString& caption, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
}

QString QtSeam::openFileName(QWidget* parent, const QString& caption, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

bool QtSeam::launch(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}
