// The equipment list as a CSV file, for the spreadsheets surveys are planned in: UTF-8 with or
// without a byte order mark, comma or semicolon separated (the header line decides), a header
// naming the columns `id`, `location`, `description`, `rated_load`, `status` and `reason` (in
// any order and ASCII case; only `id` is required), fields quoted where they hold a separator,
// a quote or a line break. A file is imported whole or not at all: the first problem is named
// with its line and nothing is taken.
#pragma once

#include "core/equipment.h"
#include "core/error.h"
#include "core/fileio.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace calivue {

// Larger files are refused unread: far above any equipment list.
inline constexpr std::size_t kMaxEquipmentCsvBytes = std::size_t{8} << 20;

enum class EquipmentCsvProblemKind {
    ReadFailed,          // the file cannot be read (detail: the system's words)
    TooLarge,            // the file passes kMaxEquipmentCsvBytes
    NoHeader,            // no line at all
    InvalidUtf8,         // bytes that are not UTF-8
    BrokenQuoting,       // a quote inside an unquoted field or text after a closing quote
    UnclosedQuote,       // a quoted field still open at the end of the file
    NoIdColumn,          // the header names no `id` column
    UnknownColumn,       // a header name outside the six (detail: the name)
    DuplicateColumn,     // a header name given twice (detail: the name)
    FieldCount,          // a row with another number of fields than the header
    EmptyId,             // a row without identifier
    DuplicateId,         // an identifier given on an earlier row (detail: the identifier)
    UnknownStatus,       // a status other than "inspected", "not inspected" or empty
    ReasonForInspected,  // a reason given for an inspected item
    TooManyItems,        // more than kMaxEquipmentItems rows
};

struct EquipmentCsvProblem {
    EquipmentCsvProblemKind kind;
    std::size_t line = 0;  // from 1; where the row starts; 0 for the file as a whole
    std::string detail;    // UTF-8, see the kinds
    bool operator==(const EquipmentCsvProblem&) const = default;
};

// One line: "line 4: unknown status \"done\"".
std::string describe(const EquipmentCsvProblem& problem);

// The items, or the first problem (items then empty).
struct EquipmentCsvRead {
    std::vector<EquipmentItem> items;
    std::optional<EquipmentCsvProblem> problem;
    explicit operator bool() const { return !problem; }
};

// An empty status reads as not inspected; rows whose fields are all empty are skipped.
EquipmentCsvRead parseEquipmentCsv(std::span<const std::uint8_t> bytes);
EquipmentCsvRead readEquipmentCsvFile(const std::filesystem::path& path);

// The list with the six columns, comma separated, UTF-8 with a byte order mark (so spreadsheets
// take it as UTF-8), CRLF line ends, fields quoted only where they need it.
std::vector<std::uint8_t> encodeEquipmentCsv(const std::vector<EquipmentItem>& items);
// Replaces the file only when it is completely written. WriteFailed with failure (when given)
// naming the file and the system's reason.
Error writeEquipmentCsvFile(const std::filesystem::path& path,
                            const std::vector<EquipmentItem>& items,
                            FileFailure* failure = nullptr);

}  // namespace calivue
