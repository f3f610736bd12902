#include "core/brixa.h"
#include "core/pixelloop.h"

#include "core/fileio.h"
#include "core/record.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace calivue {

std::string unitTextOf(int unitByte)
{
    const std::optional<TempUnit> unit = tempUnitFrom(unitByte);
    return unit ? unitTextOf(*unit) : std::string();
}

cBrixa::cBrixa()
{
    reset();
}

cBrixa::cBrixa(const std::filesystem::path& path)
{
    reset();
    loadFromPath(path);
}

// The buffers are emptied but keep their memory: the document reloads into the
// same object, and fresh large allocations cost page faults on every open.
void cBrixa::releaseBuffers()
{
    m_raw.clear();
    m_image.clear();
    m_smoothed.clear();
    m_interpolated.clear();
    m_interpolatedFactor = 0;
    m_transposed.clear();
    m_transposedFactor = 0;
}

void cBrixa::reset()
{
    const std::uint8_t keepA = fields.flagsA, keepB = fields.flagsB;
    fields = RecordFields{};
    fields.flagsA = keepA;
    fields.flagsB = keepB;
    m_scale = 10.0f;
    m_areaMode = 1;
    m_stats = Stats{};
    m_stats.average = 0;
    m_area = AreaStats{};
    m_tempCorrection = 2732;
    releaseBuffers();
    m_loaded = false;
    m_incomplete = false;
    m_decoded = false;
    m_path.clear();
}

void cBrixa::setRawPixels(std::vector<std::uint16_t> pixels)
{
    pixels.resize(kPixels, 0);
    m_raw = std::move(pixels);
    m_scale = scaleForCode(fields.scaleCode);
    m_decoded = true;
    m_interpolated.clear();
    m_interpolatedFactor = 0;
    m_transposedFactor = 0;
}

Error cBrixa::loadFromBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& path)
{
    reset();
    Error e = decodeRecord(bytes, *this);
    if (e != Error::None) {
        reset();
        return e;
    }
    if (!buildArrays(kWidth, kHeight)) {
        reset();
        return Error::Corrupted;
    }
    if (fields.blueLower == 0 && fields.blueUpper == 0 && fields.redLower == 0 &&
        fields.redUpper == 0 && !m_image.empty()) {
        IsothermBands b = defaultIsothermBands(m_image.data());
        fields.blueLower = b.blueLower;
        fields.blueUpper = b.blueUpper;
        fields.redLower = b.redLower;
        fields.redUpper = b.redUpper;
    }
    m_path = path;
    m_loaded = true;
    // Decoded as designed (the missing bytes read as zeros), but the caller tells the user.
    m_incomplete = bytes.size() < kRecordSize;
    return Error::None;
}

Error cBrixa::loadFromPath(const std::filesystem::path& path)
{
    reset();
    auto bytes = readFilePrefix(path, kRecordSize);
    if (!bytes) return bytes.error();
    Error e = loadFromBytes(*bytes, path);
    // The file was read: a failed decode still names it.
    if (e != Error::None) m_path = path;
    return e;
}

Error cBrixa::serialize(CArchive& ar)
{
    if (ar.isStoring()) {
        if (!m_loaded) return Error::NotLoaded;
        std::vector<std::uint8_t> rec = encodeRecord(*this);
        if (rec.empty()) return Error::NotLoaded;
        ar.write(rec);
        m_path = ar.path();
        return Error::None;
    }
    reset();
    auto bytes = ar.readUpTo(kRecordSize);
    if (!bytes) return bytes.error();
    return loadFromBytes(*bytes, ar.path());
}

namespace {

// The raw counts widened into the image array (the storage is kept across loads).
CALIVUE_FIXED_PIXEL_LOOP void widen(const std::vector<std::uint16_t>& raw,
                                    std::vector<std::int32_t>& image)
{
    image.resize(kPixels);
    if (raw.size() != std::size_t{kPixels}) return;
    const std::uint16_t* from = raw.data();
    std::int32_t* to = image.data();
    for (int i = 0; i < kPixels; ++i) to[i] = from[i];
}

}  // namespace

bool cBrixa::buildArrays(int width, int height)
{
    if (m_raw.size() != std::size_t{kPixels} || width != kWidth || height != kHeight) return false;
    widen(m_raw, m_image);
    m_interpolated.clear();
    m_interpolatedFactor = 0;
    m_transposedFactor = 0;
    smooth(width, height);
    areaStatistics(width, height);
    return true;
}

const std::int32_t* cBrixa::hasImage() const
{
    return m_loaded && !m_smoothed.empty() ? m_smoothed.data() : nullptr;
}

// --- temperatures -----------------------------------------------------------

namespace {
// The radiance-like curve of the camera, in two quadratic branches meeting at 280 °C.
double radiance(double t)
{
    if (t > 280.0) return 0.00265579 * t * t + 5.8462 * t - 640.995;
    return 0.00962738 * t * t + 1.5018 * t + 74.2233;
}
constexpr double kLowestRadiance = 15.6555;  // where the lower inverse branch reaches its vertex
}  // namespace

float cBrixa::temperatureOf(std::uint16_t raw, float e, bool applyCorrection) const
{
    if (e > 1.0f) e = static_cast<float>(fields.emissivity[10]) / 100.0f;
    if (e <= 0.0f || raw == 0) return 0.0f;
    const double scale = m_scale;
    double t;
    if (e == 1.0f) {
        t = raw / scale;
    } else {
        const double ed = e;
        const double tobj = raw / scale - kKelvinOffset;
        const double trefl = fields.reflected / scale - kKelvinOffset;
        double s = radiance(tobj) / ed - ((1.0 - ed) / ed) * radiance(trefl);
        if (s > 1249.5139) {
            t = (std::sqrt(s + 3858.31) * 0.103069 - 5.8462) * 188.268;
        } else {
            // An object far colder than its surroundings can push S below the
            // curve's domain; clamp so the reading is the model's lowest
            // temperature instead of NaN.
            s = std::max(s, kLowestRadiance);
            t = (std::sqrt(s - kLowestRadiance) * 0.196238 - 1.5018) * 51.9352;
        }
        t += kKelvinOffset;
    }
    if (applyCorrection && m_tempCorrection != 0) t += m_tempCorrection / 10.0 - kKelvinOffset;
    const std::optional<TempUnit> unit = tempUnit();
    if (!unit) return 0.0f;
    switch (*unit) {
        case TempUnit::Celsius:
            return static_cast<float>(t - kKelvinOffset);
        case TempUnit::Fahrenheit:
            return static_cast<float>((t - kKelvinOffset) * 1.8 + 32.0);
        case TempUnit::Kelvin:
            return static_cast<float>(t);
    }
    return 0.0f;
}

float cBrixa::temperatureAt(int x, int row, float e) const
{
    if (m_smoothed.empty() || x < 0 || row < 0 || x >= kWidth || row >= kHeight) return 0.0f;
    const auto v =
        static_cast<std::uint16_t>(m_smoothed[static_cast<std::size_t>(row) * kWidth + x]);
    return temperatureOf(v, e, true);
}

float cBrixa::temperatureAtImageEmissivity(int x, int row) const
{
    if (x < 0 || row < 0) return 0.0f;
    return temperatureAt(x, row, imageEmissivity());
}

float cBrixa::rawToTemperature(int raw) const
{
    return temperatureOf(static_cast<std::uint16_t>(raw), imageEmissivity(), true);
}

float cBrixa::markerTemperature(int index) const
{
    if (index >= 0 && index < kMaxCursors) {
        if (m_smoothed.empty()) return 0.0f;
        const int x = fields.cursorX[index];
        const int row = kHeight - 1 - static_cast<int>(fields.cursorY[index]);
        if (x < 0 || x >= kWidth || row < 0 || row >= kHeight) return 0.0f;
        const auto v =
            static_cast<std::uint16_t>(m_smoothed[static_cast<std::size_t>(row) * kWidth + x]);
        return temperatureOf(v, static_cast<float>(fields.emissivity[index]) / 100.0f, true);
    }
    if (index == kColdestMarker)
        return temperatureOf(static_cast<std::uint16_t>(m_stats.minRaw), imageEmissivity(), true);
    if (index == kHottestMarker)
        return temperatureOf(static_cast<std::uint16_t>(m_stats.maxRaw), imageEmissivity(), true);
    return 0.0f;
}

float cBrixa::markerDifference(int a, int b) const
{
    if (a < 0 || b < 0) return 0.0f;
    return markerTemperature(a) - markerTemperature(b);
}

int cBrixa::toTenthsKelvinFromCelsius(double t) const
{
    return static_cast<int>((t + kKelvinOffset) * 10.0 + 0.50001);
}

int cBrixa::toTenthsKelvin(double t) const
{
    const std::optional<TempUnit> unit = tempUnit();
    if (!unit) return 0;
    switch (*unit) {
        case TempUnit::Celsius:
            return static_cast<int>((t + kKelvinOffset) * 10.0 + 0.50001);
        case TempUnit::Fahrenheit:
            return static_cast<int>(((t - 32.0) * 5.0 / 9.0 + kKelvinOffset) * 10.0 + 0.50001);
        case TempUnit::Kelvin:
            return static_cast<int>(t * 10.0 + 0.50001);
    }
    return 0;
}

double cBrixa::toCelsius(double t) const
{
    const std::optional<TempUnit> unit = tempUnit();
    if (!unit) return 0.0;
    switch (*unit) {
        case TempUnit::Celsius:
            return t;
        case TempUnit::Fahrenheit:
            return (t - 32.0) * 5.0 / 9.0;
        case TempUnit::Kelvin:
            return t - kKelvinOffset;
    }
    return 0.0;
}

int cBrixa::rawForTemperature(double t) const
{
    if (!tempUnit() || !std::isfinite(t)) return 0;
    // Readings rise with the raw count except where the radiance curve is clamped at its
    // bottom, so a binary search finds the first count reading at least t; the neighbour
    // below may be nearer.
    int lo = 1, hi = 65535;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (rawToTemperature(mid) < t)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo > 1 && std::abs(rawToTemperature(lo - 1) - t) <= std::abs(rawToTemperature(lo) - t))
        return lo - 1;
    return lo;
}

int cBrixa::reflectedRawFor(double t) const
{
    if (!tempUnit() || !std::isfinite(t)) return 0;
    const double raw = std::round((toCelsius(t) + kKelvinOffset) * static_cast<double>(m_scale));
    return static_cast<int>(std::clamp(raw, 0.0, 65535.0));
}

void cBrixa::setUnit(TempUnit u)
{
    if (tempUnitFrom(tempUnitNumber(u))) fields.unit = static_cast<std::uint8_t>(tempUnitNumber(u));
}

void cBrixa::setAreaMode(int m)
{
    if (m < 0 || m > 2) return;
    m_areaMode = m;
    areaStatistics(kWidth, kHeight);
}

bool cBrixa::nudgeAlignment(bool horizontal, int direction)
{
    std::int16_t& off = horizontal ? fields.alignX : fields.alignY;
    if (direction > 0 && off < 64) {
        ++off;
        return true;
    }
    if (direction < 0 && off >= -63) {
        --off;
        return true;
    }
    return false;
}

void cBrixa::resetAlignment()
{
    fields.alignX = fields.savedAlignX;
    fields.alignY = fields.savedAlignY;
}

std::optional<std::chrono::year_month_day> cBrixa::captureDate() const
{
    const RecordTime& c = fields.capture;
    if (c.year <= 1899 || c.month < 1 || c.month > 12 || c.day < 1 || c.day > 31)
        return std::nullopt;
    using namespace std::chrono;
    // Normalise like the C library does: day 31 of a 30-day month rolls over.
    return year_month_day{sys_days(year{c.year} / month{c.month} / day{1}) + days{c.day - 1}};
}

std::optional<std::string> cBrixa::captureDateText() const
{
    const std::optional<std::chrono::year_month_day> date = captureDate();
    if (!date) return std::nullopt;
    const std::chrono::year_month_day ymd = *date;
    static const char* const kMonths[] = {"January",   "February", "March",    "April",
                                          "May",       "June",     "July",     "August",
                                          "September", "October",  "November", "December"};
    const unsigned dd = static_cast<unsigned>(ymd.day());
    const char* suffix = "th";
    if (dd == 1 || dd == 21 || dd == 31)
        suffix = "st";
    else if (dd == 2 || dd == 22)
        suffix = "nd";
    else if (dd == 3 || dd == 23)
        suffix = "rd";
    return std::to_string(dd) + suffix + " " + kMonths[static_cast<unsigned>(ymd.month()) - 1] +
           " " + std::to_string(static_cast<int>(ymd.year()));
}

std::optional<std::string> cBrixa::captureTimeText() const
{
    const RecordTime& c = fields.capture;
    if (c.hour >= 24 || c.minute >= 60 || c.second >= 60) return std::nullopt;
    char minute[3] = {static_cast<char>('0' + c.minute / 10),
                      static_cast<char>('0' + c.minute % 10), 0};
    return std::to_string(c.hour) + "." + minute;
}

}  // namespace calivue
