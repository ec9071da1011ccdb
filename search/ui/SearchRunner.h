#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "search/LibrarySearch.h"

// Runs a library search on threads of its own and hands its hits to the user-interface
// thread in walk order, a batch at a time, so that the window never waits for the disk.
// One search runs at a time: starting another stops it, and a search that was stopped
// delivers nothing more. Its threads are joined once they end (or, when the runner is
// destroyed, after being told to stop).
class CSearchRunner : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSearchRunner)

public:
    using SearchFunction =
        std::function<kelvane::SearchSummary(const std::string&, const kelvane::SearchQuery&,
                                             kelvane::SearchSink&, const kelvane::SearchOptions&)>;

    // search: the search to run, SearchLibrary unless a test gives another.
    explicit CSearchRunner(QObject* parent = nullptr, SearchFunction search = {});
    ~CSearchRunner() override;

    void Start(const std::string& start, const kelvane::SearchQuery& query,
               const kelvane::SearchOptions& options);
    void Stop();
    bool IsRunning() const { return m_current != nullptr; }
    // Folders searched and found so far by the running search (the last one when none runs).
    long Searched() const;
    long Found() const;

signals:
    void hitsFound(const std::vector<kelvane::SearchHit>& hits);
    void finished(const kelvane::SearchSummary& summary);

private:
    struct Run;
    void Deliver(const std::shared_ptr<Run>& run);

    SearchFunction m_search;
    std::shared_ptr<Run> m_current;
    std::shared_ptr<Run> m_last;                  // for the counters once it has ended
    std::vector<std::shared_ptr<Run>> m_stopped;  // told to stop, not yet ended
};
