// cTemplateDlg: the modal dialog of the "Template..." command. Lists the four report
// templates with the stored one selected; OK stores a changed choice (which takes effect at
// the next start), Reset puts the title and details captions back to their defaults and is
// offered only while the stored template is Custom.
#pragma once

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;

namespace calivue {

class cTemplateDlg : public QDialog {
    Q_OBJECT

public:
    // `storedTemplate`: the "Template" setting now stored (0-3). `store` writes a new value
    // and returns false after its own failure message. `resetCaptions` runs on Reset; it
    // does nothing when the report writer's pages do not exist.
    cTemplateDlg(int storedTemplate, std::function<bool(int)> store,
                 std::function<void()> resetCaptions, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    QPushButton* resetButton() const { return m_reset; }

    // OK: the selection (none counts as 0) is stored when it differs from the stored value,
    // and the restart message follows when storing succeeded.
    void accept() override;

private:
    int m_stored;
    std::function<bool(int)> m_store;
    std::function<void()> m_resetCaptions;
    QListWidget* m_list = nullptr;
    QPushButton* m_reset = nullptr;
};

}  // namespace calivue
