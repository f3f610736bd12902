// Opening the snapshot a subcommand works on, with the tool's messages: one
// "Error opening file" line naming the path and the reason, or a warning when
// the record is shorter than a whole one.
#include "commands.h"

#include "core/brixa.h"
#include "core/snapshotfiles.h"

namespace calivue::cli {

std::string_view openFailureText(OpenFailure f)
{
    switch (f) {
        case OpenFailure::NotFound:
            return "not found";
        case OpenFailure::NotReadable:
            return "not readable";
        case OpenFailure::NotRegularFile:
            return "not a regular file";
        case OpenFailure::NotSnapshot:
            break;
    }
    return "not a snapshot record";
}

bool openForCommand(const std::filesystem::path& snapshot, cBrixa& img, std::ostream& err)
{
    if (const Error e = openSnapshot(snapshot, img); e != Error::None) {
        err << kOpenError << ": " << snapshot.string() << ": " << openFailureText(openFailureOf(e))
            << '\n';
        return false;
    }
    if (img.isIncomplete())
        err << "Warning: The snapshot record in " << snapshot.string()
            << " is incomplete; the missing readings show as zero.\n";
    return true;
}

}  // namespace calivue::cli
