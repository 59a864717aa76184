// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The value start rule of the tag readers and writers: a tag text counts as
// present only when its first byte, as an unsigned number, lies between 0x21
// and 0xAF. Blanks, control characters, NUL and bytes from 0xB0 up make the
// text count as empty. The rule is applied to the raw ISO-8859-1 bytes.
#include <string_view>

namespace tagnomen {

constexpr bool IsValueStartByte(unsigned char byte) {
    return byte >= 0x21 && byte <= 0xAF;
}

constexpr bool StartsWithValue(std::string_view bytes) {
    return !bytes.empty() && IsValueStartByte(static_cast<unsigned char>(bytes.front()));
}

}  // namespace tagnomen
