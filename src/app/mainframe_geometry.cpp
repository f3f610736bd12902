// The main window remembers its size and position, its tool and status bars, and whether
// the options sheet was docked, in the application's settings file between runs.
#include "app/mainframe.h"

#include "platform/settingsstore.h"
#include "view/viewcommands.h"

#include <QSettings>

namespace calivue {

namespace {
constexpr QLatin1String kGeometry{"Window/Geometry"};
constexpr QLatin1String kState{"Window/State"};
constexpr QLatin1String kOptionsDocked{"Window/OptionsDocked"};
}  // namespace

void CMainFrame::restoreWindowSettings()
{
    const QSettings settings(m_settings.applicationFile(), QSettings::IniFormat);
    // restoreGeometry keeps a window that no longer fits the screens on one of them.
    if (const QByteArray geometry = settings.value(kGeometry).toByteArray(); !geometry.isEmpty())
        restoreGeometry(geometry);
    if (const QByteArray state = settings.value(kState).toByteArray(); !state.isEmpty())
        restoreState(state);
    if (m_view && settings.contains(kOptionsDocked) &&
        settings.value(kOptionsDocked).toBool() != m_view->optionsDocked())
        m_view->toggleOptionsDocked();
}

void CMainFrame::saveWindowSettings()
{
    // A convenience only: a settings folder that cannot be written costs the next run its
    // window placement, which is not worth a message box while the program closes.
    QSettings settings(m_settings.applicationFile(), QSettings::IniFormat);
    settings.setValue(kGeometry, saveGeometry());
    settings.setValue(kState, saveState());
    if (m_view) settings.setValue(kOptionsDocked, m_view->optionsDocked());
}

}  // namespace calivue
