#include <algorithm>
#include <cstdio>
#include <memory>

#include "exchange/FunctionPage.h"
#include "exchange/MarkupExport.h"
#include "exchange/MarkupText.h"
#include "i18n/Translate.h"
#include "infoview/InfoLabels.h"

namespace kelvane {

using i18n::Tr;

namespace {

// Where the links of a reference lead: within one document, or between the files of a
// folder (pages in functions/, beside which the index stands one folder up).
struct MarkdownLinks {
    bool oneDocument = true;

    std::string ToFunction(const ExportNode& node) const {
        return oneDocument ? "#" + FunctionAnchor(node)
                           : std::string(kExportFunctionsFolder) + "/" + node.file + ".md";
    }
    std::string ToIndex(const std::string& anchor) const {
        const std::string index = oneDocument ? "" : "../index.md";
        return index + (anchor.empty() ? (oneDocument ? "#top" : "") : "#" + anchor);
    }
};

// The index lists the nodes in their order, which is the library's, each indented by its
// depth (up to kMaxIndexNesting).
void IndexLines(const ExportTree& tree, const MarkdownLinks& links, std::string& out) {
    for (std::size_t i = 1; i < tree.nodes.size(); ++i) {
        const ExportNode& node = tree.nodes[i];
        const auto level = static_cast<std::size_t>(std::min(node.depth, kMaxIndexNesting) - 1);
        out += std::string(level * 2, ' ') + "- ";
        const std::string remark = NodeRemark(node);
        if (node.type == ExportNodeType::Function && !node.repeated) {
            out += "[" + MarkdownText(node.name) + "](" + links.ToFunction(node) + ")";
            if (remark.empty()) {
                out += " — " + MarkdownText(FunctionKindText(node.kind));
                if (!node.summary.empty())
                    out += ". " + MarkdownText(node.summary);
            }
        } else {
            out += "<a id=\"" + GroupAnchor(static_cast<int>(i)) + "\"></a>**" +
                   MarkdownText(node.name) + "**";
        }
        if (!remark.empty())
            out += " (" + MarkdownText(remark) + ")";
        out += "\n";
    }
}

std::string Index(const ExportTree& tree, const MarkdownLinks& links) {
    const ExportNode& root = tree.nodes.front();
    std::string out = links.oneDocument ? "<a id=\"top\"></a>\n\n" : "";
    out += "# " + MarkdownText(root.name) + "\n\n";
    out += "Function reference: " + MarkdownText(ExportCountText(tree)) + ".\n\n";
    if (root.type == ExportNodeType::Function)
        out += "- [" + MarkdownText(root.name) + "](" + links.ToFunction(root) + ")\n";
    IndexLines(tree, links, out);
    return out;
}

// The head of a function's section: its anchor, heading and the trail back to the index.
std::string SectionHead(const ExportTree& tree, int index, const MarkdownLinks& links,
                        const std::string& heading) {
    const ExportNode& node = tree.nodes[static_cast<std::size_t>(index)];
    std::string out;
    if (links.oneDocument)
        out += "<a id=\"" + FunctionAnchor(node) + "\"></a>\n\n";
    out += heading + " " + MarkdownText(node.name) + "\n\n";
    std::string trail =
        "[" + MarkdownText(tree.nodes.front().name) + "](" + links.ToIndex("") + ")";
    bool shortened = false;
    const std::vector<int> crumbs = CrumbTrail(tree, index, shortened);
    if (shortened)
        trail += " › …";
    for (int at : crumbs)
        trail += " › [" + MarkdownText(tree.nodes[static_cast<std::size_t>(at)].name) + "](" +
                 links.ToIndex(GroupAnchor(at)) + ")";
    out += trail + "\n\n";
    return out;
}

bool HasSection(const ExportNode& node) {
    return node.type == ExportNodeType::Function && !node.repeated;
}

// The rest of it: the function's kind, description and parameters, or why it is unreadable.
void SectionBody(const ExportNode& node, const FunctionRecord* record, std::string& out) {
    out.clear();
    if (!HasSection(node))
        return;
    if (!record) {
        out += "**Unreadable:** " + MarkdownText(node.problem) + "\n\n";
        return;
    }
    const FunctionPage page = MakeFunctionPage(*record);
    out += MarkdownText(page.kind) + " · " + std::to_string(page.parameterCount) +
           (page.parameterCount == 1 ? " parameter" : " parameters") + "\n\n";
    if (!page.description.empty())
        out += MarkdownText(page.description) + "\n\n";
    if (page.parameters.empty())
        return;
    std::string rule = "|";
    out += "|";
    for (const char* heading : kColumnHeadings) {
        out += " " + std::string(heading) + " |";
        rule += "---|";
    }
    out += "\n" + rule + "\n";
    for (std::size_t i = 0; i < page.parameters.size(); ++i) {
        const ParameterRow& row = page.parameters[i];
        out += "| " + std::to_string(i) + " | " + MarkdownText(row.direction) + " | " +
               MarkdownText(row.type) + " | " + MarkdownText(row.defaultValue) + " | " +
               MarkdownText(row.storedValue) + " | " + MarkdownText(row.description) + " |\n";
    }
    out += "\n";
}

Status Unwritable() {
    return Status::Fail(Tr("Could not write the export to the output."));
}

// Sections go to a temporary file as the walk goes; the index is known only at the end
// and comes first.
class MarkdownDocumentSink : public ExportSink {
public:
    explicit MarkdownDocumentSink(std::ostream& out) : m_out(out), m_sections(std::tmpfile()) {}
    ~MarkdownDocumentSink() override {
        if (m_sections)
            std::fclose(m_sections);
    }

    void Prepare(const ExportNode& node, const FunctionRecord* record,
                 std::string& out) const override {
        SectionBody(node, record, out);
    }

    Status Add(const ExportTree& tree, int index, std::string_view prepared) override {
        if (!HasSection(tree.nodes[static_cast<std::size_t>(index)]))
            return Status::Ok();
        if (!m_sections)
            return Status::Fail(Tr("Could not make a temporary file for the export."));
        const std::string head = SectionHead(tree, index, m_links, "##");
        if (std::fwrite(head.data(), 1, head.size(), m_sections) != head.size() ||
            std::fwrite(prepared.data(), 1, prepared.size(), m_sections) != prepared.size())
            return Status::Fail(Tr("Could not write the export to a temporary file."));
        return Status::Ok();
    }

    Status Finish(const ExportTree& tree) override {
        if (!m_sections)
            return Status::Fail(Tr("Could not make a temporary file for the export."));
        m_out << Index(tree, m_links) << "\n";
        std::rewind(m_sections);
        char buffer[65536];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, m_sections)) > 0;)
            m_out.write(buffer, static_cast<std::streamsize>(got));
        if (std::ferror(m_sections))
            return Status::Fail(Tr("Could not read back the temporary file of the export."));
        m_out.flush();
        return m_out ? Status::Ok() : Unwritable();
    }

private:
    std::ostream& m_out;
    std::FILE* m_sections;
    MarkdownLinks m_links{true};
};

class MarkdownFolderSink : public ExportSink {
public:
    explicit MarkdownFolderSink(ExportFolder& folder) : m_folder(folder) {}

    void Prepare(const ExportNode& node, const FunctionRecord* record,
                 std::string& out) const override {
        SectionBody(node, record, out);
    }

    Status Add(const ExportTree& tree, int index, std::string_view prepared) override {
        const ExportNode& node = tree.nodes[static_cast<std::size_t>(index)];
        if (!HasSection(node))
            return Status::Ok();
        return m_folder.Write(m_links.ToFunction(node),
                              SectionHead(tree, index, m_links, "#") + std::string(prepared));
    }

    Status Finish(const ExportTree& tree) override {
        return m_folder.Write("index.md", Index(tree, m_links));
    }

private:
    ExportFolder& m_folder;
    MarkdownLinks m_links{false};
};

}  // namespace

std::unique_ptr<ExportSink> MakeMarkdownDocumentSink(std::ostream& out) {
    return std::make_unique<MarkdownDocumentSink>(out);
}

std::unique_ptr<ExportSink> MakeMarkdownFolderSink(ExportFolder& folder) {
    return std::make_unique<MarkdownFolderSink>(folder);
}

}  // namespace kelvane
