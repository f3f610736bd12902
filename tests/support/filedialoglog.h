// File dialogs in tests: a recorder that keeps every open or save dialog as its caller set it
// up and answers it in place of a user, so a dialog nobody expected is seen instead of
// blocking.
#pragma once

#include "desktop/irfiledialog.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace calivue::test {

// Records every file dialog while it lives; the real dialog comes back on destruction.
struct FileDialogLog {
    FileDialogLog();
    ~FileDialogLog();
    FileDialogLog(const FileDialogLog&) = delete;
    FileDialogLog& operator=(const FileDialogLog&) = delete;

    int asked() const { return static_cast<int>(seen.size()); }

    std::vector<cIRFileDialog> seen;
    // What the "user" picks; nullopt cancels.
    std::optional<QString> answer;
    // When set, answers in place of `answer` (for a different answer each time).
    cIRFileDialog::Chooser answerWith;
};

}  // namespace calivue::test
