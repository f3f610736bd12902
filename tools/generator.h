// Deterministic synthetic snapshots for tests, demos and fixtures.
//
// A SnapshotPlan is a complete description of one snapshot: the scene and every
// record field the generator sets. The presets build plans from a seed; the
// same plan (and so the same seed) always gives byte-identical files, because
// nothing is taken from the clock or from a platform-dependent random source.
#pragma once

#include "scene.h"

#include "core/brixa.h"
#include "core/error.h"
#include "core/record.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace calivue::gen {

struct CursorPlan {
    int x = 0, y = 0;    // picture position, y counted from the top
    int emissivity = 0;  // hundredths; 0 = the image emissivity
};

struct SnapshotPlan {
    Scene scene;
    std::uint8_t scaleCode = 0;  // 0/10, 1/50, 2/25, 3/100; others read as 50
    std::uint8_t unit = 0;
    std::uint8_t emissivity = 95;  // whole image, hundredths
    double reflectedC = 20.0;
    std::uint8_t palette = 1;
    std::uint8_t blend = 0;
    std::uint8_t orientation = 0;
    std::int16_t alignX = 0, alignY = 0;
    std::uint8_t flagsA = 0x03, flagsB = 0x01;
    bool flag394 = false;
    RecordTime capture;
    std::vector<CursorPlan> cursors;  // at most 10 are stored
    // Visible span: 2nd..98th percentile of the counts, or 0/0 when false.
    bool visibleSpan = true;
    // Isotherm bounds written into the record; 0 leaves them to the program.
    bool explicitIsotherms = false;
    int zeroPixels = 5;  // raw 0 values, which the decoder replaces
    std::string textA;   // Latin-1 bytes, each field cut to its width
    std::string comment;
    std::string caption;
    std::vector<std::string> labels;  // up to five
    bool voice = false;               // writeSnapshot adds NAME.WAV and names it in text B
    std::string voiceName;            // text B; writeSnapshot fills it when voice is set
    bool cameraBytes = false;         // fill the carried-through parameter bytes
    std::uint64_t seed = 1;           // zero-pixel positions, parameter bytes, the voice tone
};

// The preset snapshots. demoPlan: a motor and pump with hot bearings, three
// cursors, Ironbow, a voice note. variedPlan(seed, i): snapshot i of a series
// that cycles through scenes, scale codes, units, emissivities, blend modes,
// orientations, alignment offsets, flags, dates and texts.
SnapshotPlan demoPlan(std::uint64_t seed);
SnapshotPlan variedPlan(std::uint64_t seed, int index);  // index from 0

// Raw counts of the scene in image-array order (bottom row first), including
// the zero pixels.
std::vector<std::uint16_t> sceneCounts(const SnapshotPlan& plan);

// A cBrixa holding the plan's record fields and raw pixels; arrays are not
// built (it is what the encoder needs, not yet a loaded image).
cBrixa makeSnapshot(const SnapshotPlan& plan);

// The fixed "modified" stamp of the record: the capture time.
LocalStamp stampFor(const SnapshotPlan& plan);

// The encoded 154,133-byte record.
std::vector<std::uint8_t> encodeSnapshot(const SnapshotPlan& plan);

// The 640 × 240 picture (blue-green-red, bottom row first, no padding): the
// record as the program renders it (decoded, zoom 1, its palette, orientation
// 0, no isotherms, over its visible span, else the fallback span) on the left,
// the visual photograph on the right, stored displaced by the alignment offsets
// so that blending with them brings it into register. Empty if the render is
// refused.
std::vector<std::uint8_t> snapshotPicture(const SnapshotPlan& plan,
                                          std::span<const std::uint8_t> record);

// One second of a 16-bit mono PCM tone at 11,025 Hz, as a whole .wav file.
std::vector<std::uint8_t> voiceNote(std::uint64_t seed);

// Files written by writeSnapshot.
struct WrittenFiles {
    std::filesystem::path bmp, qvx, wav;  // wav empty without a voice note
};

// Writes NAME.BMP, NAME.QVX and, with plan.voice, NAME.WAV into dir (created
// when missing). BadArgument for a name that is empty, longer than 28
// characters, or not plain ASCII without path characters; WriteFailed or
// Corrupted (a refused render) otherwise.
Result<WrittenFiles> writeSnapshot(const std::filesystem::path& dir, const std::string& name,
                                   const SnapshotPlan& plan);

// Whether a snapshot name is accepted by writeSnapshot.
bool validSnapshotName(const std::string& name);

}  // namespace calivue::gen
