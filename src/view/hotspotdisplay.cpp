#include "view/hotspotdisplay.h"
#include "platform/textformat.h"

#include "document/vantorodoc.h"

#include "core/brixa.h"
#include "core/constants.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace calivue {

namespace {

// A temperature as the table shows it: differences are taken between these, so that a
// difference always agrees with the two numbers above it.
double displayed(double t)
{
    return QString::number(t, 'f', 1).toDouble();
}

QString position(int x, int arrayRow)
{
    // Positions are shown as the picture counts them, y from the top.
    return QString::asprintf("(%d,%d)", x, kHeight - 1 - arrayRow);
}

ColourRef greyText()
{
    return fromQColor(QGuiApplication::palette().color(QPalette::Disabled, QPalette::WindowText));
}

}  // namespace

cHotSpotDisplay::cHotSpotDisplay(CVantoroDoc* document)
{
    if (document) AttachDocument(document);
    m_font.SetFaceName(QStringLiteral("Arial"));
    m_font.SetBold(true);
    m_font.SetHeight(kRowStep);
}

cHotSpotDisplay::~cHotSpotDisplay() = default;

std::array<int, 3> cHotSpotDisplay::ColumnStarts(int w)
{
    return {2, w / 3 + 20, 2 * w / 3 + 7};
}

QString cHotSpotDisplay::Temperature(double value) const
{
    return formatTemperature(value, m_image->unitText());
}

std::vector<cHotSpotDisplay::Row> cHotSpotDisplay::Rows() const
{
    std::vector<Row> rows;
    if (!m_document || !m_image || !m_image->isLoaded()) return rows;
    const auto& markers = m_document->markers();
    const auto heading = [&](int id) { rows.push_back(Row{{uiText(id), {}, {}}, true, false}); };

    heading(sid::CursorListTitle);
    rows.push_back(
        Row{{uiText(sid::CursorListId), uiText(sid::ColumnTemp), uiText(sid::ColumnPosition)}});
    for (int i = 0; i < kMaxCursors; ++i) {
        const Marker& m = markers[static_cast<std::size_t>(i)];
        // A free slot keeps its line, greyed, with nothing measured in it.
        const QString where = m.inUse ? position(m.x, m.row) : QStringLiteral("(0,0)");
        const double t = m.inUse ? m.temperature : 0.0;
        rows.push_back(Row{{m.name, Temperature(t), where}, false, !(m.inUse && m.shown)});
    }
    if (markers[0].inUse && markers[1].inUse) {
        const double d = displayed(markers[0].temperature) - displayed(markers[1].temperature);
        rows.push_back(Row{{uiText(sid::TempDiff), Temperature(d), uiText(sid::CursorDiffSuffix)}});
    }

    heading(sid::ImageInfo);
    const double hot = m_image->markerTemperature(kHottestMarker);
    const double cold = m_image->markerTemperature(kColdestMarker);
    for (const int i : {kHottestMarker, kColdestMarker}) {
        const Marker& m = markers[static_cast<std::size_t>(i)];
        rows.push_back(
            Row{{m.name, Temperature(i == kHottestMarker ? hot : cold), position(m.x, m.row)},
                false,
                !m.shown});
    }
    rows.push_back(Row{{uiText(sid::TempDiff), Temperature(displayed(hot) - displayed(cold)),
                        uiText(sid::HotColdDiffSuffix)}});
    const int averageRaw = static_cast<int>(std::lround(m_image->stats().average));
    rows.push_back(Row{{uiText(sid::Average),
                        Temperature(m_image->rawToTemperature(std::clamp(averageRaw, 0, 0xFFFF))),
                        {}}});

    if (m_document->areaSelectOn()) {
        const cBrixa::AreaStats& a = m_image->areaStats();
        const int areaAverage = static_cast<int>(std::lround(a.average));
        heading(sid::AreaSelect);
        rows.push_back(
            Row{{uiText(sid::Max), Temperature(m_image->rawToTemperature(a.maxRaw)), {}}});
        rows.push_back(
            Row{{uiText(sid::Min), Temperature(m_image->rawToTemperature(a.minRaw)), {}}});
        rows.push_back(
            Row{{uiText(sid::Average),
                 Temperature(m_image->rawToTemperature(std::clamp(areaAverage, 0, 0xFFFF))),
                 {}}});
    }
    return rows;
}

bool cHotSpotDisplay::DrawContent(QPainter& painter)
{
    const std::vector<Row> rows = Rows();
    if (rows.empty()) return true;
    const std::array<int, 3> x = ColumnStarts(m_W);
    const QColor face = toQColor(systemColour(QPalette::Button));
    const QColor text = toQColor(systemColour(QPalette::WindowText));
    const QColor grey = toQColor(greyText());
    const QFontMetrics metrics(m_font);
    painter.save();
    painter.setFont(m_font);
    const auto draw = [&](int left, int y, const QString& s) {
        if (s.isEmpty()) return;
        const QRect box(left, y, metrics.horizontalAdvance(s), metrics.height());
        painter.fillRect(box, face);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, s);
    };
    int y = 0;
    for (const Row& row : rows) {
        painter.setPen(row.grey ? grey : text);
        if (row.centred) {
            draw((m_W - metrics.horizontalAdvance(row.cells[0])) / 2, y, row.cells[0]);
        } else {
            for (int c = 0; c < 3; ++c)
                draw(x[static_cast<std::size_t>(c)], y, row.cells[static_cast<std::size_t>(c)]);
        }
        y += kRowStep;
    }
    painter.restore();
    return true;
}

}  // namespace calivue
