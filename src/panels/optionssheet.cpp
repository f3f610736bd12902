#include "panels/optionssheet.h"

#include "panels/displaycontroldlg.h"
#include "panels/hotspotpage.h"
#include "panels/settingspage.h"

#include "view/displayset.h"

namespace calivue {

cOptionsSheet::cOptionsSheet(CVantoroDoc& doc, cDisplaySet& displays, QWidget* parent)
    : QTabWidget(parent)
{
    m_display = new cDisplayControlDlg;
    m_cursors = new cHotSpotPage;
    m_settings = new cSettingsPage;
    addTab(m_display, m_display->windowTitle());
    addTab(m_cursors, m_cursors->windowTitle());
    addTab(m_settings, m_settings->windowTitle());
    m_display->AttachDocument(&doc, &displays.panDisplay());
    m_cursors->AttachDocument(&doc);
    m_settings->AttachDocument(&doc);
    setCurrentWidget(m_display);
}

ViewSheetFactory cOptionsSheet::factory()
{
    return [](CVantoroDoc& doc, cDisplaySet& displays) -> QWidget* {
        return new cOptionsSheet(doc, displays);
    };
}

}  // namespace calivue
