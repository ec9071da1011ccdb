#include "exchange/JsonExport.h"

#include "exchange/FunctionJson.h"
#include "i18n/Translate.h"

namespace kelvane {

using i18n::Tr;

namespace {

constexpr int kIndent = 2;
// A document goes out in writes of about this size.
constexpr std::size_t kWriteBytes = 256 * 1024;

std::string_view ExportTypeName(ExportNodeType type) {
    switch (type) {
        case ExportNodeType::Library:
            return "library";
        case ExportNodeType::Tab:
            return "tab";
        case ExportNodeType::Group:
            return "group";
        case ExportNodeType::Function:
            return "function";
    }
    return "group";
}

// Why a node holds no form: its key and text, or an empty key.
std::pair<std::string_view, std::string> NodeMark(const ExportNode& node) {
    if (node.repeated)
        return {"repeated", "reached again through a symbolic link; listed once"};
    if (!node.problem.empty())
        return {"unreadable", node.problem};
    return {};
}

std::string FunctionFile(const ExportNode& node) {
    return std::string(kExportFunctionsFolder) + "/" + node.file + ".json";
}

Status WriteFailure(std::ostream& out) {
    out.clear();
    return Status::Fail(Tr("Could not write the export to the output."));
}

class JsonDocumentSink : public ExportSink {
public:
    explicit JsonDocumentSink(std::ostream& out) : m_out(out) {}

    ExportNeeds Needs() const override { return {false, false}; }

    void Prepare(const ExportNode& node, const FunctionRecord* record,
                 std::string& out) const override {
        thread_local JsonTextWriter w;
        w.text().clear();
        const std::size_t inner = Pad(node.depth) + kIndent;
        auto key = [&](std::string_view name) {
            w.Indent(inner);
            w.Raw("\"");
            w.Raw(name);
            w.Raw("\": ");
        };
        w.Raw("{\n");
        key("name");
        w.String(node.name);
        w.Raw(",\n");
        key("type");
        w.String(ExportTypeName(node.type));
        w.Raw(",\n");
        if (const auto [name, value] = NodeMark(node); !name.empty()) {
            key(name);
            w.String(value);
            w.Raw(",\n");
        } else if (record) {
            key("function");
            WriteFunctionJson(w, *record, inner);
            w.Raw(",\n");
        }
        key("children");
        w.Raw("[");
        out.assign(w.text());
    }

    Status Add(const ExportTree& tree, int index, std::string_view prepared) override {
        const ExportNode& node = tree.nodes[static_cast<std::size_t>(index)];
        CloseTo(node.depth);
        JsonTextWriter& w = m_writer;
        if (!m_open.empty()) {
            w.Raw(m_open.back() ? ",\n" : "\n");
            m_open.back() = true;
            w.Indent(Pad(node.depth));
        }
        w.Raw(prepared);
        m_open.push_back(false);
        return w.text().size() < kWriteBytes ? Status::Ok() : Write();
    }

    Status Finish(const ExportTree&) override {
        CloseTo(0);
        m_writer.Raw("\n");
        if (Status written = Write(); !written)
            return written;
        m_out.flush();
        return m_out ? Status::Ok() : WriteFailure(m_out);
    }

private:
    // Nodes at depth d open their object at 2 * kIndent * d.
    static std::size_t Pad(int depth) { return static_cast<std::size_t>(depth) * 2 * kIndent; }

    // The text so far to the output, in pieces of about kWriteBytes.
    Status Write() {
        std::string& text = m_writer.text();
        m_out.write(text.data(), static_cast<std::streamsize>(text.size()));
        text.clear();
        return m_out ? Status::Ok() : WriteFailure(m_out);
    }

    // Closes the open nodes at depth and below.
    void CloseTo(int depth) {
        JsonTextWriter& w = m_writer;
        while (static_cast<int>(m_open.size()) > depth) {
            const std::size_t pad = Pad(static_cast<int>(m_open.size()) - 1);
            if (m_open.back()) {
                w.Raw("\n");
                w.Indent(pad + kIndent);
            }
            w.Raw("]\n");
            w.Indent(pad);
            w.Raw("}");
            m_open.pop_back();
        }
    }

    std::ostream& m_out;
    JsonTextWriter m_writer;
    std::vector<bool> m_open;  // of each open node: whether a child has been written
};

class JsonFolderSink : public ExportSink {
public:
    explicit JsonFolderSink(ExportFolder& folder) : m_folder(folder) {}

    ExportNeeds Needs() const override { return {true, false}; }

    // A function's file: its form as DumpJson lays it out.
    void Prepare(const ExportNode&, const FunctionRecord* record, std::string& out) const override {
        out.clear();
        if (!record)
            return;
        thread_local JsonTextWriter w;
        w.text().clear();
        WriteFunctionJson(w, *record, 0);
        w.Raw("\n");
        out.assign(w.text());
    }

    Status Add(const ExportTree& tree, int index, std::string_view prepared) override {
        if (prepared.empty())
            return Status::Ok();
        return m_folder.Write(FunctionFile(tree.nodes[static_cast<std::size_t>(index)]), prepared);
    }

    Status Finish(const ExportTree& tree) override {
        if (tree.nodes.empty())
            return Status::Ok();
        std::vector<std::vector<std::size_t>> children(tree.nodes.size());
        for (std::size_t i = 1; i < tree.nodes.size(); ++i)
            children[static_cast<std::size_t>(tree.nodes[i].parent)].push_back(i);
        // Built from the end, so that every node's children are complete when it is built.
        std::vector<Json> built(tree.nodes.size());
        for (std::size_t i = tree.nodes.size(); i-- > 0;) {
            Json entry = ExportNodeJson(tree.nodes[i], nullptr, true);
            Json& list = entry["children"] = Json::array();
            for (std::size_t child : children[i])
                list.push_back(std::move(built[child]));
            built[i] = std::move(entry);
        }
        return m_folder.Write("index.json", DumpJson(built[0], kIndent) + "\n");
    }

private:
    ExportFolder& m_folder;
};

}  // namespace

std::unique_ptr<ExportSink> MakeJsonDocumentSink(std::ostream& out) {
    return std::make_unique<JsonDocumentSink>(out);
}

std::unique_ptr<ExportSink> MakeJsonFolderSink(ExportFolder& folder) {
    return std::make_unique<JsonFolderSink>(folder);
}

Json ExportNodeJson(const ExportNode& node, const Json* form, bool withFile) {
    Json json = Json::object();
    json["name"] = node.name;
    json["type"] = ExportTypeName(node.type);
    if (const auto [name, value] = NodeMark(node); !name.empty())
        json[std::string(name)] = value;
    else if (node.type == ExportNodeType::Function && withFile)
        json["file"] = FunctionFile(node);
    else if (form)
        json["function"] = *form;
    return json;
}

}  // namespace kelvane
