#include "dialogs/MatFile.h"

#include <cctype>
#include <vector>

#include "i18n/Translate.h"
#include "records/FileOps.h"

namespace kelvane {

using i18n::Say;
using i18n::Tr;

namespace {

std::vector<std::string_view> SplitAtBlanks(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
            ++pos;
        const std::size_t start = pos;
        while (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos])))
            ++pos;
        if (pos > start)
            tokens.push_back(text.substr(start, pos - start));
    }
    return tokens;
}

}  // namespace

std::string WithMatExtension(const std::string& path) {
    if (path.size() >= kMatExtension.size()) {
        const std::string_view tail = std::string_view(path).substr(path.size() - 4);
        bool same = true;
        for (std::size_t i = 0; i < tail.size(); ++i)
            same = same && std::toupper(static_cast<unsigned char>(tail[i])) ==
                               std::toupper(static_cast<unsigned char>(kMatExtension[i]));
        if (same)
            return path;
    }
    return path + std::string(kMatExtension);
}

std::string FormatMatFile(const MatrixGrid& grid) {
    std::string text = std::to_string(grid.width) + "\n" + std::to_string(grid.height) + "\n\n";
    for (int r = 0; r < grid.height; ++r) {
        for (int c = 0; c < grid.width; ++c)
            text += FormatFixed(grid.at(r, c)) + " ";
        text += "\n";
    }
    return text;
}

Status ParseMatFile(std::string_view text, MatrixGrid& grid) {
    const std::vector<std::string_view> tokens = SplitAtBlanks(text);
    int width = 0;
    int height = 0;
    if (tokens.size() < 2 || !ParseIntegerText(tokens[0], width) ||
        !ParseIntegerText(tokens[1], height))
        return Status::Fail(Tr("it does not begin with a width and a height"));
    if (width != ClampSide(width) || height != ClampSide(height))
        return Status::Fail(Say("its size {width} x {height} is outside 0 to {max}",
                                {{"width", std::to_string(width)},
                                 {"height", std::to_string(height)},
                                 {"max", std::to_string(MatrixGrid::kSide)}}));

    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<float> numbers(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (2 + i >= tokens.size())
            return Status::Fail(
                Say("it holds {held} of the {count} numbers its size needs",
                    {{"held", std::to_string(i)}, {"count", std::to_string(count)}}));
        if (!ParseRealText(tokens[2 + i], numbers[i]))
            return Status::Fail(Say("number {index} is \"{text}\", which is not a number",
                                    {{"index", std::to_string(i + 1)}, {"text", tokens[2 + i]}}));
    }
    grid.width = width;
    grid.height = height;
    for (std::size_t i = 0; i < count; ++i)
        grid.at(static_cast<int>(i) / width, static_cast<int>(i) % width) = numbers[i];
    return Status::Ok();
}

Status WriteMatFile(const std::string& path, const MatrixGrid& grid) {
    return WriteFileAtomically(path, FormatMatFile(grid));
}

}  // namespace kelvane
