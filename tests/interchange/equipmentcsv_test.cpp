// The equipment list as CSV: a table of good files and what they read as, a table of bad files
// and the line and problem each is refused with, and the export read back.
#include "interchange/equipmentcsv.h"

#include "core/fileio.h"
#include "files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace calivue {
namespace {

using Kind = EquipmentCsvProblemKind;
using S = EquipmentStatus;

using test::bytesOf;

EquipmentItem item(std::u16string id, std::u16string location = u"",
                   std::u16string description = u"", std::u16string rated = u"",
                   S status = S::NotInspected, std::u16string reason = u"")
{
    return {std::move(id), std::move(location), std::move(description), std::move(rated),
            status,        std::move(reason)};
}

// Each catches one way a real list is misread: the byte order mark taken as part of the first
// column name, the separator guessed wrong, quoting or line breaks in a field mishandled,
// columns found by position instead of by name, blank or empty rows taken as items.
TEST(EquipmentCsv, GoodFilesRead)
{
    struct Case {
        const char* name;
        std::string_view text;
        std::vector<EquipmentItem> items;
    };
    const Case cases[] = {
        {"comma, LF",
         "id,location,description,rated_load,status,reason\n"
         "MCC-1,Plant room,Motor control centre,400 A,inspected,\n"
         "DB-2,Roof,Board,,not inspected,inaccessible\n",
         {item(u"MCC-1", u"Plant room", u"Motor control centre", u"400 A", S::Inspected),
          item(u"DB-2", u"Roof", u"Board", u"", S::NotInspected, u"inaccessible")}},
        {"BOM, semicolon, CRLF, no final line end, decimal comma",
         "\xEF\xBB\xBFid;location;description;rated_load;status;reason\r\n"
         "TX-3;Yard;Transformer;63,5 A;Inspected;\r\n"
         "TX-4;Yard;Transformer;;NOT INSPECTED;de-energised",
         {item(u"TX-3", u"Yard", u"Transformer", u"63,5 A", S::Inspected),
          item(u"TX-4", u"Yard", u"Transformer", u"", S::NotInspected, u"de-energised")}},
        {"quoted separators, quotes and a line break",
         "id,location,description,status,reason\n"
         "\"P,1\",\"Hall \"\"B\"\"\",\"two\nlines\",not inspected,\"not found; moved\"\n",
         {item(u"P,1", u"Hall \"B\"", u"two\nlines", u"", S::NotInspected, u"not found; moved")}},
        {"columns in another order, case and spaces in names, only id required",
         " Reason ,ID,Status\n"
         "not in service,A-1,not inspected\n"
         ",A-2,\n",
         {item(u"A-1", u"", u"", u"", S::NotInspected, u"not in service"), item(u"A-2")}},
        {"blank lines and empty rows skipped, UTF-8 kept",
         "\n"
         "id;location\n"
         "\n"
         ";\n"
         "Schütz-\xE2\x82\xAC;K\xC3\xBChlraum\n",
         {item(u"Schütz-\u20ac", u"K\u00fchlraum")}},
        {"header alone", "id,location\r\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const EquipmentCsvRead r = parseEquipmentCsv(bytesOf(c.text));
        ASSERT_TRUE(r) << describe(*r.problem);
        EXPECT_EQ(r.items, c.items);
    }
}

// Each catches a bad list imported in part, or refused without the line a user must fix.
TEST(EquipmentCsv, BadFilesAreRefusedWithLineAndProblem)
{
    struct Case {
        const char* name;
        std::string_view text;
        Kind kind;
        std::size_t line;
        std::string message;
    };
    const Case cases[] = {
        {"empty file", "", Kind::NoHeader, 1, "line 1: no header line naming the columns"},
        {"only a BOM and blank lines", "\xEF\xBB\xBF\r\n\r\n", Kind::NoHeader, 1, ""},
        {"no id column", "location,description\nA,B\n", Kind::NoIdColumn, 1,
         "line 1: the header names no id column"},
        {"unknown column", "id,locaton\nA,B\n", Kind::UnknownColumn, 1,
         "line 1: unknown column \"locaton\""},
        {"column twice", "\nid;status;ID\n", Kind::DuplicateColumn, 2,
         "line 2: column \"ID\" named twice"},
        {"duplicate id", "id,location\nA,x\nB,y\nA,z\n", Kind::DuplicateId, 4,
         "line 4: id \"A\" given twice"},
        {"unknown status", "id,status\nA,inspected\nB,done\n", Kind::UnknownStatus, 3,
         "line 3: unknown status \"done\" (inspected or not inspected)"},
        {"reason for inspected", "id,status,reason\nA,inspected,inaccessible\n",
         Kind::ReasonForInspected, 2, "line 2: a reason is given for an inspected item"},
        {"empty id", "id,location\nA,x\n,y\n", Kind::EmptyId, 3, "line 3: no id"},
        {"too few fields", "id,location,status\nA,x\n", Kind::FieldCount, 2,
         "line 2: 2 fields where the header names 3"},
        {"too many fields", "id;location\nA;x;y\n", Kind::FieldCount, 2, ""},
        {"quote inside an unquoted field", "id,location\nA,Hall \"B\"\n", Kind::BrokenQuoting, 2,
         ""},
        {"text after a closing quote", "id,location\nA,x\n\"B\"x,y\n", Kind::BrokenQuoting, 3, ""},
        {"quote never closed, named where the row starts", "id,location\nA,x\nB,\"Hall\nC,y\nD,z\n",
         Kind::UnclosedQuote, 3, "line 3: a quoted field is not closed"},
        {"invalid UTF-8 (a Latin-1 byte)", "id,location\nA,x\nB,K\xFChlraum\n", Kind::InvalidUtf8,
         3, "line 3: text that is not UTF-8"},
        {"row after a multi-line field keeps its own line",
         "id,description\nA,\"one\ntwo\nthree\"\nA,x\n", Kind::DuplicateId, 5, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const EquipmentCsvRead r = parseEquipmentCsv(bytesOf(c.text));
        ASSERT_FALSE(r);
        EXPECT_TRUE(r.items.empty());
        EXPECT_EQ(r.problem->kind, c.kind);
        EXPECT_EQ(r.problem->line, c.line);
        if (!c.message.empty()) {
            EXPECT_EQ(describe(*r.problem), c.message);
        }
    }
}

// Catches a field the export does not quote (or quotes so that leading spaces are lost), a
// column left out, and the export written over a file that then fails half way.
TEST(EquipmentCsv, ExportReadsBackTheSameList)
{
    const std::vector<EquipmentItem> items = {
        item(u"MCC-1", u"Plant room", u"Motor control centre", u"400 A", S::Inspected),
        item(u"P,1", u"Hall \"B\"; east", u"two\r\nlines", u"63,5 A", S::NotInspected,
             u"not found"),
        item(u" padded ", u"\u00b5-K\u00fchl", u"", u"", S::NotInspected, u""),
    };
    const std::vector<std::uint8_t> bytes = encodeEquipmentCsv(items);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_TRUE(
        text.starts_with("\xEF\xBB\xBFid,location,description,rated_load,status,reason\r\n"
                         "MCC-1,Plant room,Motor control centre,400 A,inspected,\r\n"));
    const EquipmentCsvRead back = parseEquipmentCsv(bytes);
    ASSERT_TRUE(back) << describe(*back.problem);
    EXPECT_EQ(back.items, items);

    const test::TempDir tmp("equipcsv_");
    const std::filesystem::path& dir = tmp.path();
    const std::filesystem::path file = dir / "list.csv";
    ASSERT_EQ(writeEquipmentCsvFile(file, items), Error::None);
    const EquipmentCsvRead fromFile = readEquipmentCsvFile(file);
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(fromFile.items, items);

    fileio_hooks::setWriteFault(fileio_hooks::WriteFault{});
    FileFailure failure;
    EXPECT_EQ(writeEquipmentCsvFile(file, {item(u"other")}, &failure), Error::WriteFailed);
    fileio_hooks::setWriteFault(std::nullopt);
    EXPECT_TRUE(failure);
    EXPECT_EQ(readEquipmentCsvFile(file).items, items);

    const EquipmentCsvRead missing = readEquipmentCsvFile(dir / "none.csv");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.problem->kind, Kind::ReadFailed);
}

}  // namespace
}  // namespace calivue
