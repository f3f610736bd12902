// A report project made from a folder of snapshots in one step: every snapshot the image
// selection page would list, in its order, as an inspection named after its file, its comment
// the snapshot's own, its equipment item the one whose identifier the snapshot's comments or
// caption begin with, and its measurements chosen as the details page chooses them.
#pragma once

#include "core/equipment.h"
#include "core/folderscan.h"
#include "core/printrules.h"
#include "core/reportproject.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace calivue {

// The identifier of `items` that `text` begins with (after blanks): the longest one followed by
// the end of the text or by a character that is neither a letter nor a digit, so "P1" is not
// found in "P10 hot". ASCII letters match without regard to case; an exact match wins a tie.
// Empty when none.
std::u16string leadingItemId(std::u16string_view text, const std::vector<EquipmentItem>& items);

struct FolderProject {
    ReportProject project;
    ProjectEquipment equipment;  // the list given, the links found; already put in the project
    std::vector<ScanError> scanErrors;  // folders that could not be listed
    std::size_t unreadable = 0;         // snapshots listed whose record then did not open
};

// The project of the snapshots of `folder` (and its subfolders, depth first, when asked) with
// the equipment list `items` (may be empty) and `previousLink` as the previous project's path
// as it is to be stored (empty for none). A linked inspection's record is filled from its item
// as the details page fills it (equipmentlink.h; the rated load where `reportTemplate`'s rated
// field is a load). BadArgument when the list is refused by equipmentProblem;
// TooLarge past kMaxProjectInspections or the extension caps.
Result<FolderProject> projectFromFolder(const std::filesystem::path& folder, bool subfolders,
                                        const std::vector<EquipmentItem>& items,
                                        const std::u16string& previousLink,
                                        ReportTemplate reportTemplate);

}  // namespace calivue
