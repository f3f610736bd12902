// What the views rely on: change flags, signals and hints, the zoom window, the status-bar
// read-outs, plus Excel Output and the persisted report setting.
#include "changelog.h"
#include "doctest.h"

#include "core/csvexport.h"
#include "platform/settingsstore.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QFileInfo>
#include <QSignalSpy>

#include <algorithm>
#include <tuple>

namespace calivue::test {
namespace {

using StateTest = DocumentTest;

// The view's part of the last announcement that asked it for more than the values: the
// cursor readings, the saved files, the layout or every control.
DocChange lastViewPart(const ChangeLog& log)
{
    const DocChanges what = log.lastWith(DocChange::Controls | DocChange::Layout |
                                         DocChange::Saved | DocChange::Readings);
    for (DocChange part :
         {DocChange::Controls, DocChange::Layout, DocChange::Saved, DocChange::Readings})
        if (what.testFlag(part)) return part;
    return DocChange{};
}

// How many announcements of a log carried one part.
struct PartSpy {
    const ChangeLog& log;
    DocChange part;
    int count() const { return log.count(part); }
};

// Catches flags that are not cleared on reading (endless redraws) or set by the wrong setter.
TEST_F(StateTest, ChangeFlagsAreReadAndCleared)
{
    EXPECT_EQ(m_doc.takeImageChanged(), 0u);
    openGenerated("IR_0001", plainPlan());
    EXPECT_NE(m_doc.takeImageChanged(), 0u);
    EXPECT_EQ(m_doc.takeImageChanged(), 0u);
    EXPECT_NE(m_doc.takeOverlayChanged(), 0u);
    EXPECT_EQ(m_doc.takeOverlayChanged(), 0u);

    m_doc.setSpan(2900, 3100);
    EXPECT_NE(m_doc.takeImageChanged(), 0u);
    EXPECT_EQ(m_doc.takeOverlayChanged(), 0u);

    m_doc.setOrientation(1);
    EXPECT_EQ(m_doc.takeImageChanged(), 0u);
    EXPECT_NE(m_doc.takeOverlayChanged(), 0u);

    m_doc.toggleBlueIsotherm();
    EXPECT_NE(m_doc.takeImageChanged(), 0u);
    m_doc.setProfileRow(50);
    EXPECT_NE(m_doc.takeOverlayChanged(), 0u);
    EXPECT_EQ(m_doc.takeImageChanged(), 0u);
}

// Catches a setter that changes state without telling the display set, or with the wrong hint.
TEST_F(StateTest, SettersAnnounceTheirChanges)
{
    ChangeLog changes(m_doc);
    const PartSpy replaced{changes, DocChange::Picture};
    openGenerated("IR_0001", plainPlan());
    EXPECT_EQ(replaced.count(), 1);
    ASSERT_GE(changes.size(), 1);
    EXPECT_EQ(lastViewPart(changes), DocChange::Controls);

    auto spyOn = [&changes](DocChange part) { return std::make_unique<PartSpy>(changes, part); };
    const std::vector<std::pair<std::function<void()>, std::unique_ptr<PartSpy>>> checks = [&] {
        std::vector<std::pair<std::function<void()>, std::unique_ptr<PartSpy>>> v;
        v.emplace_back([&] { m_doc.setSpan(2900, 3000); }, spyOn(DocChange::Span));
        v.emplace_back([&] { m_doc.setPalette(2); }, spyOn(DocChange::Palette));
        v.emplace_back([&] { m_doc.setInterpolation(2); }, spyOn(DocChange::Interpolation));
        v.emplace_back([&] { m_doc.setBlend(25); }, spyOn(DocChange::Blend));
        v.emplace_back([&] { m_doc.setOrientation(2); }, spyOn(DocChange::Orientation));
        v.emplace_back([&] { m_doc.toggleRedIsotherm(); }, spyOn(DocChange::Isotherms));
        v.emplace_back([&] { m_doc.setZoom(2); }, spyOn(DocChange::Zoom));
        v.emplace_back([&] { m_doc.setViewRect(QRect(0, 0, 160, 120)); },
                       spyOn(DocChange::ZoomWindow));
        v.emplace_back([&] { m_doc.toggleAreaSelect(); }, spyOn(DocChange::Area));
        v.emplace_back([&] { m_doc.setProfileColumn(12); }, spyOn(DocChange::Profiles));
        v.emplace_back([&] { m_doc.toggleHotCold(); }, spyOn(DocChange::Markers));
        v.emplace_back([&] { m_doc.nudgeAlignment(false, -1); }, spyOn(DocChange::Alignment));
        v.emplace_back([&] { m_doc.setUnit(TempUnit::Fahrenheit); }, spyOn(DocChange::Unit));
        v.emplace_back([&] { m_doc.setSelectedPoint(3, 4); }, spyOn(DocChange::Selection));
        return v;
    }();
    for (std::size_t i = 0; i < checks.size(); ++i) {
        const int before = checks[i].second->count();
        checks[i].first();
        EXPECT_EQ(checks[i].second->count() - before, 1) << "check " << i;
    }

    changes.clear();
    m_doc.setOrientation(3);
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(lastViewPart(changes), DocChange::Layout);
    changes.clear();
    ASSERT_EQ(m_doc.toggleCursorAt(5, 5), CVantoroDoc::CursorToggle::Added);
    ASSERT_GE(changes.size(), 1);
    EXPECT_EQ(lastViewPart(changes), DocChange::Readings);
    changes.clear();
    ASSERT_TRUE(m_commands.save());
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(lastViewPart(changes), DocChange::Saved);
}

// Catches a record-detail setter that does not store, does not announce, marks modified
// without a change, or lets an impossible emissivity through.
TEST_F(StateTest, RecordDetailSettersStoreAnnounceAndModify)
{
    openGenerated("IR_0001", plainPlan());
    const RecordFields& f = m_doc.image().fields;
    std::array<std::uint8_t, 256> comment{};
    comment[0] = 'A';
    ChangeLog changes(m_doc);
    PartSpy markersSpy{changes, DocChange::Markers}, detailsSpy{changes, DocChange::Details};
    PartSpy* markers = &markersSpy;
    PartSpy* details = &detailsSpy;
    const std::vector<std::tuple<std::function<void()>, std::function<bool()>, PartSpy*>> cases = {
        {[&] { m_doc.setReflected(f.reflected + 10); }, [] { return true; }, markers},
        {[&] { m_doc.setImageEmissivity(f.emissivity[10] == 50 ? 60 : 50); }, [] { return true; },
         markers},
        {[&] { m_doc.setCaptureTime(1, 2, 3); },
         [&] { return f.capture.hour == 1 && f.capture.minute == 2 && f.capture.second == 3; },
         details},
        {[&] { m_doc.setCaptureDate(4, 5, 2006); },
         [&] { return f.capture.day == 4 && f.capture.month == 5 && f.capture.year == 2006; },
         details},
        {[&] { m_doc.setComments(comment); }, [&] { return f.comments == comment; }, details},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [change, stored, spy] = cases[i];
        m_doc.setModified(false);
        const qsizetype before = spy->count();
        change();
        EXPECT_TRUE(stored()) << i;
        EXPECT_EQ(spy->count() - before, 1) << i;
        EXPECT_TRUE(m_doc.isModified()) << i;
    }
    m_doc.setModified(false);
    m_doc.setComments(comment);   // unchanged
    m_doc.setImageEmissivity(0);  // impossible
    m_doc.setImageEmissivity(101);
    EXPECT_FALSE(m_doc.isModified());
    EXPECT_NE(f.emissivity[10], 0);
}

// Catches a zoom window that is not centred, leaves the picture, or is ignored by the area
// statistics.
TEST_F(StateTest, ZoomWindowStaysCentredAndInsideThePicture)
{
    openGenerated("IR_0001", plainPlan(0x08, 0x00));
    m_doc.setZoom(2);
    EXPECT_EQ(m_doc.zoom(), 2);
    EXPECT_EQ(m_doc.viewRect(), QRect(80, 60, 160, 120));

    m_doc.setViewRect(QRect(300, 200, 160, 120));
    EXPECT_EQ(m_doc.viewRect(), QRect(160, 120, 160, 120));
    cBrixa reference;
    ASSERT_EQ(reference.loadFromPath((m_dir.path() + QStringLiteral("/IR_0001.QVX")).toStdString()),
              Error::None);
    reference.areaStatisticsInView(320, 240, 160, 120, 2, 1);
    EXPECT_FLOAT_EQ(m_doc.image().areaStats().average, reference.areaStats().average);

    m_doc.setZoom(4);
    EXPECT_EQ(m_doc.viewRect(), QRect(200, 150, 80, 60));
    m_doc.setZoom(9);
    EXPECT_EQ(m_doc.zoom(), 4);
    m_doc.setZoom(1);
    EXPECT_EQ(m_doc.viewRect(), QRect(0, 0, 320, 240));

    m_doc.setZoom(3);
    openGenerated("IR_0002", plainPlan());  // a new picture starts unzoomed
    EXPECT_EQ(m_doc.zoom(), 1);
    EXPECT_EQ(m_doc.viewRect(), QRect(0, 0, 320, 240));
}

// Catches a read-out for a point outside the picture or after the pointer left.
TEST_F(StateTest, SelectedPointReadOut)
{
    EXPECT_FALSE(m_doc.selectedPointTemperature().first);
    openGenerated("IR_0001", plainPlan());
    int x = -1, row = -1;
    EXPECT_FALSE(m_doc.selectedPoint(x, row));
    m_doc.setSelectedPoint(10, 20);
    ASSERT_TRUE(m_doc.selectedPoint(x, row));
    EXPECT_EQ(x, 10);
    EXPECT_EQ(row, 20);
    const auto [valid, t] = m_doc.selectedPointTemperature();
    EXPECT_TRUE(valid);
    EXPECT_FLOAT_EQ(t, m_doc.image().temperatureAtImageEmissivity(10, 20));
    m_doc.setSelectedPoint(320, 20);
    EXPECT_FALSE(m_doc.selectedPointTemperature().first);
    m_doc.clearSelectedPoint();
    EXPECT_FALSE(m_doc.selectedPoint(x, row));
}

TEST_F(StateTest, UnitChangeRecomputesMarkers)
{
    gen::SnapshotPlan plan = plainPlan();
    plan.cursors = {{50, 60, 100}};
    openGenerated("IR_0001", plan);
    const float celsius = m_doc.markers()[0].temperature;
    m_doc.setUnit(TempUnit::Fahrenheit);
    EXPECT_EQ(m_doc.image().unitText(),
              "\xC2\xB0"
              "F");
    EXPECT_NEAR(m_doc.markers()[0].temperature, celsius * 1.8f + 32.0f, 1e-3);
    EXPECT_TRUE(m_doc.isModified());
    m_doc.setUnit(static_cast<TempUnit>(5));  // anything beyond Fahrenheit is Kelvin
    EXPECT_EQ(m_doc.image().unit(), 2);
    EXPECT_EQ(m_doc.image().unitText(), "K");
}

TEST_F(StateTest, InterpolationLimitedToOneToEight)
{
    m_doc.setInterpolation(0);
    EXPECT_EQ(m_doc.interpolation(), 1);
    m_doc.setInterpolation(12);
    EXPECT_EQ(m_doc.interpolation(), 8);
}

// Catches an export with a different dialog, a missing completion message, a failure without
// its file and reason, or a file that differs from the core's table.
TEST_F(StateTest, ExcelOutputWritesTableAndReports)
{
    openGenerated("IR_0001", plainPlan());
    m_chosen = path("table");
    ASSERT_TRUE(m_commands.exportCsv());
    ASSERT_EQ(m_dialogs.size(), 1u);
    EXPECT_EQ(m_dialogs[0].title(), uiText(sid::ExcelOutputTitle));
    EXPECT_EQ(m_dialogs[0].defaultSuffix(), QStringLiteral("csv"));
    ASSERT_EQ(m_dialogs[0].nameFilters().size(), 1);
    EXPECT_TRUE(m_dialogs[0].nameFilters()[0].startsWith(uiText(sid::FilterCsv)));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, uiText(sid::ExcelOutputComplete));
    EXPECT_EQ(m_messages[0].icon, cMessageDlg::IconKind::Information);
    const std::vector<std::uint8_t> written = readBytes(path("table.csv"));
    const std::string expected = csvText(m_doc.image());
    EXPECT_EQ(std::string(written.begin(), written.end()), expected);
    EXPECT_FALSE(m_doc.isModified());

    m_messages.clear();
    m_chosen.reset();
    EXPECT_FALSE(m_commands.exportCsv());
    EXPECT_TRUE(m_messages.empty());
    // A file that cannot be written is not dropped without a word: which file and why.
    m_chosen = path("no/such/folder/table.csv");
    EXPECT_FALSE(m_commands.exportCsv());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, uiText(sid::ErrorSavingFile) + QLatin1Char('\n') + *m_chosen +
                                      QStringLiteral(": No such file or directory"));
    EXPECT_EQ(m_messages[0].icon, cMessageDlg::IconKind::Stop);
}

TEST_F(StateTest, PersistReportDetailsIsWrittenToSettings)
{
    const bool before = SettingsStore().persistReportDetails();
    EXPECT_EQ(m_doc.persistReportDetails(), before);
    m_commands.togglePersistReportDetails();
    EXPECT_EQ(m_doc.persistReportDetails(), !before);
    EXPECT_EQ(SettingsStore().persistReportDetails(), !before);
    m_commands.togglePersistReportDetails();
    EXPECT_EQ(SettingsStore().persistReportDetails(), before);
    EXPECT_TRUE(m_messages.empty());
}

}  // namespace
}  // namespace calivue::test
