// Opening the snapshot a subcommand works on, with the tool's messages: one
// "Error opening file" line naming the path and the reason (the record's path when
// the bitmap named is there but its record is not), or a warning when
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
        err << kOpenError << ": " << snapshot.string() << ": ";
        std::error_code ec;
        // A bitmap that is there without its record: the file that is missing is the record.
        if (openFailureOf(e) == OpenFailure::NotFound && std::filesystem::exists(snapshot, ec))
            err << "record " << recordPathOf(snapshot).string() << " not found\n";
        else
            err << openFailureText(openFailureOf(e)) << '\n';
        return false;
    }
    if (img.isIncomplete())
        err << "Warning: The snapshot record in " << snapshot.string()
            << " is incomplete; the missing readings show as zero.\n";
    return true;
}

}  // namespace calivue::cli
