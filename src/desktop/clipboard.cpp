#include "desktop/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace calivue {

bool copyImageToClipboard(const QImage& image)
{
    if (image.isNull() || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    clipboard->setImage(image, QClipboard::Clipboard);
    return true;
}

}  // namespace calivue
