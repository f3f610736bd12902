// cBrixa: one thermal image in memory — the fields of a snapshot record, the raw
// pixels, the image and smoothed arrays, statistics, rendering buffers, and the
// conversion of raw counts into temperatures.
//
// The model is passive: it knows nothing of windows or documents. The document
// owns one; the report side creates short-lived ones.
#pragma once

#include "core/archive.h"
#include "core/constants.h"
#include "core/error.h"
#include "core/tempunit.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace calivue {

// A date and time as the record stores it.
struct RecordTime {
    std::uint8_t hour = 0, minute = 0, second = 0;
    std::uint8_t day = 1, month = 1;
    std::uint16_t year = 2000;
};

// The header fields of a snapshot record, as held by cBrixa. Texts are byte
// arrays (one Latin-1 character per byte, zero-padded) so that every byte,
// including those after a zero, survives a load and save unchanged.
struct RecordFields {
    std::array<std::uint8_t, 2> version{2, 0};
    RecordTime capture;
    RecordTime modified;
    std::array<std::uint8_t, 32> textA{};
    std::uint8_t scaleCode = 50;
    std::uint8_t param56 = 4;
    std::uint16_t reflected = 2932;  // reflected temperature, raw counts
    std::uint8_t palette = 1;
    std::uint16_t spanLow = 0, spanHigh = 0;          // visible span
    std::uint16_t fallbackLow = 0, fallbackHigh = 0;  // fallback span
    std::uint8_t unit = 0;                            // 0 °C, 1 °F, 2 K
    std::array<std::uint8_t, 11> emissivity{100, 100, 100, 100, 100, 100,
                                            100, 100, 100, 100, 100};  // [10] = image
    std::array<std::uint8_t, 6> params80{};
    std::uint8_t param86 = 1;
    std::uint16_t blueLower = 0, blueUpper = 0, redLower = 0, redUpper = 0;
    std::uint8_t orientation = 0;
    std::array<std::uint8_t, 256> comments{};
    std::uint8_t cursorCount = 0;
    std::array<std::uint16_t, 10> cursorX{};
    std::array<std::uint16_t, 10> cursorY{};  // counted from the top of the picture
    std::uint8_t blend = 0;
    std::uint8_t flag394 = 0;  // boolean
    std::uint8_t param395 = 1;
    std::array<std::uint8_t, 32> textB{};  // voice annotation file name
    std::array<std::uint8_t, 21> textC{};  // caption, 20 characters + terminator
    std::array<std::array<std::uint8_t, 11>, 5> labels{};
    std::array<std::uint8_t, 20> params503{};
    std::uint8_t flagsA = 0;
    std::uint8_t flagsB = 0;
    std::array<std::uint8_t, 4> params525{};
    std::int16_t alignX = 0, alignY = 0;
    std::int16_t savedAlignX = 0, savedAlignY = 0;
};

// Counts per kelvin for a record's scale code.
float scaleForCode(std::uint8_t code);

// "°C", "°F" or "K" (UTF-8) for the record's unit byte; empty for any other value.
std::string unitTextOf(int unitByte);

// Display flag bits shared by the document, displays and tools.
namespace flags {
inline constexpr std::uint8_t A_Hottest = 0x01;
inline constexpr std::uint8_t A_Coldest = 0x02;
inline constexpr std::uint8_t A_AreaSmall = 0x04;
inline constexpr std::uint8_t A_AreaMedium = 0x08;
inline constexpr std::uint8_t A_Profiles = 0x30;
inline constexpr std::uint8_t A_BlueIsotherm = 0x40;
inline constexpr std::uint8_t A_RedIsotherm = 0x80;
inline constexpr std::uint8_t B_CursorTemps = 0x01;
inline constexpr std::uint8_t B_CursorsHidden = 0x02;
}  // namespace flags

// Marker pen and fill colours, 0x00BBGGRR.
struct MarkerColours {
    std::uint32_t pen;
    std::uint32_t fill;
};
MarkerColours markerColours(int index);

class cBrixa : public CObject {
public:
    cBrixa();
    explicit cBrixa(const std::filesystem::path& path);

    // Back to the reset values; releases every pixel buffer. Display flags are
    // left alone (they are cleared only on construction).
    void reset();

    // Loads a record from bytes already read (at most kRecordSize are used;
    // a short buffer is zero-filled). On failure the object is reset.
    Error loadFromBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& path);
    // Reads the file and loads it: None only when a record was decoded, else
    // the reader's or the decoder's reason (the object is then reset, but a file
    // that was read keeps its path).
    Error loadFromPath(const std::filesystem::path& path);
    // The last successful load had fewer than kRecordSize bytes: the record
    // decoded with zeros in place of the missing bytes.
    bool isIncomplete() const { return m_incomplete; }

    // CObject: storing encodes the record (NotLoaded unless loaded); loading reads it.
    Error serialize(CArchive& ar) override;

    // (Re)builds the image array from the raw pixels, then smooths and computes
    // the statistics. False when there are no raw pixels.
    bool buildArrays(int width = kWidth, int height = kHeight);

    // The smoothed array, or null while no record is loaded.
    const std::int32_t* hasImage() const;
    bool isLoaded() const { return m_loaded; }
    const std::int32_t* imageArray() const { return m_image.empty() ? nullptr : m_image.data(); }
    const std::int32_t* smoothedArray() const
    {
        return m_smoothed.empty() ? nullptr : m_smoothed.data();
    }
    const std::uint16_t* rawPixels() const { return m_raw.empty() ? nullptr : m_raw.data(); }
    // Replaces the raw pixels (image-array order) and marks the record decoded;
    // used by the decoder and by generators. Arrays are not rebuilt.
    void setRawPixels(std::vector<std::uint16_t> pixels);
    // The raw pixel vector moved out (empty afterwards, as after reset(), which
    // keeps its storage), so a decoder can fill that storage again instead of
    // allocating a new one.
    std::vector<std::uint16_t> takeRawPixels()
    {
        std::vector<std::uint16_t> out;
        out.swap(m_raw);
        return out;
    }

    // --- temperatures -------------------------------------------------------
    float temperatureOf(std::uint16_t raw, float emissivity, bool applyCorrection) const;
    float temperatureAt(int x, int arrayRow, float emissivity) const;
    float temperatureAtImageEmissivity(int x, int arrayRow) const;
    float rawToTemperature(int raw) const;
    float markerTemperature(int index) const;
    float markerDifference(int a, int b) const;
    int toTenthsKelvinFromCelsius(double t) const;
    int toTenthsKelvin(double t) const;
    double toCelsius(double t) const;
    // The raw count (1–65535) whose reading at the image emissivity (rawToTemperature) is
    // nearest to t in the current unit, so a typed span end shows back as typed whatever
    // the scale and emissivity. 0 for a unit outside 0–2.
    int rawForTemperature(double t) const;
    // A reflected temperature t in the current unit as the record stores it: kelvins times
    // the raw scale, rounded and kept within 0–65535. 0 for a unit outside 0–2.
    int reflectedRawFor(double t) const;
    float imageEmissivity() const { return static_cast<float>(fields.emissivity[10]) / 100.0f; }

    // A value that names no unit is refused and the unit kept.
    void setUnit(TempUnit u);
    // The record's unit byte as stored: a record may hold a number that names no unit.
    int unit() const { return fields.unit; }
    std::optional<TempUnit> tempUnit() const { return tempUnitFrom(fields.unit); }
    const std::string& unitText() const { return m_unitText; }
    void setUnitText(std::string text) { m_unitText = std::move(text); }
    void setPalette(int n) { fields.palette = static_cast<std::uint8_t>(n); }
    void setAreaMode(int m);
    int areaMode() const { return m_areaMode; }
    bool nudgeAlignment(bool horizontal, int direction);
    void resetAlignment();
    float scale() const { return m_scale; }
    std::uint16_t temperatureCorrection() const { return m_tempCorrection; }
    void setTemperatureCorrection(std::uint16_t v) { m_tempCorrection = v; }

    // The capture date normalised as the C library does (day 31 of a 30-day month rolls
    // over); empty for an impossible date.
    std::optional<std::chrono::year_month_day> captureDate() const;
    // "21st March 2009" / "9.05"; empty for impossible dates and times.
    std::optional<std::string> captureDateText() const;
    std::optional<std::string> captureTimeText() const;

    // --- analysis -----------------------------------------------------------
    void smooth(int width = kWidth, int height = kHeight);
    void areaStatistics(int width = kWidth, int height = kHeight);
    void areaStatisticsInView(int width, int height, int viewLeft, int viewTop, int zoom, int mode);
    // Range for an automatic span (values with more than 2 pixels), widened to 50.
    bool spanRange(int& low, int& high) const;
    // Range of all values present (more than 0 pixels).
    bool fullRange(int& low, int& high) const;
    void resetIsotherms(bool force);

    struct Stats {
        std::int32_t minRaw = 64000, maxRaw = -64000;
        float average = 0;
        std::int32_t coldX = 0, coldRow = 0, hotX = 0, hotRow = 0;
    };
    struct AreaStats {
        std::int32_t minRaw = 0, maxRaw = 0;
        float average = 0;
    };
    const Stats& stats() const { return m_stats; }
    const AreaStats& areaStats() const { return m_area; }

    // --- rendering ----------------------------------------------------------
    // The interpolated array of (320f)·(240f) values, or null when f is outside
    // 1..8, no record is loaded, or an interpolation is already running.
    const std::vector<std::int32_t>* interpolate(int width, int height, int f);
    // 24-bit picture, blue-green-red, rows in array order, oriented by the record.
    // Empty when refused. A span whose high end is not above its low end is
    // replaced by spanRange.
    std::optional<std::vector<std::uint8_t>> render(int width, int height, int f, int spanLow,
                                                    int spanHigh, unsigned isothermFlags);
    // As render, but in the captured frame (orientation 0).
    std::optional<std::vector<std::uint8_t>> renderUnoriented(int width, int height, int f,
                                                              int spanLow, int spanHigh,
                                                              unsigned isothermFlags);
    // As render, into a caller-kept buffer whose memory is reused between
    // renders. orientation is 0–3; false when refused.
    bool renderInto(std::vector<std::uint8_t>& out, int f, int spanLow, int spanHigh,
                    unsigned isothermFlags, int orientation);
    // As renderInto, through `palette` (a number above 7 shows as Ironbow) instead of the
    // record's, and without building the arrays: false when they are not built. Only the
    // interpolation cache changes, so one image must not be rendered from two threads.
    bool renderPicture(std::vector<std::uint8_t>& out, int f, int palette, int spanLow,
                       int spanHigh, unsigned isothermFlags, int orientation) const;
    // Forgets the interpolated arrays, so the next render interpolates afresh.
    void dropInterpolation() { m_interpolatedFactor = m_transposedFactor = 0; }
    // Raw count after the image-emissivity reading of the smoothed value at
    // (x, array row), turned back to counts; used by the threshold blend modes.
    double rawEquivalentAt(int x, int arrayRow) const;

    const std::filesystem::path& filePath() const { return m_path; }
    void setFilePath(std::filesystem::path p) { m_path = std::move(p); }

    RecordFields fields;

private:
    friend Error decodeRecord(std::span<const std::uint8_t>, cBrixa&);

    void releaseBuffers();
    // Interpolates the image array by f into m_interpolated; null when refused.
    const std::vector<std::int32_t>* interpolated(int f) const;

    std::vector<std::uint16_t> m_raw;
    std::vector<std::int32_t> m_image;
    std::vector<std::int32_t> m_smoothed;
    // Interpolation caches: what a render of the same values computed last.
    mutable std::vector<std::int32_t> m_interpolated;
    mutable std::vector<double> m_scratch;           // interpolation's horizontal pass
    mutable std::vector<std::int32_t> m_transposed;  // interpolation of the transposed picture
    mutable int m_transposedFactor = 0;
    mutable int m_interpolatedFactor = 0;
    float m_scale = 10.0f;
    int m_areaMode = 1;
    std::filesystem::path m_path;
    std::string m_unitText =
        "\xC2\xB0"
        "C";
    Stats m_stats;
    AreaStats m_area;
    mutable bool m_rendering = false;
    mutable bool m_interpolating = false;
    bool m_loaded = false;
    bool m_incomplete = false;
    bool m_decoded = false;
    std::uint16_t m_tempCorrection = 2732;
};

}  // namespace calivue
