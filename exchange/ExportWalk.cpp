#include "exchange/ExportWalk.h"

#include <stdlib.h>

#include <algorithm>
#include <memory>

#include "exchange/ExportNames.h"
#include "exchange/FunctionSource.h"
#include "i18n/Translate.h"
#include "records/DirWalk.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"
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

class ExportWalker : public WalkVisitor {
public:
    ExportWalker(const std::string& start, const std::string& libraryRoot, ExportSink& sink,
                 ExportTree& tree)
        : m_sink(sink), m_needs(sink.Needs()), m_tree(tree), m_realStart(RealPath(start)) {
        const std::string realRoot = RealPath(libraryRoot);
        m_startIsRoot = !m_realStart.empty() && m_realStart == realRoot;
        m_startIsTab = !m_startIsRoot && !realRoot.empty() && ParentPath(m_realStart) == realRoot;
    }

    const Status& status() const { return m_status; }
    bool startRead() const { return m_startRead; }

    bool Found(const WalkDir& parent, const std::string& name) override {
        if (!m_status)
            return false;
        if (LibraryTreeChild(name, m_startIsRoot && parent.depth == 0) == TreeItemKind::Hidden)
            return false;
        m_pending = {true, m_open[static_cast<std::size_t>(parent.depth)], name};
        return true;
    }

    void Entered(const WalkDir& dir) override {
        if (!m_status)
            return;
        const int index = Add(std::string(dir.name), dir.depth);
        m_open.resize(static_cast<std::size_t>(dir.depth) + 1);
        m_open[static_cast<std::size_t>(dir.depth)] = index;
        m_lastEntered = index;
        ExportNode& node = m_tree.nodes[static_cast<std::size_t>(index)];
        if (dir.depth == 0)
            m_startRead = true;
        if (node.type != ExportNodeType::Function)
            Deliver(index, nullptr);
    }

    // A function is read once its folder is listed: that tells whether its file is a
    // regular file, which saves a look before opening it.
    void Listed(const WalkDir& dir, const std::vector<std::string>& regularFiles) override {
        if (!m_status || m_lastEntered < 0)
            return;
        const int index = m_lastEntered;
        ExportNode& node = m_tree.nodes[static_cast<std::size_t>(index)];
        if (node.type != ExportNodeType::Function)
            return;
        const std::string name(dir.name);
        const bool listed =
            std::find(regularFiles.begin(), regularFiles.end(),
                      name + std::string(kFunctionFileExtension)) != regularFiles.end();
        FunctionRecord record;
        std::string problem;
        if (!(listed ? ReadListedFunctionAt(dir.fd, dir.path, name, record, problem)
                     : ReadFunctionAt(dir.fd, dir.path, name, record, problem))) {
            node.problem = std::move(problem);
            ++m_tree.unreadable;
            Deliver(index, nullptr);
            return;
        }
        node.kind = record.header().kind;
        node.parameterCount = record.parameterCount();
        if (m_needs.summaries)
            node.summary = Summary(Cp949ToUtf8(FieldText(record.header().description)));
        Deliver(index, &record);
    }

    void Repeated(const std::string& path) override {
        if (!m_status || !m_pending.set)
            return;
        const int index = Add(LastComponent(path), -1);
        m_tree.nodes[static_cast<std::size_t>(index)].repeated = true;
        Deliver(index, nullptr);
    }

    // A link out of the folder the export starts at: followed, and said so.
    void LeadsOutside(const std::string& path) override {
        const std::string target = RealPath(path);
        m_tree.linksOut.push_back(
            target.empty()
                ? Say("{path} leads through a symbolic link out of {start}; it is exported with "
                      "the rest.",
                      {{"path", DisplayPath(path)}, {"start", DisplayPath(m_realStart)}})
                : Say("{path} leads through a symbolic link out of {start}, to {target}; it is "
                      "exported with the rest.",
                      {{"path", DisplayPath(path)},
                       {"start", DisplayPath(m_realStart)},
                       {"target", DisplayPath(target)}}));
    }

    void Unreadable(const std::string& path, std::string_view name, int error) override {
        if (!m_status)
            return;
        // Written into the export's files, which never change with the language.
        const std::string why =
            "the folder cannot be read: " + ReadErrnoReason(error, i18n::Texts::Source);
        ++m_tree.unreadable;
        if (m_pending.set) {
            // A folder that could not be opened: listed with its problem.
            const int index = Add(std::string(name), -1);
            m_tree.nodes[static_cast<std::size_t>(index)].problem = why;
            Deliver(index, nullptr);
        } else if (m_lastEntered >= 0) {
            // The folder just entered could not be listed (its node has been delivered).
            m_tree.nodes[static_cast<std::size_t>(m_lastEntered)].problem = why;
        } else {
            m_status = Status::Fail(
                Say("Cannot read {path}: {reason}.",
                    {{"path", DisplayPath(path)}, {"reason", ReadErrnoReason(error)}}));
        }
    }

private:
    struct Pending {
        bool set = false;
        int parent = -1;
        std::string name;
    };

    // A node for the folder the walk met last: the start (depth 0) or the one Found.
    int Add(const std::string& rawName, int depth) {
        ExportNode node;
        node.name = DisplayName(rawName);
        if (depth == 0 && !m_pending.set) {
            node.depth = 0;
            node.type = m_startIsRoot ? ExportNodeType::Library
                        : LibraryTreeChild(rawName) == TreeItemKind::Function
                            ? ExportNodeType::Function
                        : m_startIsTab ? ExportNodeType::Tab
                                       : ExportNodeType::Group;
        } else {
            node.parent = m_pending.parent;
            node.depth = m_tree.nodes[static_cast<std::size_t>(node.parent)].depth + 1;
            const bool tab = m_startIsRoot && node.depth == 1;
            node.type = tab ? ExportNodeType::Tab
                        : LibraryTreeChild(rawName) == TreeItemKind::Function
                            ? ExportNodeType::Function
                            : ExportNodeType::Group;
        }
        m_pending.set = false;
        if (node.type == ExportNodeType::Function) {
            ++m_tree.functions;
            if (m_needs.fileNames)
                node.file = m_namer.Name(PathNames(node));
        }
        m_tree.nodes.push_back(std::move(node));
        return static_cast<int>(m_tree.nodes.size()) - 1;
    }

    std::vector<std::string_view> PathNames(const ExportNode& node) const {
        std::vector<std::string_view> names;
        for (int at = node.parent; at > 0; at = m_tree.nodes[static_cast<std::size_t>(at)].parent)
            names.push_back(m_tree.nodes[static_cast<std::size_t>(at)].name);
        std::reverse(names.begin(), names.end());
        names.push_back(node.name);
        return names;
    }

    void Deliver(int index, const FunctionRecord* record) {
        if (m_status)
            m_status = m_sink.Add(m_tree, index, record);
    }

    ExportSink& m_sink;
    ExportNeeds m_needs;
    ExportTree& m_tree;
    std::string m_realStart;
    bool m_startIsRoot = false;
    bool m_startIsTab = false;
    bool m_startRead = false;
    Status m_status = Status::Ok();
    Pending m_pending;
    std::vector<int> m_open;  // the node of the folder open at each depth
    int m_lastEntered = -1;
    ExportNamer m_namer;
};

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

Status WalkForExport(const std::string& start, const std::string& libraryRoot, ExportSink& sink,
                     ExportTree& tree) {
    ExportWalker walker(start, libraryRoot, sink, tree);
    WalkDirectories(start, walker, WalkLinks::FollowAndTell);
    if (!walker.status())
        return walker.status();
    if (!walker.startRead())
        return Status::Fail(Say("Cannot read {path}.", {{"path", DisplayPath(start)}}));
    return sink.Finish(tree);
}

}  // namespace kelvane
