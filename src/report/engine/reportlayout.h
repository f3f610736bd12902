// The printed report's page arithmetic: how many contents and summary pages a report of n
// inspections has, which page each inspection lands on, which rows each contents and summary
// page holds, and how a logo is scaled onto the title page. Plain integers, no drawing.
#pragma once

#include <vector>

namespace calivue::layout {

// An A4 page at 300 dots per inch, in device units.
inline constexpr int kPageWidth = 2480;
inline constexpr int kPageHeight = 3508;

inline constexpr int kContentsRowsPerPage = 40;
inline constexpr int kSummaryRowsPerPage = 14;

// The largest logo the title page shows.
inline constexpr int kLogoMaxWidth = 2480;
inline constexpr int kLogoMaxHeight = 780;

struct PageCounts {
    int contents = 0;   // C = ceil((n + 1) / 40): every inspection plus the "Summary" row
    int summary = 0;    // S = ceil(n / 14)
    int total = 0;      // T = 1 + C + n + S (+ 1 with the appendix, + the equipment pages)
    int appendix = 0;   // the "Severity criteria" page of a report with findings: 0 or 1
    int equipment = 0;  // the "Equipment" pages of a report with an equipment list, last

    bool operator==(const PageCounts&) const = default;
};

// The counts for n inspections (a negative n counts as 0). A report that prints findings has
// the appendix page after the summary, and its contents list it after "Summary":
// C = ceil((n + 2) / 40). A report with an equipment list ends with its `equipmentPages`
// pages, listed once in the contents after the rest.
PageCounts pageCounts(int n, bool appendix = false, int equipmentPages = 0);

// The 1-based page of inspection `index` (0-based) in a report of n: C + 2 + index.
int inspectionPageNumber(int n, int index);
// The first summary page: n + C + 2.
int summaryPageNumber(int n);

// One row of a contents page: an inspection (0-based index), or with index −1 "Summary" and
// with kAppendixRow the appendix, with kEquipmentRow the equipment appendix's first page.
inline constexpr int kAppendixRow = -2;
inline constexpr int kEquipmentRow = -3;
struct ContentsRow {
    int inspection = -1;
    int page = 0;

    bool operator==(const ContentsRow&) const = default;
};

// The rows of contents page k (0-based): inspections 40k onward while they last, then the
// "Summary" row and (with the appendix) the appendix row when the page has room left for them.
std::vector<ContentsRow> contentsRows(int n, int k, bool appendix = false, int equipmentPages = 0);
// The page of the appendix: the last page.
int appendixPageNumber(int n);

// The inspections summary page k (0-based) lists: 14k onward, at most 14.
struct RowRange {
    int first = 0;
    int count = 0;

    bool operator==(const RowRange&) const = default;
};
RowRange summaryRows(int n, int k);

struct LogoSize {
    int width = 0;
    int height = 0;

    bool operator==(const LogoSize&) const = default;
};

// A picture of width × height device units as the title page draws it: unchanged when it fits
// 2480 × 780, else scaled with its proportions kept (sizes truncated) to fit.
LogoSize fitLogo(int width, int height);
// Pixels at dotsPerMeter (0 or less: the screen's 96 dpi) as device units at 300 dpi.
int logoDeviceUnits(int pixels, int dotsPerMeter);
// The left edge of a logo of that drawn width: centred, or 0 when it fills the page width.
int logoLeft(int width);

}  // namespace calivue::layout
