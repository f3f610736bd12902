#include "interchange/equipmentcsv.h"

#include "core/textcodec.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <map>
#include <string_view>
#include <variant>

namespace calivue {

namespace {

using Kind = EquipmentCsvProblemKind;

enum Column { kId, kLocation, kDescription, kRatedLoad, kStatus, kReason, kColumnCount };
constexpr std::array<std::string_view, kColumnCount> kColumnNames = {
    "id", "location", "description", "rated_load", "status", "reason"};

struct Row {
    std::size_t line = 0;
    std::vector<std::string> fields;
};

// What libcsv hands back: fields into the row being read, rows with the line they began on.
struct Collector {
    std::vector<Row> rows;
    Row current;
    std::size_t line = 0;     // the line being fed
    bool betweenRows = true;  // no field of a new row seen yet
    bool tooMany = false;

    static void field(void* data, std::size_t size, void* self)
    {
        auto* c = static_cast<Collector*>(self);
        c->current.fields.emplace_back(static_cast<const char*>(data), data ? size : 0);
    }
    static void rowEnd(int, void* self)
    {
        auto* c = static_cast<Collector*>(self);
        if (c->rows.size() > kMaxEquipmentItems) c->tooMany = true;  // header and the cap
        if (!c->tooMany) c->rows.push_back(std::move(c->current));
        c->current = Row{};
        c->betweenRows = true;
    }
};

// Semicolon when the header line holds more semicolons than commas outside quotes.
unsigned char separatorOf(std::string_view header)
{
    std::size_t commas = 0, semicolons = 0;
    bool quoted = false;
    for (char c : header) {
        if (c == '"') quoted = !quoted;
        if (!quoted && c == ',') ++commas;
        if (!quoted && c == ';') ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

std::string asciiLowerCopy(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

EquipmentCsvRead refuse(Kind kind, std::size_t line, std::string detail = {})
{
    return {{}, EquipmentCsvProblem{kind, line, std::move(detail)}};
}

bool allEmpty(const Row& row)
{
    return std::all_of(row.fields.begin(), row.fields.end(),
                       [](const std::string& f) { return f.empty(); });
}

// The rows of the text, or the problem of its quoting.
std::variant<std::vector<Row>, EquipmentCsvRead> splitRows(std::string_view text)
{
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) return refuse(Kind::TooLarge, 0);
    // The header is the first line that is not blank.
    const std::string_view header =
        text.substr(std::min(text.find_first_not_of(" \t\r\n"), text.size()));
    csv_set_delim(&parser, separatorOf(header.substr(0, header.find('\n'))));
    Collector c;
    std::optional<EquipmentCsvRead> problem;
    std::size_t start = 0;
    while (start < text.size() && !problem) {
        const std::size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
        ++c.line;
        const std::string_view line = text.substr(start, end - start);
        // A row begins on the first line after the last row that is not blank.
        if (c.betweenRows && line.find_first_not_of(" \t\r\n") != std::string_view::npos) {
            c.current.line = c.line;
            c.betweenRows = false;
        }
        if (csv_parse(&parser, line.data(), line.size(), Collector::field, Collector::rowEnd, &c) !=
            line.size())
            problem = refuse(
                csv_error(&parser) == CSV_EPARSE ? Kind::BrokenQuoting : Kind::TooLarge, c.line);
        else if (c.tooMany)
            problem = refuse(Kind::TooManyItems, c.line);
        start = end;
    }
    if (!problem && csv_fini(&parser, Collector::field, Collector::rowEnd, &c) != 0)
        problem = refuse(Kind::UnclosedQuote, c.current.line);
    csv_free(&parser);
    if (problem) return *problem;
    if (c.tooMany) return refuse(Kind::TooManyItems, c.line);
    return std::move(c.rows);
}

}  // namespace

std::string describe(const EquipmentCsvProblem& p)
{
    const std::string at = p.line ? "line " + std::to_string(p.line) + ": " : std::string();
    const std::string quoted = "\"" + p.detail + "\"";
    switch (p.kind) {
        case Kind::ReadFailed:
            return "cannot read the file: " + p.detail;
        case Kind::TooLarge:
            return at + "the file is too large for an equipment list";
        case Kind::NoHeader:
            return at + "no header line naming the columns";
        case Kind::InvalidUtf8:
            return at + "text that is not UTF-8";
        case Kind::BrokenQuoting:
            return at +
                   "broken quoting (a quote inside an unquoted field or text after a closing "
                   "quote)";
        case Kind::UnclosedQuote:
            return at + "a quoted field is not closed";
        case Kind::NoIdColumn:
            return at + "the header names no id column";
        case Kind::UnknownColumn:
            return at + "unknown column " + quoted;
        case Kind::DuplicateColumn:
            return at + "column " + quoted + " named twice";
        case Kind::FieldCount:
            return at + p.detail;
        case Kind::EmptyId:
            return at + "no id";
        case Kind::DuplicateId:
            return at + "id " + quoted + " given twice";
        case Kind::UnknownStatus:
            return at + "unknown status " + quoted + " (inspected or not inspected)";
        case Kind::ReasonForInspected:
            return at + "a reason is given for an inspected item";
        case Kind::TooManyItems:
            return at + "more than " + std::to_string(kMaxEquipmentItems) + " items";
    }
    return at + "bad equipment list";
}

EquipmentCsvRead parseEquipmentCsv(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > kMaxEquipmentCsvBytes) return refuse(Kind::TooLarge, 0);
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

    // The encoding first, line by line, so the problem names its line.
    std::size_t lineNo = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
        ++lineNo;
        if (!utf8ToUtf16(text.substr(start, end - start))) return refuse(Kind::InvalidUtf8, lineNo);
        start = end;
    }

    auto split = splitRows(text);
    if (auto* problem = std::get_if<EquipmentCsvRead>(&split)) return std::move(*problem);
    std::vector<Row>& rows = std::get<std::vector<Row>>(split);
    std::erase_if(rows, allEmpty);
    if (rows.empty()) return refuse(Kind::NoHeader, 1);

    // Which field of a row each column is; -1 for a column the file does not have.
    std::array<int, kColumnCount> at;
    at.fill(-1);
    const Row& header = rows.front();
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = asciiLowerCopy(header.fields[i]);
        const auto known = std::find(kColumnNames.begin(), kColumnNames.end(), name);
        if (known == kColumnNames.end())
            return refuse(Kind::UnknownColumn, header.line, header.fields[i]);
        int& column = at[static_cast<std::size_t>(known - kColumnNames.begin())];
        if (column >= 0) return refuse(Kind::DuplicateColumn, header.line, header.fields[i]);
        column = static_cast<int>(i);
    }
    if (at[kId] < 0) return refuse(Kind::NoIdColumn, header.line);

    EquipmentCsvRead read;
    std::map<std::u16string, std::size_t> firstLine;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const Row& row = rows[r];
        if (row.fields.size() != header.fields.size())
            return refuse(Kind::FieldCount, row.line,
                          std::to_string(row.fields.size()) + " fields where the header names " +
                              std::to_string(header.fields.size()));
        auto field = [&](Column c) {
            return at[c] < 0 ? std::u16string()
                             : utf8ToUtf16(row.fields[static_cast<std::size_t>(at[c])])
                                   .value_or(std::u16string());
        };
        EquipmentItem item{field(kId),
                           field(kLocation),
                           field(kDescription),
                           field(kRatedLoad),
                           EquipmentStatus::NotInspected,
                           field(kReason)};
        if (item.id.empty()) return refuse(Kind::EmptyId, row.line);
        if (!firstLine.emplace(item.id, row.line).second)
            return refuse(Kind::DuplicateId, row.line, utf16ToUtf8(item.id));
        const std::u16string status = field(kStatus);
        if (!status.empty()) {
            const std::optional<EquipmentStatus> s = parseStatus(status);
            if (!s) return refuse(Kind::UnknownStatus, row.line, utf16ToUtf8(status));
            item.status = *s;
        }
        if (item.status == EquipmentStatus::Inspected && !item.reason.empty())
            return refuse(Kind::ReasonForInspected, row.line);
        read.items.push_back(std::move(item));
    }
    return read;
}

EquipmentCsvRead readEquipmentCsvFile(const std::filesystem::path& path)
{
    Result<std::vector<std::uint8_t>> bytes = readFilePrefix(path, kMaxEquipmentCsvBytes + 1);
    if (!bytes) return refuse(Kind::ReadFailed, 0, std::string(describe(bytes.error())));
    return parseEquipmentCsv(*bytes);
}

std::vector<std::uint8_t> encodeEquipmentCsv(const std::vector<EquipmentItem>& items)
{
    std::string out = "\xEF\xBB\xBF";
    auto put = [&](std::string_view field, bool last) {
        // Quoted where a reader would split, unquote or trim it.
        const bool quote = field.find_first_of(",;\"\r\n") != std::string_view::npos ||
                           (!field.empty() && (field.front() == ' ' || field.front() == '\t' ||
                                               field.back() == ' ' || field.back() == '\t'));
        if (!quote) {
            out += field;
        } else {
            std::string q(csv_write(nullptr, 0, field.data(), field.size()), '\0');
            csv_write(q.data(), q.size(), field.data(), field.size());
            out += q;
        }
        out += last ? "\r\n" : ",";
    };
    for (std::size_t c = 0; c < kColumnCount; ++c) put(kColumnNames[c], c + 1 == kColumnCount);
    for (const EquipmentItem& item : items) {
        put(utf16ToUtf8(item.id), false);
        put(utf16ToUtf8(item.location), false);
        put(utf16ToUtf8(item.description), false);
        put(utf16ToUtf8(item.ratedLoad), false);
        put(utf16ToUtf8(statusText(item.status)), false);
        put(utf16ToUtf8(item.reason), true);
    }
    return {out.begin(), out.end()};
}

Error writeEquipmentCsvFile(const std::filesystem::path& path,
                            const std::vector<EquipmentItem>& items, FileFailure* failure)
{
    if (path.empty()) return Error::BadArgument;
    const std::vector<std::uint8_t> bytes = encodeEquipmentCsv(items);
    PendingFile file(path);
    const bool ok = file.write(bytes) && file.finish() && file.commit();
    if (failure) *failure = file.failure();
    return ok ? Error::None : Error::WriteFailed;
}

}  // namespace calivue
