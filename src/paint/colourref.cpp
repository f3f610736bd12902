#include "paint/colourref.h"

#include <QGuiApplication>

namespace calivue {

ColourRef systemColour(QPalette::ColorRole role)
{
    return fromQColor(QGuiApplication::palette().color(QPalette::Active, role));
}

}  // namespace calivue
