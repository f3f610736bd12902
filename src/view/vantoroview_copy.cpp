// Copy and Copy To Bitmap: the region chosen in the screen-grab dialog, taken exactly as it is
// painted, to the clipboard or a 24-bit bitmap file.
#include "view/vantoroview.h"

#include "view/objectviewer.h"
#include "view/screengrab.h"
#include "document/vantorodoc.h"

#include "core/bitmapfile.h"
#include "desktop/clipboard.h"
#include "platform/errortext.h"
#include "platform/fspath.h"
#include "desktop/irfiledialog.h"
#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <vector>

namespace calivue {

namespace {

// The whole main window. Where the window system lets a program read the screen (X11), the
// pixels come from the screen so the frame and caption drawn by the window manager are
// included; elsewhere the window paints itself into the image (menu, tool bar, view and
// status bar).
QImage grabWholeWindow(QWidget* window)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (QScreen* screen = window->screen()) {
            const QRect frame = window->frameGeometry();
            const QPixmap shot =
                screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
            if (!shot.isNull()) return shot.toImage();
        }
    }
    return window->grab().toImage();
}

}  // namespace

QImage CVantoroView::grabRegion(int region) const
{
    cObjectViewer* image = m_viewers[ImageViewer];
    switch (static_cast<cScreenGrab::Region>(region)) {
        case cScreenGrab::Region::FullWindow:
            return grabWholeWindow(window());
        case cScreenGrab::Region::Snapshot:
            // The image viewer less its border: the picture alone.
            if (!image) return {};
            return image->grab(image->contentRect()).toImage();
        case cScreenGrab::Region::SnapshotPlus: {
            // The same rectangle, extended on the right to the colour bar viewer's right edge.
            cObjectViewer* bar = m_viewers[ColourBarViewer];
            if (!image || !bar) return {};
            QRect area = image->contentRectInParent();
            area.setRight(bar->geometry().right());
            return m_canvas->grab(area).toImage();
        }
    }
    return {};
}

bool CVantoroView::writeBitmapFile(const QString& path, const QImage& image, FileFailure* failure)
{
    if (image.isNull() || path.isEmpty()) return false;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int w = rgb.width();
    const int h = rgb.height();
    // Packed blue-green-red rows, the bottom row first.
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3);
    std::size_t at = 0;
    for (int y = h - 1; y >= 0; --y) {
        const uchar* line = rgb.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            rows[at++] = line[3 * x + 2];
            rows[at++] = line[3 * x + 1];
            rows[at++] = line[3 * x];
        }
    }
    return writeBmp24(toFsPath(path), w, h, rows, failure) == Error::None;
}

void CVantoroView::copyToClipboard()
{
    copyRegion(false);
}

void CVantoroView::copyToBitmap()
{
    copyRegion(true);
}

void CVantoroView::copyRegion(bool toFile)
{
    if (!m_doc.isLoaded() || !m_viewersCreated) return;
    const QString title = uiText(toFile ? sid::CopyToBitmapTitle : sid::CopyTitle);
    cScreenGrab dialog(title, this);
    const std::optional<cScreenGrab::Region> region = dialog.choose();
    if (!region) return;

    QString path;
    if (toFile) {
        cIRFileDialog save(cIRFileDialog::Mode::Save, QStringLiteral("bmp"));
        save.setTitle(title);
        save.addFilter(uiText(sid::FilterBitmap), QStringLiteral("*.bmp"));
        save.setOverwritePrompt(true);
        const std::optional<QString> chosen = save.choose(this);
        if (!chosen) return;
        path = *chosen;
    }

    // The dialogs have closed: let the window repaint where they were before taking pixels.
    window()->update();
    QCoreApplication::processEvents();
    const QImage pixels = grabRegion(static_cast<int>(*region));
    if (pixels.isNull()) return;
    FileFailure failure;
    if (toFile && !writeBitmapFile(path, pixels, &failure))
        // The earlier file is kept whole; the user learns which file and why.
        cMessageDlg::messageBox(saveFailureText(sid::ErrorSavingFile, failure, path),
                                cMessageDlg::IconStop, cMessageDlg::ButtonsOk, this);
    else if (!toFile)
        copyImageToClipboard(pixels);
}

}  // namespace calivue
