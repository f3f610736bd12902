// Putting a picture on the system clipboard.
#ifndef CALIVUE_PLATFORM_CLIPBOARD_H
#define CALIVUE_PLATFORM_CLIPBOARD_H

class QImage;

namespace calivue {

// Replaces the clipboard's contents with `image`; the clipboard keeps its own copy. Returns
// false, leaving the clipboard untouched, when the image is null or no clipboard exists
// (no QGuiApplication).
bool copyImageToClipboard(const QImage& image);

}  // namespace calivue

#endif
