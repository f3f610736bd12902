// The window's text for a file that could not be written.
#pragma once

#include <QString>

namespace calivue {

struct FileFailure;

// The designed "could not save" message with the file that failed and the system's
// reason on the next line ("PATH: reason"); fallback names the file when the
// failure is empty (the writer refused before touching a file).
QString saveFailureText(int messageId, const FileFailure& failure, const QString& fallback);

}  // namespace calivue
