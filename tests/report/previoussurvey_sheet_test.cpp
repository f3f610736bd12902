// The re-inspection in the report writer: "New Survey from This Project..." on the sheet and
// the previous finding the inspection data page shows beside the current one.
#include "report/detailsdlg.h"
#include "report/detailsdlg_controls.h"
#include "document/reportdoc.h"
#include "report/engine/reporttext.h"
#include "report/reportsheet.h"

#include "generator.h"
#include "filedialoglog.h"
#include "messagelog.h"
#include "document/vantorodoc.h"

#include "core/equipmentcodec.h"
#include "core/findingscodec.h"
#include "platform/fspath.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace calivue {
namespace {

using S = EquipmentStatus;

class ReinspectionSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        context.settings = SettingsStore(dir.filePath(QStringLiteral("config")));
        doc = std::make_unique<CVantoroDoc>(context.settings);
        sheet = std::make_unique<cReportSheet>(context, *doc);
        ASSERT_TRUE(gen::writeSnapshot(dir.path().toStdString(), "IR_0001", gen::demoPlan(2)).ok());
    }
    void TearDown() override { sheet.reset(); }

    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // A project of the snapshot, linked to item A of the list, with `previous` as its link.
    void writeSurvey(const char* name, const std::u16string& previous)
    {
        ReportProject p;
        p.entries.push_back({toU16(file("IR_0001.QVX")), toU16(file("IR_0001.BMP")), 0});
        p.records.emplace_back();
        p.title.company = u"Acme";
        ProjectEquipment e;
        e.items = {{u"A", u"Hall", u"Feeder", u"", S::Inspected, u""},
                   {u"B", u"Roof", u"Fan", u"", S::NotInspected, u"inaccessible"}};
        e.recordItems = {u"A"};
        e.previousProject = previous;
        ASSERT_EQ(putProjectEquipment(p, e), Error::None);
        ProjectFindings f = ProjectFindings::defaultsFor(p.records);
        f.settings.criteria = Criteria::NetaAmbient;
        f.settings.conditions.thermographer = u"R. Tester";
        ASSERT_EQ(putProjectFindings(p, f), Error::None);
        ASSERT_EQ(writeReportProjectFile(toFsPath(file(name)), p), Error::None);
    }

    QTemporaryDir dir;
    ReportContext context;
    std::unique_ptr<CVantoroDoc> doc;
    std::unique_ptr<cReportSheet> sheet;
    test::FileDialogLog fileDialogs;
    std::optional<QString>& answer = fileDialogs.answer;
};

// Catches a new survey that keeps the inspections or the statuses, loses the criteria,
// conditions or title, does not link back to the project it came from, is not opened, or is
// made from a project never saved (its link would lead nowhere).
TEST_F(ReinspectionSheet, NewSurveyFromTheProjectOnShow)
{
    writeSurvey("old.vrp", u"");
    ASSERT_TRUE(sheet->readProject(file("old.vrp")));
    answer = std::nullopt;
    EXPECT_FALSE(sheet->newSurveyFromProject());
    EXPECT_EQ(sheet->document().name(), QStringLiteral("old.vrp"));

    answer = file("next.vrp");
    fileDialogs.seen.clear();
    ASSERT_TRUE(sheet->newSurveyFromProject());
    EXPECT_EQ(fileDialogs.asked(), 1);
    CReportDoc& d = sheet->document();
    EXPECT_EQ(d.name(), QStringLiteral("next.vrp"));
    EXPECT_EQ(d.inspectionCount(), 0);
    EXPECT_FALSE(d.isModified());
    EXPECT_EQ(d.title().company, u"Acme");
    EXPECT_EQ(d.findingsSettings().criteria, Criteria::NetaAmbient);
    EXPECT_EQ(d.findingsSettings().conditions.thermographer, u"R. Tester");
    const Result<ProjectEquipment> e = readProjectEquipment(d.project());
    ASSERT_TRUE(e.ok());
    ASSERT_EQ(e->items.size(), 2u);
    for (const EquipmentItem& item : e->items) {
        EXPECT_EQ(item.status, S::NotInspected);
        EXPECT_TRUE(item.reason.empty());
    }
    EXPECT_EQ(e->previousProject, u"old.vrp");
    EXPECT_TRUE(QFile::exists(file("next.vrp")));

    // A project without a file is saved first: two questions, the first its own name.
    sheet->document().newProject();
    fileDialogs.seen.clear();
    int turn = 0;
    fileDialogs.answerWith = [&](const cIRFileDialog&) {
        return std::optional<QString>(file(turn++ == 0 ? "first.vrp" : "second.vrp"));
    };
    ASSERT_TRUE(sheet->newSurveyFromProject());
    EXPECT_EQ(fileDialogs.asked(), 2);
    EXPECT_TRUE(QFile::exists(file("first.vrp")));
    EXPECT_EQ(readProjectEquipment(sheet->document().project())->previousProject, u"first.vrp");
}

// Catches the previous finding not shown beside the current one, shown for a survey without a
// link, and a moved previous survey that stops the page or is said more than once.
TEST_F(ReinspectionSheet, DetailsPageShowsThePreviousFinding)
{
    writeSurvey("old.vrp", u"");
    writeSurvey("new.vrp", u"old.vrp");
    DetailsDlg* page = sheet->detailsPage();
    const QLabel* previous = page->controls().finding.previous;

    ASSERT_TRUE(sheet->readProject(file("old.vrp")));
    page->activatePage();
    EXPECT_TRUE(previous->isHidden());

    ASSERT_TRUE(sheet->readProject(file("new.vrp")));
    page->activatePage();
    EXPECT_FALSE(previous->isHidden());
    EXPECT_TRUE(previous->text().contains(QStringLiteral("Previous survey (")))
        << previous->text().toStdString();
    EXPECT_TRUE(previous->text().contains(QStringLiteral("Change: unchanged")))
        << previous->text().toStdString();

    QFile::rename(file("old.vrp"), file("moved.vrp"));
    {
        test::MessageLog log;
        ASSERT_TRUE(sheet->readProject(file("new.vrp")));
        page->activatePage();
        page->activatePage();
        ASSERT_EQ(log.texts.size(), 1) << log.texts.join(u'|').toStdString();
        EXPECT_TRUE(log.texts[0].contains(QStringLiteral("was not found")));
        EXPECT_TRUE(previous->isHidden());
    }
}

}  // namespace
}  // namespace calivue
