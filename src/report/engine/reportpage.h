// The pages of the printed report as lists of items: boxes with their text, labels, headings,
// a rule and the places of the logo and the picture strip, all in device units of the 300-dpi
// A4 page. Each page kind is built here from plain data and the string table of the report
// language (the generator passes its job's; the interface's own table when none is given);
// reportpagepainter.h draws the items.
#pragma once

#include "core/findings.h"
#include "core/reportdata.h"

#include "report/engine/findingtext.h"

#include "platform/languagetable.h"
#include "platform/stringtable.h"

#include <QRgb>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace calivue {

class cBrixa;

// RightFoot: right-aligned, the text's last line ending on the bottom edge of the shrunk
// rectangle and not clipped to it, for a box shallower than a line of text (the page footer).
enum class TextAlign { Left, Centre, Right, Wrap, RightFoot };
// Small: the finding band's text, 40 units high.
enum class ReportFont { Body, Bold, Heading, Small };

struct PageRect {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;

    bool operator==(const PageRect&) const = default;
};

struct PageItem {
    enum class Kind {
        Box,      // outlined rectangle (black pen 5 wide, white fill), text inside shrunk by 10
        Label,    // text in the rectangle shrunk by 10, no outline
        Heading,  // text in the full rectangle
        Line,     // from (x1, y1) to (x2, y2)
        Logo,     // the title page's logo picture, scaled into the rectangle
        Strip,    // the inspection's picture strip, scaled into the rectangle
        Picture,  // picture number `picture` of the page's pictures, scaled into the rectangle
    };

    Kind kind = Kind::Label;
    PageRect rect;
    QString text;
    TextAlign align = TextAlign::Left;
    ReportFont font = ReportFont::Body;
    QRgb colour = 0xFF000000;  // the text colour
    int picture = -1;          // Picture items: the index into the page's pictures
    // The text reads from the right (a Hebrew page): its base direction is right to left and
    // its Left and Right alignments change sides.
    bool rightToLeft = false;
};

using PageItems = std::vector<PageItem>;

// One item of a page in the black text colour.
inline PageItem pageItem(PageItem::Kind kind, PageRect r, QString text = {},
                         TextAlign align = TextAlign::Left, ReportFont font = ReportFont::Body)
{
    PageItem i;
    i.kind = kind;
    i.rect = r;
    i.text = std::move(text);
    i.align = align;
    i.font = font;
    return i;
}

// "Page %d of %d" of a language, in texts' language: Hebrew (Language::Hebrew) receives the
// total first. The page footers and the progress of a report job both say it so.
QString pageOfText(int page, int total, Language language,
                   const StringTable& texts = StringTable::active());
// The page footer in (1880, 3450)–(2380, 3500), right-aligned; its text ends at the box's
// inner bottom, so every script's lowest ink stays on the 3508-unit page.
PageItem footerItem(int page, int total, Language language,
                    const StringTable& texts = StringTable::active());

// --- title page -----------------------------------------------------------------------
struct TitlePageData {
    ReportTitle title;
    std::array<QString, 4> labels;  // company, author, date, comments
    QString dateText;               // empty when no date is shown
    int logoWidth = 0;              // drawn size; 0 × 0 without a logo
    int logoHeight = 0;
};
// The labels the title page prints for a template: the Custom captions, else the defaults.
std::array<QString, 4> titleLabels(ReportTemplate reportTemplate,
                                   const std::array<std::u16string, 4>& captions,
                                   const StringTable& texts = StringTable::active());
PageItems titlePage(const TitlePageData& data, const StringTable& texts = StringTable::active());

// --- contents and summary ----------------------------------------------------------------
// "Inspection 3 - Name", or "Inspection 3" for an empty name (number 1-based).
QString inspectionHeading(int number, const std::u16string& name,
                          const StringTable& texts = StringTable::active());
// With `appendix` the contents also list the "Severity criteria" page, with `equipmentPages`
// the first page of the "Equipment" appendix.
PageItems contentsPage(const std::vector<cInspectionRecord>& records, int k,
                       const StringTable& texts = StringTable::active(), bool appendix = false,
                       int equipmentPages = 0);
// `priorities`, when given (one per record), are the printed priorities, each in the colour of
// its class; without them the records' stored priorities print in black.
PageItems summaryPage(const std::vector<cInspectionRecord>& records, int k,
                      const StringTable& texts = StringTable::active(),
                      const std::vector<int>* priorities = nullptr);

// --- the appendix of a report with findings --------------------------------------------------
// "Severity criteria": the criteria and its standard, the table (both for neta-worst) with
// bounds in `unit`, the load rule, what the classes are taken from, the fRsi threshold and
// the survey conditions.
PageItems criteriaPage(const FindingsSettings& settings, TempUnit unit,
                       const StringTable& texts = StringTable::active());

// --- inspection page ----------------------------------------------------------------------
// One row of the temperature measurements: "Cursor 2" | "23.4 °C", label in the pen colour.
struct ReadingRow {
    QString label;
    QRgb colour = 0xFF000000;
    QString value;

    bool operator==(const ReadingRow&) const = default;
};

// What the page shows of its snapshot.
struct SnapshotFacts {
    bool loaded = false;
    QString path;     // the snapshot file, named in place of the pictures when it did not load
    QString failure;  // why it did not load when it exists ("not a snapshot record"); empty
                      // when it was not found
    QString dateText, timeText;
    bool hasCursors = false;  // at least one measurement cursor: the measurements heading
    std::vector<ReadingRow> readings;
    QString emissivity;  // "0.95"
    QString reflected;   // "20.0 °C"
};

struct InspectionPageData {
    int number = 1;  // 1-based
    cInspectionRecord record;
    ReportTemplate reportTemplate = ReportTemplate::Maintenance;
    std::array<std::u16string, 13> captions;  // used by the Custom template
    TempUnit unit = TempUnit::Celsius;
    std::array<QString, 3> repairDates;  // inspected, repaired, reinspected; empty undated
    Language language = Language::English;  // the word order of the missing-file text
    SnapshotFacts snapshot;
    // The finding's sentences (findingLines); empty for a report without findings, whose page
    // keeps the band below the pictures blank.
    std::vector<PrintedLine> finding;
    // The finding's priority (Finding::priority), printed in its colour in place of the
    // record's stored one; empty for a report without findings.
    std::optional<int> priority;
};
PageItems inspectionPage(const InspectionPageData& data,
                         const StringTable& texts = StringTable::active());

// --- what an inspection page takes from its snapshot ------------------------------------
// The snapshot's texts in `unit` (the image is switched to it): capture date and time (empty
// when impossible), readings of the listed markers and the record's difference, emissivity
// and reflected temperature, as the inspection rules (core/printrules.h) decide them.
// The image must have its arrays built.
SnapshotFacts snapshotFacts(cBrixa& image, const cInspectionRecord& record, TempUnit unit,
                            const StringTable& texts = StringTable::active());

// Where the picture strip goes on an inspection page.
inline constexpr PageRect kStripRect{280, 1200, 2200, 1680};
// The free band between the picture strip and the readings, where the finding prints: two
// columns of small text, every item's rectangle inside it.
inline constexpr PageRect kFindingBand{100, 1690, 2380, 1995};

// The finding's sentences laid out in the band: wrapped to a column, column one filled before
// column two; when they do not all fit, the last line shown ends in an ellipsis.
PageItems findingBand(const std::vector<PrintedLine>& lines);

}  // namespace calivue
