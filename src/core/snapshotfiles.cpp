#include "core/snapshotfiles.h"

#include "core/fileio.h"
#include "core/record.h"

#include <algorithm>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace calivue {

fs::path withExtension(const fs::path& path, std::string_view ext)
{
    const std::string& s = path.native();
    const std::size_t slash = s.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = s.find_last_of('.');
    std::string base;
    if (dot == std::string::npos || dot < nameStart)
        base = s + ".";
    else
        base = s.substr(0, dot + 1);
    base.append(ext);
    return fs::path(std::move(base));
}

fs::path openPathHook(const fs::path& path)
{
    const std::string& s = path.native();
    if (!iendsWith(s, ".qvx")) return path;
    return fs::path(s.substr(0, s.size() - 3) + "BMP");
}

std::optional<fs::path> findCompanion(const fs::path& path)
{
    return findCaseInsensitive(path);
}

std::string recordText(std::span<const std::uint8_t> field)
{
    auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return std::string(field.begin(), end);
}

Error openSnapshot(const fs::path& path, cBrixa& img)
{
    img.reset();
    const std::optional<fs::path> record = findCompanion(recordPathOf(openPathHook(path)));
    if (!record) return Error::NotFound;
    const Error e = img.loadFromPath(*record);
    if (e != Error::None) img.reset();
    return e;
}

fs::path failedSnapshotFile(Error e, const fs::path& requested)
{
    if (e != Error::NotFound || requested.empty()) return requested;
    const fs::path bmp = openPathHook(requested);
    std::error_code ec;
    return fs::is_regular_file(bmp, ec) ? recordPathOf(bmp) : requested;
}

namespace {

// A target in a folder that may already hold the file under another case: write
// over that spelling rather than leave a second, differently cased copy beside it.
fs::path resolveTarget(const fs::path& path)
{
    return findCompanion(path).value_or(path);
}

bool namesVoiceNote(const std::array<std::uint8_t, 32>& textB)
{
    const std::string name = recordText(textB);
    // The camera writes IR_0003.WAV: a case-sensitive test would drop its voice note.
    return !name.empty() && icontains(name, ".wav");
}

}  // namespace

Error saveSnapshot(cBrixa& img, const fs::path& currentBmpPath, const fs::path& newBmpPath,
                   const CursorSlots& slots, SavedSnapshot* saved, FileFailure* failure)
{
    if (!img.isLoaded() || img.rawPixels() == nullptr) return Error::NotLoaded;
    if (newBmpPath.filename().empty()) return Error::BadArgument;

    const fs::path recordTarget = resolveTarget(recordPathOf(newBmpPath));
    const fs::path wavTarget = resolveTarget(voicePathOf(newBmpPath));
    const fs::path bmpTarget = iendsWith(newBmpPath.native(), ".bmp")
                                   ? resolveTarget(newBmpPath)
                                   : resolveTarget(bitmapPathOf(newBmpPath));

    const std::array<std::uint8_t, 32> oldTextB = img.fields.textB;
    const bool hasVoice = namesVoiceNote(oldTextB);
    if (hasVoice) {
        // The whole field is replaced, so no tail of a longer old name survives.
        const std::string name = wavTarget.filename().native();
        img.fields.textB.fill(0);
        std::copy_n(name.begin(), std::min(name.size(), img.fields.textB.size()),
                    img.fields.textB.begin());
    }
    applyCursorSlots(img.fields, slots);

    const std::vector<std::uint8_t> bytes = encodeRecord(img);
    if (bytes.empty()) {
        img.fields.textB = oldTextB;
        return Error::NotLoaded;
    }

    // The files the set is copied from; one that is gone is simply not carried along.
    std::optional<fs::path> oldWav;
    if (hasVoice && !currentBmpPath.empty()) {
        oldWav = findCompanion(voicePathOf(currentBmpPath));
        // A note named otherwise than the snapshot is still found by its recorded name.
        const std::string recorded = recordText(oldTextB);
        if (!oldWav && recorded.find('/') == std::string::npos)
            oldWav = findCompanion(currentBmpPath.parent_path() / recorded);
    }
    std::optional<fs::path> oldBmp;
    if (!currentBmpPath.empty()) {
        oldBmp = findCompanion(iendsWith(currentBmpPath.native(), ".bmp")
                                   ? currentBmpPath
                                   : bitmapPathOf(currentBmpPath));
    }

    // The set is one operation: every file is written in full under a temporary
    // name first, and only then are they renamed over the old ones. Until the
    // renames, any failure leaves every previous file as it was.
    std::vector<std::unique_ptr<PendingFile>> files;
    auto stage = [&](const fs::path& target, const auto& fill) {
        files.push_back(std::make_unique<PendingFile>(target));
        PendingFile& f = *files.back();
        return fill(f) && f.finish();
    };
    auto copyUnlessSame = [&](const std::optional<fs::path>& from, const fs::path& to) {
        std::error_code ec;
        // A copy of a file onto itself would only rewrite it.
        if (!from || (fs::exists(to, ec) && fs::equivalent(*from, to, ec))) return true;
        return stage(to, [&](PendingFile& f) { return f.copyFrom(*from); });
    };
    bool ok = stage(recordTarget, [&](PendingFile& f) { return f.write(bytes); });
    ok = ok && copyUnlessSame(hasVoice ? oldWav : std::nullopt, wavTarget);
    ok = ok && copyUnlessSame(oldBmp, bmpTarget);
    // The record goes last: a set whose record is new has its new companions.
    for (auto it = files.rbegin(); ok && it != files.rend(); ++it) ok = (*it)->commit();
    if (!ok) {
        for (const auto& f : files)
            if (f->failure() && failure) *failure = f->failure();
        img.fields.textB = oldTextB;
        return Error::WriteFailed;
    }
    img.setFilePath(recordTarget);
    if (saved) {
        saved->bitmap = bmpTarget;
        saved->record = recordTarget;
        saved->voice = hasVoice ? wavTarget : fs::path();
    }
    return Error::None;
}

}  // namespace calivue
