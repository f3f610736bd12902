#include "report/equipmenttext.h"

#include "report/engine/reporttext.h"

#include "interchange/equipmentcsv.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <array>
#include <utility>

namespace calivue {

namespace {

constexpr std::array<std::pair<std::u16string_view, int>, 4> kReasons = {
    std::pair{kReasonInaccessible, sid::ReasonInaccessible},
    std::pair{kReasonDeEnergised, sid::ReasonDeEnergised},
    std::pair{kReasonNotInService, sid::ReasonNotInService},
    std::pair{kReasonNotFound, sid::ReasonNotFound}};

QString detailText(const EquipmentCsvProblem& p)
{
    return QString::fromUtf8(p.detail.data(), qsizetype(p.detail.size()));
}

QString problemWords(const EquipmentCsvProblem& p)
{
    using K = EquipmentCsvProblemKind;
    switch (p.kind) {
        case K::ReadFailed:
            return formatText(uiText(sid::CsvReadFailed), {detailText(p)});
        case K::TooLarge:
        case K::TooManyItems:
            return uiText(sid::CsvTooLarge);
        case K::NoHeader:
            return uiText(sid::CsvNoHeader);
        case K::InvalidUtf8:
            return uiText(sid::CsvInvalidUtf8);
        case K::BrokenQuoting:
            return uiText(sid::CsvBrokenQuoting);
        case K::UnclosedQuote:
            return uiText(sid::CsvUnclosedQuote);
        case K::NoIdColumn:
            return uiText(sid::CsvNoIdColumn);
        case K::UnknownColumn:
            return formatText(uiText(sid::CsvUnknownColumn), {detailText(p)});
        case K::DuplicateColumn:
            return formatText(uiText(sid::CsvDuplicateColumn), {detailText(p)});
        case K::FieldCount:
            return uiText(sid::CsvFieldCount);
        case K::EmptyId:
            return uiText(sid::CsvEmptyId);
        case K::DuplicateId:
            return formatText(uiText(sid::CsvDuplicateId), {detailText(p)});
        case K::UnknownStatus:
            return formatText(uiText(sid::CsvUnknownStatus), {detailText(p)});
        case K::ReasonForInspected:
            return uiText(sid::CsvReasonForInspected);
    }
    return QString::fromStdString(describe(p));
}

}  // namespace

QString statusLabel(EquipmentStatus status)
{
    return uiText(status == EquipmentStatus::Inspected ? sid::StatusInspected
                                                       : sid::StatusNotInspected);
}

QStringList offeredReasons()
{
    QStringList out;
    for (const auto& [keyword, id] : kReasons) out << uiText(id);
    return out;
}

QString reasonLabel(const std::u16string& reason)
{
    for (const auto& [keyword, id] : kReasons)
        if (reason == keyword) return uiText(id);
    return toQString(reason);
}

std::u16string reasonKeyword(const QString& shown)
{
    const QString text = shown.trimmed();
    for (const auto& [keyword, id] : kReasons) {
        const QString english = QString::fromStdU16String(std::u16string(keyword));
        if (text.compare(uiText(id), Qt::CaseInsensitive) == 0 ||
            text.compare(english, Qt::CaseInsensitive) == 0)
            return std::u16string(keyword);
    }
    return toU16(text);
}

QString csvProblemText(const EquipmentCsvProblem& p)
{
    const QString words = problemWords(p);
    if (p.line == 0) return words;
    return formatText(uiText(sid::CsvAtLine), {int(p.line), words});
}

}  // namespace calivue
