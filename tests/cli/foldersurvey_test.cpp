// A survey from a folder and its re-inspection through the command line: project-from-folder
// (order, names, comments, equipment found from the snapshot's texts, bad input), then
// `report` of a survey linked to the previous one, read back with pdftotext, in both layouts.
#include "clitest.h"

#include "core/equipmentcodec.h"
#include "core/snapshotfiles.h"
#include "core/reportproject.h"

#include <chrono>

#ifdef CALIVUE_CLI_THUMBNAIL
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#endif

namespace calivue::clitest {
namespace {

using Json = nlohmann::ordered_json;

const char* const kList =
    "id;location;description;rated_load;status;reason\n"
    "A1;Hall;Feeder A1;63 A;not inspected;\n"
    "B2;Hall;Feeder B2;;not inspected;\n"
    "C3;Yard;Pump C3;;inspected;\n"
    "D4;Roof;Fan D4;;not inspected;inaccessible\n";

class FolderSurvey : public CliTest {
protected:
    // A snapshot with the hot and cold markers, its hot spot `hot` kelvin above the rest.
    void snapshot(const fs::path& folder, const std::string& name, int hot,
                  const std::string& comments, const std::string& caption = {})
    {
        writeAll(m_dir / folder / (name + ".QVX"),
                 recordBytes(
                     [hot](int x, int row) {
                         const bool spot = x >= 150 && x <= 170 && row >= 110 && row <= 130;
                         return 2950 + (spot ? 10 * hot : 0);
                     },
                     [&](RecordFields& f) {
                         f.flagsA = flags::A_Hottest | flags::A_Coldest;
                         f.capture = {9, 30, 0, 14, 5, 2025};
                         setText(f.comments, comments);
                         setText(std::span(f.textC.data(), 20), caption);
                     }));
        writeAll(m_dir / folder / (name + ".BMP"), cameraBitmap({10, 20, 30}, {40, 50, 60}));
    }
    void writeText(const std::string& rel, const std::string& text)
    {
        writeAll(m_dir / rel, std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    Json info(const std::string& rel)
    {
        const CliResult r = runCli({"project-info", path(rel)});
        EXPECT_EQ(r.code, 0) << r.err;
        return Json::parse(r.out);
    }
};

// Catches snapshots out of the page's order, an inspection not named after its file, the
// comment not taken, an item found inside a longer identifier or from the wrong text, a record
// not filled from its item, measurements left unchosen and a subfolder taken unasked.
TEST_F(FolderSurvey, BuildsTheProjectInThePagesOrder)
{
    snapshot("s", "ir_0002", 0, "B2 looks fine");
    snapshot("s", "IR_0001", 20, "  A1: hot joint on phase L2");
    snapshot("s", "IR_0003", 0, "no identifier here", "C3 PUMP");
    snapshot("s", "IR_0004", 0, "A10 is not in the list", "");
    snapshot("s/sub", "IR_0005", 0, "D4");
    writeText("list.csv", kList);
    const CliResult r =
        runCli({"project-from-folder", path("s"), path("p.vrp"), "--equipment", path("list.csv")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, path("p.vrp") + ": 4 inspections, 3 linked to equipment\n");
    EXPECT_EQ(r.err, "");
    const Json j = info("p.vrp");
    const struct {
        const char* name;
        const char* comment;
        Json item;
        const char* location;
        const char* equipment;
        const char* rated;
    } expected[] = {
        {"IR_0001", "A1: hot joint on phase L2", "A1", "Hall", "Feeder A1", "63 A"},
        {"ir_0002", "B2 looks fine", "B2", "Hall", "Feeder B2", ""},
        {"IR_0003", "no identifier here", "C3", "Yard", "Pump C3", ""},
        {"IR_0004", "A10 is not in the list", nullptr, "", "", ""},
    };
    ASSERT_EQ(j["records"].size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const Json& rec = j["records"][i];
        EXPECT_EQ(rec["name"], expected[i].name);
        EXPECT_EQ(rec["comment"], expected[i].comment);
        EXPECT_EQ(rec["equipment_id"], expected[i].item);
        EXPECT_EQ(rec["location"], expected[i].location);
        EXPECT_EQ(rec["equipment"], expected[i].equipment);
        EXPECT_EQ(rec["rated"], expected[i].rated);
        // No cursors, the hot and cold markers: hot first, cold second.
        EXPECT_EQ(rec["firstMeasurement"], 1);
        EXPECT_EQ(rec["secondMeasurement"], 2);
        EXPECT_NE(j["entries"][i]["snapshot_path"].get<std::string>().find(expected[i].name),
                  std::string::npos);
    }
    EXPECT_EQ(j["equipment"].size(), 4u);
    EXPECT_EQ(j["previous_project"], nullptr);
    // The title page is dated the day the project was made, not day 0 (30 December 1899).
    const Result<ReportProject> made = readReportProjectFile(m_dir / "p.vrp");
    ASSERT_TRUE(made.ok());
    using namespace std::chrono;
    const auto today = floor<days>(system_clock::now()) - sys_days(year{1899} / December / 30);
    EXPECT_EQ(made.value().title.titleDate.status, cDateTime::Valid);
    EXPECT_NEAR(made.value().title.titleDate.days, static_cast<double>(today.count()), 1.0);

    // With the subfolders the fifth snapshot comes last; in the Buildings template the rated
    // field is no load, so the item's rated load stays out of it.
    ASSERT_EQ(runCli({"project-from-folder", path("s"), path("q.vrp"), "--subfolders",
                      "--equipment", path("list.csv"), "--template", "1"})
                  .code,
              0);
    const Json q = info("q.vrp");
    ASSERT_EQ(q["records"].size(), 5u);
    EXPECT_EQ(q["records"][4]["name"], "IR_0005");
    EXPECT_EQ(q["records"][4]["equipment_id"], "D4");
    EXPECT_EQ(q["records"][0]["rated"], "");
    EXPECT_EQ(q["records"][0]["equipment"], "Feeder A1");
}

// Catches bad input that writes a project anyway, exits 0 or says more than one line.
TEST_F(FolderSurvey, BadInputIsRefusedAndNothingWritten)
{
    snapshot("s", "IR_0001", 0, "A1");
    fs::create_directories(m_dir / "empty");
    writeText("dup.csv", "id\nA1\nA1\n");
    writeText("noid.csv", "location\nHall\n");
    writeText("afile", "x");
    const std::vector<std::vector<std::string>> cases = {
        {"project-from-folder", path("none"), path("out.vrp")},
        {"project-from-folder", path("afile"), path("out.vrp")},
        {"project-from-folder", path("empty"), path("out.vrp")},
        {"project-from-folder", path("s"), path("out.vrp"), "--equipment", path("dup.csv")},
        {"project-from-folder", path("s"), path("out.vrp"), "--equipment", path("noid.csv")},
        {"project-from-folder", path("s"), path("out.vrp"), "--equipment", path("gone.csv")},
        {"project-from-folder", path("s"), path("out.vrp"), "--template", "4"},
        {"project-from-folder", path("s"), path("no/such/out.vrp")},
    };
    for (const auto& args : cases) {
        const CliResult r = runCli(args);
        EXPECT_TRUE(failsWithOneLine(r)) << args[1] << " " << args.back();
        EXPECT_FALSE(fs::exists(m_dir / "out.vrp")) << args.back();
    }
}

// Catches a previous survey that does not read stopping the command, said more than once, or
// stored as a link all the same; and a readable one stored other than relative to the project.
TEST_F(FolderSurvey, PreviousSurveyLinkedRelativeOrReportedOnce)
{
    snapshot("s", "IR_0001", 0, "A1");
    writeText("list.csv", kList);
    ASSERT_EQ(runCli({"project-from-folder", path("s"), path("old/old.vrp")}).code, 1);
    fs::create_directories(m_dir / "old");
    fs::create_directories(m_dir / "new");
    ASSERT_EQ(runCli({"project-from-folder", path("s"), path("old/old.vrp")}).code, 0);
    const CliResult linked = runCli(
        {"project-from-folder", path("s"), path("new/new.vrp"), "--previous", path("old/old.vrp")});
    ASSERT_EQ(linked.code, 0) << linked.err;
    EXPECT_EQ(info("new/new.vrp")["previous_project"], "../old/old.vrp");

    const CliResult missing = runCli(
        {"project-from-folder", path("s"), path("new/m.vrp"), "--previous", path("old/gone.vrp")});
    EXPECT_EQ(missing.code, 0);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1) << missing.err;
    EXPECT_NE(missing.err.find("gone.vrp"), std::string::npos);
    EXPECT_EQ(info("new/m.vrp")["previous_project"], nullptr);
}

// The sample snapshots, when present: every one listed in the page's order, named after its
// file, each linked through the first word of its caption.
TEST_F(FolderSurvey, SampleSnapshots)
{
    const fs::path samples = samplesDir();
    if (samples.empty() || !fs::exists(samples / "IR_0001.BMP")) GTEST_SKIP() << "no samples";
    writeText("samples.csv",
              "id,location,description\nPANEL,Plant room,Panel\nLOCO,Shed,Valves\n"
              "CONVEYOR,Yard,Idlers\nWIND,Hill,Turbine\nSPARE,Store,Not in the pictures\n");
    const CliResult r = runCli({"project-from-folder", samples.string(), path("s.vrp"),
                                "--equipment", path("samples.csv")});
    ASSERT_EQ(r.code, 0) << r.err;
    const CliResult scan = runCli({"scan", samples.string()});
    const Json j = info("s.vrp");
    std::istringstream lines(scan.out);
    std::size_t i = 0, linked = 0;
    for (std::string line; std::getline(lines, line); ++i) {
        ASSERT_LT(i, j["records"].size());
        EXPECT_EQ(j["records"][i]["name"], fs::path(line).stem().string());
        EXPECT_FALSE(j["records"][i]["comment"].get<std::string>().empty());
        linked += !j["records"][i]["equipment_id"].is_null();
    }
    EXPECT_EQ(i, j["records"].size());
    EXPECT_EQ(linked, 4u);
}

#ifdef CALIVUE_CLI_THUMBNAIL
// The whole text of a PDF, or nullopt without pdftotext.
std::optional<std::string> pdfText(const fs::path& pdf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) return std::nullopt;
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-layout"), QString::fromStdString(pdf.string()), QStringLiteral("-")});
    p.waitForFinished(60000);
    return p.readAllStandardOutput().toStdString();
}

// The text of one page of pdftotext's output (pages end in form feeds), from 1.
std::string pageOf(const std::string& text, int page)
{
    std::size_t at = 0;
    for (int k = 1; k < page; ++k) {
        at = text.find('\f', at);
        if (at == std::string::npos) return {};
        ++at;
    }
    return text.substr(at, text.find('\f', at) - at);
}

bool has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Catches the re-inspection flow end to end: an exception of the previous survey repaired
// now not printed "repair verified", a new exception not named, the previous finding missing
// from the inspection page or the appendix, and a moved previous survey that stops the report
// or is not reported.
TEST_F(FolderSurvey, ReinspectionReportReadsBack)
{
    writeText("list.csv", kList);
    // Last year: A1 hot (an exception), B2 cool, C3 hot.
    snapshot("2025", "IR_0001", 20, "A1");
    snapshot("2025", "IR_0002", 0, "B2");
    snapshot("2025", "IR_0003", 20, "C3");
    ASSERT_EQ(runCli({"project-from-folder", path("2025"), path("2025/survey.vrp"), "--equipment",
                      path("list.csv")})
                  .code,
              0);
    // This year: A1 repaired, B2 now hot, C3 still hot.
    snapshot("2026", "IR_0101", 0, "A1 after repair");
    snapshot("2026", "IR_0102", 20, "B2");
    snapshot("2026", "IR_0103", 20, "C3");
    const CliResult made =
        runCli({"project-from-folder", path("2026"), path("2026/survey.vrp"), "--equipment",
                path("list.csv"), "--previous", path("2025/survey.vrp")});
    ASSERT_EQ(made.code, 0) << made.err;

    for (const std::string layout : {"classic", "modern"}) {
        SCOPED_TRACE(layout);
        const std::string pdf = path("2026/" + layout + ".pdf");
        const CliResult r = runCli({"report", path("2026/survey.vrp"), pdf, "--layout", layout});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const auto text = pdfText(pdf);
        if (!text) GTEST_SKIP() << "poppler-utils not installed";
        // The contents list the appendix; its page holds the table.
        EXPECT_TRUE(has(*text, "Equipment")) << *text;
        const std::size_t appendix = text->rfind("4 items, 3 inspected, 2 with exceptions");
        ASSERT_NE(appendix, std::string::npos) << *text;
        const std::string table = text->substr(appendix);
        EXPECT_TRUE(has(table, "repair verified")) << table;
        EXPECT_TRUE(has(table, "not inspected: inaccessible")) << table;
        EXPECT_TRUE(has(table, "no exception")) << table;
        EXPECT_TRUE(has(table, "exception, see page")) << table;
        EXPECT_TRUE(has(table, "Previous")) << table;
        // The inspection pages: one verified repair, one new exception, one unchanged.
        const std::string body = text->substr(0, appendix);
        EXPECT_TRUE(has(body, "Change: repair verified")) << body;
        EXPECT_TRUE(has(body, "Change: new exception")) << body;
        EXPECT_TRUE(has(body, "Change: unchanged")) << body;
        EXPECT_TRUE(has(body, "Previous survey (14/05/2025)")) << body;
    }
    if (!pdfText(path("2026/classic.pdf"))) return;
    // The classic pages: the repaired A1 on page 3 (title, contents, then the inspections).
    const std::string classic = *pdfText(path("2026/classic.pdf"));
    EXPECT_TRUE(has(pageOf(classic, 3), "repair verified")) << pageOf(classic, 3);
    EXPECT_TRUE(has(pageOf(classic, 4), "new exception")) << pageOf(classic, 4);

    // The previous survey moved away: said once, and the report is printed without it.
    fs::rename(m_dir / "2025", m_dir / "moved");
    const CliResult moved = runCli({"report", path("2026/survey.vrp"), path("2026/m.pdf")});
    ASSERT_EQ(moved.code, 0) << moved.err;
    EXPECT_EQ(std::count(moved.err.begin(), moved.err.end(), '\n'), 1) << moved.err;
    EXPECT_TRUE(has(moved.err, "was not found")) << moved.err;
    const std::string without = *pdfText(path("2026/m.pdf"));
    EXPECT_FALSE(has(without, "Previous survey")) << without;
    EXPECT_FALSE(has(without, "repair verified"));
    EXPECT_TRUE(has(without, "4 items, 3 inspected, 2 with exceptions"));
}

// The sample snapshots as two surveys of a twelve-item list (four items not inspected), the
// panel's hot neutral repaired in the second: the appendix, the counts and every comparison
// read back from both layouts. Skipped without the samples.
TEST_F(FolderSurvey, SampleReinspectionOfTwelveItems)
{
    const fs::path samples = samplesDir();
    if (samples.empty() || !fs::exists(samples / "IR_0003.QVX")) GTEST_SKIP() << "no samples";
    for (const char* year : {"2025", "2026"}) {
        fs::create_directories(m_dir / year);
        for (const auto& f : fs::directory_iterator(samples))
            fs::copy_file(f.path(), m_dir / year / f.path().filename());
    }
    // The repaired panel: every conductor at one temperature, the caption still naming it.
    cBrixa panel;
    ASSERT_EQ(openSnapshot(m_dir / "2026" / "IR_0003.QVX", panel), Error::None);
    panel.setRawPixels(std::vector<std::uint16_t>(kPixels, panel.rawPixels()[kPixels / 2]));
    setText(std::span(panel.fields.textC.data(), 20), "PANEL AFTER REPAIR");
    writeAll(m_dir / "2026" / "IR_0003.QVX", encodeRecord(panel));
    writeText("list.csv",
              "id,location,description,rated_load,status,reason\n"
              "PANEL,Plant room,Distribution panel DB-2,63 A,,\n"
              "LOCO,Engine shed,Backhead valves,,,\nCONVEYOR,Yard,Idlers,,,\n"
              "TOWER,Street,Facade,,,\nWIND,Hill,Nacelle,,,\nCAR,Street,Vehicle,,,\n"
              "HOT,Kitchen,Mug,,,\nHUMMINGBIRD,Garden,Feeder,,,\n"
              "MCC-1,Plant room,Motor control centre 1,400 A,not inspected,inaccessible\n"
              "MCC-2,Plant room,Motor control centre 2,400 A,not inspected,de-energised\n"
              "TX-1,Substation,Transformer 1,,not inspected,not in service\n"
              "UPS-1,Server room,\"UPS, battery string\",,not inspected,not found\n");
    ASSERT_EQ(runCli({"project-from-folder", path("2025"), path("2025/s.vrp"), "--equipment",
                      path("list.csv")})
                  .code,
              0);
    const CliResult made =
        runCli({"project-from-folder", path("2026"), path("2026/s.vrp"), "--equipment",
                path("list.csv"), "--previous", path("2025/s.vrp")});
    ASSERT_EQ(made.code, 0) << made.err;
    EXPECT_EQ(made.out, path("2026/s.vrp") + ": 8 inspections, 8 linked to equipment\n");
    for (const std::string layout : {"classic", "modern"}) {
        SCOPED_TRACE(layout);
        const std::string pdf = path(layout + ".pdf");
        const CliResult r = runCli({"report", path("2026/s.vrp"), pdf, "--layout", layout});
        ASSERT_EQ(r.code, 0) << r.err;
        if (layout == "classic") {
            EXPECT_EQ(r.out, pdf + ": 13 pages\n");
        }
        const auto text = pdfText(pdf);
        if (!text) GTEST_SKIP() << "poppler-utils not installed";
        const std::size_t appendix =
            text->rfind("12 items, 8 inspected, 7 with exceptions, 4 not inspected");
        ASSERT_NE(appendix, std::string::npos) << *text;
        const std::string table = text->substr(appendix);
        // Words of each reason (a cell may break a reason over two lines).
        for (const char* reason : {"inaccessible", "energised", "service", "found"})
            EXPECT_TRUE(has(table, reason)) << reason;
        EXPECT_TRUE(has(table, "repair")) << table;
        const std::string body = text->substr(0, appendix);
        std::size_t changes = 0;
        for (std::size_t at = body.find("Change: "); at != std::string::npos;
             at = body.find("Change: ", at + 1))
            ++changes;
        EXPECT_EQ(changes, 8u) << body;
        EXPECT_TRUE(has(body, "Change: repair verified")) << body;
    }
}
#endif

}  // namespace
}  // namespace calivue::clitest
