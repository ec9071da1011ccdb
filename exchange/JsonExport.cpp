#include "exchange/JsonExport.h"

#include "exchange/FunctionJson.h"

namespace kelvane {

namespace {

constexpr int kIndent = 2;

std::string_view TypeName(ExportNodeType type) {
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

std::string FunctionFile(const ExportNode& node) {
    return std::string(kExportFunctionsFolder) + "/" + node.file + ".json";
}

Status WriteFailure(std::ostream& out) {
    out.clear();
    return Status::Fail("could not write the export to the output");
}

// Appends text, every line after the first indented by pad.
void AppendIndented(std::string& out, std::string_view text, std::string_view pad) {
    std::size_t from = 0;
    for (std::size_t at = text.find('\n'); at != std::string_view::npos;
         at = text.find('\n', from)) {
        out.append(text, from, at + 1 - from);
        out += pad;
        from = at + 1;
    }
    out.append(text, from);
}

class JsonDocumentSink : public ExportSink {
public:
    explicit JsonDocumentSink(std::ostream& out) : m_out(out) {}

    Status Add(const ExportTree& tree, int index, const FunctionRecord* record) override {
        const ExportNode& node = tree.nodes[static_cast<std::size_t>(index)];
        CloseTo(node.depth);
        std::string text;
        const std::string pad = Pad(node.depth);
        if (!m_open.empty()) {
            text += m_open.back() ? ",\n" : "\n";
            m_open.back() = true;
            text += pad;
        }
        const std::string inner = pad + std::string(kIndent, ' ');
        text += "{\n";
        Json form;
        if (record)
            form = FunctionToJson(*record);
        const Json head = ExportNodeJson(node, record ? &form : nullptr, false);
        for (const auto& item : head.items()) {
            text += inner;
            text += '"';
            text += item.key();
            text += "\": ";
            AppendIndented(text, DumpJson(item.value(), kIndent), inner);
            text += ",\n";
        }
        text += inner + "\"children\": [";
        m_open.push_back(false);
        m_out << text;
        return m_out ? Status::Ok() : WriteFailure(m_out);
    }

    Status Finish(const ExportTree&) override {
        CloseTo(0);
        m_out << "\n";
        m_out.flush();
        return m_out ? Status::Ok() : WriteFailure(m_out);
    }

private:
    // Nodes at depth d open their object at 2 * kIndent * d.
    static std::string Pad(int depth) {
        return std::string(static_cast<std::size_t>(depth) * 2 * kIndent, ' ');
    }

    // Closes the open nodes at depth and below.
    void CloseTo(int depth) {
        while (static_cast<int>(m_open.size()) > depth) {
            const int at = static_cast<int>(m_open.size()) - 1;
            const std::string pad = Pad(at);
            if (m_open.back())
                m_out << "\n" << pad << std::string(kIndent, ' ') << "]";
            else
                m_out << "]";
            m_out << "\n" << pad << "}";
            m_open.pop_back();
        }
    }

    std::ostream& m_out;
    std::vector<bool> m_open;  // of each open node: whether a child has been written
};

class JsonFolderSink : public ExportSink {
public:
    explicit JsonFolderSink(ExportFolder& folder) : m_folder(folder) {}

    Status Add(const ExportTree& tree, int index, const FunctionRecord* record) override {
        if (!record)
            return Status::Ok();
        const ExportNode& node = tree.nodes[static_cast<std::size_t>(index)];
        return m_folder.Write(FunctionFile(node),
                              DumpJson(FunctionToJson(*record), kIndent) + "\n");
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
    json["type"] = TypeName(node.type);
    if (node.repeated)
        json["repeated"] = "reached again through a symbolic link; listed once";
    else if (!node.problem.empty())
        json["unreadable"] = node.problem;
    else if (node.type == ExportNodeType::Function && withFile)
        json["file"] = FunctionFile(node);
    else if (form)
        json["function"] = *form;
    return json;
}

}  // namespace kelvane
