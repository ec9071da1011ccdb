#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// Everything modal or outside the program goes through here: running a dialog, a message
// box, a question, a file dialog, starting another program. The program uses the real
// one; tests give one that drives the dialog objects and records what was asked.
class UiSeam {
public:
    virtual ~UiSeam() = default;

    // Runs the dialog modally; returns QDialog::Accepted or QDialog::Rejected.
    virtual int exec(QDialog& dialog) = 0;
    // A message box with an OK button.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // A message box whose buttons are the choices, the first the default and the last the
    // one Escape gives; returns the index of the choice taken.
    virtual int choose(QWidget* parent, const QString& text, const QStringList& choices) = 0;
    // File dialogs; an empty result means cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& caption,
                                 const QString& filter) = 0;
    virtual QString openFileName(QWidget* parent, const QString& caption,
                                 const QString& filter) = 0;
    // Starts a program detached, never waiting for it; false when it could not start.
    virtual bool launch(const QString& program, const QStringList& arguments) = 0;
};
