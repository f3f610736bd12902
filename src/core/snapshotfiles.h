// The snapshot file set on disk: NAME.bmp (the camera's picture), NAME.qvx (the
// radiometric record) and optionally NAME.wav (a voice note), all in one folder.
//
// Camera cards write upper-case names (IR_0001.BMP, IR_0001.QVX, IR_0001.WAV), so
// every companion file is looked up by its exact name first and then without
// regard to case in the same folder.
#pragma once

#include "core/brixa.h"
#include "core/cursorlist.h"
#include "core/error.h"
#include "core/fileio.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace calivue {

// The path up to and including the last "." of its file name, followed by ext.
// A file name without a "." gets one appended, so a folder name with a dot in it
// is never cut ("a.b/pic" gives "a.b/pic.qvx", not "a.qvx").
std::filesystem::path withExtension(const std::filesystem::path& path, std::string_view ext);
inline std::filesystem::path recordPathOf(const std::filesystem::path& p)
{
    return withExtension(p, "qvx");
}
inline std::filesystem::path bitmapPathOf(const std::filesystem::path& p)
{
    return withExtension(p, "bmp");
}
inline std::filesystem::path voicePathOf(const std::filesystem::path& p)
{
    return withExtension(p, "wav");
}

// A path ending in ".qvx" in any case has its last three characters replaced by
// "BMP" (the rest keeps its case); any other path is returned unchanged.
std::filesystem::path openPathHook(const std::filesystem::path& path);

// The companion as it exists on disk: the exact path, else the one entry of the
// same folder whose name matches without regard to case; empty when neither exists.
std::optional<std::filesystem::path> findCompanion(const std::filesystem::path& path);

// A record text field (Latin-1, zero-padded) up to its first zero byte.
std::string recordText(std::span<const std::uint8_t> field);

// Opens a snapshot by its .bmp or .qvx name: finds the record beside it and loads
// it into img. NotFound when no record file exists; otherwise the decoder's error
// when the file holds no snapshot record; NotRegular for a directory, FIFO,
// socket or device of the record's name (never opened, so nothing blocks). On
// failure img is left reset. A short record opens, with img.isIncomplete() set.
Error openSnapshot(const std::filesystem::path& path, cBrixa& img);

// The file a failed openSnapshot(requested) names to the user: the record when
// the bitmap asked for is there without its record (the file that is missing is
// the record), else the path asked for. The reason comes from errorReason.
std::filesystem::path failedSnapshotFile(Error e, const std::filesystem::path& requested);

// Where a successful save put the snapshot's files.
struct SavedSnapshot {
    std::filesystem::path bitmap;  // the document's new current path
    std::filesystem::path record;
    std::filesystem::path voice;  // empty when the snapshot has no voice note
};

// Saves img under newBmpPath: renames the voice note in text B, rebuilds the
// record's cursors from slots, and writes the set as one operation: the record,
// a copy of the old .wav (NAME.wav of the current path, else the file text B
// names in its folder) and of the .bmp are each written in full under a
// temporary name beside their target, and renamed over the old files only when
// all are complete. A copy of a file onto itself is skipped, as is a companion
// that no longer exists. NotLoaded when img holds no record; WriteFailed when
// any file could not be written, with failure (when given) naming the file and
// the reason: then every previous file is as it was, no temporary is left and
// text B is unchanged.
Error saveSnapshot(cBrixa& img, const std::filesystem::path& currentBmpPath,
                   const std::filesystem::path& newBmpPath, const CursorSlots& slots,
                   SavedSnapshot* saved = nullptr, FileFailure* failure = nullptr);

}  // namespace calivue
