// Putting a picture on the system clipboard.
#pragma once

class QImage;

namespace calivue {

// Replaces the clipboard's contents with `image`; the clipboard keeps its own copy. Returns
// false, leaving the clipboard untouched, when the image is null or no clipboard exists
// (no QGuiApplication).
bool copyImageToClipboard(const QImage& image);

}  // namespace calivue
