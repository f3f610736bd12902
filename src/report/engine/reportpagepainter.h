// Internal to the report/engine layer.
// Draws the items of a report page (reportpage.h) on any painter whose device units are the
// page's: the 300-dpi A4 PDF page, or a picture of one in tests.
#pragma once

#include "report/engine/reportpage.h"
#include "platform/textformat.h"  // hasRightToLeftLetters

#include <QFont>
#include <QFontMetricsF>

#include <vector>

class QImage;
class QPainter;

namespace calivue {

// The report's three fonts, face "Arial" (resolved by the font configuration, e.g. to a
// metric-compatible face): body and bold 50 units high, headings 64, heights being the
// whole character cell as the page layout measures them; the finding band's small text 40.
struct ReportFonts {
    QFont body, bold, heading, small;
};
ReportFonts reportFonts();

// The pixel size that gives a font a character cell `cellHeight` units high.
int fontPixelSize(int cellHeight);

// Paints every item in order. Logo and Strip items draw `logo` and `strip` scaled into their
// rectangles (nothing when the picture is null); Picture items draw their entry of
// `pictures` (nothing for an index it does not hold).
void paintPageItems(QPainter& painter, const PageItems& items, const ReportFonts& fonts,
                    const QImage* logo = nullptr, const QImage* strip = nullptr,
                    const std::vector<QImage>* pictures = nullptr);

// The text of a Wrap item as it is laid out in `width` units: every word wider than the
// box cut short with an ellipsis, so the break only falls between words.
QString elideLongWords(const QString& text, const QFontMetricsF& metrics, qreal width);

}  // namespace calivue
