// The user's words for a file that failed: the one place where an Error and its context (the
// path, what the file was meant to be, the system's reason) become a message from the current
// string table. The command-line tool reads the same reasons in English from errorReason.
#pragma once

#include "core/errorreason.h"
#include "core/fileio.h"

#include <QString>

namespace calivue {

// The reason in the current language: "not found", "not readable", "not a regular file", or
// what the file is not ("not a snapshot record", "not a picture this program can read").
QString errorReasonText(Error e, FileKind kind);

// The designed detail line "PATH: reason"; the reason alone when path is empty.
QString fileErrorText(Error e, const QString& path, FileKind kind);

// The designed "could not save" message (messageId) with the file that failed and the system's
// reason on the next line ("PATH: reason"); fallback names the file when the failure is empty
// (the writer refused before touching a file).
QString saveFailureText(int messageId, const FileFailure& failure, const QString& fallback);

// A file operation that failed, with what the user's message needs: the designed heading (a
// string id), the error, the file asked for and what it was meant to be, and for a write the
// file of the set that could not be written with the system's reason. A model operation
// returns it; the layer that talks to the user turns it into text with fileErrorMessage.
struct FileError {
    enum class Access { Read, Write };

    Error error = Error::None;
    int messageId = 0;
    Access access = Access::Read;
    QString path;
    FileKind kind = FileKind::SnapshotRecord;
    FileFailure failure;

    bool ok() const { return error == Error::None; }
    explicit operator bool() const { return ok(); }
};

// The heading, a line break and the detail: for a read "PATH: reason" (the reason alone
// without a path), for a write saveFailureText's file and system reason. Empty for success.
QString fileErrorMessage(const FileError& e);

}  // namespace calivue
