#include "desktop/clickactivation.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace calivue {

namespace {

class cClickActivation : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
            QWidget* top = static_cast<QWidget*>(watched)->window();
            if (top->windowType() != Qt::Popup && !top->isActiveWindow()) top->activateWindow();
        }
        return false;  // the press goes on to its widget as usual
    }
};

}  // namespace

void activateWindowsOnClick(QCoreApplication& app)
{
    static constexpr char kInstalled[] = "calivueClickActivation";
    if (app.property(kInstalled).toBool()) return;
    app.setProperty(kInstalled, true);
    app.installEventFilter(new cClickActivation(&app));
}

}  // namespace calivue
