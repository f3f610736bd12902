#include "core/folderproject.h"

#include "core/brixa.h"
#include "core/equipmentcodec.h"
#include "core/equipmentlink.h"
#include "core/printrules.h"
#include "core/snapshotfiles.h"

#include <algorithm>

namespace calivue {

namespace {

namespace fs = std::filesystem;

char16_t lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool isWordCharacter(char16_t c)
{
    // Letters and digits of any script, as far as UTF-16 units tell: ASCII letters and digits,
    // and everything outside ASCII (accented letters, other scripts).
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           c > 0x7F;
}

// A record text of the snapshot (one Latin-1 character a byte) up to its first zero byte,
// without the blanks around it.
std::u16string snapshotText(std::span<const std::uint8_t> bytes)
{
    std::u16string text;
    for (const std::uint8_t b : bytes) {
        if (b == 0) break;
        text.push_back(static_cast<char16_t>(b));
    }
    const auto blank = [](char16_t c) {
        return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
    };
    while (!text.empty() && blank(text.back())) text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && blank(text[start])) ++start;
    return text.substr(start);
}

// The entry of a listed bitmap: its record and bitmap by their designed extensions, resolved
// to the files that exist, as the image selection page makes it.
cInspectionImage entryOf(const fs::path& bitmap, std::int32_t index)
{
    fs::path qvx = bitmap, bmp = bitmap;
    qvx.replace_extension(".qvx");
    bmp.replace_extension(".bmp");
    cInspectionImage entry;
    entry.snapshotPath = findCompanion(qvx).value_or(qvx).u16string();
    entry.bitmapPath = findCompanion(bmp).value_or(bmp).u16string();
    entry.thumbnailIndex = index;
    return entry;
}

}  // namespace

std::u16string leadingItemId(std::u16string_view text, const std::vector<EquipmentItem>& items)
{
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
    const EquipmentItem* best = nullptr;
    bool bestExact = false;
    for (const EquipmentItem& item : items) {
        const std::u16string_view id = item.id;
        if (id.empty() || id.size() > text.size()) continue;
        bool same = true, exact = true;
        for (std::size_t i = 0; i < id.size() && same; ++i) {
            same = lower(text[i]) == lower(id[i]);
            exact = exact && text[i] == id[i];
        }
        if (!same) continue;
        if (id.size() < text.size() && isWordCharacter(text[id.size()]) &&
            isWordCharacter(id.back()))
            continue;
        if (!best || id.size() > best->id.size() ||
            (id.size() == best->id.size() && exact && !bestExact)) {
            best = &item;
            bestExact = exact;
        }
    }
    return best ? best->id : std::u16string();
}

Result<FolderProject> projectFromFolder(const fs::path& folder, bool subfolders,
                                        const std::vector<EquipmentItem>& items,
                                        const std::u16string& previousLink,
                                        ReportTemplate reportTemplate)
{
    FolderProject out;
    out.equipment.items = items;
    out.equipment.previousProject = previousLink;
    if (equipmentProblem(out.equipment)) return Error::BadArgument;
    ScanResult scan = subfolders ? walkFolderTree(folder) : scanFolder(folder, "bmp");
    out.scanErrors = std::move(scan.errors);
    if (scan.paths.size() > kMaxProjectInspections) return Error::TooLarge;
    for (const fs::path& bitmap : scan.paths) {
        cInspectionImage entry =
            entryOf(bitmap, static_cast<std::int32_t>(out.project.entries.size()));
        cInspectionRecord record;
        record.name = bitmap.stem().u16string();
        std::u16string item;
        cBrixa image;
        if (openSnapshot(fs::path(entry.snapshotPath), image) == Error::None) {
            const RecordFields& f = image.fields;
            record.comment = snapshotText(f.comments);
            const std::u16string caption = snapshotText(std::span(f.textC.data(), 20));
            item = leadingItemId(record.comment, items);
            if (item.empty()) item = leadingItemId(caption, items);
            // The choice the details page makes for a record it shows for the first time.
            settleMeasurementChoice(record, measurementList(image));
        } else {
            ++out.unreadable;
        }
        if (const EquipmentItem* linked = out.equipment.find(item))
            fillFromItem(record, *linked, ratedIsLoad(reportTemplate));
        out.project.entries.push_back(std::move(entry));
        out.project.records.push_back(std::move(record));
        out.equipment.recordItems.push_back(std::move(item));
    }
    if (const Error e = putProjectEquipment(out.project, out.equipment); e != Error::None) return e;
    return out;
}

}  // namespace calivue
