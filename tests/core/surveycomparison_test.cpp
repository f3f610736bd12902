// Re-inspection: the previous survey's path, its findings by item, the comparison of each
// inspection with them, the appendix's column "previous" and the new survey made from a project.
#include "files.h"
#include "images.h"

#include "core/equipmentcodec.h"
#include "core/fileio.h"
#include "core/findingscodec.h"
#include "core/surveycomparison.h"
#include "core/reportstyle.h"

#include <gtest/gtest.h>

namespace calivue {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using S = EquipmentStatus;

class Reinspection : public ::testing::Test {
protected:
    test::TempDir m_tmp{"calivue_reinspect_"};
    const fs::path m_dir = m_tmp.path();

    // A snapshot with the hot and cold markers whose hot spot is `hot` kelvin above the
    // rest, captured on `day` March 2025.
    cInspectionImage snapshot(const std::string& name, int hot, unsigned day)
    {
        cBrixa src;
        src.fields.scaleCode = 10;
        src.fields.flagsA = flags::A_Hottest | flags::A_Coldest;
        src.fields.capture = {10, 0, 0, static_cast<std::uint8_t>(day), 3, 2025};
        std::vector<std::uint16_t> px(kPixels, 2930);
        // A 9 × 9 block, so the smoothed array keeps its peak.
        for (int row = 116; row <= 124; ++row)
            for (int x = 156; x <= 164; ++x)
                px[static_cast<std::size_t>(row) * kWidth + x] =
                    static_cast<std::uint16_t>(2930 + 10 * hot);
        src.setRawPixels(std::move(px));
        const std::vector<std::uint8_t> bytes = encodeRecord(src);
        const fs::path path = m_dir / (name + ".qvx");
        EXPECT_EQ(writeFileAtomically(path, bytes), Error::None);
        return {path.u16string(), (m_dir / (name + ".bmp")).u16string(), 0};
    }

    // A survey of (item, hot kelvin) inspections over the list `items`.
    ReportProject survey(const std::vector<std::pair<std::u16string, int>>& inspections,
                         std::vector<EquipmentItem> items, unsigned day)
    {
        ReportProject p;
        ProjectEquipment e;
        e.items = std::move(items);
        int k = 0;
        for (const auto& [id, hot] : inspections) {
            p.entries.push_back(
                snapshot("s" + std::to_string(day) + "_" + std::to_string(k++), hot, day));
            p.records.emplace_back();
            e.recordItems.push_back(id);
        }
        EXPECT_EQ(putProjectEquipment(p, e), Error::None);
        return p;
    }
};

EquipmentItem item(std::u16string id, S status = S::NotInspected, std::u16string reason = {})
{
    return {std::move(id), u"Hall", u"Panel", u"", status, std::move(reason)};
}

// Catches a relative link taken from the working folder instead of the project's, and an
// absolute one changed.
TEST(PreviousProjectFile, RelativeToTheProjectAbsoluteAsIs)
{
    const struct {
        std::u16string stored;
        fs::path project, expected;
    } cases[] = {
        {u"old.vrp", "/s/2026/new.vrp", "/s/2026/old.vrp"},
        {u"../2025/plant.vrp", "/s/2026/new.vrp", "/s/2025/plant.vrp"},
        {u"/elsewhere/a.vrp", "/s/2026/new.vrp", "/elsewhere/a.vrp"},
        {u"", "/s/2026/new.vrp", ""},
        {u"old.vrp", "new.vrp", "old.vrp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(previousProjectFile(c.stored, c.project), c.expected) << c.project;
}

// Catches a missing, unreadable or uneven previous project read as an empty survey instead of
// refused, which would print every item as new.
TEST_F(Reinspection, APreviousProjectThatDoesNotReadIsRefused)
{
    EXPECT_EQ(readPreviousSurvey(m_dir / "gone.vrp").error(), Error::NotFound);
    const std::vector<std::uint8_t> junk{1, 2, 3};
    ASSERT_EQ(writeFileAtomically(m_dir / "junk.vrp", junk), Error::None);
    EXPECT_FALSE(readPreviousSurvey(m_dir / "junk.vrp").ok());
    ReportProject uneven;
    uneven.records.resize(1);
    ASSERT_EQ(writeReportProjectFile(m_dir / "uneven.vrp", uneven), Error::None);
    EXPECT_EQ(readPreviousSurvey(m_dir / "uneven.vrp").error(), Error::Corrupted);
}

// Catches the wrong finding kept for an item with several inspections, an item of the list
// without inspection lost, a date not taken from the snapshot, and a missing snapshot that
// stops the survey instead of giving a finding without readings.
TEST_F(Reinspection, PreviousFindingsByItem)
{
    ReportProject p = survey(
        {{u"A", 5}, {u"A", 20}, {u"B", 0}, {u"", 30}, {u"D", 12}},
        {item(u"A"), item(u"B"), item(u"C", S::NotInspected, u"inaccessible"), item(u"D")}, 21);
    // The section names inspections by snapshot: the link moves with the path.
    const ProjectEquipment links = *readProjectEquipment(p);
    p.entries[4].snapshotPath = (m_dir / "missing.qvx").u16string();
    ASSERT_EQ(putProjectEquipment(p, links), Error::None);
    p.title.titleDate = storedDate(year{2025} / March / day{2});
    ASSERT_EQ(writeReportProjectFile(m_dir / "old.vrp", p), Error::None);
    const Result<PreviousSurvey> s = readPreviousSurvey(m_dir / "old.vrp");
    ASSERT_TRUE(s.ok());
    const PreviousFindings f = previousFindings(*s, ReportTemplate::Maintenance, TempUnit::Celsius);
    ASSERT_EQ(f.size(), 4u);
    ASSERT_TRUE(f.at(u"A").finding);
    EXPECT_EQ(f.at(u"A").finding->inspection, 1u);  // the 20 K one, not the first
    EXPECT_NEAR(*f.at(u"A").finding->deltaT, 20.0, 0.2);
    EXPECT_TRUE(f.at(u"A").finding->exception());
    EXPECT_EQ(f.at(u"A").finding->date, year{2025} / March / day{21});
    ASSERT_TRUE(f.at(u"B").finding);
    EXPECT_FALSE(f.at(u"B").finding->exception());
    EXPECT_FALSE(f.at(u"C").finding);
    EXPECT_EQ(f.at(u"C").reason, u"inaccessible");
    ASSERT_TRUE(f.at(u"D").finding);
    EXPECT_FALSE(f.at(u"D").finding->snapshotRead);
    EXPECT_FALSE(f.at(u"D").finding->deltaT);
    EXPECT_EQ(f.at(u"D").finding->date, year{2025} / March / day{2});  // the title's date
}

// Catches each change mis-named: a repaired exception not verified, a new one missed, a
// priority or difference step read the wrong way round, and an item unknown to the previous
// survey compared with something.
TEST(Comparison, ChangeAgainstThePreviousFinding)
{
    const auto previous = [](int priority, std::optional<double> dt, bool classed) {
        PreviousFinding f;
        f.priority = priority;
        f.deltaT = dt;
        if (classed) f.severity = SeverityBand{4.0, false, u"Probable", priority};
        return f;
    };
    const auto now = [](int priority, std::optional<double> dt, bool classed) {
        Finding f;
        f.priority = priority;
        f.deltaT = dt;
        if (classed) f.severity = SeverityBand{4.0, false, u"Probable", priority};
        return f;
    };
    const struct {
        PreviousFinding before;
        Finding after;
        FindingChange change;
        std::optional<double> step;
    } cases[] = {
        {previous(3, 12.0, true), now(0, 0.4, false), FindingChange::RepairVerified, -11.6},
        {previous(0, 0.5, false), now(3, 9.0, true), FindingChange::NewException, 8.5},
        {previous(2, 5.0, true), now(3, 5.0, true), FindingChange::Worse, 0.0},
        {previous(3, 9.0, true), now(3, 7.5, true), FindingChange::Better, -1.5},
        {previous(3, 9.0, true), now(3, 10.0, true), FindingChange::Worse, 1.0},
        {previous(3, 9.0, true), now(3, 9.0, true), FindingChange::Unchanged, 0.0},
        {previous(0, 0.2, false), now(0, std::nullopt, false), FindingChange::Unchanged, {}},
        {previous(4, std::nullopt, false), now(0, 1.0, false), FindingChange::RepairVerified, {}},
        // No difference now (the snapshot did not read): no evidence of a repair.
        {previous(3, 12.0, true), now(0, std::nullopt, false), FindingChange::NotMeasured, {}},
    };
    for (const auto& c : cases) {
        PreviousFindings f;
        f[u"X"].finding = c.before;
        const std::optional<Comparison> got = compareWithPrevious(c.after, u"X", f);
        ASSERT_TRUE(got);
        EXPECT_EQ(got->change, c.change) << c.before.priority << " " << c.after.priority;
        EXPECT_EQ(got->deltaTChange, c.step);
        EXPECT_EQ(got->previous, c.before);
        EXPECT_FALSE(compareWithPrevious(c.after, u"Y", f));
        EXPECT_FALSE(compareWithPrevious(c.after, u"", f));
    }
    PreviousFindings listedOnly;
    listedOnly[u"X"].listed = true;
    EXPECT_FALSE(compareWithPrevious(now(3, 9.0, true), u"X", listedOnly));
}

// Catches the column "previous" given to the wrong row, "repair verified" printed for an item
// still with an exception or never inspected now, and the words of each kind of cell.
TEST(Comparison, AppendixColumnPrevious)
{
    ProjectEquipment e;
    e.items = {item(u"A"), item(u"B"), item(u"C"), item(u"D", S::Inspected), item(u"E")};
    e.recordItems = {u"A", u"B", u"C", u"E"};
    // E's one inspection has no difference (its snapshot did not read).
    const std::vector<InspectionOnPage> pages = {
        {3, false, true}, {4, true, true}, {5, false, true}, {6, false, false}};
    const EquipmentAppendix a = equipmentAppendix(e, pages);
    PreviousFindings f;
    const auto found = [](int priority, double dt) {
        PreviousFinding p;
        p.priority = priority;
        p.deltaT = dt;
        p.date = year{2025} / March / day{21};
        return p;
    };
    f[u"A"].finding = found(4, 12.34);
    f[u"B"].finding = found(3, 8.0);
    f[u"C"].finding = found(0, 0.3);
    f[u"D"].finding = found(2, 3.0);
    f[u"E"].finding = found(5, 30.0);
    const std::vector<PreviousCell> cells = previousColumn(a, f);
    ASSERT_EQ(cells.size(), 5u);
    const std::u16string expected[] = {
        u"exception (priority 4, dT 12.3, 2025-03-21); repair verified",
        u"exception (priority 3, dT 8.0, 2025-03-21)",
        u"no exception (dT 0.3, 2025-03-21)",
        u"exception (priority 2, dT 3.0, 2025-03-21); repair verified",  // inspected by status
        u"exception (priority 5, dT 30.0, 2025-03-21)",  // not measured now: not verified
    };
    for (std::size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(englishText(cells[i]), expected[i]) << i;
    EXPECT_EQ(previousColumn(a, {})[0].item, nullptr);
    EXPECT_EQ(englishText(previousColumn(a, {})[0]), u"");
}

// Catches a new survey that keeps inspections, statuses or reasons, loses the title, captions,
// criteria, conditions or layout, changes an item, or stores a link that does not lead back.
TEST_F(Reinspection, NewSurveyKeepsTheFrameAndLinksBack)
{
    ReportProject p = survey({{u"A", 20}, {u"B", 0}},
                             {item(u"A", S::Inspected), item(u"B", S::Inspected),
                              item(u"C", S::NotInspected, u"not found")},
                             21);
    p.title.company = u"Acme";
    p.title.comments = u"Yearly survey";
    p.captions = defaultReportCaptions();
    p.captions->details[0] = u"Tag";
    ProjectFindings findings = ProjectFindings::defaultsFor(p.records);
    findings.settings.criteria = Criteria::NetaAmbient;
    findings.settings.conditions.cameraModel = u"Cam 9";
    findings.records[0].ambient = 21.0;
    ASSERT_EQ(putProjectFindings(p, findings), Error::None);
    ASSERT_EQ(putReportLayout(p, ReportLayout::Modern), Error::None);
    ASSERT_EQ(p.extensions.put({*ExtensionTag::parse("ZZZZ"), 1, {1, 2}}), Error::None);

    const cDateTime today = storedDate(year{2026} / April / day{2});
    for (const auto& [newFile, link] :
         {std::pair{m_dir / "2026" / "new.vrp", std::u16string(u"../2025/old.vrp")},
          std::pair{m_dir / "2025" / "next.vrp", std::u16string(u"old.vrp")}}) {
        const Result<ReportProject> next =
            newSurveyFrom(p, m_dir / "2025" / "old.vrp", newFile, today);
        ASSERT_TRUE(next.ok());
        EXPECT_TRUE(next->entries.empty());
        EXPECT_TRUE(next->records.empty());
        ReportTitle title = p.title;
        title.titleDate = today;
        EXPECT_EQ(next->title, title);
        EXPECT_EQ(next->captions, p.captions);
        EXPECT_EQ(readProjectFindings(*next)->settings, findings.settings);
        EXPECT_EQ(readReportLayout(*next).value(), ReportLayout::Modern);
        EXPECT_EQ(next->extensions.find(*ExtensionTag::parse("ZZZZ")), nullptr);
        const Result<ProjectEquipment> e = readProjectEquipment(*next);
        ASSERT_TRUE(e.ok());
        ASSERT_EQ(e->items.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EquipmentItem reset = *readProjectEquipment(p)->find(e->items[i].id);
            reset.status = S::NotInspected;
            reset.reason.clear();
            EXPECT_EQ(e->items[i], reset);
        }
        EXPECT_EQ(e->previousProject, link);
        EXPECT_EQ(previousProjectFile(e->previousProject, newFile),
                  (m_dir / "2025" / "old.vrp").lexically_normal());
    }
    // A section that does not read is not dropped in silence.
    ReportProject damaged = p;
    ASSERT_EQ(damaged.extensions.put({kEquipmentTag, 1, {1}}), Error::None);
    EXPECT_EQ(newSurveyFrom(damaged, m_dir / "old.vrp", m_dir / "new.vrp", today).error(),
              Error::Corrupted);
}

}  // namespace
}  // namespace calivue
