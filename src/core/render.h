// Rendering helpers that work on 24-bit buffers: orientation of a rendered
// picture and blending with the visual photograph.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace calivue {

class cBrixa;
struct DisplayState;

// Rotates a (cols × rows) blue-green-red picture by the record orientation 0–3
// (the same index maps the renderer uses on values). Orientations 1 and 3 give
// rows × cols. Any other orientation copies unchanged.
std::vector<std::uint8_t> orientPicture(std::span<const std::uint8_t> bgr, int cols, int rows,
                                        int orientation);

// Mixes the visual picture into the thermal picture in place. Both are
// (320f) × (240f) blue-green-red pixels in the same row order, captured frame.
// The threshold modes use img's readings over the span [spanLow, spanHigh];
// the alignment offsets come from img.
void blendPictures(std::span<std::uint8_t> thermal, std::span<const std::uint8_t> visual, int mode,
                   int f, const cBrixa& img, int spanLow, int spanHigh);
// The same with the alignment offsets given (the shown ones, not the record's).
void blendPictures(std::span<std::uint8_t> thermal, std::span<const std::uint8_t> visual, int mode,
                   int f, const cBrixa& img, int spanLow, int spanHigh, int alignX, int alignY);

// The picture as `state` shows it, into out (its memory reused): rendered at factor f through
// the state's palette, span and isotherm bands, blended in the captured frame with `visual`
// (the photograph scaled by f; empty: no blend) by the state's blend mode and alignment
// offsets, then turned to the state's orientation (turned pictures are (240f) × (320f)).
// Every display value comes from the state; the image's arrays must be built. False when
// the render is refused.
bool renderShown(const cBrixa& img, const DisplayState& state, int f,
                 std::span<const std::uint8_t> visual, std::vector<std::uint8_t>& out);

// The whole pipeline with the record's palette, offsets and orientation (building the
// arrays when needed): as renderShown of those values, except that a non-empty visual is
// mixed in whatever the mode (mode 0 mixes the thermal picture with itself). Empty when the
// render is refused.
std::vector<std::uint8_t> renderBlended(cBrixa& img, int f, int spanLow, int spanHigh,
                                        unsigned isothermFlags,
                                        std::span<const std::uint8_t> visual, int blendMode);

// The visual picture scaled by f: each pixel repeated f times in both directions.
std::vector<std::uint8_t> repeatPixels(std::span<const std::uint8_t> bgr, int cols, int rows,
                                       int f);

}  // namespace calivue
