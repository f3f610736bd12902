// The report project file (.vrp): the report writer's whole state as one flat
// run of values — version mark, title page, the inspection image entries, the
// inspection records and, from layout 1.3, the 17 field captions — then, when
// the project has any, the block of extension sections (projectextension.h).
#pragma once

#include "core/error.h"
#include "core/fileio.h"
#include "core/projectextension.h"
#include "core/reportdata.h"

#include <bit>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace calivue {

// The version marks, as the single-precision values the file holds.
inline constexpr float kProjectVersion11 = std::bit_cast<float>(0x3F8CCCCDu);
inline constexpr float kProjectVersion12 = std::bit_cast<float>(0x3F99999Au);
inline constexpr float kProjectVersion13 = std::bit_cast<float>(0x3FA66666u);

// Larger files are refused unread; 10,000 inspections take a few MB.
inline constexpr std::size_t kMaxProjectFileBytes = std::size_t{64} << 20;
// The most entries, and the most records, a project may hold: far above any
// survey, and small enough that a file claiming more never costs gigabytes.
inline constexpr std::size_t kMaxProjectInspections = 100000;

struct ReportProject {
    float version = kProjectVersion13;  // as read; the writer always puts 1.3
    ReportTitle title;
    std::vector<cInspectionImage> entries;
    std::vector<cInspectionRecord> records;
    // Absent when the file predates 1.3; the writer then puts the defaults.
    std::optional<ReportCaptions> captions;
    // Data beyond the layout above; with no sections the file holds that layout alone.
    ProjectExtensions extensions;
    // Bytes after the last value read that were no extension block (or followed
    // it); readers of the designed layout ignore them and the writer drops them.
    std::size_t ignoredTrailingBytes = 0;

    // Row i belongs to record i: callers refuse a project whose counts differ.
    bool countsAgree() const { return entries.size() == records.size(); }
};

// Which of the optional parts a version mark carries. NaN and marks below 1.1
// read as the oldest layout, marks above 1.3 as 1.3.
struct ProjectLayout {
    bool thumbnailIndex = false;  // 1.1
    bool recordExtras = false;    // 1.2: indoor ... pressure, conditionChoice
    bool captions = false;        // 1.3
};
ProjectLayout projectLayout(float version);

// Decodes a whole file. Empty for no bytes at all, Truncated when the data ends inside a value or a
// text length or a count asks for more than the bytes left; Corrupted for a negative count,
// TooLarge for a count above kMaxProjectInspections or memory running out while decoding. After the
// last designed value an extension block is read when its signature is there, with the errors of
// readProjectExtensions; other bytes are counted in ignoredTrailingBytes and otherwise ignored, so
// every file a reader of the designed layout opens still opens. Entry and record counts are
// returned as read, also when they differ.
Result<ReportProject> readReportProject(std::span<const std::uint8_t> bytes);

// The 1.3 layout of the project, texts in the UTF-16 form, then the extension
// block when there are sections.
std::vector<std::uint8_t> encodeReportProject(const ReportProject& project);

// Reads the file whole: NotFound / ReadFailed from the file system, TooLarge
// above kMaxProjectFileBytes, else what readReportProject says.
Result<ReportProject> readReportProjectFile(const std::filesystem::path& path);

// Encodes and replaces the file atomically, so a failed write keeps the old
// project. BadArgument for an empty path, WriteFailed when the file system fails,
// TooLarge (the reason "file too large") for a project readReportProjectFile would refuse:
// more than kMaxProjectInspections entries or records, or more than kMaxProjectFileBytes;
// failure (when given) names the file and the reason.
Error writeReportProjectFile(const std::filesystem::path& path, const ReportProject& project,
                             FileFailure* failure = nullptr);

}  // namespace calivue
