#include <algorithm>
#include <memory>

#include "exchange/FunctionPage.h"
#include "exchange/MarkupExport.h"
#include "exchange/MarkupText.h"
#include "infoview/InfoLabels.h"

namespace kelvane {

namespace {

constexpr std::string_view kStyleSheetName = "style.css";

// One stylesheet for every page. On a narrow screen the parameter table becomes one card
// per parameter, each cell with its heading beside it.
constexpr std::string_view kStyleSheet = R"css(:root {
  color-scheme: light dark;
  --fg: #1d232a; --muted: #5b6570; --line: #d5dbe1; --soft: #f2f5f8;
  --accent: #0a58a8; --bg: #ffffff; --bad: #a4161a;
}
@media (prefers-color-scheme: dark) {
  :root {
    --fg: #e4e8ec; --muted: #a2acb6; --line: #3a434c; --soft: #1f252b;
    --accent: #72b6ff; --bg: #14181c; --bad: #ff8589;
  }
}
* { box-sizing: border-box; }
body {
  margin: 0 auto; max-width: 64rem; padding: 1rem 1.25rem 3rem;
  font: 16px/1.55 system-ui, "Noto Sans", "NanumGothic", "Malgun Gothic", sans-serif;
  color: var(--fg); background: var(--bg); overflow-wrap: anywhere;
}
a { color: var(--accent); text-decoration: none; }
a:hover, a:focus { text-decoration: underline; }
header { border-bottom: 1px solid var(--line); padding-bottom: .6rem; margin-bottom: 1rem; }
h1 { font-size: 1.7rem; line-height: 1.25; margin: .2rem 0 .4rem; }
h2 { font-size: 1.2rem; margin: 1.8rem 0 .6rem; padding-bottom: .2rem; border-bottom: 1px solid var(--line); }
.crumbs { font-size: .9rem; color: var(--muted); margin: 0; }
.lead, .facts { color: var(--muted); margin: 0; }
.facts strong { color: var(--fg); }
.unreadable { color: var(--bad); }
.remark { color: var(--muted); font-style: italic; }
.kind { color: var(--muted); font-size: .85rem; white-space: nowrap; }
.summary { color: var(--muted); }
code { font-family: ui-monospace, "DejaVu Sans Mono", monospace; font-size: .92em; }
ul.tree { list-style: none; margin: 0; padding-left: 1.1rem; }
section > ul.tree { padding-left: 0; }
ul.tree li { margin: .15rem 0; }
.group { font-weight: 600; }
.function a { font-weight: 600; }
.scroll { overflow-x: auto; }
table { border-collapse: collapse; width: 100%; }
th, td { text-align: left; vertical-align: top; padding: .45rem .6rem; border-bottom: 1px solid var(--line); }
th { background: var(--soft); font-size: .9rem; white-space: nowrap; }
td code { white-space: nowrap; }
td.value { white-space: pre-wrap; }
@media (max-width: 40rem) {
  body { padding: .75rem .8rem 2rem; }
  h1 { font-size: 1.4rem; }
  table.params thead { position: absolute; width: 1px; height: 1px; overflow: hidden; clip: rect(0 0 0 0); }
  table.params, table.params tbody, table.params tr, table.params td { display: block; width: 100%; }
  table.params tr { border: 1px solid var(--line); border-radius: .4rem; margin: 0 0 .8rem; padding: .35rem .7rem; }
  table.params td { border: 0; padding: .15rem 0; }
  table.params td::before { content: attr(data-label) ": "; color: var(--muted); font-weight: 600; }
  .kind { display: block; }
}
)css";

std::string Page(const std::string& title, const std::string& styleHref, const std::string& body) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
           title + "</title>\n<link rel=\"stylesheet\" href=\"" + styleHref +
           "\">\n</head>\n<body>\n" + body + "</body>\n</html>\n";
}

std::string FunctionHref(const ExportNode& node) {
    return std::string(kExportFunctionsFolder) + "/" + node.file + ".html";
}

// One list item of the index, without its closing tag.
std::string IndexItem(const ExportTree& tree, std::size_t i) {
    const ExportNode& node = tree.nodes[i];
    const std::string remark = NodeRemark(node);
    std::string out;
    if (node.type == ExportNodeType::Function && !node.repeated) {
        out += "<li class=\"function\"><a href=\"" + FunctionHref(node) + "\">" +
               HtmlEscape(node.name) + "</a>";
        if (remark.empty()) {
            out += " <span class=\"kind\">" + HtmlEscape(FunctionKindText(node.kind)) + "</span>";
            if (!node.summary.empty())
                out += " <span class=\"summary\">" + HtmlEscape(node.summary) + "</span>";
        }
    } else {
        out += "<li id=\"" + GroupAnchor(static_cast<int>(i)) + "\"><span class=\"group\">" +
               HtmlEscape(node.name) + "</span>";
    }
    if (!remark.empty())
        out += " <span class=\"" + std::string(node.repeated ? "remark" : "unreadable") + "\">" +
               HtmlEscape(remark) + "</span>";
    return out;
}

// Nested lists from items in tree order, each at a level one deeper than the item before
// it at most. An item stays open until the next one, which may open a list inside it.
class ListWriter {
public:
    explicit ListWriter(std::string& out) : m_out(out) {}

    void Item(int level, const std::string& item) {
        if (level > m_open) {
            m_out += m_open > 0 ? "\n<ul class=\"tree\">\n" : "<ul class=\"tree\">\n";
            m_open = level;
        } else {
            m_out += "</li>\n";
            Unwind(level);
        }
        m_out += item;
    }

    void Close() {
        if (m_open == 0)
            return;
        m_out += "</li>\n";
        Unwind(1);
        m_out += "</ul>\n";
        m_open = 0;
    }

private:
    void Unwind(int level) {
        for (; m_open > level; --m_open)
            m_out += "</ul>\n</li>\n";
    }

    std::string& m_out;
    int m_open = 0;
};

// The tree of the export as nested lists; a group directly below the start (a tab of the
// library) heads a section of its own, with its heading as the group's anchor.
std::string IndexBody(const ExportTree& tree) {
    const ExportNode& root = tree.nodes.front();
    std::string out = "<header>\n<h1>" + HtmlEscape(root.name) + "</h1>\n<p class=\"lead\">" +
                      "Function reference: " + HtmlEscape(ExportCountText(tree)) +
                      ".</p>\n</header>\n<main>\n";
    ListWriter list(out);
    if (root.type == ExportNodeType::Function)
        list.Item(1, "<li class=\"function\"><a href=\"" + FunctionHref(root) + "\">" +
                         HtmlEscape(root.name) + "</a>");
    bool inSection = false;
    auto endSection = [&] {
        list.Close();
        if (inSection)
            out += "</section>\n";
        inSection = false;
    };
    for (std::size_t i = 1; i < tree.nodes.size(); ++i) {
        const ExportNode& node = tree.nodes[i];
        if (node.depth == 1 && node.type != ExportNodeType::Function) {
            endSection();
            out += "<section>\n<h2 id=\"" + GroupAnchor(static_cast<int>(i)) + "\">" +
                   HtmlEscape(node.name) + "</h2>\n";
            if (const std::string remark = NodeRemark(node); !remark.empty())
                out += "<p class=\"" + std::string(node.repeated ? "remark" : "unreadable") +
                       "\">" + HtmlEscape(remark) + "</p>\n";
            inSection = true;
            continue;
        }
        if (node.depth == 1 && inSection)
            endSection();
        const int level = std::min(node.depth, kMaxIndexNesting) - (inSection ? 1 : 0);
        list.Item(level, IndexItem(tree, i));
    }
    endSection();
    return out + "</main>\n";
}

bool HasPage(const ExportNode& node) {
    return node.type == ExportNodeType::Function && !node.repeated;
}

// The head of a function's page: the trail back to the index and its name.
std::string FunctionHead(const ExportTree& tree, int index) {
    const ExportNode& node = tree.nodes[static_cast<std::size_t>(index)];
    const std::string up = "../index.html";
    std::string out = "<header>\n<p class=\"crumbs\"><a href=\"" + up + "\">" +
                      HtmlEscape(tree.nodes.front().name) + "</a>";
    bool shortened = false;
    const std::vector<int> crumbs = CrumbTrail(tree, index, shortened);
    if (shortened)
        out += " › …";
    for (int at : crumbs)
        out += " › <a href=\"" + up + "#" + GroupAnchor(at) + "\">" +
               HtmlEscape(tree.nodes[static_cast<std::size_t>(at)].name) + "</a>";
    out += "</p>\n<h1>" + HtmlEscape(node.name) + "</h1>\n";
    return out;
}

// The rest of it: the function's kind, description and parameters, or why it is unreadable.
void FunctionBody(const ExportNode& node, const FunctionRecord* record, std::string& out) {
    out.clear();
    if (!HasPage(node))
        return;
    if (!record) {
        out += "</header>\n<main>\n<p class=\"unreadable\">This function file cannot be read: " +
               HtmlEscape(node.problem) + "</p>\n</main>\n";
        return;
    }
    const FunctionPage page = MakeFunctionPage(*record);
    out += "<p class=\"facts\"><strong>" + HtmlEscape(page.kind) + "</strong> · <strong>" +
           std::to_string(page.parameterCount) + "</strong>" +
           (page.parameterCount == 1 ? " parameter" : " parameters") + "</p>\n</header>\n<main>\n";
    out += "<h2>Description</h2>\n<p>" +
           (page.description.empty() ? std::string("<span class=\"remark\">none</span>")
                                     : HtmlLines(page.description)) +
           "</p>\n<h2>Parameters</h2>\n";
    if (page.parameters.empty()) {
        out += "<p class=\"remark\">none</p>\n</main>\n";
        return;
    }
    out += "<div class=\"scroll\">\n<table class=\"params\">\n<thead>\n<tr>";
    for (const char* heading : kColumnHeadings)
        out += "<th scope=\"col\">" + std::string(heading) + "</th>";
    out += "</tr>\n</thead>\n<tbody>\n";
    for (std::size_t i = 0; i < page.parameters.size(); ++i) {
        const ParameterRow& row = page.parameters[i];
        const std::string cells[] = {std::to_string(i),
                                     HtmlEscape(row.direction),
                                     "<code>" + HtmlEscape(row.type) + "</code>",
                                     HtmlLines(row.defaultValue),
                                     HtmlLines(row.storedValue),
                                     HtmlLines(row.description)};
        out += "<tr>";
        for (std::size_t c = 0; c < std::size(cells); ++c)
            out += "<td data-label=\"" + std::string(kColumnHeadings[c]) + "\"" +
                   (c >= 3 ? " class=\"value\"" : "") + ">" + cells[c] + "</td>";
        out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n</div>\n</main>\n";
}

class HtmlFolderSink : public ExportSink {
public:
    explicit HtmlFolderSink(ExportFolder& folder) : m_folder(folder) {}

    void Prepare(const ExportNode& node, const FunctionRecord* record,
                 std::string& out) const override {
        FunctionBody(node, record, out);
    }

    Status Add(const ExportTree& tree, int index, std::string_view prepared) override {
        const ExportNode& node = tree.nodes[static_cast<std::size_t>(index)];
        if (!HasPage(node))
            return Status::Ok();
        const std::string title =
            HtmlEscape(node.name) + " · " + HtmlEscape(tree.nodes.front().name);
        return m_folder.Write(FunctionHref(node),
                              Page(title, "../" + std::string(kStyleSheetName),
                                   FunctionHead(tree, index) + std::string(prepared)));
    }

    Status Finish(const ExportTree& tree) override {
        if (Status written = m_folder.Write(std::string(kStyleSheetName), kStyleSheet); !written)
            return written;
        return m_folder.Write("index.html", Page(HtmlEscape(tree.nodes.front().name),
                                                 std::string(kStyleSheetName), IndexBody(tree)));
    }

private:
    ExportFolder& m_folder;
};

}  // namespace

std::unique_ptr<ExportSink> MakeHtmlFolderSink(ExportFolder& folder) {
    return std::make_unique<HtmlFolderSink>(folder);
}

}  // namespace kelvane
