// Internal to the report/engine layer.
// The pictures of an inspection on a modern report page: the thermal picture, the visual
// photograph and (when the snapshot blends) the blend, each with the numbered markers drawn
// through the shared snapshot painter, and the colour scale of the span. What a page needs
// to be laid out (which panes exist, the span's temperatures) is known without rendering, so
// the pages are laid out first and the pictures rendered while they are printed.
#pragma once

#include "report/engine/snapshotstrip.h"

#include "platform/stringtable.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace calivue {

// Which panes a snapshot prints and what its colour scale says.
struct ModernPictureFacts {
    bool photograph = false;    // a photograph that is not all black
    bool blend = false;         // the snapshot blends (blend mode not 0) and has a photograph
    QString spanHigh, spanLow;  // the span's ends in the image's current unit ("31.5 °C")
    int orientation = 0;        // 0–3 quarter turns, as the analysis window turns the picture
    bool portrait() const { return orientation == 1 || orientation == 3; }
};

// True when the bitmap holds a visual picture with at least one pixel that is not black.
bool photographShown(const cBitmapFile& bitmap);

// The facts of a loaded snapshot; the image must be switched to the report's unit.
ModernPictureFacts modernPictureFacts(const ReportSnapshot& snapshot);

// The marker labels the modern pages print: the cursor's number, "Cold" or "Hot".
QString modernMarkerLabel(int markerIndex, const StringTable& texts);

struct ModernPictures {
    QImage thermal, photograph, blend;  // null when the pane is not printed
    QImage scale;                       // 1 × 256, the hottest colour at the top
};

// Renders the panes at `size` pixels each (the photograph at the thermal picture's scale),
// turned to the snapshot's orientation; a portrait picture swaps size's width and height.
ModernPictures renderModernPictures(const ReportSnapshot& snapshot, QSize size,
                                    const StringTable& texts);

}  // namespace calivue
