// cSnapshotPainter: the markers — the record's own marker list, the analysis window's
// labelled cross (large style) and the report previews' coloured cross (small style).
#include "paint/snapshotpainter.h"

#include "core/brixa.h"
#include "core/constants.h"
#include "core/cursorlist.h"

#include "platform/textformat.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace calivue {

namespace {

constexpr ColourRef kWhite = rgb(255, 255, 255);
constexpr ColourRef kBlack = rgb(0, 0, 0);

// Drawing in content coordinates (y down from the top) of a w × h area at the top-left of
// a bottom-up surface; every helper stays inside the surface.
struct Content {
    Bitmap& surface;

    EdgeRect edges(const QRect& c) const
    {
        const int top = surface.height() - 1 - c.y();
        return EdgeRect{c.x(), top, c.x() + c.width() - 1, top - c.height() + 1};
    }
    void fill(const QRect& c, ColourRef colour) const
    {
        if (c.width() > 0 && c.height() > 0) surface.FillRect(edges(c), colour);
    }
    // Refused like Bitmap::BlendRect when any part lies outside the surface.
    void blend(const QRect& c, ColourRef colour, double alpha) const
    {
        if (c.width() > 0 && c.height() > 0) surface.BlendRect(edges(c), colour, alpha);
    }
    // A one-pixel outline along the inside of the rectangle.
    void frame(const QRect& r, ColourRef colour) const
    {
        if (r.width() <= 0 || r.height() <= 0) return;
        fill(QRect(r.x(), r.y(), r.width(), 1), colour);
        fill(QRect(r.x(), r.y() + r.height() - 1, r.width(), 1), colour);
        fill(QRect(r.x(), r.y(), 1, r.height()), colour);
        fill(QRect(r.x() + r.width() - 1, r.y(), 1, r.height()), colour);
    }
};

QString reading(const cBrixa& img, int x, int row, int hundredths)
{
    const float t = img.temperatureAt(x, row, hundredths / 100.0f);
    return formatTemperature(static_cast<double>(t), img.unitText());
}

}  // namespace

std::vector<SnapshotMarker> snapshotMarkers(const cBrixa& img, const DisplayState& state,
                                            const QString& coldName, const QString& hotName)
{
    std::vector<SnapshotMarker> markers;
    const RecordFields& f = img.fields;
    if (state.cursorsShown) {
        const CursorSlots recorded = cursorSlotsFromRecord(f);
        for (int i = 0; i < kMaxCursors; ++i) {
            const CursorSlot& s = recorded[static_cast<std::size_t>(i)];
            if (!s.inUse) continue;
            const QString label = state.cursorTemps ? reading(img, s.x, s.arrayRow, s.emissivity)
                                                    : QStringLiteral("C%1").arg(i + 1);
            markers.push_back({i, s.x, s.arrayRow, label});
        }
    }
    const cBrixa::Stats& st = img.stats();
    const int e = f.emissivity[10];
    if (state.coldestShown)
        markers.push_back({kColdestMarker, st.coldX, st.coldRow,
                           state.cursorTemps ? reading(img, st.coldX, st.coldRow, e) : coldName});
    if (state.hottestShown)
        markers.push_back({kHottestMarker, st.hotX, st.hotRow,
                           state.cursorTemps ? reading(img, st.hotX, st.hotRow, e) : hotName});
    return markers;
}

QPoint cSnapshotPainter::ImageToContent(int x, int row, const QRect& z, int orientation, int w,
                                        int h)
{
    const double fx = (x + 0.5 - z.left()) / z.width();
    const double fy = (row + 0.5 - z.top()) / z.height();
    const auto t = [](double v) { return static_cast<int>(std::floor(v)); };
    switch (orientation) {
        case 1:
            return QPoint(t(w * fy), t(h * fx));
        case 2:
            return QPoint(w - 1 - t(w * fx), t(h * fy));
        case 3:
            return QPoint(w - 1 - t(w * fy), h - 1 - t(h * fx));
        default:
            return QPoint(t(w * fx), h - 1 - t(h * fy));
    }
}

namespace {

// A label box of the large style for a tw × th label whose cross is at (d, e): above and right
// of it, or below it / left of it when asked, moved inside the w × h area.
QRect labelBox(int d, int e, int tw, int th, int w, int h, bool below, bool leftSide)
{
    int left = leftSide ? d - tw - 7 : d + 4;
    int top = below ? e + 5 : e - th - 4;
    left = std::clamp(left, 1, std::max(1, w - 1 - (tw + 3)));
    top = std::clamp(top, 1, std::max(1, h - 1 - th));
    return QRect(left, top, tw + 3, th);
}

// Whether two label boxes touch, their frames (one pixel around the box) included.
bool overlaps(const QRect& a, const QRect& b)
{
    return a.adjusted(-1, -1, 1, 1).intersects(b.adjusted(-1, -1, 1, 1));
}

}  // namespace

std::vector<QRect> cSnapshotPainter::LabelBoxes(const std::vector<QPoint>& at,
                                                const std::vector<QSize>& sizes, int w, int h)
{
    std::vector<QRect> boxes;
    std::vector<QRect> placed;
    for (std::size_t i = 0; i < at.size() && i < sizes.size(); ++i) {
        const int d = at[i].x(), e = at[i].y();
        const int tw = sizes[i].width(), th = sizes[i].height();
        if (w < tw + 6) {  // no room: the cross alone
            boxes.emplace_back();
            continue;
        }
        // The designed place first: a label that clashes with none is where it always was.
        int left = d + 4, right = d + tw + 7, top = e - th - 4, bottom = e - 4;
        if (top < 1) {
            top = 1;
            bottom = th + 1;
        }
        if (right >= w) {
            left -= right - (w - 1);
            right = w - 1;
        }
        QRect box(left, top, right - left, bottom - top);
        const auto clear = [&](const QRect& r) {
            return std::none_of(placed.begin(), placed.end(),
                                [&](const QRect& p) { return overlaps(p, r); });
        };
        if (!clear(box)) {
            bool found = false;
            for (const auto& [below, leftSide] :
                 {std::pair{true, false}, std::pair{false, true}, std::pair{true, true}}) {
                const QRect tried = labelBox(d, e, tw, th, w, h, below, leftSide);
                if (clear(tried)) {
                    box = tried;
                    found = true;
                    break;
                }
            }
            // Crowded: step the box down, then up, a label height at a time.
            for (int step = 1; !found && step < 2 * h / std::max(1, th + 3); ++step) {
                const int dy = (step % 2 ? 1 : -1) * ((step + 1) / 2) * (th + 3);
                QRect tried = box.translated(0, dy);
                if (tried.top() < 1 || tried.bottom() > h - 2) continue;
                if (clear(tried)) {
                    box = tried;
                    found = true;
                }
            }
        }
        placed.push_back(box);
        boxes.push_back(box);
    }
    return boxes;
}

void cSnapshotPainter::DrawLargeMarkers(Bitmap& surface, QPainter& painter, int w, int h,
                                        const std::vector<SnapshotMarker>& markers, const QRect& z,
                                        int orientation) const
{
    const Content c{surface};
    painter.setFont(m_labelFont);
    painter.setPen(toQColor(systemColour(QPalette::WindowText)));
    painter.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics metrics = painter.fontMetrics();
    std::vector<const SnapshotMarker*> shown;
    std::vector<QPoint> at;
    std::vector<QSize> sizes;
    for (const SnapshotMarker& m : markers) {
        if (m.x < z.left() || m.x > z.right() || m.row < z.top() || m.row > z.bottom()) continue;
        shown.push_back(&m);
        at.push_back(ImageToContent(m.x, m.row, z, orientation, w, h));
        sizes.emplace_back(metrics.horizontalAdvance(m.label), metrics.height());
    }
    const std::vector<QRect> boxes = LabelBoxes(at, sizes, w, h);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const int d = at[i].x(), e = at[i].y();
        if (const QRect& box = boxes[i]; !box.isNull()) {
            // The frame's right and bottom edges lie just outside the box.
            c.blend(box, kWhite, 0.6);
            painter.drawText(box, Qt::AlignCenter, shown[i]->label);
            c.frame(QRect(box.left() - 1, box.top(), box.width() + 2, box.height()), kBlack);
        }
        c.frame(QRect(d - 1, e - 10, 3, 20), kBlack);
        c.frame(QRect(d - 10, e - 1, 20, 3), kBlack);
        c.fill(QRect(d, e - 9, 1, 18), kWhite);
        c.fill(QRect(d - 9, e, 18, 1), kWhite);
    }
}

void cSnapshotPainter::DrawSmallMarkers(Bitmap& surface, const QRect& area,
                                        const std::vector<SnapshotMarker>& markers, QPointF offset)
{
    const Content c{surface};
    const double sx = area.width() / double(kWidth), sy = area.height() / double(kHeight);
    for (const SnapshotMarker& m : markers) {
        const double fx = m.x * sx + area.left() - offset.x();
        const double fy = (kHeight - 1 - m.row) * sy + area.top() + offset.y();
        const int px = static_cast<int>(fx), py = static_cast<int>(fy);
        if (fx < area.left() || fy < area.top() || px > area.right() || py > area.bottom())
            continue;
        const MarkerColours colours = markerColours(m.index);
        const ColourRef pen = colours.pen, fill = colours.fill;
        // Two framed bars, then the cross lines kept inside the area.
        c.frame(QRect(px - 5, py - 1, 11, 3), fill);
        c.frame(QRect(px - 1, py - 5, 3, 11), fill);
        const int x0 = std::max(px - 4, area.left()), x1 = std::min(px + 5, area.right());
        const int y0 = std::max(py - 4, area.top()), y1 = std::min(py + 5, area.bottom());
        c.fill(QRect(x0, py, x1 - x0, 1), pen);
        c.fill(QRect(px, y0, 1, y1 - y0), pen);
    }
}

}  // namespace calivue
