// The inspection data page driven as a user drives it, on generated snapshots: templates and
// their captions, captions kept in the settings, readings, navigation, the details copy,
// dates, modified marking and the records staying with their rows.
#include "view/colourbutton.h"
#include "view/colouredit.h"
#include "report/colourtextedit.h"
#include "report/detailsdlg.h"
#include "report/detailsdlg_controls.h"
#include "report/engine/detailsdlg_text.h"
#include "report/imageselectdlg.h"
#include "document/reportdoc.h"
#include "detailsfixture.h"
#include "messagelog.h"
#include "samples.h"
#include "report/engine/reportpage.h"
#include "report/engine/reporttext.h"

#include "generator.h"

#include "core/printrules.h"
#include "core/snapshotfiles.h"
#include "platform/fspath.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <system_error>

#include <memory>
#include <tuple>

namespace calivue {
namespace {

const QString kDegC = QStringLiteral("\u00B0C");

class DetailsPage : public ::testing::Test {
protected:
    void TearDown() override
    {
        page.reset();
        images.reset();
        report.reset();
    }

    SettingsStore settings() const { return SettingsStore(dir.filePath(QStringLiteral("cfg"))); }

    void build(int templateNumber, SettingsStore store)
    {
        page.reset();
        images.reset();
        report = std::make_unique<CReportDoc>();
        // Each time the project becomes modified counts as one mark; the flag is cleared again
        // so the next change counts too.
        QObject::connect(report.get(), &CReportDoc::changed, [this](const ReportChange& change) {
            if (!change.has(ReportPart::Modified) || !report->isModified()) return;
            ++modified;
            report->setModified(false);
        });
        ctx.report = report.get();
        ctx.settings = store;
        ctx.reportTemplate = static_cast<ReportTemplate>(templateNumber);
        images = std::make_unique<ImageSelectDlg>(ctx);
        page = std::make_unique<DetailsDlg>(ctx);
    }
    void build(int templateNumber = 0) { build(templateNumber, settings()); }

    // Writes a snapshot, adds its row and its record; returns the .qvx path.
    QString add(const gen::SnapshotPlan& plan, const cInspectionRecord& record = {})
    {
        const int row = images->rowCount();
        const std::string name = "IR_" + std::to_string(1000 + row);
        // Setting up the list is not a change the tests count.
        const int marks = modified;
        EXPECT_FALSE(test::addLowerCaseSnapshot(*images, dir, name, plan, row).isEmpty());
        report->setRecord(row, record);
        modified = marks;
        return toQString(images->entryAt(row)->snapshotPath);
    }
    void addMany(int n)
    {
        for (int i = 0; i < n; ++i) add(gen::demoPlan(static_cast<std::uint64_t>(i + 1)));
    }

    const DetailsControls& c() const { return page->controls(); }

    QTemporaryDir dir;
    test::MessageLog log;
    ReportContext ctx;
    int modified = 0;
    std::unique_ptr<CReportDoc> report;
    std::unique_ptr<ImageSelectDlg> images;
    std::unique_ptr<DetailsDlg> page;
};

// Each template labels and hides its rows as the report lays them out; a wrong caption or a
// row left visible shows here.
TEST_F(DetailsPage, TemplatesShowTheirCaptionsAndRows)
{
    const std::array<int, 13> maintenance = {
        sid::CaptionInspectionName,    sid::CaptionOperator,          sid::CaptionLocation,
        sid::CaptionEquipment,         sid::CaptionComment,           sid::CaptionMeasuredLoad,
        sid::CaptionRatedLoad,         sid::CaptionLoadPercent,       sid::CaptionMaterial,
        sid::CaptionMaterialMuValue,   sid::CaptionMaterialCondition, sid::CaptionIndoorTemperature,
        sid::CaptionOutdoorTemperature};
    std::array<int, 13> mechanical = maintenance;
    mechanical[7] = sid::CaptionRpm;
    const std::array<int, 13> buildings = {
        sid::CaptionInspectionName,    sid::CaptionInspector,
        sid::CaptionLocation,          sid::CaptionEquipment,
        sid::CaptionComment,           sid::CaptionMaterial,
        sid::CaptionMaterialMuValue,   sid::CaptionMaterialCondition,
        sid::CaptionIndoorTemperature, sid::CaptionOutdoorTemperature,
        sid::CaptionRelativeHumidity,  sid::CaptionWindSpeed,
        sid::CaptionPressureDifference};
    struct Case {
        int templateNumber;
        const std::array<int, 13>* captions;
        int rowsShown;  // bit i: row i
        bool conditionList;
    };
    const Case cases[] = {{0, &maintenance, 0x00FF, false},
                          {1, &buildings, 0x1FF7, true},
                          {2, &mechanical, 0x00FF, false},
                          {3, &buildings, 0x1FFF, false}};
    // The Custom template reads its captions; one stored value makes the key exist.
    ASSERT_FALSE(
        settings().setReportText(QStringLiteral("DetailsWindEdit"), uiText(sid::CaptionWindSpeed)));
    for (const Case& k : cases) {
        build(k.templateNumber);
        const auto captions = page->captions();
        for (int i = 0; i < 13; ++i) {
            const bool shown = (k.rowsShown >> i) & 1;
            EXPECT_EQ(!c().captions[i]->isHidden(), shown) << k.templateNumber << " row " << i;
            EXPECT_EQ(!c().rowFields[i]->isHidden(), shown) << k.templateNumber << " row " << i;
            const bool fixed = k.templateNumber != 3;
            EXPECT_EQ(c().captions[i]->isReadOnly(), fixed);
            // A fixed caption looks like a label and is no Tab stop.
            EXPECT_EQ(c().captions[i]->hasFrame(), !fixed) << k.templateNumber << " row " << i;
            EXPECT_EQ(c().captions[i]->focusPolicy() == Qt::NoFocus, fixed);
            EXPECT_EQ(c().captions[i]->palette().color(QPalette::Base),
                      page->palette().color(fixed ? QPalette::Window : QPalette::Base));
            if (i < 8 || k.templateNumber % 2 == 1) {
                EXPECT_EQ(c().captions[i]->text(), uiText((*k.captions)[i]))
                    << k.templateNumber << " row " << i;
                EXPECT_EQ(toQString(captions[i]), c().captions[i]->text());
            }
            if (i >= 8) {
                EXPECT_EQ(!c().weatherUnits[i - 8]->isHidden(), shown) << k.templateNumber;
            }
        }
        EXPECT_EQ(!c().conditionList->isHidden(), k.conditionList) << k.templateNumber;
        EXPECT_EQ(!c().condition->isHidden(), !k.conditionList) << k.templateNumber;
    }
    EXPECT_TRUE(log.texts.isEmpty());
}

// Edited Custom captions are written when the page goes and read by the next one; a caption
// set from a project is written at once; Reset brings back the defaults.
TEST_F(DetailsPage, CustomCaptionsPersistAcrossARestart)
{
    ASSERT_FALSE(
        settings().setReportText(QStringLiteral("DetailsWindEdit"), QStringLiteral("Gusts")));
    build(3);
    EXPECT_EQ(c().captions[11]->text(), QStringLiteral("Gusts"));
    EXPECT_EQ(c().captions[0]->text(), uiText(sid::CaptionInspectionName));
    c().captions[0]->setText(QStringLiteral("Site of the survey, a long one"));
    EXPECT_TRUE(page->captionChanged(1));
    EXPECT_EQ(toQString(page->captions()[0]), QStringLiteral("Site of the survey, a lon"));
    EXPECT_EQ(settings().reportText(QStringLiteral("DetailsNameEdit")), std::nullopt);
    page->setCaption(3, QStringLiteral("Area"));
    EXPECT_EQ(settings().reportText(QStringLiteral("DetailsLocationEdit")), QStringLiteral("Area"));
    EXPECT_FALSE(page->captionChanged(3));

    build(3);  // the old page is destroyed first, writing its edited caption
    EXPECT_EQ(c().captions[0]->text(), QStringLiteral("Site of the survey, a lon"));
    EXPECT_EQ(c().captions[2]->text(), QStringLiteral("Area"));
    EXPECT_EQ(c().captions[11]->text(), QStringLiteral("Gusts"));
    EXPECT_FALSE(page->captionChanged(1));

    page->resetCaptions();
    const auto defaults = templateCaptions(ReportTemplate::Custom);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(c().captions[i]->text(), defaults[i]);
        EXPECT_EQ(settings().reportText(QLatin1String(kDetailsCaptionKeys[i])), defaults[i]);
    }
    EXPECT_TRUE(log.texts.isEmpty());

    // Another template shows its own captions even when a project carries others.
    build(0);
    page->setCaption(1, QStringLiteral("Project name"));
    EXPECT_EQ(c().captions[0]->text(), uiText(sid::CaptionInspectionName));
    EXPECT_EQ(settings().reportText(QStringLiteral("DetailsNameEdit")),
              QStringLiteral("Project name"));
}

TEST_F(DetailsPage, CustomWithoutASettingsKeyStartsEmpty)
{
    build(3);
    for (int i = 0; i < 13; ++i) {
        EXPECT_TRUE(c().captions[i]->text().isEmpty()) << i;
        EXPECT_TRUE(page->captions()[i].empty()) << i;
    }
    page.reset();
    EXPECT_FALSE(settings().hasReportKey());  // nothing edited, nothing written
    EXPECT_TRUE(log.texts.isEmpty());
}

// Every caption that cannot be written says so, and the others are still tried.
TEST_F(DetailsPage, EachFailedCaptionWriteWarns)
{
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    build(3, SettingsStore(dir.filePath(QStringLiteral("file"))));
    page->resetCaptions();
    ASSERT_EQ(log.seen.size(), 13u);
    // The designed message, then the folder that could not be made and the system's reason.
    const QString where =
        QLatin1Char('\n') + dir.filePath(QStringLiteral("file/Orvane")) + QStringLiteral(": ") +
        QString::fromStdString(std::make_error_code(std::errc::not_a_directory).message());
    for (const auto& m : log.seen) {
        EXPECT_EQ(m.text, uiText(sid::ErrorWritingSetting) + where);
        EXPECT_EQ(m.icon, cMessageDlg::IconKind::Exclamation);
    }
    c().captions[4]->setText(QStringLiteral("Notes"));
    c().captions[9]->setText(QStringLiteral("Outside"));
    c().unit->setCurrentIndex(2);  // the unit is kept for the page all the same
    ASSERT_EQ(log.seen.size(), 14u);
    EXPECT_EQ(log.seen[13].text, uiText(sid::TempUnitKeyNotOpened) + where);
    EXPECT_EQ(page->unit(), TempUnit::Kelvin);
    page.reset();
    EXPECT_EQ(log.seen.size(), 16u);
}

// Inspection 2 of 5 with the details copy on: later records get the operator and location
// only where theirs are empty; the earlier one is untouched; with the option off nothing moves.
TEST_F(DetailsPage, PersistReportDetailsFillsLaterEmptyRecordsOnly)
{
    for (const bool persist : {true, false}) {
        build(0);
        ASSERT_FALSE(settings().setPersistReportDetails(persist));
        const gen::SnapshotPlan plan = gen::demoPlan(3);
        cInspectionRecord r;
        add(plan, r);
        r.operatorName = u"Second";
        add(plan, r);
        r.operatorName.clear();
        r.location = u"Loc3";
        add(plan, r);
        r.location.clear();
        r.operatorName = u"Fourth";
        add(plan, r);
        r.operatorName.clear();
        add(plan, r);
        page->setCurrentInspection(2);
        page->showInspection();
        c().operatorName->setText(QStringLiteral("Ann"));
        c().location->setText(QStringLiteral("Hall"));
        c().next->click();
        const auto& rec = page->records();
        const char16_t* op[] = {u"", u"Ann", u"Ann", u"Fourth", u"Ann"};
        const char16_t* loc[] = {u"", u"Hall", u"Loc3", u"Hall", u"Hall"};
        for (int i = 0; i < 5; ++i) {
            const bool copied = persist || i == 1;
            EXPECT_EQ(rec[i].operatorName, copied ? op[i] : (i == 3 ? u"Fourth" : u""))
                << persist << " record " << i + 1;
            EXPECT_EQ(rec[i].location, copied ? loc[i] : (i == 2 ? u"Loc3" : u""))
                << persist << " record " << i + 1;
        }
        // Once copied, moving on again copies nothing new.
        c().location->setText(QString());
        page->storeInspection();
        EXPECT_EQ(rec[4].location, persist ? u"Hall" : u"");
    }
}

// The measurement lists of a snapshot with three cursors and both markers, their readings in
// the markers' pen colours and the difference; a snapshot with hidden cursors and only the
// hot marker starts on Hot and none.
TEST_F(DetailsPage, MeasurementListsAndReadingsFollowTheSnapshot)
{
    build(0);
    gen::SnapshotPlan plan = gen::demoPlan(5);
    plan.flagsA = 0x03;
    plan.flagsB = 0x00;
    const QString qvx = add(plan);
    gen::SnapshotPlan hidden = plan;
    hidden.flagsA = 0x01;
    hidden.flagsB = 0x02;
    add(hidden);
    page->activatePage();
    ASSERT_EQ(page->currentInspection(), 1);

    cBrixa image;
    ASSERT_EQ(openSnapshot(toFsPath(qvx), image), Error::None);
    ASSERT_TRUE(image.buildArrays());
    const int n = static_cast<int>(plan.cursors.size());
    ASSERT_GE(n, 2);
    QComboBox* first = c().firstMeasurement;
    ASSERT_EQ(first->count(), n + 3);
    EXPECT_EQ(first->itemText(0), uiText(sid::PriorityNone));
    EXPECT_EQ(first->itemText(1), uiText(sid::Cursor) + QStringLiteral(" 1"));
    EXPECT_EQ(first->itemText(n + 1), uiText(sid::Hot));
    EXPECT_EQ(first->itemData(n + 1).toInt(), 11);
    EXPECT_EQ(first->itemData(n + 2).toInt(), 10);
    EXPECT_EQ(c().secondMeasurement->count(), n + 3);
    EXPECT_EQ(first->currentIndex(), 1);
    EXPECT_EQ(c().secondMeasurement->currentIndex(), 2);

    const auto expectReadings = [&](int a, int b) {
        const cColourEdit* boxes[] = {c().firstReading, c().secondReading};
        const int markers[] = {a, b};
        for (int i = 0; i < 2; ++i) {
            if (markers[i] < 0) {
                EXPECT_TRUE(boxes[i]->text().isEmpty());
                EXPECT_EQ(boxes[i]->backgroundColour(), systemColour(QPalette::Button));
            } else {
                EXPECT_EQ(boxes[i]->text(),
                          readingText(image.markerTemperature(markers[i]), kDegC));
                EXPECT_EQ(boxes[i]->backgroundColour(), markerColours(markers[i]).pen);
            }
        }
        EXPECT_EQ(c().difference->text(), a >= 0 && b >= 0
                                              ? differenceText(image.markerDifference(a, b), kDegC)
                                              : QString());
    };
    expectReadings(0, 1);
    c().secondMeasurement->setCurrentIndex(n + 1);
    expectReadings(0, 11);
    first->setCurrentIndex(0);
    expectReadings(-1, 11);
    EXPECT_EQ(c().reflected->text(), QStringLiteral("20.0 ") + kDegC);
    EXPECT_EQ(c().emissivity->text(), QString::asprintf("%.2f", plan.emissivity / 100.0));
    EXPECT_EQ(c().path->text(), bitmapPathOf(qvx));

    c().next->click();
    EXPECT_EQ(page->records()[0].firstMeasurement, 0);
    EXPECT_EQ(page->records()[0].secondMeasurement, n + 1);
    ASSERT_EQ(first->count(), 2);
    EXPECT_EQ(first->itemText(1), uiText(sid::Hot));
    EXPECT_EQ(first->currentIndex(), 1);
    EXPECT_EQ(c().secondMeasurement->currentIndex(), 0);
    EXPECT_TRUE(c().secondReading->text().isEmpty());
    EXPECT_TRUE(c().difference->text().isEmpty());
    EXPECT_EQ(c().firstReading->backgroundColour(), markerColours(11).pen);

    // The stored choices come back; ones past the end of the list read as none.
    c().previous->click();
    EXPECT_EQ(first->currentIndex(), 0);
    EXPECT_EQ(c().secondMeasurement->currentIndex(), n + 1);
    page->resetForProjectLoad();
    cInspectionRecord far;
    far.firstMeasurement = 40;
    far.secondMeasurement = 2;
    for (int i = 0; i < 2; ++i) report->setRecord(i, far);
    page->afterProjectLoad();
    EXPECT_EQ(first->currentIndex(), 0);
    EXPECT_EQ(c().secondMeasurement->currentIndex(), 2);
    EXPECT_TRUE(log.texts.isEmpty());
}

// Catches printed readings that depend on whether the inspection was ever shown: for every
// mix of cursors and markers, what the report prints for a record never shown equals what it
// prints once the page has shown and stored it.
TEST_F(DetailsPage, ShowingAnInspectionLeavesWhatItPrintsUnchanged)
{
    build(0);
    const std::tuple<int, std::uint8_t, std::uint8_t> mixes[] = {
        {0, 0x03, 0x00}, {0, 0x02, 0x00}, {1, 0x02, 0x00}, {2, 0x03, 0x02}, {3, 0x00, 0x00}};
    std::vector<QString> paths;
    for (const auto& [cursors, flagsA, flagsB] : mixes) {
        gen::SnapshotPlan plan = gen::demoPlan(9);
        plan.cursors.resize(static_cast<std::size_t>(cursors));
        plan.flagsA = flagsA;
        plan.flagsB = flagsB;
        paths.push_back(add(plan));
    }
    const std::vector<cInspectionRecord> neverShown = page->records();
    page->activatePage();
    for (std::size_t i = 1; i < paths.size(); ++i) c().next->click();
    page->storeInspection();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        SCOPED_TRACE(i);
        cBrixa image;
        ASSERT_EQ(openSnapshot(toFsPath(paths[i]), image), Error::None);
        ASSERT_TRUE(image.buildArrays());
        cInspectionRecord settled = neverShown[i];
        settleMeasurementChoice(settled, measurementList(image));
        EXPECT_EQ(settled.firstMeasurement, page->records()[i].firstMeasurement);
        EXPECT_EQ(settled.secondMeasurement, page->records()[i].secondMeasurement);
        EXPECT_EQ(snapshotFacts(image, settled, TempUnit::Celsius).readings,
                  snapshotFacts(image, page->records()[i], TempUnit::Celsius).readings);
    }
}

// A new unit reads the same markers again in that unit, relabels the weather fields, is
// remembered for the next session and marks the project modified.
TEST_F(DetailsPage, UnitChangeRecomputesTheReadings)
{
    build(1);
    const QString qvx = add(gen::demoPlan(9));
    page->activatePage();
    cBrixa image;
    ASSERT_EQ(openSnapshot(toFsPath(qvx), image), Error::None);
    ASSERT_TRUE(image.buildArrays());
    const int firstMarker = c().firstMeasurement->currentData().toInt();
    const int before = modified;
    struct Case {
        TempUnit unit;
        const char* indoor;
        int wind;
    };
    const Case cases[] = {{TempUnit::Fahrenheit, "\u00B0F", sid::UnitMph},
                          {TempUnit::Kelvin, "\u00B0C", sid::UnitKmh},
                          {TempUnit::Celsius, "\u00B0C", sid::UnitKmh}};
    for (const Case& k : cases) {
        c().unit->setCurrentIndex(tempUnitNumber(k.unit));
        image.setUnit(k.unit);
        const QString unitText = unitLabel(k.unit);
        EXPECT_EQ(c().firstReading->text(),
                  readingText(image.markerTemperature(firstMarker), unitText));
        EXPECT_EQ(c().reflected->text(),
                  readingText(image.temperatureOf(image.fields.reflected, 1.0f, false), unitText));
        EXPECT_EQ(c().weatherUnits[0]->text(), QString::fromUtf8(k.indoor));
        EXPECT_EQ(c().weatherUnits[3]->text(), uiText(k.wind));
        EXPECT_EQ(page->unit(), k.unit);
        EXPECT_EQ(settings().tempUnit(), k.unit);
    }
    EXPECT_EQ(modified, before + 3);
    // A new page starts with the remembered unit.
    ctx.tempUnit = settings().tempUnit();
    build(1);
    EXPECT_EQ(c().unit->currentIndex(), 0);
    EXPECT_TRUE(log.texts.isEmpty());
}

TEST_F(DetailsPage, NextAndPreviousWrapAndNeedTwoInspections)
{
    build(0);
    add(gen::demoPlan(1));
    page->activatePage();
    c().name->setText(QStringLiteral("typed"));
    c().next->click();
    c().previous->click();
    EXPECT_EQ(page->currentInspection(), 1);
    EXPECT_TRUE(page->records()[0].name.empty());  // not even stored

    addMany(2);
    page->setCurrentInspection(1);
    const std::pair<bool, int> steps[] = {{true, 2},  {true, 3},  {true, 1}, {false, 3},
                                          {false, 2}, {false, 1}, {false, 3}};
    for (auto [forward, expected] : steps) {
        (forward ? c().next : c().previous)->click();
        EXPECT_EQ(page->currentInspection(), expected);
        EXPECT_EQ(c().inspectionLabel->text(), QStringLiteral("%1 %2 %3 3")
                                                   .arg(uiText(sid::Inspection))
                                                   .arg(expected)
                                                   .arg(uiText(sid::Of)));
    }
    EXPECT_EQ(page->records()[0].name, u"typed");  // stored once there were two
}

// Catches fields that take typing while there is no inspection (the text has nowhere to
// go) or stay disabled once there is one.
TEST_F(DetailsPage, FieldsTakeInputOnlyWithAnInspection)
{
    build(0);
    page->activatePage();
    const auto fields = [this] {
        return std::vector<QWidget*>{
            c().name,     c().comment,        c().faultAction,      c().priority,
            c().measured, c().steps[0].dated, c().steps[2].initials};
    };
    for (QWidget* w : fields()) EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();
    add(gen::demoPlan(1));
    page->setCurrentInspection(1);
    page->showInspection();
    for (QWidget* w : fields()) EXPECT_TRUE(w->isEnabled()) << w->metaObject()->className();
}

// A snapshot that does not open is reported; the record's details are still shown and a
// store keeps the readings it chose instead of forgetting them.
TEST_F(DetailsPage, SnapshotThatDoesNotOpenKeepsItsRecord)
{
    build(0);
    cInspectionRecord r;
    r.name = u"Kept";
    r.firstMeasurement = 2;
    r.secondMeasurement = 3;
    const QString qvx = add(gen::demoPlan(2), r);
    ASSERT_TRUE(QFile::remove(qvx));
    page->activatePage();
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].text, uiText(sid::CouldNotOpenIrFile));
    EXPECT_EQ(log.seen[0].icon, cMessageDlg::IconKind::Stop);
    EXPECT_EQ(c().name->text(), QStringLiteral("Kept"));
    EXPECT_TRUE(c().path->text().isEmpty());
    page->storeInspection();
    EXPECT_EQ(page->records()[0], r);
}

// Showing and storing in any template gives back the record as it was: fields the template
// hides are neither emptied nor reset.
TEST_F(DetailsPage, StoringKeepsFieldsTheTemplateHides)
{
    cInspectionRecord full;
    full.name = u"n";
    full.operatorName = u"o";
    full.location = u"l";
    full.equipment = u"e";
    full.comment = u"c\nc";
    full.measured = u"m";
    full.rated = u"r";
    full.condition = u"75";
    full.repairPriority = 4;
    full.faultAction = u"f";
    full.inspectedInitials = u"AB";
    full.firstMeasurement = 1;
    full.secondMeasurement = 2;
    full.indoor = u"21";
    full.outdoor = u"3";
    full.humidity = u"60";
    full.wind = u"12";
    full.pressure = u"1";
    full.conditionChoice = 2;
    for (int t = 0; t < 4; ++t) {
        build(t);
        add(gen::demoPlan(4), full);
        page->activatePage();
        page->storeInspection();
        EXPECT_EQ(page->records()[0], full) << "template " << t;
    }
    EXPECT_EQ(c().conditionList->currentIndex(), 2);

    // Catches texts longer than their fields (a project written by a script or another
    // program) being cut when the inspection is merely shown and stored: the record keeps
    // them whole until the user edits the field, and an edit stores what the field holds.
    cInspectionRecord longer = full;
    longer.name = std::u16string(60, u'N');
    longer.comment = std::u16string(700, u'c');
    longer.faultAction = std::u16string(300, u'f');
    longer.pressure = std::u16string(30, u'9');
    build(0);
    add(gen::demoPlan(4), longer);
    page->activatePage();
    page->storeInspection();
    EXPECT_EQ(page->records()[0], longer);
    c().name->setText(QStringLiteral("Pump"));
    page->storeInspection();
    EXPECT_EQ(page->records()[0].name, u"Pump");
    EXPECT_EQ(page->records()[0].comment, longer.comment);
}

// The date pairs: a dated step shows and stores its picker; an undated one keeps the stored
// date whatever the picker shows.
TEST_F(DetailsPage, DatesAreReadOnlyFromDatedSteps)
{
    build(0);
    const QDateTime x(QDate(2021, 3, 4), QTime(10, 0));
    const QDateTime y(QDate(2022, 5, 6), QTime(11, 0));
    const QDateTime z(QDate(2023, 7, 8), QTime(12, 0));
    cInspectionRecord r;
    r.inspectedDated = true;
    r.inspectedDate = fromQDateTime(x);
    r.repairedDate = fromQDateTime(y);
    add(gen::demoPlan(6), r);
    page->activatePage();
    const auto& s = c().steps;
    EXPECT_TRUE(s[0].dated->isChecked());
    EXPECT_FALSE(s[0].noDate->isChecked());
    EXPECT_TRUE(s[0].date->isEnabled());
    EXPECT_EQ(s[0].date->dateTime(), x);
    EXPECT_TRUE(s[1].noDate->isChecked());
    EXPECT_FALSE(s[1].date->isEnabled());
    EXPECT_FALSE(s[2].date->isEnabled());
    EXPECT_EQ(s[1].date->dateTime(), y);        // an undated step keeps its date for a re-check
    EXPECT_GT(s[2].date->date().year(), 2000);  // a step never dated offers today, not 1899

    s[1].dated->click();
    EXPECT_FALSE(s[1].noDate->isChecked());
    EXPECT_TRUE(s[1].date->isEnabled());
    s[1].date->setDateTime(z);
    s[0].noDate->click();
    EXPECT_FALSE(s[0].date->isEnabled());
    s[0].date->setDateTime(z);
    s[2].date->setDateTime(z);
    page->storeInspection();
    const cInspectionRecord got = page->records()[0];
    EXPECT_FALSE(got.inspectedDated);
    EXPECT_EQ(got.inspectedDate, r.inspectedDate);
    EXPECT_TRUE(got.repairedDated);
    EXPECT_EQ(toQDateTime(got.repairedDate), z);
    EXPECT_FALSE(got.reinspectedDated);
    EXPECT_EQ(got.reinspectedDate, r.reinspectedDate);

    // A new project resets the page.
    report->newProject();
    for (const auto& step : s) {
        EXPECT_TRUE(step.noDate->isChecked());
        EXPECT_FALSE(step.date->isEnabled());
    }
    EXPECT_EQ(page->recordCount(), 0);
    EXPECT_EQ(page->currentInspection(), 0);
}

// Filling the page marks nothing; the user's changes do, but only with inspections listed.
TEST_F(DetailsPage, OnlyTheUsersChangesMarkTheProjectModified)
{
    build(1);
    c().name->setText(QStringLiteral("no list yet"));
    c().priority->setCurrentIndex(3);
    EXPECT_EQ(modified, 0);
    addMany(2);
    page->activatePage();
    c().next->click();
    c().previous->click();
    EXPECT_EQ(modified, 0);
    struct Change {
        const char* what;
        std::function<void()> act;
    };
    const Change changes[] = {
        {"name", [&] { c().name->setText(QStringLiteral("x")); }},
        {"comment", [&] { c().comment->setPlainText(QStringLiteral("x")); }},
        {"wind", [&] { c().wind->setText(QStringLiteral("5")); }},
        {"priority", [&] { c().priority->setCurrentIndex(2); }},
        {"condition", [&] { c().conditionList->setCurrentIndex(1); }},
        {"measurement", [&] { c().secondMeasurement->setCurrentIndex(0); }},
        {"dated", [&] { c().steps[2].dated->click(); }},
        {"date", [&] { c().steps[2].date->setDateTime(QDateTime(QDate(2020, 1, 1), {})); }},
        {"initials", [&] { c().steps[0].initials->setText(QStringLiteral("JK")); }}};
    for (const Change& k : changes) {
        const int before = modified;
        k.act();
        EXPECT_GT(modified, before) << k.what;
    }
}

// Showing the inspection again (the sheet does when the analysis window hands back its
// snapshot) and moving or removing records keep what was typed with its own record.
TEST_F(DetailsPage, TypedDetailsStayWithTheirRecord)
{
    build(0);
    addMany(3);
    page->setCurrentInspection(2);
    page->showInspection();
    c().name->setText(QStringLiteral("second"));
    page->showInspection();
    EXPECT_EQ(c().name->text(), QStringLiteral("second"));
    EXPECT_EQ(page->records()[1].name, u"second");

    c().name->setText(QStringLiteral("second again"));
    report->moveInspection(1, 2);  // to the end
    EXPECT_EQ(page->records()[2].name, u"second again");
    page->storeInspection();  // the controls no longer stand for a record
    EXPECT_TRUE(page->records()[1].name.empty());

    page->setCurrentInspection(1);
    page->showInspection();
    c().name->setText(QStringLiteral("first"));
    report->removeInspections(0, 1);
    EXPECT_EQ(page->recordCount(), 2);
    EXPECT_EQ(page->records()[1].name, u"second again");
    for (const auto& rec : page->records()) EXPECT_NE(rec.name, u"first");
}

// The strip paints the inspection on show and nothing without one; Edit Image, Generate and
// Save act on a record that already holds what was typed.
TEST_F(DetailsPage, PreviewAndButtonsUseTheInspectionOnShow)
{
    build(0);
    addMany(2);
    QString editedPath;
    std::vector<std::u16string> namesSeen;
    ctx.editImage = [&](const QString& path) {
        editedPath = path;
        namesSeen.push_back(page->records()[0].name);
    };
    ctx.generateReport = [&] { namesSeen.push_back(page->records()[0].name); };
    ctx.generateWordReport = [&] { namesSeen.push_back(page->records()[0].name); };
    ctx.saveProject = [&] {
        namesSeen.push_back(page->records()[0].name);
        return true;
    };
    const auto paintedPanes = [&] {
        QImage strip(644, 164, QImage::Format_RGB32);
        strip.fill(Qt::white);
        c().preview->render(&strip, QPoint(), QRegion(), QWidget::DrawChildren);
        int panes = 0;
        for (int x0 : {0, 213, 426}) {
            int coloured = 0;
            for (int y = 0; y < 160; y += 4)
                for (int x = x0; x < x0 + 213; x += 4)
                    coloured += strip.pixel(x, y) != qRgb(255, 255, 255);
            panes += coloured > 1000;
        }
        return panes;
    };
    EXPECT_EQ(paintedPanes(), 0);
    page->activatePage();
    EXPECT_EQ(paintedPanes(), 3);
    const std::pair<QPushButton*, const char16_t*> presses[] = {{c().editImage, u"edit"},
                                                                {c().generateReport, u"generate"},
                                                                {c().generateWordReport, u"word"},
                                                                {c().saveProject, u"save"}};
    for (auto [button, name] : presses) {
        c().name->setText(QString::fromStdU16String(name));
        button->click();
        EXPECT_EQ(namesSeen.back(), name);
    }
    EXPECT_EQ(editedPath, toQString(images->entryAt(0)->bitmapPath));
    EXPECT_EQ(c().generateReport->ColoursFor({}).background, rgb(128, 255, 128));
    EXPECT_EQ(c().saveProject->ColoursFor({}).background, rgb(255, 128, 128));
    page->resetForProjectLoad();
    EXPECT_EQ(paintedPanes(), 0);
}

// The camera's own snapshots open on the page with their readings.
TEST_F(DetailsPage, RealSnapshotsShowTheirReadings)
{
    const std::filesystem::path samples = test::samplesDir();
    if (samples.empty()) GTEST_SKIP() << "no sample snapshots";
    build(3);
    const QDir folder(toQString(samples.u16string()));
    for (const QString& bmp : folder.entryList({QStringLiteral("*.BMP")}, QDir::Files)) {
        ASSERT_TRUE(images->addProjectImage(folder.filePath(bmp), images->rowCount()));
    }
    ASSERT_GT(page->recordCount(), 0);
    for (int n = 1; n <= page->recordCount(); ++n) {
        page->setCurrentInspection(n);
        page->showInspection();
        EXPECT_TRUE(log.texts.isEmpty()) << n;
        EXPECT_GE(c().firstMeasurement->count(), 1) << n;
        EXPECT_TRUE(c().reflected->text().endsWith(kDegC)) << n;
        EXPECT_EQ(c().emissivity->text().size(), 4) << n;
        for (auto [list, box] : {std::pair{c().firstMeasurement, c().firstReading},
                                 std::pair{c().secondMeasurement, c().secondReading}})
            EXPECT_EQ(box->text().endsWith(kDegC), list->currentIndex() > 0) << n;
    }
}

}  // namespace
}  // namespace calivue
