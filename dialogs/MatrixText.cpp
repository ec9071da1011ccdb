#include "dialogs/MatrixText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace kelvane {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void SkipBlanks(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
}

// Like "%d": blanks, an optional sign, at least one digit. A number beyond int saturates,
// so that result tells the caller whether the digits held an int.
bool ReadInt(std::string_view text, std::size_t& pos, int& value, std::errc* result = nullptr) {
    std::size_t at = pos;
    SkipBlanks(text, at);
    // from_chars takes a minus but no plus; a sign must be followed by a digit.
    if (at < text.size() && text[at] == '+' && at + 1 < text.size() && text[at + 1] != '-')
        ++at;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + at, end, value);
    if (error == std::errc::invalid_argument)
        return false;
    if (error == std::errc::result_out_of_range)
        value =
            text[at] == '-' ? -std::numeric_limits<int>::max() : std::numeric_limits<int>::max();
    if (result)
        *result = error;
    pos = static_cast<std::size_t>(stop - text.data());
    return true;
}

// Like "%f" but locale-independent and refusing numbers a float cannot hold.
bool ReadFloat(std::string_view text, std::size_t& pos, float& value) {
    std::size_t at = pos;
    SkipBlanks(text, at);
    if (at < text.size() && text[at] == '+')
        ++at;
    double number = 0;
    const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), number);
    if (error != std::errc() || !std::isfinite(number) ||
        std::fabs(number) > std::numeric_limits<float>::max())
        return false;
    value = static_cast<float>(number);
    pos = static_cast<std::size_t>(end - text.data());
    return true;
}

std::string FormatSizePrefix(int width, int height) {
    return "(" + std::to_string(width) + "x" + std::to_string(height) + ") ";
}

}  // namespace

std::vector<float> MatrixGrid::ActiveElements() const {
    std::vector<float> active;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            active.push_back(at(r, c));
    return active;
}

int ClampSide(int size) {
    return std::clamp(size, 0, MatrixGrid::kSide);
}

bool ParseMatrixText(std::string_view text, MatrixGrid& grid) {
    int width = 0;
    int height = 0;
    bool complete = false;
    std::size_t pos = 0;
    if (!text.empty() && text[0] == '(') {
        pos = 1;
        if (ReadInt(text, pos, width) && pos < text.size() && text[pos] == 'x') {
            ++pos;
            complete = ReadInt(text, pos, height) && pos < text.size() && text[pos] == ')';
        }
    }
    grid.width = ClampSide(width);
    grid.height = ClampSide(height);

    // Elements start where the canonical prefix ends and follow one another in "%f" form,
    // one blank apart. A row wider than the grid is read through so the next row stays
    // aligned; only the grid's part is kept.
    pos = FormatSizePrefix(width, height).size();
    for (int r = 0; r < grid.height; ++r) {
        for (int c = 0; c < width; ++c) {
            if (pos >= text.size())
                return false;
            float scratch = c < grid.width ? grid.at(r, c) : 0.0f;
            std::size_t at = pos;
            if (!ReadFloat(text, at, scratch))
                complete = false;
            if (c < grid.width)
                grid.at(r, c) = scratch;
            pos += FormatFixed(scratch).size() + 1;
        }
    }
    return complete;
}

std::string FormatCellNumber(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

std::string FormatFixed(float value) {
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

bool ParseIntegerText(std::string_view text, int& value) {
    std::size_t pos = 0;
    int read = 0;
    std::errc result{};
    if (!ReadInt(text, pos, read, &result) || result != std::errc())
        return false;
    SkipBlanks(text, pos);
    if (pos != text.size())
        return false;
    value = read;
    return true;
}

bool ParseRealText(std::string_view text, float& value) {
    std::size_t pos = 0;
    float read = 0;
    if (!ReadFloat(text, pos, read))
        return false;
    SkipBlanks(text, pos);
    if (pos != text.size())
        return false;
    value = read;
    return true;
}

}  // namespace kelvane
