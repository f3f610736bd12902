// The reason the user is told for a file that did not open: one mapping from an Error to
// the words, shared by the window (through the string table) and the command-line tool.
#pragma once

#include "core/error.h"

#include <string_view>

namespace calivue {

// What a file that failed to open was meant to be: the reason the user reads for
// a file that is there but unusable depends on it.
enum class FileKind { SnapshotRecord, Picture };

// The reason the user reads after the path of a file that did not open ("not
// found", "not a snapshot record", ...): the number of its text in the program's
// string table, and that text in English for the command-line tool, which has no
// string table.
struct ErrorReason {
    int textId = 0;
    std::string_view english;
};
ErrorReason errorReason(Error e, FileKind kind);

}  // namespace calivue
