#include "FakeSeam.h"

int FakeSeam::exec(QDialog& dialog) {
    dialogTitles.push_back(dialog.windowTitle());
    dialog.setResult(QDialog::Rejected);
    if (m_drivers.empty()) {
        ++unexpectedDialogs;
        return QDialog::Rejected;
    }
    Driver driver = std::move(m_drivers.front());
    m_drivers.pop_front();
    driver(dialog);
    return dialog.result();
}

void FakeSeam::message(QWidget*, const QString& text) { messages.push_back(text); }

bool FakeSeam::confirm(QWidget*, const QString& text) {
    questions.push_back(text);
    if (m_confirms.empty()) return false;
    const bool yes = m_confirms.front();
    m_confirms.pop_front();
    return yes;
}

int FakeSeam::choose(QWidget*, const QString& text, const QStringList& choices) {
    choiceTexts.push_back(text);
    choiceButtons.push_back(choices);
    if (m_choices.empty())
        return static_cast<int>(choices.size()) - 1;
    const int index = m_choices.front();
    m_choices.pop_front();
    return index;
}

QString FakeSeam::saveFileName(QWidget*, const QString&, const QString& filter) {
    fileDialogFilters.push_back(filter);
    if (m_files.empty()) return QString();
    QString path = m_files.front();
    m_files.pop_front();
    return path;
}

QString FakeSeam::openFileName(QWidget* parent, const QString& caption, const QString& filter) {
    return saveFileName(parent, caption, filter);
}

bool FakeSeam::launch(const QString& program, const QStringList& arguments) {
    launches.push_back({program, arguments});
    return true;
}
