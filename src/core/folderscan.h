// Finding snapshot bitmaps in a folder, or in a folder tree, in the order the
// image selection page lists them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace calivue {

// One folder that could not be listed (completely or to its end).
struct ScanError {
    std::filesystem::path folder;
    std::error_code code;
};

// The bitmaps found, plus every enumeration error met on the way. A folder that
// does not exist is not an error: it simply holds no snapshots.
struct ScanResult {
    std::vector<std::filesystem::path> paths;
    std::vector<ScanError> errors;
    bool ok() const { return errors.empty(); }
};

// The extensions of a list such as "bmp;jpg,png#tif", without empty entries,
// surrounding blanks or a leading ".".
std::vector<std::string> splitExtensions(std::string_view list);

// Whether the record beside a bitmap (found without regard to case) reads and
// decodes as a snapshot record.
bool hasSnapshotRecord(const std::filesystem::path& bitmapPath);

// Files of one folder whose extension is one of the list (without regard to case)
// and whose record decodes: for each extension in turn, the matching files sorted
// by name without regard to case (exact name breaks ties); each file at most once.
// Directories and hidden files (names starting with ".") are skipped. Never throws.
ScanResult scanFolder(const std::filesystem::path& folder, std::string_view extensionList);

// scanFolder(folder, "bmp"), then every subfolder depth first, subfolders sorted
// as files are. Hidden folders are walked too; symbolic links to folders are not
// followed, so a link loop cannot make the walk endless. An enumeration error ends
// the listing of that folder only. Never throws.
ScanResult walkFolderTree(const std::filesystem::path& folder);

}  // namespace calivue
