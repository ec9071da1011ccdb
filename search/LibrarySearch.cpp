#include "search/LibrarySearch.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "i18n/Translate.h"
#include "records/DirWalk.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"
#include "records/SplitWalk.h"
#include "search/FunctionSource.h"

namespace kelvane {

using i18n::Say;

namespace {

// What one folder gave the search: a function folder searched (a hit, a problem, or
// neither), or a folder that could not be read.
struct Event {
    DirIdentity owner;        // the folder the event belongs to
    bool startLevel = false;  // belongs to the start itself: never searched before
    bool function = false;
    bool folderProblem = false;
    std::optional<SearchHit> hit;
    std::optional<SearchProblem> problem;
};

// Where a visitor's events go.
class EventOut {
public:
    virtual ~EventOut() = default;
    virtual void Put(Event event) = 0;
    // The folder just entered; true when an earlier part of the search searched it, so
    // that nothing below it is new.
    virtual bool SearchedBefore(const WalkDir& dir) = 0;
};

// Adds events to the summary and passes hits on; once stopped, takes nothing more.
class Emitter {
public:
    Emitter(SearchSink& sink, const SearchOptions& options) : m_sink(sink), m_stop(options.stop) {}

    bool Stopped() const { return m_stop && m_stop->load(std::memory_order_relaxed); }

    void Emit(Event& event) {
        if (Stopped())
            return;
        if (event.function)
            ++m_summary.functions;
        if (event.problem) {
            ++(event.folderProblem ? m_summary.unreadableFolders : m_summary.unreadableFiles);
            if (m_summary.problems.size() < kMaxSearchProblems)
                m_summary.problems.push_back(std::move(*event.problem));
        }
        if (event.hit) {
            ++m_summary.hits;
            m_sink.Hit(*event.hit);
        }
    }

    SearchSummary Finish() {
        m_summary.stopped = Stopped();
        return std::move(m_summary);
    }

private:
    SearchSink& m_sink;
    const std::atomic<bool>* m_stop;
    SearchSummary m_summary;
};

std::string CannotBeRead(int error) {
    return Say("cannot be read: {reason}", {{"reason", ReadErrnoReason(error)}});
}

bool VanishedError(int error) {
    return error == ENOENT || error == ENOTDIR;
}

void Count(std::atomic<long> SearchCounters::*counter, const SearchOptions& options, long by) {
    if (options.counters)
        (options.counters->*counter).fetch_add(by, std::memory_order_relaxed);
}

// Searches the function folders a walk enters. Each event names the folder it belongs to,
// so that the parts of a split search can drop what an earlier part has searched.
class SearchVisitor : public WalkVisitor {
public:
    SearchVisitor(const QueryMatcher& matcher, const std::string& libraryRoot,
                  const SearchOptions& options, Emitter& emitter, EventOut& out, bool part)
        : m_matcher(matcher),
          m_root(libraryRoot),
          m_options(options),
          m_emitter(emitter),
          m_out(out),
          m_part(part) {}

    bool Found(const WalkDir& parent, const std::string& name) override {
        if (m_emitter.Stopped() || Skipped(parent.depth))
            return false;
        if (LibraryTreeChild(name, parent.path == m_root) == TreeItemKind::Hidden)
            return false;
        Count(&SearchCounters::found, m_options, 1);
        m_last = Last::kFound;
        m_lastParent = parent.id;
        return true;
    }

    void Entered(const WalkDir& dir) override {
        m_last = Last::kEntered;
        m_lastEntered = dir.id;
        const bool skipped = m_out.SearchedBefore(dir);
        SetSkipped(dir.depth, skipped);
        if (skipped) {
            Count(&SearchCounters::found, m_options, -1);
            return;
        }
        Count(&SearchCounters::searched, m_options, 1);
    }

    // A function folder is searched once listed: that tells whether its file is a regular
    // file, which saves a look before opening it.
    void Listed(const WalkDir& dir, const std::vector<std::string>& regularFiles) override {
        if (Skipped(dir.depth) || m_emitter.Stopped() || !IsFunctionFolderName(dir.name))
            return;
        const std::string name(dir.name);
        const std::string fileName = name + std::string(kFunctionFileExtension);
        const bool listed =
            std::find(regularFiles.begin(), regularFiles.end(), fileName) != regularFiles.end();
        m_out.Put(FunctionEvent(dir.path, name, dir.id, CallablePath(dir.fd, dir.path),
                                std::string(), listed ? dir.fd : -1));
    }

    void Repeated(const std::string&) override { Count(&SearchCounters::found, m_options, -1); }

    void Unreadable(const std::string& path, std::string_view name, int error) override {
        if (m_emitter.Stopped())
            return;
        Event event;
        switch (m_last) {
            case Last::kEntered:  // the folder entered last could not be listed
                event.owner = m_lastEntered;
                break;
            case Last::kFound:  // a folder found in the one entered last could not be opened
                event.owner = m_lastParent;
                break;
            case Last::kNothing:  // the start of the walk could not be opened
                if (m_part && VanishedError(error))
                    return;  // gone since the start was listed; the one walk skips it too
                event.startLevel = true;
                break;
        }
        // A part's start is a folder found in the search's start, as for the one walk.
        const bool found = m_last == Last::kFound || (m_last == Last::kNothing && m_part);
        if (found && IsFunctionFolderName(name)) {
            Event function = FunctionEvent(path, std::string(name), event.owner, std::string(),
                                           CannotBeRead(error));
            function.startLevel = event.startLevel;
            m_out.Put(std::move(function));
            return;
        }
        event.folderProblem = true;
        event.problem = SearchProblem{path, CannotBeRead(error)};
        m_out.Put(std::move(event));
    }

    // A function folder searched: its name, and its file as far as the query needs it.
    // folderProblem is why the folder itself could not be opened, if it could not.
    // listedIn is the folder open, when its listing named the file as a regular file.
    Event FunctionEvent(const std::string& path, const std::string& name, const DirIdentity& owner,
                        const std::string& callablePath, std::string folderProblem,
                        int listedIn = -1) const {
        Event event;
        event.owner = owner;
        event.function = true;
        FunctionSource source;
        const FunctionHeader* header = nullptr;
        if (m_matcher.NeedsFile() && folderProblem.empty()) {
            const std::string filePath = GetFunctionFilePath(callablePath, name);
            source = listedIn >= 0 ? ReadListedFunctionSource(
                                         listedIn, name + std::string(kFunctionFileExtension),
                                         filePath, m_matcher.NeedsParameters())
                                   : ReadFunctionSource(filePath, m_matcher.NeedsParameters());
            if (source.loaded)
                header = &source.record.header();
            else
                event.problem = SearchProblem{GetFunctionFilePath(path, name), source.problem};
        } else if (!folderProblem.empty()) {
            // Without its file a function still has its name; a folder that cannot be
            // opened is a problem of the file only when the file was wanted.
            event.folderProblem = !m_matcher.NeedsFile();
            event.problem = SearchProblem{path, std::move(folderProblem)};
        }
        std::optional<SearchMatch> match = m_matcher.Match(
            name, header,
            header ? std::span(source.record.parameters()) : std::span<const ParameterRecord>());
        if (match)
            event.hit = SearchHit{path, name, std::move(*match)};
        return event;
    }

private:
    enum class Last { kNothing, kFound, kEntered };

    bool Skipped(int depth) const {
        return static_cast<std::size_t>(depth) < m_skipped.size() &&
               m_skipped[static_cast<std::size_t>(depth)];
    }
    void SetSkipped(int depth, bool skipped) {
        if (m_skipped.size() <= static_cast<std::size_t>(depth))
            m_skipped.resize(static_cast<std::size_t>(depth) + 1);
        m_skipped[static_cast<std::size_t>(depth)] = skipped;
    }

    const QueryMatcher& m_matcher;
    const std::string& m_root;
    const SearchOptions& m_options;
    Emitter& m_emitter;
    EventOut& m_out;
    bool m_part;
    std::vector<char> m_skipped;  // by depth: the folder entered there was searched before
    // Whom an Unreadable belongs to: the walk reports one right after the Found or the
    // Entered it concerns.
    Last m_last = Last::kNothing;
    DirIdentity m_lastParent;
    DirIdentity m_lastEntered;
};

// The one walk: everything in order, nothing searched twice.
class DirectOut : public EventOut {
public:
    explicit DirectOut(Emitter& emitter) : m_emitter(emitter) {}
    void Put(Event event) override { m_emitter.Emit(event); }
    bool SearchedBefore(const WalkDir&) override { return false; }

private:
    Emitter& m_emitter;
};

// The folders directly in start, each walked on its own by whichever thread is free (see
// SplitWalk.h): what goes out is exactly what the one walk finds, in its order.
class SplitSearch {
public:
    SplitSearch(const QueryMatcher& matcher, const std::string& libraryRoot,
                const SearchOptions& options, Emitter& emitter)
        : m_matcher(matcher), m_root(libraryRoot), m_options(options), m_emitter(emitter) {}

    struct Part {
        std::string path;
        bool link;  // a symbolic link in the start
    };

    void Run(const std::string& startPath, const DirIdentity& start, std::vector<Part> parts) {
        SplitWalk<Event>::Settings settings;
        settings.threads = m_options.threads;
        settings.stop = m_options.stop;
        settings.lookUpAlways = MountsBelow(startPath);
        SplitWalk<Event> split(
            start, parts.size(), settings,
            [&](SplitWalk<Event>::PartOut& out) {
                const Part& part = parts[out.index()];
                PartOut events(out, part.link);
                SearchVisitor visitor(m_matcher, m_root, m_options, m_emitter, events, true);
                WalkDirectories(part.path, visitor);
            },
            [&](Event& event, const SplitWalk<Event>::View&) { m_emitter.Emit(event); });
        split.Run();
    }

private:
    class PartOut : public EventOut {
    public:
        PartOut(SplitWalk<Event>::PartOut& out, bool link) : m_out(out), m_link(link) {}
        void Put(Event event) override { m_out.Put(std::move(event)); }
        bool SearchedBefore(const WalkDir& dir) override { return m_out.Entered(dir, m_link); }

    private:
        SplitWalk<Event>::PartOut& m_out;
        bool m_link;
    };

    const QueryMatcher& m_matcher;
    const std::string& m_root;
    const SearchOptions& m_options;
    Emitter& m_emitter;
};

std::string Join(const std::string& dir, const std::string& name) {
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

}  // namespace

SearchSummary SearchLibrary(const std::string& startPath, const SearchQuery& query,
                            SearchSink& sink, const SearchOptions& options) {
    const QueryMatcher matcher(query);
    const std::string root = options.libraryRoot.empty() ? GetLibraryRoot() : options.libraryRoot;
    Emitter emitter(sink, options);
    std::string start = startPath;
    while (start.size() > 1 && start.back() == '/')
        start.pop_back();

    // Below a start this long, only the one walk, which opens every folder relative to its
    // parent, can reach every folder.
    constexpr std::size_t kRoomForAName = 1 + NAME_MAX + 1;
    if (options.threads <= 1 || start.empty() || start.size() + kRoomForAName > PATH_MAX) {
        DirectOut out(emitter);
        SearchVisitor visitor(matcher, root, options, emitter, out, false);
        WalkDirectories(start, visitor);
        return emitter.Finish();
    }

    // The start as the one walk meets it, then its folders as the parts.
    DirectOut out(emitter);
    const int fd = open(start.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || fstat(fd, &st) != 0) {
        Event event;
        event.startLevel = true;
        event.folderProblem = true;
        event.problem = SearchProblem{start, CannotBeRead(errno)};
        if (fd >= 0)
            close(fd);
        out.Put(std::move(event));
        return emitter.Finish();
    }
    const DirIdentity startId{st.st_dev, st.st_ino};
    Count(&SearchCounters::found, options, 1);
    Count(&SearchCounters::searched, options, 1);
    SearchVisitor visitor(matcher, root, options, emitter, out, false);
    const std::string startName = LastComponent(start);
    if (IsFunctionFolderName(startName)) {
        Event event = visitor.FunctionEvent(start, startName, startId, CallablePath(fd, start),
                                            std::string());
        out.Put(std::move(event));
    }
    std::vector<Subdirectory> children;
    if (const int error = ReadSubdirectories(fd, children)) {
        Event event;
        event.startLevel = true;
        event.folderProblem = true;
        event.problem = SearchProblem{start, CannotBeRead(error)};
        out.Put(std::move(event));
    }
    close(fd);
    std::vector<SplitSearch::Part> parts;
    for (const Subdirectory& child : children) {
        if (LibraryTreeChild(child.name, start == root) == TreeItemKind::Hidden)
            continue;
        if (child.id == startId)
            continue;  // a link back to the start
        Count(&SearchCounters::found, options, 1);
        parts.push_back({Join(start, child.name), child.id.inode != 0});
    }
    SplitSearch split(matcher, root, options, emitter);
    split.Run(start, startId, std::move(parts));
    return emitter.Finish();
}

}  // namespace kelvane
