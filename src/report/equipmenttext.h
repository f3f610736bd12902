// The equipment list's words in the interface's language: the two statuses, the reasons offered
// for an item not inspected (stored as their English keywords, shown translated) and a refused
// CSV file's problem with its line.
#pragma once

#include "core/equipment.h"

#include <QString>
#include <QStringList>

#include <string>

namespace calivue {

struct EquipmentCsvProblem;

QString statusLabel(EquipmentStatus status);
// The offered reasons, translated, in the order of the keywords.
QStringList offeredReasons();
// A stored reason as shown: an offered keyword translated, any other text as it is.
QString reasonLabel(const std::u16string& reason);
// What to store for a reason as typed: an offered reason (translated or English, case
// ignored) becomes its keyword; any other text is kept, trimmed.
std::u16string reasonKeyword(const QString& shown);
// "line 4: unknown status "done" (inspected or not inspected)".
QString csvProblemText(const EquipmentCsvProblem& problem);

}  // namespace calivue
