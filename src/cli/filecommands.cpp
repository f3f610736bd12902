// The `csv`, `save-as` and `scan` subcommands.
#include "cli/commands.h"

#include "core/brixa.h"
#include "core/csvexport.h"
#include "core/cursorlist.h"
#include "core/displaystate.h"
#include "core/folderscan.h"
#include "core/snapshotfiles.h"

namespace fs = std::filesystem;

namespace calivue::cli {

int runCsv(const fs::path& snapshot, const fs::path& output, std::ostream& err)
{
    cBrixa img;
    if (!openForCommand(snapshot, img, err)) return 1;
    FileFailure failure;
    if (Error e = exportCsv(img, output, &failure); e != Error::None) {
        err << "Cannot write " << output.string() << ": "
            << (failure ? failure.reason.message() : std::string(describe(e))) << '\n';
        return 1;
    }
    return 0;
}

int runSaveAs(const fs::path& snapshot, const fs::path& newBmp, std::ostream& err)
{
    cBrixa img;
    if (!openForCommand(snapshot, img, err)) return 1;
    // Saved as the document saves a snapshot it opened: with the palette and span shown.
    adoptDisplayState(img);
    // The document's current path is the .bmp name, also when opened by its .qvx.
    const fs::path current = openPathHook(snapshot);
    const CursorSlots slots = cursorSlotsFromRecord(img.fields);
    FileFailure failure;
    if (Error e = saveSnapshot(img, current, newBmp, slots, nullptr, &failure); e != Error::None) {
        // Which file of the set failed and why, when the file system said so.
        err << "Cannot save " << newBmp.string() << ": "
            << (failure ? describe(failure) : std::string(describe(e))) << '\n';
        return 1;
    }
    return 0;
}

int runScan(const fs::path& folder, bool subfolders, std::ostream& out, std::ostream& err)
{
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) {
        err << "Invalid image folder: " << folder.string() << '\n';
        return 1;
    }
    fs::path base = fs::absolute(folder, ec);
    if (ec) base = folder;
    const ScanResult result = subfolders ? walkFolderTree(base) : scanFolder(base, "bmp");
    for (const fs::path& p : result.paths) out << p.string() << '\n';
    out.flush();
    if (!result.ok()) {
        const ScanError& e = result.errors.front();
        err << "Cannot list " << e.folder.string() << ": " << e.code.message();
        if (result.errors.size() > 1) err << " (and " << result.errors.size() - 1 << " more)";
        err << '\n';
        return 1;
    }
    return 0;
}

}  // namespace calivue::cli
