#pragma once

#include <cstddef>
#include <string_view>

namespace kelvane {

// The bytes of a UTF-8 text that would steer a terminal or a viewer: C0 controls, DEL, and
// the C1 controls U+0080 to U+009F, which UTF-8 writes as C2 80 to C2 9F.
inline constexpr unsigned char kDeleteByte = 0x7F;
inline constexpr unsigned char kC1Lead = 0xC2;
inline constexpr unsigned char kC1First = 0x80;
inline constexpr unsigned char kC1Last = 0x9F;

constexpr bool IsC0OrDelete(unsigned char byte) {
    return byte < 0x20 || byte == kDeleteByte;
}

// Whether the two bytes at i are a C1 control.
constexpr bool IsC1At(std::string_view text, std::size_t i) {
    if (i + 1 >= text.size() || static_cast<unsigned char>(text[i]) != kC1Lead)
        return false;
    const auto next = static_cast<unsigned char>(text[i + 1]);
    return next >= kC1First && next <= kC1Last;
}

}  // namespace kelvane
