#pragma once

#include "uisupport/UiSeam.h"

// The seam of the running program: real modal dialogs, message boxes and launches.
class QtSeam : public UiSeam {
public:
    int exec(QDialog& dialog) override;
    void message(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    int choose(QWidget* parent, const QString& text, const QStringList& choices) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& filter) override;
    bool launch(const QString& program, const QStringList& arguments) override;
};
