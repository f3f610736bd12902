// The report layout as a project setting: its extension section through project-info and
// project-write, and the `report --layout` override.
#include "clitest.h"

#include "core/reportproject.h"
#include "core/reportstyle.h"

#include <nlohmann/json.hpp>

namespace calivue::clitest {
namespace {

using Json = nlohmann::ordered_json;

class LayoutCli : public CliTest {
protected:
    fs::path writeJson(const Json& j)
    {
        const std::string text = j.dump();
        writeAll(m_dir / "p.json", std::vector<std::uint8_t>(text.begin(), text.end()));
        return m_dir / "p.json";
    }
};

// Catches a classic project that writes a section (its file no longer the designed one), a
// modern choice lost on the way, and a layout printed twice (key and raw section).
TEST_F(LayoutCli, KeyRoundTripsAndClassicWritesNoSection)
{
    ReportProject plain;
    plain.entries.push_back({u"a.qvx", u"", 0});
    plain.records.resize(1);
    ASSERT_EQ(writeReportProjectFile(m_dir / "plain.vrp", plain), Error::None);
    const Json info = Json::parse(runCli({"project-info", path("plain.vrp")}).out);
    EXPECT_EQ(info["report_layout"], "classic");

    for (const std::string layout : {"classic", "modern"}) {
        Json j = info;
        j["report_layout"] = layout;
        ASSERT_EQ(runCli({"project-write", writeJson(j).string(), path("out.vrp")}).code, 0);
        const Result<ReportProject> back = readReportProjectFile(m_dir / "out.vrp");
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(readReportLayout(back.value()).value(), *reportLayoutFromName(layout));
        if (layout == "classic") {
            EXPECT_EQ(readAll(m_dir / "out.vrp"), readAll(m_dir / "plain.vrp"));
        }
        const Json again = Json::parse(runCli({"project-info", path("out.vrp")}).out);
        EXPECT_EQ(again["report_layout"], layout);
        EXPECT_TRUE(again["extensions"].empty()) << again["extensions"].dump();
    }
}

// Catches a bad layout name accepted, a damaged section read as a layout, and the key and
// the raw section both given.
TEST_F(LayoutCli, RefusesBadLayoutsAndKeepsDamagedSections)
{
    for (const Json& bad : {Json("Modern"), Json(1), Json("")}) {
        const CliResult r =
            runCli({"project-write", writeJson({{"report_layout", bad}}).string(), path("x.vrp")});
        EXPECT_TRUE(failsWithOneLine(r)) << bad.dump();
        EXPECT_NE(r.err.find("report_layout"), std::string::npos) << r.err;
    }
    const CliResult both =
        runCli({"project-write",
                writeJson({{"report_layout", "modern"},
                           {"extensions", {{{"tag", "RLAY"}, {"version", 1}, {"data", "01"}}}}})
                    .string(),
                path("x.vrp")});
    EXPECT_TRUE(failsWithOneLine(both));
    EXPECT_FALSE(fs::exists(m_dir / "x.vrp"));

    // A section of an unknown version or value reads as no layout and is kept as it is.
    for (const auto& [version, data] :
         {std::pair{2, "01"}, std::pair{1, "02"}, std::pair{1, ""}, std::pair{1, "0100"}}) {
        const Json j = {{"extensions", {{{"tag", "RLAY"}, {"version", version}, {"data", data}}}}};
        ASSERT_EQ(runCli({"project-write", writeJson(j).string(), path("d.vrp")}).code, 0);
        const Json back = Json::parse(runCli({"project-info", path("d.vrp")}).out);
        EXPECT_TRUE(back["report_layout"].is_null()) << data;
        ASSERT_EQ(back["extensions"].size(), 1u);
        EXPECT_EQ(back["extensions"][0]["data"], data);
    }
}

}  // namespace
}  // namespace calivue::clitest
