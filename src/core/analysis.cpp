// Measurements on a thermal image: smoothing with the global statistics, the
// area-select box, value ranges for automatic spans and isotherm bands, and the
// marker colours.
#include "core/brixa.h"
#include "core/pixelloop.h"
#include "core/record.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace calivue {

CALIVUE_FIXED_PIXEL_LOOP void cBrixa::smooth(int width, int height)
{
    if (m_image.size() != std::size_t{kPixels} || width != kWidth || height != kHeight) return;
    // Rows are computed into a local row and appended: filling the vector with zeros
    // first only to overwrite them cost as much as the smoothing (the storage itself is
    // kept across loads).
    m_smoothed.clear();
    m_smoothed.reserve(kPixels);
    const std::int32_t* v = m_image.data();
    std::int32_t dst[kWidth];
    // Mean of the pixel, its right neighbour, the one an array row higher and the
    // diagonal; neighbours past the last column or row are left out.
    for (int i = 0; i < kHeight; ++i) {
        const std::int32_t* row = v + static_cast<std::size_t>(i) * kWidth;
        const std::int32_t* up = i < kHeight - 1 ? row + kWidth : nullptr;
        if (up) {
            for (int j = 0; j < kWidth - 1; ++j)
                dst[j] = (row[j] + up[j] + row[j + 1] + up[j + 1]) / 4;
            dst[kWidth - 1] = (row[kWidth - 1] + up[kWidth - 1]) / 2;
        } else {
            for (int j = 0; j < kWidth - 1; ++j) dst[j] = (row[j] + row[j + 1]) / 2;
            dst[kWidth - 1] = row[kWidth - 1];
        }
        m_smoothed.insert(m_smoothed.end(), dst, dst + kWidth);
    }
    const std::int32_t* out = m_smoothed.data();
    Stats st;
    // The two-pixel border takes no part in the hottest and coldest search; the
    // first position in scan order wins ties.
    for (int i = 2; i < kHeight - 2; ++i) {
        const std::int32_t* row = out + static_cast<std::size_t>(i) * kWidth;
        for (int j = 2; j < kWidth - 2; ++j) {
            const std::int32_t s = row[j];
            if (s < st.minRaw) {
                st.minRaw = s;
                st.coldX = j;
                st.coldRow = i;
            }
            if (s > st.maxRaw) {
                st.maxRaw = s;
                st.hotX = j;
                st.hotRow = i;
            }
        }
    }
    long long sum = 0;
    for (int k = 0; k < kPixels; ++k) sum += out[k];
    st.average = static_cast<float>(static_cast<double>(sum) / kPixels);
    m_stats = st;
}

namespace {

struct Margins {
    int rows, cols;
};

Margins marginsFor(int mode)
{
    switch (mode) {
        case 0:
            return {80, 100};
        case 1:
            return {60, 80};
        case 2:
            return {40, 60};
        default:
            return {0, 0};
    }
}

// Statistics of the smoothed values in the box, clipped to the picture.
CALIVUE_PIXEL_LOOP cBrixa::AreaStats boxStatistics(const std::int32_t* smoothed, int col0, int row0,
                                                   int cols, int rows)
{
    cBrixa::AreaStats a;
    a.minRaw = 64000;
    a.maxRaw = -64000;
    // Plain comparisons, not std::min and std::max: those would not be inlined into this
    // uninstrumented loop under the fuzzer's instrumentation (see core/pixelloop.h).
    const int c0 = col0 > 0 ? col0 : 0, r0 = row0 > 0 ? row0 : 0;
    const int c1 = col0 + cols < kWidth ? col0 + cols : kWidth;
    const int r1 = row0 + rows < kHeight ? row0 + rows : kHeight;
    long long sum = 0;
    long long n = 0;
    for (int r = r0; r < r1; ++r) {
        const std::int32_t* row = smoothed + static_cast<std::size_t>(r) * kWidth;
        for (int c = c0; c < c1; ++c) {
            if (row[c] < a.minRaw) a.minRaw = row[c];
            if (row[c] > a.maxRaw) a.maxRaw = row[c];
            sum += row[c];
            ++n;
        }
    }
    a.average =
        n > 0 ? static_cast<float>(static_cast<double>(sum) / static_cast<double>(n)) : 0.0f;
    return a;
}

// The lowest and highest value of the image array counted more than minCount times,
// over 0–65,534 (values of 65,535 and above are not counted; 0 and 0 when none is).
// With carryZeros a value below 1 counts as the previous pixel's.
// The counts live in a table kept for the thread and all zero between calls: only the
// bins between the lowest and highest counted value are scanned and cleared again.
// Every render and automatic span asks for a range; clearing and scanning the whole
// 256 KB table each time was most of that work for a picture spanning a few thousand
// counts.
CALIVUE_FIXED_PIXEL_LOOP void rangeOf(const std::vector<std::int32_t>& picture, bool carryZeros,
                                      int minCount, int& low, int& high)
{
    low = high = 0;
    if (picture.size() != std::size_t{kPixels}) return;
    const std::int32_t* image = picture.data();
    thread_local std::vector<int> counts(65535);
    int* const h = counts.data();
    int lowest = 65535, highest = -1;
    std::int32_t prev = 2730;
    for (int i = 0; i < kPixels; ++i) {
        std::int32_t v = image[i];
        if (carryZeros) {
            if (v < 1) v = prev;
            prev = v;
        }
        if (v >= 0 && v < 65535) {
            ++h[v];
            if (v < lowest) lowest = v;
            if (v > highest) highest = v;
        }
    }
    if (highest < 0) return;
    for (int v = lowest; v <= highest; ++v)
        if (h[v] > minCount) {
            low = v;
            break;
        }
    for (int v = highest; v >= lowest; --v)
        if (h[v] > minCount) {
            high = v;
            break;
        }
    std::memset(h + lowest, 0, static_cast<std::size_t>(highest - lowest + 1) * sizeof(int));
}

}  // namespace

void cBrixa::areaStatistics(int width, int height)
{
    if (m_smoothed.empty()) return;
    const Margins m = marginsFor(m_areaMode);
    m_area =
        boxStatistics(m_smoothed.data(), m.cols, m.rows, width - 2 * m.cols, height - 2 * m.rows);
}

void cBrixa::areaStatisticsInView(int width, int height, int left, int top, int zoom, int mode)
{
    if (!m_loaded || m_smoothed.empty() || zoom <= 0) return;
    const Margins m = marginsFor(mode);
    const int rowMargin = m.rows / zoom, colMargin = m.cols / zoom;
    m_area = boxStatistics(m_smoothed.data(), left + colMargin, top + rowMargin,
                           width / zoom - 2 * colMargin, height / zoom - 2 * rowMargin);
}

bool cBrixa::spanRange(int& low, int& high) const
{
    if (m_image.empty()) return false;
    rangeOf(m_image, false, 2, low, high);
    if (high - low < 50) {
        const int d = (low - high + 50) / 2;
        low -= d;
        high += d;
    }
    return true;
}

bool cBrixa::fullRange(int& low, int& high) const
{
    if (m_image.empty()) return false;
    rangeOf(m_image, true, 0, low, high);
    return true;
}

void cBrixa::resetIsotherms(bool force)
{
    if (m_image.empty()) return;
    if (!force && (fields.blueLower != 0 || fields.blueUpper != 0)) return;
    const IsothermBands b = defaultIsothermBands(m_image.data());
    fields.blueLower = b.blueLower;
    fields.blueUpper = b.blueUpper;
    fields.redLower = b.redLower;
    fields.redUpper = b.redUpper;
}

MarkerColours markerColours(int index)
{
    auto rgb = [](unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); };
    switch (index) {
        case 0:
            return {rgb(0, 255, 0), rgb(0, 128, 0)};
        case 1:
            return {rgb(255, 128, 0), rgb(128, 64, 0)};
        case 2:
            return {rgb(200, 200, 0), rgb(128, 128, 0)};
        case 3:
            return {rgb(0, 128, 255), rgb(0, 64, 128)};
        case 4:
            return {rgb(0, 255, 255), rgb(0, 128, 128)};
        case 5:
            return {rgb(255, 0, 128), rgb(128, 0, 64)};
        case 6:
            return {rgb(185, 40, 185), rgb(120, 30, 120)};
        case 7:
            return {rgb(255, 128, 255), rgb(170, 0, 170)};
        case 8:
            return {rgb(255, 0, 0), rgb(128, 0, 0)};
        case 9:
            return {rgb(128, 128, 128), rgb(64, 64, 64)};
        case 10:
            return {rgb(0, 128, 255), rgb(0, 64, 128)};
        case 11:
            return {rgb(255, 0, 0), rgb(128, 0, 0)};
        default:
            return {rgb(255, 255, 255), rgb(0, 0, 0)};
    }
}

}  // namespace calivue
