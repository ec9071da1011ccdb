#include "exchange/ExportWalk.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

#include "exchange/ExportNames.h"
#include "exchange/FunctionSource.h"
#include "i18n/Translate.h"
#include "records/DirWalk.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"
#include "records/SplitWalk.h"
#include "records/TextCodec.h"

namespace kelvane {

using i18n::Say;

namespace {

constexpr std::size_t kSummaryLength = 160;

// The first line of a description, cut at a character boundary.
std::string Summary(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    std::string line(text.substr(0, end));
    if (line.size() <= kSummaryLength)
        return line;
    std::size_t cut = kSummaryLength;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
        --cut;
    line.resize(cut);
    return line + "…";
}

std::string RealPath(const std::string& path) {
    std::unique_ptr<char, decltype(&free)> resolved(realpath(path.c_str(), nullptr), &free);
    return resolved ? std::string(resolved.get()) : std::string();
}

std::string LinkOutNote(const std::string& path, const std::string& realStart) {
    const std::string target = RealPath(path);
    return target.empty()
               ? Say("{path} leads through a symbolic link out of {start}; it is exported with "
                     "the rest.",
                     {{"path", DisplayPath(path)}, {"start", DisplayPath(realStart)}})
               : Say("{path} leads through a symbolic link out of {start}, to {target}; it is "
                     "exported with the rest.",
                     {{"path", DisplayPath(path)},
                      {"start", DisplayPath(realStart)},
                      {"target", DisplayPath(target)}});
}

// What a walk (or a part of one) found, in its order: a folder, or the problem of listing
// one found before. Nodes are numbered as the walk made them and name their parents by
// number; -1 is above the walk's own start (the export's start, for a part).
struct NodeEvent {
    DirIdentity owner;        // the folder the event belongs to
    bool startLevel = false;  // belongs to the export's start: never entered before
    std::size_t part = 0;
    int number = 0;
    bool listingProblem = false;  // else a node
    ExportNode node;              // its parent a number; of a listing problem, its problem
    bool entered = false;         // a folder entered (id), not one only found
    DirIdentity id;
    std::string prepared;  // what the sink prepared for the node
    std::string linkNote;  // the link out that led to it, if one did
};

class NodeOut {
public:
    virtual ~NodeOut() = default;
    virtual void Put(NodeEvent event) = 0;
    // The folder just entered; true when an earlier part of the export entered it.
    virtual bool EnteredBefore(const WalkDir& dir) = 0;
};

// What the walk starts at, the same for every part.
struct ExportStart {
    std::string realStart;
    bool isRoot = false;
    bool isTab = false;
    bool isFunction = false;

    ExportStart(const std::string& start, const std::string& libraryRoot)
        : realStart(RealPath(start)) {
        const std::string realRoot = RealPath(libraryRoot);
        isRoot = !realStart.empty() && realStart == realRoot;
        isTab = !isRoot && !realRoot.empty() && ParentPath(realStart) == realRoot;
        isFunction = LibraryTreeChild(LastComponent(start)) == TreeItemKind::Function;
    }

    ExportNodeType TypeOf(const std::string& rawName, int depth) const {
        if (depth == 0)
            return isRoot       ? ExportNodeType::Library
                   : isFunction ? ExportNodeType::Function
                   : isTab      ? ExportNodeType::Tab
                                : ExportNodeType::Group;
        if (isRoot && depth == 1)
            return ExportNodeType::Tab;
        return LibraryTreeChild(rawName) == TreeItemKind::Function ? ExportNodeType::Function
                                                                   : ExportNodeType::Group;
    }
};

// Turns what a walk meets into node events: each folder with its function read and its
// output prepared. The walk of a part starts one level below the export's start.
class ExportWalker : public WalkVisitor {
public:
    // stop: set once the output has failed, which ends the walk.
    ExportWalker(const ExportStart& start, const ExportSink& sink, NodeOut& out, std::size_t part,
                 int depthOffset, const std::atomic<bool>& stop)
        : m_start(start),
          m_sink(sink),
          m_needs(sink.Needs()),
          m_out(out),
          m_part(part),
          m_offset(depthOffset),
          m_stop(stop) {}

    bool Failed() const { return m_failed; }
    int error() const { return m_error; }
    const std::string& failedPath() const { return m_failedPath; }
    bool startRead() const { return m_startRead; }
    // The start of a part is a link out: told with its node.
    void SetStartNote(std::string note) { m_note = std::move(note); }
    // The part is a link back to the export's start: met again, as the one walk meets it.
    void MetStartAgain(const std::string& path) {
        NodeEvent event = Make(LastComponent(path), 0);
        event.node.repeated = true;
        Deliver(std::move(event), nullptr);
    }

    bool Found(const WalkDir& parent, const std::string& name) override {
        if (m_failed || Skipped(parent.depth) || m_stop.load(std::memory_order_relaxed))
            return false;
        const bool atStart = m_start.isRoot && parent.depth + m_offset == 0;
        if (LibraryTreeChild(name, atStart) == TreeItemKind::Hidden)
            return false;
        m_pending = {true, m_open[static_cast<std::size_t>(parent.depth)], name};
        return true;
    }

    void Entered(const WalkDir& dir) override {
        if (m_failed)
            return;
        SetSkipped(dir.depth, m_out.EnteredBefore(dir));
        NodeEvent event = Make(std::string(dir.name), dir.depth);
        event.entered = true;
        event.id = dir.id;
        m_open.resize(static_cast<std::size_t>(dir.depth) + 1);
        m_open[static_cast<std::size_t>(dir.depth)] = event.number;
        m_lastEntered = event.number;
        m_lastEnteredId = dir.id;
        if (dir.depth == 0)
            m_startRead = true;
        if (event.node.type == ExportNodeType::Function) {
            m_function = std::move(event);  // goes out once its file is read
            return;
        }
        Deliver(std::move(event), nullptr);
    }

    // A function is read once its folder is listed: that tells whether its file is a
    // regular file, which saves a look before opening it.
    void Listed(const WalkDir& dir, const std::vector<std::string>& regularFiles) override {
        if (m_failed || !m_function)
            return;
        NodeEvent event = std::move(*m_function);
        m_function.reset();
        if (Skipped(dir.depth)) {  // entered before: it goes out as repeated or not at all
            m_out.Put(std::move(event));
            return;
        }
        ExportNode& node = event.node;
        const std::string name(dir.name);
        const bool listed =
            std::find(regularFiles.begin(), regularFiles.end(),
                      name + std::string(kFunctionFileExtension)) != regularFiles.end();
        FunctionRecord record;
        std::string problem;
        if (!(listed ? ReadListedFunctionAt(dir.fd, dir.path, name, record, problem)
                     : ReadFunctionAt(dir.fd, dir.path, name, record, problem))) {
            node.problem = std::move(problem);
            Deliver(std::move(event), nullptr);
            return;
        }
        node.kind = record.header().kind;
        node.parameterCount = record.parameterCount();
        if (m_needs.summaries)
            node.summary = Summary(Cp949ToUtf8(FieldText(record.header().description)));
        Deliver(std::move(event), &record);
    }

    void Repeated(const std::string& path) override {
        if (m_failed || !m_pending.set)
            return;
        NodeEvent event = Make(LastComponent(path), -1);
        event.node.repeated = true;
        Deliver(std::move(event), nullptr);
    }

    // A link out of the folder the export starts at: followed, and said so.
    void LeadsOutside(const std::string& path) override {
        m_note = LinkOutNote(path, m_start.realStart);
    }

    void Unreadable(const std::string& path, std::string_view name, int error) override {
        if (m_failed)
            return;
        // Written into the export's files, which never change with the language.
        const std::string why =
            "the folder cannot be read: " + ReadErrnoReason(error, i18n::Texts::Source);
        if (m_pending.set || (m_lastEntered < 0 && m_offset > 0)) {
            // A folder that could not be opened (a part's own too): listed with its problem.
            if (!m_pending.set && (error == ENOENT || error == ENOTDIR))
                return;  // gone since the start was listed; the one walk skips it too
            NodeEvent event = Make(std::string(name), m_pending.set ? -1 : 0);
            event.node.problem = why;
            Deliver(std::move(event), nullptr);
        } else if (m_lastEntered >= 0) {
            // The folder just entered could not be listed (its node has gone out).
            NodeEvent event;
            event.owner = m_lastEnteredId;
            event.startLevel = m_offset == 0 && m_lastEntered == 0;
            event.part = m_part;
            event.number = m_lastEntered;
            event.listingProblem = true;
            event.node.problem = why;
            m_out.Put(std::move(event));
        } else {
            m_failed = true;
            m_error = error;
            m_failedPath = path;
        }
    }

private:
    struct Pending {
        bool set = false;
        int parent = -1;
        std::string name;
    };

    // An event for the folder the walk met last: the start of the walk (depth 0) or the one
    // Found.
    NodeEvent Make(const std::string& rawName, int depth) {
        NodeEvent event;
        event.part = m_part;
        event.number = m_next++;
        ExportNode& node = event.node;
        node.name = DisplayName(rawName);
        if (m_pending.set) {
            node.parent = m_pending.parent;
            event.owner = m_parentId[static_cast<std::size_t>(node.parent)];
            node.depth = m_depths[static_cast<std::size_t>(node.parent)] + 1;
        } else {
            node.parent = -1;
            node.depth = depth + m_offset;
        }
        event.startLevel = node.depth == m_offset;
        node.type = m_start.TypeOf(rawName, node.depth);
        m_pending.set = false;
        m_depths.push_back(node.depth);
        m_parentId.push_back({});
        if (!m_note.empty())
            event.linkNote = std::exchange(m_note, std::string());
        return event;
    }

    void Deliver(NodeEvent event, const FunctionRecord* record) {
        if (event.entered)
            m_parentId[static_cast<std::size_t>(event.number)] = event.id;
        m_sink.Prepare(event.node, record, event.prepared);
        m_out.Put(std::move(event));
    }

    bool Skipped(int depth) const {
        return static_cast<std::size_t>(depth) < m_skipped.size() &&
               m_skipped[static_cast<std::size_t>(depth)];
    }
    void SetSkipped(int depth, bool skipped) {
        m_skipped.resize(static_cast<std::size_t>(depth) + 1);
        m_skipped[static_cast<std::size_t>(depth)] = skipped;
    }

    const ExportStart& m_start;
    const ExportSink& m_sink;
    ExportNeeds m_needs;
    NodeOut& m_out;
    std::size_t m_part;
    int m_offset;
    const std::atomic<bool>& m_stop;
    bool m_failed = false;
    int m_error = 0;
    std::string m_failedPath;
    bool m_startRead = false;
    Pending m_pending;
    std::vector<int> m_open;  // the number of the folder open at each depth
    int m_lastEntered = -1;
    DirIdentity m_lastEnteredId;
    int m_next = 0;
    std::vector<int> m_depths;            // by number
    std::vector<DirIdentity> m_parentId;  // by number: the folder, once entered
    std::optional<NodeEvent> m_function;  // entered, waiting for its listing
    std::vector<char> m_skipped;          // by depth: the folder entered there came before
    std::string m_note;
};

// Puts the events into the tree in order and gives each node to the sink: the one place
// that numbers the nodes and names their files.
class Placer {
public:
    Placer(ExportSink& sink, ExportTree& tree)
        : m_sink(sink), m_needs(sink.Needs()), m_tree(tree) {}

    const Status& status() const { return m_status; }

    // enteredBefore: whether an earlier part of the export entered a folder.
    template <typename EnteredBefore>
    void Place(NodeEvent& event, const EnteredBefore& enteredBefore) {
        if (!m_status)
            return;
        if (event.part != m_part) {
            m_part = event.part;
            m_index.clear();
        }
        if (event.listingProblem) {
            const int index = IndexOf(event.number);
            if (index < 0)
                return;
            m_tree.nodes[static_cast<std::size_t>(index)].problem = event.node.problem;
            ++m_tree.unreadable;
            return;
        }
        ExportNode& node = event.node;
        // A part's own folder is in the export's start.
        const int parent = node.parent >= 0 ? IndexOf(node.parent) : node.depth == 0 ? -1 : 0;
        if (node.parent >= 0 && parent < 0)
            return;  // below a folder that was not placed
        node.parent = parent;
        if (event.entered && enteredBefore(event.id)) {
            // The one walk would have met it again here, not entered it.
            ExportNode repeated;
            repeated.type = node.type;
            repeated.name = std::move(node.name);
            repeated.parent = node.parent;
            repeated.depth = node.depth;
            repeated.repeated = true;
            node = std::move(repeated);
            m_sink.Prepare(node, nullptr, event.prepared);
            event.linkNote.clear();
            event.entered = false;
        }
        if (!event.linkNote.empty())
            m_tree.linksOut.push_back(std::move(event.linkNote));
        if (!node.problem.empty())
            ++m_tree.unreadable;
        if (node.type == ExportNodeType::Function) {
            ++m_tree.functions;
            if (m_needs.fileNames)
                node.file = m_namer.Name(PathNames(node));
        }
        m_tree.nodes.push_back(std::move(node));
        const int index = static_cast<int>(m_tree.nodes.size()) - 1;
        if (static_cast<std::size_t>(event.number) >= m_index.size())
            m_index.resize(static_cast<std::size_t>(event.number) + 1, -1);
        m_index[static_cast<std::size_t>(event.number)] = event.entered ? index : -1;
        m_status = m_sink.Add(m_tree, index, event.prepared);
        if (!m_status)
            m_failedOutput = true;
    }

    // Set once the sink has failed.
    const std::atomic<bool>& failed() const { return m_failedOutput; }

private:
    // The tree index of a folder the current part entered; -1 when it was not placed.
    int IndexOf(int number) const {
        return static_cast<std::size_t>(number) < m_index.size()
                   ? m_index[static_cast<std::size_t>(number)]
                   : -1;
    }

    std::vector<std::string_view> PathNames(const ExportNode& node) const {
        std::vector<std::string_view> names;
        for (int at = node.parent; at > 0; at = m_tree.nodes[static_cast<std::size_t>(at)].parent)
            names.push_back(m_tree.nodes[static_cast<std::size_t>(at)].name);
        std::reverse(names.begin(), names.end());
        names.push_back(node.name);
        return names;
    }

    ExportSink& m_sink;
    ExportNeeds m_needs;
    ExportTree& m_tree;
    Status m_status = Status::Ok();
    std::atomic<bool> m_failedOutput{false};
    std::size_t m_part = 0;
    std::vector<int> m_index;  // of the current part: tree index by event number
    ExportNamer m_namer;
};

// The one walk: every event placed as it comes.
class DirectOut : public NodeOut {
public:
    explicit DirectOut(Placer& placer) : m_placer(placer) {}
    void Put(NodeEvent event) override {
        m_placer.Place(event, [](const DirIdentity&) { return false; });
    }
    bool EnteredBefore(const WalkDir&) override { return false; }

private:
    Placer& m_placer;
};

// A part of a split export.
class PartOut : public NodeOut {
public:
    PartOut(SplitWalk<NodeEvent>::PartOut& out, bool link) : m_out(out), m_link(link) {}
    void Put(NodeEvent event) override { m_out.Put(std::move(event)); }
    bool EnteredBefore(const WalkDir& dir) override { return m_out.Entered(dir, m_link); }

private:
    SplitWalk<NodeEvent>::PartOut& m_out;
    bool m_link;
};

Status CannotRead(const std::string& path, int error) {
    return Status::Fail(Say("Cannot read {path}: {reason}.",
                            {{"path", DisplayPath(path)}, {"reason", ReadErrnoReason(error)}}));
}

Status OneWalk(const std::string& start, const ExportStart& from, ExportSink& sink,
               ExportTree& tree) {
    Placer placer(sink, tree);
    DirectOut out(placer);
    ExportWalker walker(from, sink, out, 0, 0, placer.failed());
    WalkDirectories(start, walker, WalkLinks::FollowAndTell);
    if (walker.Failed())
        return CannotRead(walker.failedPath(), walker.error());
    if (!placer.status())
        return placer.status();
    if (!walker.startRead())
        return Status::Fail(Say("Cannot read {path}.", {{"path", DisplayPath(start)}}));
    return sink.Finish(tree);
}

std::string Join(const std::string& dir, const std::string& name) {
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

// The start as the one walk meets it, then its folders as the parts of a split walk.
Status SplitExport(const std::string& start, const ExportStart& from, ExportSink& sink,
                   ExportTree& tree, int threads) {
    const int fd = open(start.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || fstat(fd, &st) != 0) {
        const int error = errno;
        if (fd >= 0)
            close(fd);
        return CannotRead(start, error);
    }
    const DirIdentity startId{st.st_dev, st.st_ino};
    Placer placer(sink, tree);
    DirectOut direct(placer);
    {
        NodeEvent event;
        event.startLevel = true;
        event.part = static_cast<std::size_t>(-1);
        event.entered = true;
        event.id = startId;
        event.node.name = DisplayName(LastComponent(start));
        event.node.type = from.TypeOf(LastComponent(start), 0);
        sink.Prepare(event.node, nullptr, event.prepared);
        direct.Put(std::move(event));
    }
    std::vector<Subdirectory> children;
    const int listing = ReadSubdirectories(fd, children);
    close(fd);
    if (listing) {
        NodeEvent event;
        event.startLevel = true;
        event.part = static_cast<std::size_t>(-1);
        event.listingProblem = true;
        event.node.problem =
            "the folder cannot be read: " + ReadErrnoReason(listing, i18n::Texts::Source);
        direct.Put(std::move(event));
    }
    struct Part {
        std::string path;
        bool link;
        bool toStart;  // a link back to the start
    };
    std::vector<Part> parts;
    for (const Subdirectory& child : children) {
        if (LibraryTreeChild(child.name, from.isRoot) == TreeItemKind::Hidden)
            continue;
        parts.push_back({Join(start, child.name), child.id.inode != 0, child.id == startId});
    }
    SplitWalk<NodeEvent>::Settings settings;
    settings.threads = threads;
    settings.stop = &placer.failed();
    settings.lookUpAlways = MountsBelow(start);
    settings.bytes = [](const NodeEvent& event) {
        return sizeof(NodeEvent) + event.prepared.size() + event.node.name.size();
    };
    std::string failedPath;
    int failedError = 0;
    std::mutex failedMutex;
    SplitWalk<NodeEvent> split(
        startId, parts.size(), std::move(settings),
        [&](SplitWalk<NodeEvent>::PartOut& out) {
            const Part& part = parts[out.index()];
            PartOut events(out, part.link);
            ExportWalker walker(from, sink, events, out.index(), 1, placer.failed());
            if (part.toStart) {
                walker.MetStartAgain(part.path);
                return;
            }
            if (part.link && !from.realStart.empty()) {
                const std::string target = RealPath(part.path);
                if (!target.starts_with(from.realStart + "/"))
                    walker.SetStartNote(LinkOutNote(part.path, from.realStart));
            }
            WalkDirectories(part.path, walker, WalkLinks::FollowAndTell, &startId);
            if (walker.Failed()) {
                std::lock_guard lock(failedMutex);
                failedPath = walker.failedPath();
                failedError = walker.error();
            }
        },
        [&](NodeEvent& event, const SplitWalk<NodeEvent>::View& view) {
            placer.Place(event, [&](const DirIdentity& id) { return view.EnteredEarlier(id); });
        });
    split.Run();
    if (!failedPath.empty())
        return CannotRead(failedPath, failedError);
    if (!placer.status())
        return placer.status();
    return sink.Finish(tree);
}

}  // namespace

std::vector<int> ExportTree::Children(int index) const {
    std::vector<int> children;
    for (std::size_t i = static_cast<std::size_t>(index) + 1; i < nodes.size(); ++i) {
        if (nodes[i].depth <= nodes[static_cast<std::size_t>(index)].depth)
            break;
        if (nodes[i].parent == index)
            children.push_back(static_cast<int>(i));
    }
    return children;
}

std::vector<int> ExportTree::Ancestors(int index) const {
    std::vector<int> chain;
    for (int at = nodes[static_cast<std::size_t>(index)].parent; at >= 0;
         at = nodes[static_cast<std::size_t>(at)].parent)
        chain.push_back(at);
    std::reverse(chain.begin(), chain.end());
    return chain;
}

Status WalkForExport(const std::string& startPath, const std::string& libraryRoot, ExportSink& sink,
                     ExportTree& tree, int threads) {
    std::string start = startPath;
    while (start.size() > 1 && start.back() == '/')
        start.pop_back();
    const ExportStart from(start, libraryRoot);
    // Below a start this long, only the one walk, which opens every folder relative to its
    // parent, can reach every folder; a function folder is one node and its file.
    constexpr std::size_t kRoomForAName = 1 + NAME_MAX + 1;
    if (threads <= 1 || start.empty() || start.size() + kRoomForAName > PATH_MAX || from.isFunction)
        return OneWalk(start, from, sink, tree);
    return SplitExport(start, from, sink, tree, threads);
}

}  // namespace kelvane
