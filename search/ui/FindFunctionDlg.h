#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "search/ui/SearchResultsModel.h"
#include "search/ui/SearchRunner.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeView;

// "Find Function": a window of its own beside the main window. The user types words and
// presses Enter; the functions whose chosen fields hold them all fill the list while the
// search runs on other threads, with how many folders it has searched. Stop, a new search
// or closing the window ends the search. Double-click or Enter on a result asks to show it.
class CFindFunctionDlg : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFindFunctionDlg)

public:
    explicit CFindFunctionDlg(QWidget* parent = nullptr, CSearchRunner::SearchFunction search = {});

    // Where searches start (the library root), and how many threads they use.
    void SetStart(const std::string& start) { m_start = start; }
    void SetThreads(int threads) { m_threads = threads; }

    void StartSearch();
    void StopSearch();
    bool IsSearching() const { return m_runner.IsRunning(); }

    QLineEdit* QueryEdit() { return m_query; }
    QTreeView* Results() { return m_results; }
    CSearchResultsModel& Found() { return m_found; }
    QPushButton* StopButton() { return m_stop; }
    QLabel* Status() { return m_status; }

signals:
    // A result was chosen (name and path are raw bytes).
    void functionActivated(const std::string& name, const std::string& path);

protected:
    void hideEvent(QHideEvent* e) override;

private:
    void AddHits(const std::vector<kelvane::SearchHit>& hits);
    void Activate(const QModelIndex& index);
    void FitColumns();
    void Finished(const kelvane::SearchSummary& summary);
    void ShowProgress();
    void SetSearching(bool searching);
    QString Progress() const;

    CSearchRunner m_runner;
    CSearchResultsModel m_found;
    std::string m_start;
    int m_threads = 1;
    QLineEdit* m_query;
    std::vector<QCheckBox*> m_fields;  // in SearchField order
    QPushButton* m_find;
    QPushButton* m_stop;
    QTreeView* m_results;
    QLabel* m_status;
    QTimer* m_progressTimer;
};
