// Bitmap: the off-screen 24-bit surface every display object draws into.
//
// Rows are addressed bottom-up (row 0 is the bottom row) and pixels are stored blue, green,
// red, the width always a multiple of 4 so that a row is exactly width × 3 bytes. The pixels
// live in a QImage (Format_BGR888, top row first in memory) which a QPainter can draw text
// and shapes on; the bottom-up addressing of the pixel operations below is translated here,
// so no caller ever flips rows itself. Every pixel operation stays inside the buffer.
//
// A surface may have a device pixel ratio above 1 (a HiDPI screen): all coordinates stay
// logical, the QImage holds ceil(side × ratio) device pixels per side and carries the ratio,
// so text and shapes painted through QPainter land at device resolution. Each pixel
// operation fills every device pixel a logical pixel covers; at a fractional ratio the
// covered spans overlap by a device pixel rather than leave a gap.
#pragma once

#include "paint/colourref.h"

#include <QImage>
#include <QPoint>

#include <cstdint>

namespace calivue {

// Four edges of a rectangle of surface pixels, all inclusive, rows counted bottom-up, so
// top is the higher row (top ≥ bottom for a non-empty rectangle).
struct EdgeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const EdgeRect&) const = default;
};

class Bitmap {
public:
    // Larger sides are refused by Create; they keep a corrupt size from asking for gigabytes.
    static constexpr int kMaxSide = 16384;

    Bitmap() = default;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // Largest device pixel ratio a surface takes; larger ones are limited to it.
    static constexpr double kMaxRatio = 4.0;
    // The ratio a surface takes for a requested one: below 1 or not a number gives 1.
    static double Ratio(double requested)
    {
        return requested >= 1.0 ? (requested < kMaxRatio ? requested : kMaxRatio) : 1.0;
    }

    // height = h; width = w rounded up to the next multiple of 4, both logical; ratio is the
    // device pixels per logical pixel (below 1 or not a number counts as 1). Takes effect at
    // Create.
    void SetSize(int w, int h, double ratio = 1.0);
    // Allocates the surface for the current size, reusing the existing one when its size
    // matches (its pixels are then kept). A new surface starts black. False, with no
    // surface, when a side is not positive or too large, or the allocation failed.
    bool Create();
    // Releases the surface.
    void Free();
    bool IsCreated() const { return !m_image.isNull(); }

    int width() const { return m_width; }
    int height() const { return m_height; }
    double devicePixelRatio() const { return m_ratio; }
    // Sides of the surface in device pixels (0 until Create succeeds).
    int deviceWidth() const { return m_image.width(); }
    int deviceHeight() const { return m_image.height(); }
    // First and last device column (or row, bottom-up) that logical column (row) v covers,
    // for a device extent of `extent` pixels; last < first when v lies outside.
    int deviceFirst(int v) const;
    int deviceLast(int v, int extent) const;
    // Bytes of pixels: 3 × width × height for the current logical size.
    int size() const { return m_size; }

    // Copies min(own, other's) device pixel bytes in bottom-up row order, when both
    // surfaces exist (the same as pixel for pixel when both have the same ratio and size).
    void CopyFrom(const Bitmap& other);

    // Writes the colour at column x of row y; nothing happens outside the surface.
    void SetPixel(int x, int y, ColourRef colour);
    // The colour at (x, y), 0 outside the surface.
    ColourRef Pixel(int x, int y) const;
    // Fills the inclusive rectangle, clipped to the surface; nothing when top < bottom.
    void FillRect(const EdgeRect& rect, ColourRef colour);
    // Mixes the colour into every pixel of the inclusive rectangle:
    // new = int(colour × alpha) + int(old × (1 − alpha)) per channel, limited to 0–255.
    // Refused (nothing changes) unless every edge lies on the surface and bottom ≤ top.
    void BlendRect(const EdgeRect& rect, ColourRef colour, double alpha);
    // Bresenham line including both end points. Coordinates are first limited to width − 1
    // and height − 1; pixels that still fall outside (negative ones) are skipped.
    void DrawLine(int x0, int y0, int x1, int y1, ColourRef colour);
    // Lines between consecutive points, and back to the first when closed.
    void DrawPolyline(const QPoint* points, int count, ColourRef colour, bool closed);

    // The surface as an image to paint on or copy from (top row first, as QImage counts).
    // Null until Create succeeds.
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }
    // Device row y counted bottom-up: deviceWidth × 3 bytes. Null outside the surface.
    std::uint8_t* row(int y);
    const std::uint8_t* row(int y) const;

private:
    QImage m_image;
    int m_width = 0;
    int m_height = 0;
    int m_size = 0;
    double m_ratio = 1.0;
};

}  // namespace calivue
