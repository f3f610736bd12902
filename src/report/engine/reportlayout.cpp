#include "report/engine/reportlayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace calivue::layout {

namespace {

int ceilDiv(int a, int b)
{
    return (a + b - 1) / b;
}

}  // namespace

PageCounts pageCounts(int n, bool appendix, int equipmentPages)
{
    n = std::max(n, 0);
    PageCounts c;
    c.appendix = appendix ? 1 : 0;
    c.equipment = std::max(equipmentPages, 0);
    c.contents = ceilDiv(n + 1 + c.appendix + (c.equipment > 0 ? 1 : 0), kContentsRowsPerPage);
    c.summary = ceilDiv(n, kSummaryRowsPerPage);
    c.total = 1 + c.contents + n + c.summary + c.appendix + c.equipment;
    return c;
}

int inspectionPageNumber(int n, int index)
{
    return pageCounts(n).contents + 2 + index;
}

int summaryPageNumber(int n)
{
    return std::max(n, 0) + pageCounts(n).contents + 2;
}

int appendixPageNumber(int n)
{
    return pageCounts(n, true).total;
}

std::vector<ContentsRow> contentsRows(int n, int k, bool appendix, int equipmentPages)
{
    std::vector<ContentsRow> rows;
    const PageCounts c = pageCounts(n, appendix, equipmentPages);
    if (k < 0 || k >= c.contents) return rows;
    // The whole list (inspections, "Summary", the appendix) cut into pages of 40 rows; page
    // numbers follow from this report's own contents count.
    n = std::max(n, 0);
    const int first = k * kContentsRowsPerPage;
    const int count = n + 1 + c.appendix + (c.equipment > 0 ? 1 : 0);
    for (int r = first; r < count && r < first + kContentsRowsPerPage; ++r) {
        if (r < n)
            rows.push_back({r, c.contents + 2 + r});
        else if (r == n)
            rows.push_back({-1, n + c.contents + 2});
        else if (r == n + 1 && c.appendix)
            rows.push_back({kAppendixRow, c.total - c.equipment});
        else
            rows.push_back({kEquipmentRow, c.total - c.equipment + 1});
    }
    return rows;
}

RowRange summaryRows(int n, int k)
{
    if (k < 0 || k >= pageCounts(n).summary) return {};
    const int first = k * kSummaryRowsPerPage;
    return {first, std::min(kSummaryRowsPerPage, n - first)};
}

LogoSize fitLogo(int width, int height)
{
    if (width <= 0 || height <= 0) return {};
    if (width <= kLogoMaxWidth && height <= kLogoMaxHeight) return {width, height};
    // 64-bit products: a huge picture must not overflow on its way down.
    const auto scaled = [](int a, int num, int den) {
        return static_cast<int>(static_cast<std::int64_t>(a) * num / den);
    };
    LogoSize s;
    if (width - kLogoMaxWidth > height - kLogoMaxHeight) {
        s = {kLogoMaxWidth, scaled(height, kLogoMaxWidth, width)};
        if (s.height > kLogoMaxHeight) s = {scaled(width, kLogoMaxHeight, height), kLogoMaxHeight};
    } else {
        s = {scaled(width, kLogoMaxHeight, height), kLogoMaxHeight};
    }
    // A very wide picture scaled by its height could still overrun the page.
    if (s.width > kLogoMaxWidth) s = {kLogoMaxWidth, scaled(height, kLogoMaxWidth, width)};
    s.width = std::max(s.width, 1);
    s.height = std::max(s.height, 1);
    return s;
}

int logoDeviceUnits(int pixels, int dotsPerMeter)
{
    // Through the picture's own size in hundredths of a millimetre, as the title page's
    // picture loader reports it, then to the printer's 300 dpi.
    const double dpi = dotsPerMeter > 0 ? dotsPerMeter * 0.0254 : 96.0;
    const auto himetric = static_cast<std::int64_t>(std::lround(pixels * 2540.0 / dpi));
    return static_cast<int>(himetric * 300 / 2540);
}

int logoLeft(int width)
{
    return width >= kPageWidth ? 0 : (kPageWidth - width) / 2;
}

}  // namespace calivue::layout
