#include "search/ui/SearchRunner.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <optional>
#include <thread>

namespace {

// How much less the search's thread counts for the scheduler than the window's; changing
// one's own thread that way needs no privilege.
constexpr int kSearchNiceness = 10;

// Relative, as nice(1) is, so a priority lowered already is never raised.
void LowerThisThreadsPriority() {
    const auto self = static_cast<id_t>(gettid());
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, self);
    if (errno == 0)
        setpriority(PRIO_PROCESS, self, now + kSearchNiceness);  // the kernel caps it
}

}  // namespace

struct CSearchRunner::Run : kelvane::SearchSink {
    std::atomic<bool> stop{false};
    kelvane::SearchCounters counters;
    std::thread thread;

    std::mutex mutex;  // guards what follows
    std::vector<kelvane::SearchHit> pending;
    bool deliveryPosted = false;
    std::optional<kelvane::SearchSummary> summary;  // once the search has ended

    std::function<void()> post;  // asks the user-interface thread to take what is pending

    void Hit(const kelvane::SearchHit& hit) override {
        bool first = false;
        {
            std::lock_guard lock(mutex);
            pending.push_back(hit);
            first = !std::exchange(deliveryPosted, true);
        }
        if (first)
            post();
    }
};

CSearchRunner::CSearchRunner(QObject* parent, SearchFunction search)
    : QObject(parent),
      m_search(search ? std::move(search) : SearchFunction(kelvane::SearchLibrary)) {}

CSearchRunner::~CSearchRunner() {
    Stop();
    for (const std::shared_ptr<Run>& run : m_stopped)
        if (run->thread.joinable())
            run->thread.join();
}

void CSearchRunner::Start(const std::string& start, const kelvane::SearchQuery& query,
                          const kelvane::SearchOptions& given) {
    Stop();
    auto run = std::make_shared<Run>();
    // Runs on the user-interface thread; events for a destroyed runner are dropped.
    run->post = [this, weak = std::weak_ptr<Run>(run)] {
        QMetaObject::invokeMethod(
            this,
            [this, weak] {
                if (const std::shared_ptr<Run> run = weak.lock())
                    Deliver(run);
            },
            Qt::QueuedConnection);
    };
    kelvane::SearchOptions options = given;
    options.stop = &run->stop;
    options.counters = &run->counters;
    m_current = run;
    m_last = run;
    Run& target = *run;
    run->thread = std::thread([&target, search = m_search, start, query, options] {
        // The window comes first: on a busy machine the search would otherwise hold a
        // core the window's thread waits for, and hits would be shown late.
        LowerThisThreadsPriority();
        kelvane::SearchSummary summary = search(start, query, target, options);
        {
            std::lock_guard lock(target.mutex);
            target.summary = std::move(summary);
        }
        target.post();
    });
}

void CSearchRunner::Stop() {
    if (!m_current)
        return;
    m_current->stop = true;
    m_stopped.push_back(std::move(m_current));
    m_current.reset();
}

long CSearchRunner::Searched() const {
    return m_last ? m_last->counters.searched.load() : 0;
}

long CSearchRunner::Found() const {
    return m_last ? m_last->counters.found.load() : 0;
}

void CSearchRunner::Deliver(const std::shared_ptr<Run>& run) {
    std::vector<kelvane::SearchHit> hits;
    std::optional<kelvane::SearchSummary> summary;
    {
        std::lock_guard lock(run->mutex);
        hits.swap(run->pending);
        run->deliveryPosted = false;
        summary = run->summary;
    }
    if (summary && run->thread.joinable())
        run->thread.join();  // it has ended: nothing left to wait for
    if (run != m_current) {
        if (summary)
            m_stopped.erase(std::remove(m_stopped.begin(), m_stopped.end(), run), m_stopped.end());
        return;
    }
    if (!hits.empty())
        emit hitsFound(hits);
    if (summary) {
        m_current.reset();
        emit finished(*summary);
    }
}
