// The `info` subcommand: every field and derived value of one snapshot as JSON.
#include "cli/commands.h"

#include "core/brixa.h"
#include "core/snapshotfiles.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace calivue::cli {

using Json = nlohmann::ordered_json;

std::string latin1ToUtf8(std::string_view latin1)
{
    std::string out;
    out.reserve(latin1.size() * 2);
    for (char ch : latin1) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out.push_back(ch);
        } else {
            out.push_back(static_cast<char>(0xC0 | (b >> 6)));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return out;
}

std::optional<Probe> parseProbe(std::string_view text)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::string_view rawText = text.substr(0, comma);
    const std::string emText(text.substr(comma + 1));
    Probe p;
    auto [ptr, ec] = std::from_chars(rawText.data(), rawText.data() + rawText.size(), p.raw);
    if (ec != std::errc() || ptr != rawText.data() + rawText.size() || p.raw < 0 || p.raw > 65535)
        return std::nullopt;
    if (emText.empty()) return std::nullopt;
    char* end = nullptr;
    const double e = std::strtod(emText.c_str(), &end);
    if (end != emText.c_str() + emText.size() || !std::isfinite(e)) return std::nullopt;
    p.emissivity = static_cast<float>(e);
    return p;
}

namespace {

// A float as the shortest decimal that reads back to it (37.1, not 37.09999847),
// null when it is not finite.
Json number(float f)
{
    if (!std::isfinite(f)) return nullptr;
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, f);
    *r.ptr = '\0';
    return std::strtod(buf, nullptr);
}

Json timeJson(const RecordTime& t)
{
    return Json{{"year", t.year}, {"month", t.month},   {"day", t.day},
                {"hour", t.hour}, {"minute", t.minute}, {"second", t.second}};
}

Json textJson(std::span<const std::uint8_t> field)
{
    return latin1ToUtf8(recordText(field));
}

template <typename T>
Json optionalText(const std::optional<T>& v)
{
    return v ? Json(*v) : Json(nullptr);
}

Json rangeJson(bool ok, int low, int high)
{
    return ok ? Json::array({low, high}) : Json(nullptr);
}

}  // namespace

Json infoJson(const cBrixa& img, const std::vector<Probe>& probes)
{
    const RecordFields& f = img.fields;
    Json j;
    j["version"] = f.version[0] | (f.version[1] << 8);
    j["scale"] = number(img.scale());
    j["scale_code"] = f.scaleCode;
    j["unit"] = f.unit;
    j["unit_text"] = unitTextOf(f.unit);
    j["capture"] = timeJson(f.capture);
    j["modified"] = timeJson(f.modified);
    j["capture_date_text"] = optionalText(img.captureDateText());
    j["capture_time_text"] = optionalText(img.captureTimeText());
    j["emissivity"] = f.emissivity[10];
    Json cursorEm = Json::array();
    for (int i = 0; i < kMaxCursors; ++i)
        cursorEm.push_back(f.emissivity[static_cast<std::size_t>(i)]);
    j["cursor_emissivity"] = std::move(cursorEm);
    j["reflected_raw"] = f.reflected;
    j["palette"] = f.palette;
    j["orientation"] = f.orientation;
    j["blend"] = f.blend;
    j["span"] = Json::array({f.spanLow, f.spanHigh});
    j["fallback_span"] = Json::array({f.fallbackLow, f.fallbackHigh});
    int lo = 0, hi = 0;
    const bool autoOk = img.spanRange(lo, hi);
    j["auto_span"] = rangeJson(autoOk, lo, hi);
    const bool fullOk = img.fullRange(lo, hi);
    j["full_range"] = rangeJson(fullOk, lo, hi);
    j["isotherms"] = Json{{"blue", Json::array({f.blueLower, f.blueUpper})},
                          {"red", Json::array({f.redLower, f.redUpper})}};
    j["alignment"] = Json::array({f.alignX, f.alignY});
    j["saved_alignment"] = Json::array({f.savedAlignX, f.savedAlignY});
    j["flags_a"] = f.flagsA;
    j["flags_b"] = f.flagsB;
    j["cursor_count"] = f.cursorCount;
    Json cursors = Json::array();
    for (int i = 0; i < std::min<int>(f.cursorCount, kMaxCursors); ++i)
        cursors.push_back(Json::array(
            {f.cursorX[static_cast<std::size_t>(i)], f.cursorY[static_cast<std::size_t>(i)]}));
    j["cursors"] = std::move(cursors);
    const cBrixa::Stats& s = img.stats();
    j["stats"] = Json{{"min_raw", s.minRaw},
                      {"max_raw", s.maxRaw},
                      {"average_raw", number(s.average)},
                      {"coldest", Json::array({s.coldX, s.coldRow})},
                      {"hottest", Json::array({s.hotX, s.hotRow})}};
    const cBrixa::AreaStats& a = img.areaStats();
    j["area"] = Json{{"mode", img.areaMode()},
                     {"min_raw", a.minRaw},
                     {"max_raw", a.maxRaw},
                     {"average_raw", number(a.average)}};
    Json markers = Json::array();
    for (int i = 0; i < kMarkerCount; ++i) markers.push_back(number(img.markerTemperature(i)));
    j["markers"] = std::move(markers);
    Json probeValues = Json::array();
    for (const Probe& p : probes)
        probeValues.push_back(
            number(img.temperatureOf(static_cast<std::uint16_t>(p.raw), p.emissivity, true)));
    j["probes"] = std::move(probeValues);
    j["comments"] = textJson(f.comments);
    j["caption"] = textJson(std::span<const std::uint8_t>(f.textC.data(), 20));
    j["voice"] = textJson(f.textB);
    return j;
}

int runInfo(const InfoOptions& opt, std::ostream& out, std::ostream& err)
{
    cBrixa img;
    if (!openForCommand(opt.snapshot, img, err)) return 1;
    img.setAreaMode(opt.areaMode);
    if (opt.unit) img.setUnit(*opt.unit);
    img.setUnitText(unitTextOf(img.unit()));
    out << infoJson(img, opt.probes).dump(2) << '\n';
    return out ? 0 : 1;
}

}  // namespace calivue::cli
