// Character set conversions for texts stored by the report writer. The model
// keeps texts as UTF-16 (what the files and the Qt widgets hold); these turn
// old 8-bit texts and the UTF-8 of JSON and terminals into it and back.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace calivue {

// Windows code page 1252 bytes as UTF-16. The five bytes the code page leaves
// undefined (81, 8D, 8F, 90, 9D) become the C1 controls of the same value, as
// Windows converts them, so no byte is lost.
std::u16string cp1252ToUtf16(std::span<const std::uint8_t> bytes);

// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

// UTF-8 as UTF-16 (characters above U+FFFF as surrogate pairs). Empty for
// malformed UTF-8: overlong forms, encoded surrogates, values above U+10FFFF.
std::optional<std::u16string> utf8ToUtf16(std::string_view text);

}  // namespace calivue
