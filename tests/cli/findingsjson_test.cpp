// The findings data through project-write and project-info: every key both ways, absent keys
// as the defaults (and then the very bytes of a project without them), and bad input refused
// with one line naming the key and no file written.
#include "clitest.h"

namespace calivue::clitest {
namespace {

using Json = nlohmann::ordered_json;

class FindingsJsonCli : public CliTest {
protected:
    CliResult write(const std::string& text, const std::string& out)
    {
        writeAll(path("in.json"), std::vector<std::uint8_t>(text.begin(), text.end()));
        return runCli({"project-write", path("in.json"), path(out)});
    }
};

const char* const kTwo = R"("entries": [{"snapshot_path": "a.qvx"}, {"snapshot_path": "b.qvx"}])";

std::string project(const std::string& settings, const std::string& record1)
{
    return std::string("{") + kTwo + R"(, "records": [{}, {)" + record1 + "}]" +
           (settings.empty() ? "" : R"(, "findings_settings": )" + settings) + "}";
}

// Catches a key lost or renamed either way, the findings also printed as a raw section, and
// per-record data given to the wrong inspection.
TEST_F(FindingsJsonCli, EveryKeyBothWays)
{
    const std::string settings = R"({"criteria": "custom",
        "custom_bands": [{"from": 1.5, "class": "Watch", "priority": 2},
                         {"from": 10, "class": "Repair \u00b5", "priority": 5}],
        "load_exponent": 1.6, "classify_corrected": false, "min_load_percent": 30,
        "ambient": 18.5, "frsi_threshold": 0.78,
        "conditions": {"wind": "calm", "standard": "NETA MTS", "thermographer": "J. Doe"}})";
    const CliResult w = write(
        project(settings, R"("reference": "ambient", "ambient": -2.5, "priority_manual": true)"),
        "p.vrp");
    ASSERT_EQ(w.code, 0) << w.err;
    const CliResult info = runCli({"project-info", path("p.vrp")});
    ASSERT_EQ(info.code, 0) << info.err;
    const Json j = Json::parse(info.out);
    const Json& s = j["findings_settings"];
    EXPECT_EQ(s["criteria"], "custom");
    EXPECT_EQ(s["custom_bands"][1],
              Json({{"from", 10.0}, {"class", "Repair \xC2\xB5"}, {"priority", 5}}));
    EXPECT_EQ(s["load_exponent"], 1.6);
    EXPECT_EQ(s["classify_corrected"], false);
    EXPECT_EQ(s["min_load_percent"], 30.0);
    EXPECT_EQ(s["ambient"], 18.5);
    EXPECT_EQ(s["frsi_threshold"], 0.78);
    EXPECT_EQ(s["conditions"]["standard"], "NETA MTS");
    EXPECT_EQ(s["conditions"]["weather"], "");
    EXPECT_EQ(j["records"][0]["reference"], "marker");
    EXPECT_TRUE(j["records"][0]["ambient"].is_null());
    EXPECT_EQ(j["records"][0]["priority_manual"], false);
    EXPECT_EQ(j["records"][1]["reference"], "ambient");
    EXPECT_EQ(j["records"][1]["ambient"], -2.5);
    EXPECT_EQ(j["records"][1]["priority_manual"], true);
    EXPECT_EQ(j["extensions"], Json::array());

    // What info printed writes the same file again.
    writeAll(path("again.json"), std::vector<std::uint8_t>(info.out.begin(), info.out.end()));
    ASSERT_EQ(runCli({"project-write", path("again.json"), path("again.vrp")}).code, 0);
    EXPECT_EQ(readAll(path("again.vrp")), readAll(path("p.vrp")));
}

// Catches a section written for default findings: with the keys absent, or given as the
// defaults, the file is byte for byte the one written without them.
TEST_F(FindingsJsonCli, DefaultsWriteTheSameBytes)
{
    ASSERT_EQ(write(std::string("{") + kTwo + R"(, "records": [{}, {}]})", "plain.vrp").code, 0);
    const CliResult info = runCli({"project-info", path("plain.vrp")});
    EXPECT_EQ(Json::parse(info.out)["findings_settings"]["criteria"], "neta-similar");
    EXPECT_EQ(Json::parse(info.out)["findings_settings"]["load_exponent"], 2.0);
    ASSERT_EQ(
        write(project(R"({"criteria": "neta-similar", "load_exponent": 2, "frsi_threshold": 0.7})",
                      R"("reference": "marker", "ambient": null, "priority_manual": false)"),
              "same.vrp")
            .code,
        0);
    EXPECT_EQ(readAll(path("same.vrp")), readAll(path("plain.vrp")));
    writeAll(path("info.json"), std::vector<std::uint8_t>(info.out.begin(), info.out.end()));
    ASSERT_EQ(runCli({"project-write", path("info.json"), path("back.vrp")}).code, 0);
    EXPECT_EQ(readAll(path("back.vrp")), readAll(path("plain.vrp")));
}

// Catches a findings section this program cannot read printed as default findings (and so
// lost on the next write) instead of kept as it is among the extensions.
TEST_F(FindingsJsonCli, UnreadableSectionStaysRaw)
{
    const fs::path ext = fs::path(CALIVUE_TEST_DATA) / ".." / ".." / "fuzz" / "corpus" /
                         "reportproject" / "two_13_ext";
    const Json j = Json::parse(runCli({"project-info", ext.string()}).out);
    EXPECT_TRUE(j["findings_settings"].is_null());
    EXPECT_EQ(j["extensions"][0]["tag"], "FIND");
    EXPECT_EQ(j["records"][0]["reference"], "marker");
}

// Each bad value: one line naming the key, exit non-zero, no file.
TEST_F(FindingsJsonCli, BadInputIsRefusedByKey)
{
    const std::pair<std::string, std::string> cases[] = {
        {project(R"({"criteria": "neta"})", ""), "findings_settings.criteria"},
        {project(R"({"criteria": 2})", ""), "findings_settings.criteria"},
        {project(R"({"custom_bands": [{"from": 4, "priority": 2}, {"from": 1, "priority": 3}]})",
                 ""),
         "findings_settings.custom_bands[1].from"},
        {project(R"({"custom_bands": [{"from": 1, "priority": 2}, {"from": 1, "priority": 3}]})",
                 ""),
         "findings_settings.custom_bands[1].from"},
        {project(
             R"({"custom_bands": [{"from":1,"priority":1},{"from":2,"priority":1},{"from":3,"priority":1},
                     {"from":4,"priority":1},{"from":5,"priority":1},{"from":6,"priority":1},{"from":7,"priority":1}]})",
             ""),
         "findings_settings.custom_bands"},
        {project(R"({"custom_bands": [{"from": "1", "priority": 2}]})", ""),
         "findings_settings.custom_bands[0].from"},
        {project(R"({"custom_bands": [{"from": 1, "priority": 0}]})", ""),
         "findings_settings.custom_bands[0].priority"},
        {project(R"({"custom_bands": [{"from": 1, "priority": 2, "colour": 1}]})", ""),
         "findings_settings.custom_bands[0].colour"},
        {project(R"({"load_exponent": 0.9})", ""), "findings_settings.load_exponent"},
        {project(R"({"load_exponent": 3.5})", ""), "findings_settings.load_exponent"},
        {project(R"({"load_exponent": "2"})", ""), "findings_settings.load_exponent"},
        {project(R"({"min_load_percent": "40 %"})", ""), "findings_settings.min_load_percent"},
        {project(R"({"ambient": "20"})", ""), "findings_settings.ambient"},
        {project(R"({"frsi_threshold": 7})", ""), "findings_settings.frsi_threshold"},
        {project(R"({"classify_corrected": 1})", ""), "findings_settings.classify_corrected"},
        {project(R"({"conditions": {"mood": "fine"}})", ""), "findings_settings.conditions.mood"},
        {project(R"({"conditions": {"wind": 5}})", ""), "findings_settings.conditions.wind"},
        {project(R"({"surprise": 1})", ""), "findings_settings.surprise"},
        {project("", R"("reference": "floor")"), "records[1].reference"},
        {project("", R"("ambient": "abc")"), "records[1].ambient"},
        {project("", R"("priority_manual": "yes")"), "records[1].priority_manual"},
        {std::string("{") + kTwo +
             R"(, "records": [{}, {"priority_manual": true}], "extensions": [{"tag": "FIND"}]})",
         "extensions"},
    };
    for (const auto& [text, key] : cases) {
        SCOPED_TRACE(key);
        const CliResult r = write(text, "bad.vrp");
        EXPECT_TRUE(failsWithOneLine(r));
        EXPECT_NE(r.err.find("Invalid project JSON: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(".json: " + key + ":"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(path("bad.vrp")));
    }
}

}  // namespace
}  // namespace calivue::clitest
