#include "messagelog.h"

namespace calivue::test {

SeenMessage seenMessage(const cMessageDlg& box)
{
    return {box.text(), box.windowTitle(), box.iconKind(), box.visibleButtons()};
}

void restoreDefaultResponder()
{
    cMessageDlg::setResponder([](const cMessageDlg& box) { return box.closeResult(); });
}

MessageLog::MessageLog()
{
    cMessageDlg::setResponder([this](const cMessageDlg& box) {
        seen.push_back(seenMessage(box));
        texts << box.text();
        if (whileShown) whileShown();
        return answer.value_or(box.closeResult());
    });
}

MessageLog::~MessageLog()
{
    restoreDefaultResponder();
}

}  // namespace calivue::test
