// The user's words for a file that failed: the one place where an Error and its context (the
// path, what the file was meant to be, the system's reason) become a message from the current
// string table. The command-line tool reads the same reasons in English from errorReason.
#ifndef CALIVUE_PLATFORM_ERRORTEXT_H
#define CALIVUE_PLATFORM_ERRORTEXT_H

#include "core/errorreason.h"

#include <QString>

namespace calivue {

struct FileFailure;

// The reason in the current language: "not found", "not readable", "not a regular file", or
// what the file is not ("not a snapshot record", "not a picture this program can read").
QString errorReasonText(Error e, FileKind kind);

// The designed detail line "PATH: reason"; the reason alone when path is empty.
QString fileErrorText(Error e, const QString& path, FileKind kind);

// The designed "could not save" message (messageId) with the file that failed and the system's
// reason on the next line ("PATH: reason"); fallback names the file when the failure is empty
// (the writer refused before touching a file).
QString saveFailureText(int messageId, const FileFailure& failure, const QString& fallback);

}  // namespace calivue

#endif
