// The `thumbnail` subcommand (built with the Qt layers only: PNG output comes from Qt).
#pragma once

#include <QImage>

#include <filesystem>
#include <ostream>

namespace calivue {
class cBrixa;
}

namespace calivue::cli {

// File managers ask for 128, 256, 512 or 1024 pixels; anything larger is refused.
inline constexpr int kMaxThumbnailSize = 4096;

// The picture drawn with the record's own display settings (displayStateOf), scaled to fit
// size × size with its aspect kept. Null when the image cannot be rendered. img is not
// changed; its arrays must be built.
QImage thumbnailImage(const cBrixa& img, int size);

// Writes the thumbnail of snapshot to output as a PNG, atomically. A snapshot that cannot be
// read, or a size outside 1 to kMaxThumbnailSize, writes one line to err, no file, and
// returns non-zero.
int runThumbnail(const std::filesystem::path& snapshot, const std::filesystem::path& output,
                 int size, std::ostream& err);

}  // namespace calivue::cli
