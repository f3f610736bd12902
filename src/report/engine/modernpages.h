// Internal to the report/engine layer.
// The pages of the modern layout, built from plain data like the designed ones (reportpage.h)
// and drawn by the same page painter. Unlike the designed pages every text is laid out here,
// line by line, in the fonts it is printed in: boxes grow to hold their text, and an
// inspection that does not fit its page continues on the next one under the heading
// "Inspection 4 (continued)". Pictures are Picture items numbered as ModernPicture says.
#pragma once

#include "report/engine/modernpictures.h"
#include "report/engine/reportpage.h"
#include "report/engine/reportpagepainter.h"

#include "core/findings.h"

#include <vector>

namespace calivue {

// The page pictures of an inspection, by their Picture item numbers.
enum ModernPicture : int { PictureThermal = 0, PicturePhotograph, PictureBlend, PictureScale };

// One row of the readings table.
struct ModernReading {
    QString label;  // as the pictures number the marker
    QRgb colour = 0xFF000000;
    QString temperature;
    QString emissivity;  // empty where it is the image's
};

struct ModernInspectionData {
    InspectionPageData page;  // heading, record, captions, unit, snapshot facts
    ModernPictureFacts pictures;
    std::vector<ModernReading> readings;
    Finding finding;
    FindingsSettings settings;
    // The comparison with the previous survey, printed after the finding; empty without one.
    std::vector<PrintedLine> comparison;
};

// A text laid out in `width` units in font: its lines (every line no wider than width,
// words longer than a line broken inside) joined by line feeds.
QStringList layoutLines(const QString& text, const QFont& font, double width);

// The pages of one inspection: the first and its continuation pages (no footers).
std::vector<PageItems> modernInspectionPages(const ModernInspectionData& data,
                                             const ReportFonts& fonts, const StringTable& texts);

// The summary pages: one row per inspection (number, location, equipment, fault text and the
// priority in force in its colour), each row as tall as its longest text; a row taller than a
// page continues on the next one.
std::vector<PageItems> modernSummaryPages(const std::vector<cInspectionRecord>& records,
                                          const std::vector<int>& priorities,
                                          const ReportFonts& fonts, const StringTable& texts);

// One contents row: its text and the page it points to.
struct ModernContentsRow {
    QString text;
    int page = 0;
};
inline constexpr int kModernContentsRows = 40;
inline constexpr int kModernPageWidth = 2480;
// Where contents row j (0-based, on its page) lies: the whole row, a link's place.
PageRect modernContentsRowRect(int j);
// Contents page k (0-based) of the rows.
PageItems modernContentsPage(const std::vector<ModernContentsRow>& rows, int k,
                             const ReportFonts& fonts, const StringTable& texts);

// A page read from the right: every item moved to its mirror place across the page (tables
// then read from the right, the scale stands left of the picture), texts given a right-to-left
// base direction where they hold right-to-left letters, and in those every number with its
// unit ("86.0 °C", "0.95", "12.03.2024") isolated so the bidirectional reordering keeps it
// whole; a text without such letters keeps its own order, aligned to the other side.
// Pictures are placed, not turned.
void mirrorForRightToLeft(PageItems& items);

}  // namespace calivue
