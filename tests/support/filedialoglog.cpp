#include "filedialoglog.h"

namespace calivue::test {

FileDialogLog::FileDialogLog()
{
    cIRFileDialog::setChooser([this](const cIRFileDialog& dialog) {
        seen.push_back(dialog);
        return answerWith ? answerWith(dialog) : answer;
    });
}

FileDialogLog::~FileDialogLog()
{
    cIRFileDialog::setChooser({});
}

}  // namespace calivue::test
