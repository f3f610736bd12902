// cTemplateDlg: the modal dialog of the "Template..." command. Lists the four report
// templates with the stored one selected; OK stores a changed choice (which takes effect at
// the next start), Reset puts the title and details captions back to their defaults and is
// offered only while the stored template is Custom.
#pragma once

#include "core/printrules.h"

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;

namespace calivue {

class cTemplateDlg : public QDialog {
    Q_OBJECT

public:
    // `storedTemplate`: the "Template" setting now stored. `store` writes a new value and
    // returns false after its own failure message. `resetCaptions` runs on Reset; it does
    // nothing when the report writer's pages do not exist.
    cTemplateDlg(ReportTemplate storedTemplate, std::function<bool(ReportTemplate)> store,
                 std::function<void()> resetCaptions, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    QPushButton* resetButton() const { return m_reset; }

    // OK: the selection (none counts as Maintenance) is stored when it differs from the
    // stored value, and the restart message follows when storing succeeded.
    void accept() override;

private:
    ReportTemplate m_stored;
    std::function<bool(ReportTemplate)> m_store;
    std::function<void()> m_resetCaptions;
    QListWidget* m_list = nullptr;
    QPushButton* m_reset = nullptr;
};

}  // namespace calivue
