// calivue-cli project-info and project-write: the JSON shape both ways, the
// layouts of older files, and the one-line failures.
#include "clitest.h"
#include "cli/projectcommands.h"

namespace calivue::clitest {
namespace {

using Json = nlohmann::ordered_json;

const fs::path kCorpus =
    fs::path(CALIVUE_TEST_DATA) / ".." / ".." / "fuzz" / "corpus" / "reportproject";

class ProjectCli : public CliTest {
protected:
    void writeText(const std::string& rel, const std::string& text)
    {
        writeAll(path(rel), std::vector<std::uint8_t>(text.begin(), text.end()));
    }
};

// Catches a field missing from either direction, a renamed key, bools or
// date-times in another shape and non-ASCII text mangled on the way.
TEST_F(ProjectCli, WriteThenInfoGivesTheSameJson)
{
    ReportProject p;
    p.title = {u"/l.jpg", u"Acme \u00FC", u"Z\u00E9", false, {1, 45000.5}, u"a\nb"};
    p.entries = {{u"/s/IR_1.QVX", u"/s/IR_1.BMP", 5}, {u"/s/IR_2.QVX", u"/s/IR_2.BMP", 0}};
    p.records.resize(2);
    p.records[0] = {u"n",  u"o",   u"l",   u"e",      u"c",          u"m",     u"r",
                    u"co", 4,      u"f",   {0, 1.25}, {1, 0.0},      {2, 0.0}, true,
                    false, true,   u"i1",  u"i2",     u"i3",         2,        3,
                    u"in", u"out", u"hum", u"wind",   u"\U0001F600", 1};
    ReportCaptions captions = defaultReportCaptions();
    captions.details[12] = u"Druck";
    p.captions = captions;
    const Json expected = cli::projectToJson(p);
    writeText("in.json", expected.dump());
    ASSERT_EQ(runCli({"project-write", path("in.json"), path("out.vrp")}).code, 0);
    const CliResult info = runCli({"project-info", path("out.vrp")});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_EQ(Json::parse(info.out), expected);
    EXPECT_EQ(Json::parse(info.out)["records"][0]["pressure"], "\xF0\x9F\x98\x80");
    // The fields, the findings keys and equipment_id.
    EXPECT_EQ(expected["records"][0].size(), 27u + 3u + 1u);
    EXPECT_EQ(expected["records"][0]["inspectedDate"], Json({{"status", 0}, {"days", 1.25}}));
}

// Catches project-info printing absent captions as texts, positions not given
// to 1.0 entries, and the version printed in double precision.
TEST_F(ProjectCli, InfoOnOlderLayouts)
{
    const CliResult old = runCli({"project-info", (kCorpus / "ansi_10").string()});
    ASSERT_EQ(old.code, 0) << old.err;
    const Json j = Json::parse(old.out);
    EXPECT_EQ(j["version"], 1.0);
    EXPECT_TRUE(j["captions"]["title"].is_null() && j["captions"]["details"].is_null());
    EXPECT_EQ(j["entries"][1]["thumbnail_index"], 1);
    EXPECT_EQ(j["records"][0]["reinspectedDated"], true);
    const Json v13 = Json::parse(runCli({"project-info", (kCorpus / "two_13").string()}).out);
    EXPECT_EQ(v13["version"].dump(), "1.3");
    EXPECT_EQ(v13["captions"]["details"][6], "Material \xC2\xB5 Value");
}

// Catches a version taken from the JSON, absent keys not defaulted and absent
// captions written empty instead of as the defaults.
TEST_F(ProjectCli, WriteFillsDefaults)
{
    writeText("in.json", R"({"version": 9, "records": [{"name": "x"}], "entries": [{}]})");
    ASSERT_EQ(runCli({"project-write", path("in.json"), path("p.vrp")}).code, 0);
    const auto bytes = readAll(path("p.vrp"));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4),
              (std::vector<std::uint8_t>{0x66, 0x66, 0xA6, 0x3F}));
    const Json j = Json::parse(runCli({"project-info", path("p.vrp")}).out);
    EXPECT_EQ(j["records"][0]["firstMeasurement"], -1);
    EXPECT_EQ(j["title"]["date_shown"], true);
    EXPECT_EQ(j["captions"]["title"][3], "General Comments");
}

// Each failure exits non-zero with one line, and project-write leaves no file.
TEST_F(ProjectCli, FailuresAreOneLine)
{
    // The message names the file and what is wrong with it.
    const struct {
        const char* crasher;
        const char* reason;
    } crashers[] = {
        {"vrp_empty", "the file is empty"},
        {"vrp_text_u64_length_absurd", "the file is truncated"},
        {"vrp_version_nan", "a declared size is too large"},
        {"vrp_entry_count_past_end", "the file is truncated"},
        {"vrp_entry_count_over_cap", "a declared size is too large"},
        {"vrp_record_count_over_cap", "a declared size is too large"},
    };
    for (const auto& c : crashers) {
        const fs::path file = fs::path(CALIVUE_TEST_DATA) / "crashers" / c.crasher;
        const CliResult r = runCli({"project-info", file.string()});
        EXPECT_TRUE(failsWithOneLine(r)) << c.crasher;
        EXPECT_EQ(r.err, "Error reading VRP file: " + file.string() + ": " + c.reason + "\n");
    }
    EXPECT_EQ(runCli({"project-info", path("missing.vrp")}).err,
              "Error reading VRP file: " + path("missing.vrp") + ": file not found\n");

    const std::vector<std::pair<std::string, std::string>> bad = {
        {"not JSON", "{"},
        {"unknown key", R"({"records": [{"operator": "x"}], "entries": [{}]})"},
        {"wrong type", R"({"title": {"company": 5}})"},
        {"outside 32 bits", R"({"records": [{"repairPriority": 2147483648}], "entries": [{}]})"},
        {"four captions wanted", R"({"captions": {"title": ["a"]}})"},
        {"counts differ", R"({"entries": [{}]})"},
    };
    for (const auto& [what, text] : bad) {
        writeText("bad.json", text);
        const CliResult r = runCli({"project-write", path("bad.json"), path("bad.vrp")});
        EXPECT_TRUE(failsWithOneLine(r)) << what;
        EXPECT_NE(r.err.find(path("bad.json")), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(path("bad.vrp"))) << what;
    }
    writeText("ok.json", "{}");
    // The designed message, then which file and the system's reason.
    EXPECT_EQ(runCli({"project-write", path("ok.json"), path("no/dir/x.vrp")}).err,
              "Error writing VRP file: " + path("no/dir/x.vrp") + ": " +
                  std::make_error_code(std::errc::no_such_file_or_directory).message() + "\n");
    EXPECT_EQ(runCli({"project-write", path("none.json"), path("x.vrp")}).err,
              "Cannot read " + path("none.json") + ": file not found\n");
}

// Catches a refusal that escapes the reader as an exception, or one that does not name the key
// it is about: the reader returns Corrupted and the key path for each.
TEST(ProjectJson, RefusalsAreValuesNamingTheKey)
{
    const std::pair<const char*, const char*> cases[] = {
        {"[]", "project: expected an object"},
        {R"({"entries": [3]})", "entries[0]: expected an object"},
        {R"({"entries": {}})", "entries: expected an array"},
        {R"({"title": {"title_date": {"days": "x"}}})", "title.title_date.days: expected"},
        {R"({"extensions": [{"tag": 7}]})", "extensions[0].tag: expected a string"},
        {R"({"extensions": [{"tag": "ABCD", "data": "0g"}]})", "extensions[0].data: not a hex"},
        {R"({"findings_settings": {"custom_bands": [5]}})",
         "findings_settings.custom_bands[0]: expected an object"},
        {R"({"equipment": [{"id": "a"}, {"id": "a"}]})", "equipment[1].id: given twice"},
        {R"({"equipment": {}})", "equipment: expected an array"},
        {R"({"report_layout": 1})", "report_layout: expected"},
    };
    for (const auto& [text, refusalStart] : cases) {
        std::string refusal;
        Result<ReportProject> read = Error::None;
        EXPECT_NO_THROW(read = cli::projectFromJson(nlohmann::json::parse(text), &refusal)) << text;
        EXPECT_EQ(read.error(), Error::Corrupted) << text;
        EXPECT_EQ(refusal.rfind(refusalStart, 0), 0u) << text << " gave " << refusal;
    }
    EXPECT_TRUE(cli::projectFromJson(nlohmann::json::parse("{}")).ok());
}

}  // namespace
}  // namespace calivue::clitest
