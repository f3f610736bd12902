// cOptionsSheet: the analysis options as one property sheet — display control, cursor list and
// settings pages, in that order — given to the image view, which docks it at its left edge or
// lets it float as a tool window. Each page follows the document's announcement itself,
// through one connection of its own.
#pragma once

#include "view/viewsheets.h"

#include <QTabWidget>

namespace calivue {

class cDisplayControlDlg;
class cHotSpotPage;
class cSettingsPage;

class cOptionsSheet : public QTabWidget, public cViewSheet {
    Q_OBJECT

public:
    // The pages get the document; the display control page hosts the pan display of the set.
    cOptionsSheet(CVantoroDoc& doc, cDisplaySet& displays, QWidget* parent = nullptr);

    // The factory the application gives the image view.
    static ViewSheetFactory factory();

    cDisplayControlDlg* displayPage() const { return m_display; }
    cHotSpotPage* cursorPage() const { return m_cursors; }
    cSettingsPage* settingsPage() const { return m_settings; }

private:
    cDisplayControlDlg* m_display = nullptr;
    cHotSpotPage* m_cursors = nullptr;
    cSettingsPage* m_settings = nullptr;
};

}  // namespace calivue
