// Opening the snapshot a subcommand works on, with the tool's messages: one
// "Error opening file" line naming the path and the reason (the record's path when
// the bitmap named is there but its record is not), or a warning when
// the record is shorter than a whole one.
#include "cli/commands.h"

#include "core/brixa.h"
#include "core/errorreason.h"
#include "core/snapshotfiles.h"

namespace calivue::cli {

bool openForCommand(const std::filesystem::path& snapshot, cBrixa& img, std::ostream& err)
{
    if (const Error e = openSnapshot(snapshot, img); e != Error::None) {
        err << kOpenError << ": " << snapshot.string() << ": ";
        const std::filesystem::path named = failedSnapshotFile(e, snapshot);
        const std::string_view reason = errorReason(e, FileKind::SnapshotRecord).english;
        if (named != snapshot)
            err << "record " << named.string() << ' ' << reason << '\n';
        else
            err << reason << '\n';
        return false;
    }
    if (img.isIncomplete())
        err << "Warning: The snapshot record in " << snapshot.string()
            << " is incomplete; the missing readings show as zero.\n";
    return true;
}

}  // namespace calivue::cli
