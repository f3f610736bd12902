// DocChange: what one change of the open snapshot's document touched. The document
// announces every change once, as a set of these (CVantoroDoc::changed); each view,
// display set and option page reads the set and redoes only what it shows of it.
#pragma once

#include <QFlags>

#include <cstdint>

namespace calivue {

enum class DocChange : std::uint32_t {
    // A snapshot was opened or the document cleared: every value below is new.
    Picture = 1u << 0,
    Span = 1u << 1,
    Palette = 1u << 2,
    Interpolation = 1u << 3,
    Blend = 1u << 4,
    Alignment = 1u << 5,  // the visual photograph's offsets
    Isotherms = 1u << 6,  // the isotherm switches or their bounds
    Orientation = 1u << 7,
    Zoom = 1u << 8,        // the zoom factor
    ZoomWindow = 1u << 9,  // the part of the picture shown
    Area = 1u << 10,       // area select on or off, or its box size
    Profiles = 1u << 11,   // profile lines moved, shown or hidden
    Markers = 1u << 12,    // entries of the marker list or their switches
    // Image emissivity or reflected temperature: every reading is computed again.
    Measurements = 1u << 13,
    Unit = 1u << 14,
    Details = 1u << 15,    // capture moment or comments
    Selection = 1u << 16,  // the status bar's selected point
    Title = 1u << 17,      // file name or modified mark
    Saved = 1u << 18,      // the snapshot's files were written
    // What the views redo beyond the values above:
    Readings = 1u << 19,  // marker temperatures or area statistics of the cursor list
    Layout = 1u << 20,    // the viewers' arrangement (the picture's shape, profiles shown)
    Controls = 1u << 21,  // every option page reads all its controls again
};
Q_DECLARE_FLAGS(DocChanges, DocChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(DocChanges)

// The changes that alter the picture's colours (the redraw timer's image-changed flag):
// the rendered picture, colour bar, span selector and profiles are drawn again.
inline constexpr DocChanges kImageChanges =
    DocChanges(DocChange::Picture) | DocChange::Span | DocChange::Palette |
    DocChange::Interpolation | DocChange::Blend | DocChange::Alignment | DocChange::Isotherms |
    DocChange::Unit | DocChange::Measurements;
// The changes drawn over or around the picture (the overlay-changed flag): the picture's
// viewer and the profiles are drawn again.
inline constexpr DocChanges kOverlayChanges =
    DocChanges(DocChange::Picture) | DocChange::Orientation | DocChange::ZoomWindow |
    DocChange::Area | DocChange::Profiles | DocChange::Markers;

}  // namespace calivue
