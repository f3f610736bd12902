// Internal to the core layer.
// The length-prefixed text values of the report project file. A text is
// written as UTF-16 behind the mark FF FE FF; on reading, texts without the
// mark are 8-bit code page 1252 and come back converted to UTF-16.
#pragma once

#include "core/bytestream.h"
#include "core/error.h"

#include <string>
#include <string_view>

namespace calivue {

// Reads one text. Truncated when the data ends inside the prefix or when the
// declared length is more than the bytes left can hold (checked before any
// allocation, so an absurd length costs nothing).
Result<std::u16string> readArchiveText(ByteStream& in);

// Writes the mark, the shortest length form and the UTF-16LE code units.
void writeArchiveText(ByteSink& out, std::u16string_view text);

}  // namespace calivue
