// calivue-cli findings on a generated survey: one finding of each kind worked out by hand from
// the snapshot's own readings beside what the tool prints, the unit and the template options,
// and the failures.
#include "clitest.h"

#include "core/findingscodec.h"
#include "core/reportproject.h"
#include "core/snapshotfiles.h"
#include "survey.h"
#include "surveyfolder.h"

#include <cmath>

namespace calivue::clitest {
namespace {

using Json = nlohmann::ordered_json;

class FindingsCli : public CliTest {
protected:
    // The survey preset's five snapshots and their project, with loads, weather and findings
    // data put on three inspections.
    void SetUp() override
    {
        const std::optional<ReportProject> survey =
            test::writeSurvey(m_dir, 11, gen::kSurveySnapshots, "F_000");
        ASSERT_TRUE(survey);
        m_project = *survey;
        m_project.records[0].measured = u"41 A";
        m_project.records[0].rated = u"100 A";
        m_project.records[1].repairPriority = 1;
        m_project.records[3].indoor = u"20";
        m_project.records[3].outdoor = u"0";
        ProjectFindings f;
        f.records.resize(m_project.records.size());
        f.records[1].priorityManual = true;
        f.records[2] = {ReferenceKind::Ambient, 20.0, false};
        ASSERT_EQ(putProjectFindings(m_project, f), Error::None);
        ASSERT_EQ(writeReportProjectFile(path("F.vrp"), m_project), Error::None);
    }

    // The snapshot of inspection i with its arrays, read in `unit`.
    cBrixa snapshot(std::size_t i, TempUnit unit)
    {
        cBrixa img;
        EXPECT_EQ(openSnapshot(fs::path(std::string(m_project.entries[i].snapshotPath.begin(),
                                                    m_project.entries[i].snapshotPath.end())),
                               img),
                  Error::None);
        EXPECT_TRUE(img.buildArrays());
        img.setUnit(unit);
        return img;
    }

    Json run(std::vector<std::string> args)
    {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "");
        return Json::parse(r.out);
    }

    ReportProject m_project;
};

double tenth(double v)
{
    return std::round(v * 10.0) / 10.0;
}

// Catches a difference against the wrong marker or unrounded, a load ratio or exponent wrong,
// a hand-set priority replaced, an ambient reference not converted to °F, and an fRsi that
// does not use the concern reading.
TEST_F(FindingsCli, FindingsAgreeWithTheReadingsWorkedByHand)
{
    const Json c = run({"findings", path("F.vrp"), "--template", "0"});
    EXPECT_EQ(c["criteria"], "neta-similar");
    EXPECT_EQ(c["unit_text"],
              "\xC2\xB0"
              "C");
    ASSERT_EQ(c["inspections"].size(), 5u);

    // Inspection 1: cursor 1 against cursor 2, 41 A of 100 A, n = 2.
    {
        cBrixa img = snapshot(0, TempUnit::Celsius);
        const double hot = img.markerTemperature(0), ref = img.markerTemperature(1);
        const double dt = tenth(hot - ref);
        const double dtc = dt * (100.0 / 41.0) * (100.0 / 41.0);
        const int priority = dtc > 15 ? 5 : dtc >= 4 ? 3 : dtc >= 1 ? 2 : 0;
        const Json& f = c["inspections"][0];
        EXPECT_EQ(f["index"], 1);
        EXPECT_EQ(f["concern"], Json({{"label", "Cursor 1"}, {"temperature", hot}}));
        EXPECT_EQ(f["reference"]["label"], "Cursor 2");
        EXPECT_NEAR(f["delta_t"].get<double>(), dt, 1e-9);
        EXPECT_NEAR(f["load_percent"].get<double>(), 41.0, 1e-9);
        EXPECT_NEAR(f["delta_t_corrected"].get<double>(), dtc, 1e-6);
        EXPECT_EQ(f["suggested_priority"], priority);
        EXPECT_EQ(f["priority"], priority);
        EXPECT_EQ(f["warnings"], Json::array());
    }
    // Inspection 2: no load; priority set by hand to 1 is kept.
    {
        const Json& f = c["inspections"][1];
        EXPECT_EQ(f["priority"], 1);
        EXPECT_EQ(f["priority_manual"], true);
        EXPECT_TRUE(f["load_percent"].is_null() && f["delta_t_corrected"].is_null());
        EXPECT_EQ(f["warnings"], Json({"load-unknown"}));
    }
    // Inspection 3 in °F: against its own ambient 20 °C = 68 °F.
    const Json fahrenheit = run({"findings", path("F.vrp"), "--unit", "F", "--template", "0"});
    EXPECT_EQ(fahrenheit["unit_text"],
              "\xC2\xB0"
              "F");
    {
        cBrixa img = snapshot(2, TempUnit::Fahrenheit);
        const double hot = img.markerTemperature(0);
        const Json& f = fahrenheit["inspections"][2];
        EXPECT_EQ(f["reference"], Json({{"label", "Ambient"}, {"temperature", 68.0}}));
        EXPECT_NEAR(f["delta_t"].get<double>(), tenth(hot - 68.0), 1e-9);
    }
    // Inspection 4 as a building: fRsi from its concern reading, indoor 20, outdoor 0.
    const Json b = run({"findings", path("F.vrp"), "--template", "1"});
    {
        cBrixa img = snapshot(3, TempUnit::Celsius);
        const double frsi = (img.markerTemperature(0) - 0.0) / (20.0 - 0.0);
        const Json& f = b["inspections"][3];
        EXPECT_NEAR(f["frsi"].get<double>(), frsi, 1e-9);
        EXPECT_EQ(f["frsi_pass"], std::round(frsi * 100) / 100 >= 0.70);
        EXPECT_TRUE(f["load_percent"].is_null());
        EXPECT_EQ(f["warnings"], Json::array());
        EXPECT_TRUE(b["inspections"][0]["frsi"].is_null());
    }
}

// Catches a missing snapshot that fails the whole command or gives a difference, and failures
// that are not one line.
TEST_F(FindingsCli, MissingSnapshotsAndBadProjects)
{
    fs::remove(fs::path(std::string(m_project.entries[4].snapshotPath.begin(),
                                    m_project.entries[4].snapshotPath.end())));
    const CliResult r = runCli({"findings", path("F.vrp")});
    ASSERT_EQ(r.code, 0);
    EXPECT_NE(r.err.find("inspection 5"), std::string::npos) << r.err;
    const Json all = Json::parse(r.out);
    const Json& f = all["inspections"][4];
    EXPECT_TRUE(f["concern"].is_null() && f["delta_t"].is_null() && f["class"].is_null());
    EXPECT_EQ(f["warnings"], Json({"reference-missing", "load-unknown"}));

    writeAll(path("bad.vrp"), std::vector<std::uint8_t>{1, 2, 3});
    EXPECT_TRUE(failsWithOneLine(runCli({"findings", path("bad.vrp")})));
    EXPECT_TRUE(failsWithOneLine(runCli({"findings", path("F.vrp"), "--template", "4"})));
    // A findings section this program cannot read is a failure, not a report without findings.
    ReportProject damaged = m_project;
    ASSERT_EQ(damaged.extensions.put({kFindingsTag, 1, {9}}), Error::None);
    ASSERT_EQ(writeReportProjectFile(path("damaged.vrp"), damaged), Error::None);
    const CliResult d = runCli({"findings", path("damaged.vrp")});
    EXPECT_TRUE(failsWithOneLine(d));
}

}  // namespace
}  // namespace calivue::clitest
