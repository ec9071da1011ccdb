#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "uisupport/UiSeam.h"

// A seam for headless tests: each exec() hands the real dialog object to the next queued
// driver, which sets its controls and presses its buttons; messages, questions, file
// dialogs and launches are recorded or answered from queues. No event loop is entered.
class FakeSeam : public UiSeam {
public:
    using Driver = std::function<void(QDialog&)>;

    struct Launch {
        QString program;
        QStringList arguments;
    };

    // Queues a driver for the next dialog. A driver that neither accepts nor rejects
    // leaves the dialog rejected.
    void onNextDialog(Driver driver) { m_drivers.push_back(std::move(driver)); }
    void answerNextConfirm(bool yes) { m_confirms.push_back(yes); }
    // The index of the choice taken in the next choose(); unanswered, the last is taken.
    void answerNextChoice(int index) { m_choices.push_back(index); }
    void answerNextFileDialog(const QString& path) { m_files.push_back(path); }

    int exec(QDialog& dialog) override;
    void message(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    int choose(QWidget* parent, const QString& text, const QStringList& choices) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& filter) override;
    bool launch(const QString& program, const QStringList& arguments) override;

    std::vector<QString> messages;
    std::vector<QString> questions;
    std::vector<QString> choiceTexts;  // texts of the choose() boxes, in order
    std::vector<QStringList> choiceButtons;
    std::vector<QString> fileDialogFilters;
    std::vector<Launch> launches;
    std::vector<QString> dialogTitles;  // window titles of the dialogs run, in order
    int unexpectedDialogs = 0;          // dialogs run with no driver queued

private:
    std::deque<Driver> m_drivers;
    std::deque<bool> m_confirms;
    std::deque<int> m_choices;
    std::deque<QString> m_files;
};
