#include "core/folderscan.h"

#include "core/brixa.h"
#include "core/constants.h"
#include "core/fileio.h"
#include "core/record.h"
#include "core/snapshotfiles.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace fs = std::filesystem;

namespace calivue {

std::vector<std::string> splitExtensions(std::string_view list)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find_first_of(",;#", start);
        if (end == std::string_view::npos) end = list.size();
        std::string_view ext = list.substr(start, end - start);
        while (!ext.empty() && (ext.front() == ' ' || ext.front() == '\t')) ext.remove_prefix(1);
        while (!ext.empty() && (ext.back() == ' ' || ext.back() == '\t')) ext.remove_suffix(1);
        if (!ext.empty() && ext.front() == '.') ext.remove_prefix(1);
        if (!ext.empty()) out.emplace_back(ext);
        start = end + 1;
    }
    return out;
}

namespace {

bool recordDecodes(const fs::path& record)
{
    Result<std::vector<std::uint8_t>> bytes = readFilePrefix(record, kRecordSize);
    if (!bytes) return false;
    cBrixa img;
    return decodeRecord(*bytes, img) == Error::None;
}

}  // namespace

bool hasSnapshotRecord(const fs::path& bitmapPath)
{
    const std::optional<fs::path> record = findCompanion(recordPathOf(bitmapPath));
    return record && recordDecodes(*record);
}

namespace {

struct Listing {
    std::vector<std::string> files;    // regular, not hidden
    std::vector<std::string> folders;  // real folders, hidden ones included
    std::error_code error;
};

char upperOf(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Windows listed a folder in the order of its upper-cased names (so "_x" comes after
// "Z", not before "a"); users expect that order. Names equal but for case keep a
// fixed order by their exact bytes.
bool nameBefore(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ua = static_cast<unsigned char>(upperOf(a[i]));
        const auto ub = static_cast<unsigned char>(upperOf(b[i]));
        if (ua != ub) return ua < ub;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

Listing listFolder(const fs::path& folder)
{
    Listing out;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        // A missing folder simply holds no snapshots.
        if (ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
            out.error = ec;
        return out;
    }
    for (const fs::directory_iterator end; it != end;) {
        const fs::directory_entry& entry = *it;
        std::string name = entry.path().filename().native();
        std::error_code statusError;
        if (entry.is_symlink(statusError)) {
            // Links to files count as files; links to folders are not walked.
            if (!name.starts_with(".") && entry.is_regular_file(statusError))
                out.files.push_back(std::move(name));
        } else if (entry.is_directory(statusError)) {
            out.folders.push_back(std::move(name));
        } else if (!name.starts_with(".") && entry.is_regular_file(statusError)) {
            out.files.push_back(std::move(name));
        }
        it.increment(ec);
        if (ec) {
            out.error = ec;
            break;
        }
    }
    std::sort(out.files.begin(), out.files.end(), nameBefore);
    std::sort(out.folders.begin(), out.folders.end(), nameBefore);
    return out;
}

std::string upperName(const std::string& name)
{
    std::string out = name;
    for (char& c : out) c = upperOf(c);
    return out;
}

void appendMatches(const fs::path& folder, const std::vector<std::string>& files,
                   const std::vector<std::string>& extensions, std::vector<fs::path>& paths)
{
    // The records are looked up in this one listing (the exact name first, else the one
    // equal but for case), so a folder of thousands of pictures without records costs one
    // listing, not one per picture.
    std::unordered_set<std::string> exact(files.begin(), files.end());
    std::unordered_map<std::string, std::string> byUpper;
    for (const std::string& f : files) byUpper.emplace(upperName(f), f);
    auto recordOf = [&](const std::string& bitmapName) -> std::optional<std::string> {
        const std::size_t dot = bitmapName.rfind('.');
        const std::string name = bitmapName.substr(0, dot + 1) + "qvx";
        if (exact.contains(name)) return name;
        const auto it = byUpper.find(upperName(name));
        if (it == byUpper.end()) return std::nullopt;
        return it->second;
    };

    std::vector<bool> taken(files.size(), false);
    for (const std::string& ext : extensions) {
        const std::string suffix = "." + ext;
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (taken[i] || !iendsWith(files[i], suffix)) continue;
            taken[i] = true;  // "bmp;BMP" must not list a file twice
            const std::optional<std::string> record = recordOf(files[i]);
            if (record && recordDecodes(folder / *record)) paths.push_back(folder / files[i]);
        }
    }
}

void walk(const fs::path& folder, ScanResult& result)
{
    Listing listing = listFolder(folder);
    appendMatches(folder, listing.files, {"bmp"}, result.paths);
    if (listing.error) result.errors.push_back({folder, listing.error});
    for (const std::string& sub : listing.folders) walk(folder / sub, result);
}

}  // namespace

ScanResult scanFolder(const fs::path& folder, std::string_view extensionList)
{
    ScanResult result;
    Listing listing = listFolder(folder);
    appendMatches(folder, listing.files, splitExtensions(extensionList), result.paths);
    if (listing.error) result.errors.push_back({folder, listing.error});
    return result;
}

ScanResult walkFolderTree(const fs::path& folder)
{
    ScanResult result;
    walk(folder, result);
    return result;
}

}  // namespace calivue
