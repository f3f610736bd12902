// One snapshot as the report writer shows and prints it: its thermal picture, the thermal
// picture blended with the visual photograph and the visual photograph, side by side, each
// with the snapshot's markers in their small style. The image selection preview, the details
// page's strip and the printed inspection page all draw through here.
#pragma once

#include "paint/snapshotpainter.h"

#include "core/bitmapfile.h"
#include "core/brixa.h"
#include "core/displaystate.h"
#include "core/error.h"

#include <QString>

#include <vector>

class QPainter;
class QRect;

namespace calivue {

// A snapshot loaded on its own (not the document's): a short-lived image with its arrays
// built, its display state, its markers and the bitmap beside it.
struct ReportSnapshot {
    cBrixa image;
    DisplayState state;
    std::vector<SnapshotMarker> markers;
    cBitmapFile bitmap;  // invalid when the bitmap is missing or not a bitmap
};

// Loads the record of snapshotPath (.qvx, any case of the companion) and the bitmap at
// bitmapPath (which may be empty). The error of the record's open; Error::None on success.
// A bitmap that does not load leaves `bitmap` invalid without failing.
Error loadReportSnapshot(const QString& snapshotPath, const QString& bitmapPath,
                         ReportSnapshot& out);

// Which alignment offsets move the visual photograph under the thermal picture.
enum class StripOffsets {
    Recorded,       // the state's offsets as they are
    SavedWhenZero,  // the state's, or the record's saved offsets when both are 0 (the preview)
};

// Paints the three pictures into three equal panes of target (left to right: thermal,
// blend, visual), each stretched, as snapshot.state shows them (palette, span, blend,
// offsets and orientation; the snapshot is not changed), and the markers over each pane; on the
// visual pane they move left by the horizontal offset ÷ 1.5 and down by the vertical one, and are
// left out when they fall outside it. A missing photograph leaves the visual pane unpainted and the
// blend pane showing the thermal picture. False, with nothing painted, when the picture
// cannot be rendered.
bool paintSnapshotStrip(QPainter& painter, const QRect& target, const ReportSnapshot& snapshot,
                        StripOffsets offsets = StripOffsets::Recorded);

}  // namespace calivue
