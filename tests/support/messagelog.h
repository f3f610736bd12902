// Message boxes in tests: what a box showed, and a recorder that answers every box in place
// of a user, so a message nobody expected is seen instead of blocking.
#pragma once

#include "desktop/messagedlg.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace calivue::test {

struct SeenMessage {
    QString text;
    QString caption;
    cMessageDlg::IconKind icon;
    QList<int> buttons;
};

SeenMessage seenMessage(const cMessageDlg& box);

// The responder every test starts with: the box is closed as Escape would close it.
void restoreDefaultResponder();

// Records every box while it lives, answering with `answer` (or as Escape when unset);
// `whileShown` runs while a box is up, as if the user acted then. The default responder
// comes back on destruction.
struct MessageLog {
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::vector<SeenMessage> seen;
    QStringList texts;
    std::optional<int> answer;
    std::function<void()> whileShown;
};

}  // namespace calivue::test
