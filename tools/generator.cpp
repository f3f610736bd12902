#include "generator.h"

#include "rng.h"

#include "core/bitmapfile.h"
#include "core/constants.h"
#include "core/fileio.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace calivue::gen {

namespace {

constexpr int kPictureWidth = 2 * kWidth;  // thermal left, photograph right

template <std::size_t N>
void copyText(std::array<std::uint8_t, N>& field, const std::string& text, std::size_t width = N)
{
    field.fill(0);
    std::memcpy(field.data(), text.data(), std::min({text.size(), width, N}));
}

std::uint16_t toCounts(double celsius, float scale)
{
    const long v = std::lround((celsius + kKelvinOffset) * scale);
    // 0 would read as a dropout; keep real pixels away from it.
    return static_cast<std::uint16_t>(std::clamp(v, 1L, 65535L));
}

bool nearCursor(const SnapshotPlan& plan, int x, int y)
{
    // The cursor reading comes from the smoothed array; keep dropouts out of its reach.
    return std::any_of(plan.cursors.begin(), plan.cursors.end(), [&](const CursorPlan& c) {
        return std::abs(c.x - x) <= 3 && std::abs(c.y - y) <= 3;
    });
}

struct Spans {
    std::uint16_t low, high, fullLow, fullHigh;
};

// Visible span: 2nd..98th percentile; fallback: min..max. Dropouts are not scene
// data and are left out. Each span is kept at least one count wide.
Spans spansOf(const std::vector<std::uint16_t>& counts)
{
    std::vector<std::uint16_t> v;
    v.reserve(counts.size());
    for (std::uint16_t c : counts)
        if (c != 0) v.push_back(c);
    if (v.empty()) return {0, 0, 0, 0};
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    Spans s{v[(n - 1) * 2 / 100], v[((n - 1) * 98 + 99) / 100], v.front(), v.back()};
    if (s.high <= s.low) s.high = static_cast<std::uint16_t>(std::min(s.low + 1, 65535));
    if (s.fullHigh <= s.fullLow)
        s.fullHigh = static_cast<std::uint16_t>(std::min(s.fullLow + 1, 65535));
    return s;
}

void putU16(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

void putTag(std::vector<std::uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

std::vector<std::uint16_t> sceneCounts(const SnapshotPlan& plan)
{
    const float scale = scaleForCode(plan.scaleCode);
    std::vector<std::uint16_t> counts(kPixels);
    for (int row = 0; row < kHeight; ++row) {
        const int y = kHeight - 1 - row;  // array row 0 is the bottom of the picture
        for (int x = 0; x < kWidth; ++x)
            counts[static_cast<std::size_t>(row) * kWidth + x] =
                toCounts(temperatureAt(plan.scene, x, y), scale);
    }
    Rng rng(plan.seed ^ 0x5A5A5A5Aull);
    int placed = 0;
    for (int attempt = 0; placed < plan.zeroPixels && attempt < 10000; ++attempt) {
        const int x = rng.between(0, kWidth - 1), y = rng.between(0, kHeight - 1);
        std::uint16_t& px = counts[static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x];
        if (px == 0 || nearCursor(plan, x, y)) continue;
        px = 0;
        ++placed;
    }
    return counts;
}

LocalStamp stampFor(const SnapshotPlan& plan)
{
    LocalStamp st;
    st.hour = plan.capture.hour;
    st.minute = plan.capture.minute;
    st.second = plan.capture.second;
    st.day = plan.capture.day;
    st.month = plan.capture.month;
    st.year = plan.capture.year;
    return st;
}

cBrixa makeSnapshot(const SnapshotPlan& plan)
{
    cBrixa img;
    RecordFields& f = img.fields;
    const float scale = scaleForCode(plan.scaleCode);
    std::vector<std::uint16_t> counts = sceneCounts(plan);
    const Spans spans = spansOf(counts);

    f.version = {3, 0};
    f.capture = plan.capture;
    f.modified = plan.capture;
    copyText(f.textA, plan.textA);
    f.scaleCode = plan.scaleCode;
    f.param56 = 4;
    f.reflected = toCounts(plan.reflectedC, scale);
    f.palette = plan.palette;
    if (plan.visibleSpan) {
        f.spanLow = spans.low;
        f.spanHigh = spans.high;
    }
    f.fallbackLow = spans.fullLow;
    f.fallbackHigh = spans.fullHigh;
    f.unit = plan.unit;
    f.emissivity.fill(plan.emissivity);
    f.param86 = 1;
    if (plan.explicitIsotherms) {
        const double range = spans.fullHigh - spans.fullLow;
        auto at = [&](double fraction) {
            return static_cast<std::uint16_t>(spans.fullLow + std::lround(fraction * range));
        };
        f.blueLower = at(0.05);
        f.blueUpper = at(0.20);
        f.redLower = at(0.80);
        f.redUpper = spans.fullHigh;
    }
    f.orientation = plan.orientation;
    copyText(f.comments, plan.comment);
    const std::size_t cursors = std::min<std::size_t>(plan.cursors.size(), kMaxCursors);
    f.cursorCount = static_cast<std::uint8_t>(cursors);
    for (std::size_t i = 0; i < cursors; ++i) {
        const CursorPlan& c = plan.cursors[i];
        f.cursorX[i] = static_cast<std::uint16_t>(std::clamp(c.x, 0, kWidth - 1));
        f.cursorY[i] = static_cast<std::uint16_t>(std::clamp(c.y, 0, kHeight - 1));
        if (c.emissivity > 0)
            f.emissivity[i] = static_cast<std::uint8_t>(std::min(c.emissivity, 100));
    }
    f.blend = plan.blend;
    f.flag394 = plan.flag394 ? 1 : 0;
    f.param395 = 1;
    copyText(f.textB, plan.voiceName);
    copyText(f.textC, plan.caption, 20);
    for (std::size_t i = 0; i < f.labels.size() && i < plan.labels.size(); ++i)
        copyText(f.labels[i], plan.labels[i]);
    if (plan.cameraBytes) {
        // Bytes no part of the program interprets; they must come back unchanged.
        Rng rng(plan.seed ^ 0xCA3E7Aull);
        for (auto& b : f.params80) b = static_cast<std::uint8_t>(rng.next());
        for (auto& b : f.params503) b = static_cast<std::uint8_t>(rng.next());
        for (auto& b : f.params525) b = static_cast<std::uint8_t>(rng.next());
    }
    f.flagsA = plan.flagsA;
    f.flagsB = plan.flagsB;
    f.alignX = f.savedAlignX = plan.alignX;
    f.alignY = f.savedAlignY = plan.alignY;
    img.setRawPixels(std::move(counts));
    return img;
}

std::vector<std::uint8_t> encodeSnapshot(const SnapshotPlan& plan)
{
    cBrixa img = makeSnapshot(plan);
    return encodeRecord(img, stampFor(plan));
}

std::vector<std::uint8_t> snapshotPicture(const SnapshotPlan& plan,
                                          std::span<const std::uint8_t> record)
{
    // Render what the program will show: the decoded record, with its dropouts
    // already replaced, through the program's own renderer.
    cBrixa img;
    if (img.loadFromBytes(record, {}) != Error::None) return {};
    int low = img.fields.spanLow, high = img.fields.spanHigh;
    if (high <= low) low = img.fields.fallbackLow, high = img.fields.fallbackHigh;
    auto thermal = img.renderUnoriented(kWidth, kHeight, 1, low, high, 0);
    if (!thermal || thermal->size() != static_cast<std::size_t>(kPixels) * 3) return {};

    // A camera stores its photograph uncorrected; the record's offsets map
    // visual (row i, column k) onto thermal (row i + yoff, column k + 3·xoff),
    // rows counted from the bottom, so store the scene displaced by exactly that.
    const std::vector<std::uint8_t> visual = photograph(plan.scene, 3 * plan.alignX, -plan.alignY);

    const std::size_t half = static_cast<std::size_t>(kWidth) * 3;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(kPictureWidth) * kHeight * 3);
    for (int row = 0; row < kHeight; ++row) {
        std::uint8_t* dst = &out[static_cast<std::size_t>(row) * 2 * half];
        std::memcpy(dst, thermal->data() + row * half, half);
        std::memcpy(dst + half, visual.data() + row * half, half);
    }
    return out;
}

std::vector<std::uint8_t> voiceNote(std::uint64_t seed)
{
    constexpr std::uint32_t kRate = 11025;
    constexpr std::uint32_t kSamples = kRate;  // one second
    constexpr std::uint32_t kDataBytes = kSamples * 2;
    // A two-note chime, pitched by the seed so different notes sound different.
    const double f1 = 440.0 + 55.0 * static_cast<double>(seed % 8);
    const double f2 = f1 * 1.25;
    constexpr double kFade = 0.02 * kRate;

    std::vector<std::uint8_t> out;
    out.reserve(44 + kDataBytes);
    putTag(out, "RIFF");
    putU32(out, 36 + kDataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putU32(out, 16);
    putU16(out, 1);  // PCM
    putU16(out, 1);  // mono
    putU32(out, kRate);
    putU32(out, kRate * 2);  // bytes per second
    putU16(out, 2);          // bytes per frame
    putU16(out, 16);         // bits per sample
    putTag(out, "data");
    putU32(out, kDataBytes);
    for (std::uint32_t i = 0; i < kSamples; ++i) {
        const bool second = i >= kSamples / 2;
        const std::uint32_t local = second ? i - kSamples / 2 : i;
        const double freq = second ? f2 : f1;
        // Short fades at both ends of each note avoid clicks.
        const double edge = std::min<double>(local, kSamples / 2 - 1 - local);
        const double env = std::min(1.0, edge / kFade);
        const double v = 0.35 * env * std::sin(2.0 * 3.14159265358979323846 * freq * i / kRate);
        const long s = std::lround(v * 32767.0);
        putU16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(s)));
    }
    return out;
}

bool validSnapshotName(const std::string& name)
{
    // Text B holds NAME.WAV in 32 bytes; camera names are short plain ASCII.
    if (name.empty() || name.size() > 28 || name == "." || name == "..") return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.';
    });
}

Result<WrittenFiles> writeSnapshot(const std::filesystem::path& dir, const std::string& name,
                                   const SnapshotPlan& plan)
{
    if (!validSnapshotName(name)) return Error::BadArgument;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) return Error::WriteFailed;

    SnapshotPlan s = plan;
    if (s.voice && s.voiceName.empty()) s.voiceName = name + ".WAV";

    WrittenFiles files;
    files.bmp = dir / (name + ".BMP");
    files.qvx = dir / (name + ".QVX");
    const std::vector<std::uint8_t> record = encodeSnapshot(s);
    const std::vector<std::uint8_t> picture = snapshotPicture(s, record);
    if (record.size() != kRecordSize || picture.empty()) return Error::Corrupted;

    if (Error e = writeFileAtomically(files.qvx, record); e != Error::None) return e;
    if (Error e = writeBmp24(files.bmp, kPictureWidth, kHeight, picture); e != Error::None)
        return e;
    if (s.voice) {
        files.wav = dir / (name + ".WAV");
        const std::vector<std::uint8_t> wav = voiceNote(s.seed);
        if (Error e = writeFileAtomically(files.wav, wav); e != Error::None) return e;
    }
    return files;
}

}  // namespace calivue::gen
