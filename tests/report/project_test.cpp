// Report projects saved and opened through the report writer's sheet, as the File commands
// of report mode do: what reaches the file, what comes back, and what a failure leaves.
#include "report/reportsheet.h"

#include "document/reportdoc.h"

#include "report/detailsdlg.h"
#include "report/detailsdlg_controls.h"
#include "report/imageselectdlg.h"
#include "report/engine/reporttext.h"
#include "report/titledlg.h"

#include "core/fileio.h"
#include "core/findingscodec.h"
#include "core/reportproject.h"
#include "platform/fspath.h"
#include "generator.h"
#include "filedialoglog.h"
#include "desktop/irfiledialog.h"
#include "messagelog.h"
#include "qtfiles.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "document/vantorodoc.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace calivue {
namespace {

struct ProjectFixture : ::testing::Test {
    QTemporaryDir config;
    QTemporaryDir files;
    test::MessageLog log;
    test::FileDialogLog fileDialogs;
    std::vector<cIRFileDialog>& dialogs = fileDialogs.seen;
    std::optional<QString>& chosen = fileDialogs.answer;
    std::unique_ptr<CVantoroDoc> doc;
    std::unique_ptr<cReportSheet> sheet;
    std::vector<QString> bitmaps;  // as written by fillPages

    void SetUp() override { newSheet(); }
    void TearDown() override { sheet.reset(); }
    // A fresh report writer, as in a new run of the program on the same settings.
    void newSheet()
    {
        sheet.reset();
        doc = std::make_unique<CVantoroDoc>(SettingsStore(config.path()));
        ReportContext ctx;
        ctx.settings = SettingsStore(config.path());
        ctx.reportTemplate = ReportTemplate::Custom;
        sheet = std::make_unique<cReportSheet>(ctx, *doc);
    }
    TitleDlg& title() { return *sheet->titlePage(); }
    ImageSelectDlg& images() { return *sheet->imageSelectPage(); }
    DetailsDlg& details() { return *sheet->detailsPage(); }
    QString path(const char* name) { return files.filePath(QLatin1String(name)); }

    QString snapshot(const std::string& name, int index)
    {
        auto written =
            gen::writeSnapshot(files.path().toStdString(), name, gen::variedPlan(5, index));
        EXPECT_TRUE(written.ok());
        return QString::fromStdString(written->bmp.string());
    }
    static cInspectionRecord record(int i)
    {
        cInspectionRecord r;
        r.name = u"Panel " + std::u16string(1, char16_t(u'A' + i));
        r.faultAction = u"Tighten lug";
        r.repairPriority = 2 + i;
        r.inspectedDate = {cDateTime::Valid, 45000.25 + i};
        r.inspectedDated = true;
        r.firstMeasurement = i;
        r.pressure = u"12 Pa";
        r.conditionChoice = 2;
        return r;
    }
    // Two inspections, a full title and two edited captions.
    void fillPages()
    {
        std::vector<cInspectionImage> entries;
        for (int i = 0; i < 2; ++i) {
            const QString bmp = snapshot("IR_000" + std::to_string(i + 1), i);
            bitmaps.push_back(bmp);
            entries.push_back({u"", toU16(bmp), 7});
        }
        ASSERT_TRUE(images().loadProjectEntries(entries, {record(0), record(1)}));
        title().setCompany(QStringLiteral("Acme Surveys"));
        title().setAuthor(QStringLiteral("J. Doe"));
        title().setDateShown(false);
        title().setTitleDate({cDateTime::Valid, 44000.5});
        title().setComments(QStringLiteral("Two panels\nboth warm"));
        title().setCaption(1, QStringLiteral("Firm"));
        details().setCaption(13, QStringLiteral("Draught"));
    }
    static QByteArray encoded(const ReportProject& project)
    {
        const std::vector<std::uint8_t> b = encodeReportProject(project);
        return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
    }
    QString caption() { return sheet->document().windowTitle(QStringLiteral("App")); }
};

// The first Save asks for a name (Save As); after Save As to site.vrp a later Save writes the
// same file without a dialog, and the window caption follows name and flag throughout.
TEST_F(ProjectFixture, SaveAsThenSaveWritesTheSameFileWithoutADialog)
{
    EXPECT_EQ(caption(), QStringLiteral("Untitled.vrp - App"));
    fillPages();
    EXPECT_EQ(caption(), QStringLiteral("Untitled.vrp* - App"));
    chosen = path("site.vrp");
    ASSERT_TRUE(sheet->saveProject());
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].mode(), cIRFileDialog::Mode::Save);
    EXPECT_EQ(dialogs[0].title(), uiText(sid::SaveAs));
    // Save names the file type as Open does (the Open case below).
    EXPECT_TRUE(dialogs[0].nameFilters().join(u'|').startsWith(
        QStringLiteral("Calivue Report Files (*.vrp) (")));
    EXPECT_EQ(dialogs[0].defaultSuffix() + dialogs[0].initialName(),
              QStringLiteral("vrpUntitled.vrp"));
    EXPECT_TRUE(dialogs[0].overwritePrompt());
    EXPECT_EQ(sheet->projectName(), QStringLiteral("site.vrp"));
    EXPECT_EQ(sheet->projectFolder(), files.path() + QLatin1Char('/'));
    EXPECT_EQ(caption(), QStringLiteral("site.vrp - App"));
    const QByteArray first = test::fileBytes(*chosen);
    ASSERT_FALSE(first.isEmpty());

    title().setCompany(QStringLiteral("Acme Thermal"));
    EXPECT_EQ(caption(), QStringLiteral("site.vrp* - App"));
    chosen.reset();
    ASSERT_TRUE(sheet->saveProject());
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_NE(test::fileBytes(path("site.vrp")), first);
    EXPECT_EQ(readReportProjectFile(toFsPath(path("site.vrp")))->title.company, u"Acme Thermal");
    EXPECT_EQ(caption(), QStringLiteral("site.vrp - App"));
    EXPECT_TRUE(log.texts.isEmpty()) << log.texts.join(QLatin1Char('|')).toStdString();
}

// Everything saved comes back in a new run: title values, entries, records and captions
// (thumbnail indexes renumbered by the list), and the project is not modified after Open.
TEST_F(ProjectFixture, AReopenedProjectGivesEverythingBack)
{
    fillPages();
    const ReportTitle savedTitle = title().title();
    const std::vector<cInspectionImage> savedEntries = images().entries();
    const std::vector<cInspectionRecord> savedRecords = details().records();
    const auto titleCaptions = title().captions();
    const auto detailCaptions = details().captions();
    chosen = path("site.vrp");
    ASSERT_TRUE(sheet->saveProjectAs());
    const ReportProject file = *readReportProjectFile(toFsPath(*chosen));
    ASSERT_EQ(file.entries.size(), 2u);
    EXPECT_EQ(file.entries[1].thumbnailIndex, 1);
    EXPECT_EQ(file.captions->title[0], u"Firm");

    // Another state first, so a value the reader forgets to apply shows.
    SettingsStore(config.path())
        .setReportText(QLatin1String(kTitleCaptionKeys[0]), QStringLiteral("Stale"));
    newSheet();
    EXPECT_EQ(title().captions()[0], u"Stale");
    dialogs.clear();
    sheet->openProject();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].mode(), cIRFileDialog::Mode::Open);
    EXPECT_EQ(dialogs[0].title(), uiText(sid::Open));
    EXPECT_TRUE(dialogs[0].nameFilters().join(u'|').startsWith(
        QStringLiteral("Calivue Report Files (*.vrp) (")));
    EXPECT_EQ(dialogs[0].defaultSuffix() + dialogs[0].initialName(), QStringLiteral("vrpUntitled"));
    EXPECT_TRUE(log.texts.isEmpty()) << log.texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(title().title(), savedTitle);
    EXPECT_EQ(images().entries(), savedEntries);
    EXPECT_EQ(details().records(), savedRecords);
    EXPECT_EQ(title().captions(), titleCaptions);
    EXPECT_EQ(details().captions(), detailCaptions);
    // Captions read from a project are the ones in effect from now on.
    EXPECT_EQ(SettingsStore(config.path()).reportText(QLatin1String(kTitleCaptionKeys[0])),
              QStringLiteral("Firm"));
    EXPECT_EQ(sheet->projectName(), QStringLiteral("site.vrp"));
    EXPECT_FALSE(sheet->projectModified());
    EXPECT_EQ(caption(), QStringLiteral("site.vrp - App"));
}

// A snapshot bitmap moved after saving fails the whole load with the image selection page's
// own message, then "Error reading VRP file"; no page keeps half the project.
TEST_F(ProjectFixture, AMovedBitmapFailsTheLoadAndClearsThePages)
{
    fillPages();
    chosen = path("site.vrp");
    ASSERT_TRUE(sheet->saveProjectAs());
    const QString moved = bitmaps[1];
    ASSERT_TRUE(QFile::rename(moved, moved + QStringLiteral(".old")));
    newSheet();
    // The page refuses a bitmap that is not there, with its own message.
    log.texts.clear();
    EXPECT_FALSE(images().addProjectImage(moved, 0));
    EXPECT_EQ(log.texts.size(), 1);
    images().clearInspections();
    SettingsStore(config.path()).setReportText(reportkey::Company, QStringLiteral("Stored Co"));
    images().loadProjectEntries({{u"", toU16(snapshot("IR_0009", 3)), 0}}, {record(5)});
    title().setComments(QStringLiteral("before"));
    sheet->setProjectModified(false);
    log.texts.clear();
    sheet->openProject();
    ASSERT_GE(log.texts.size(), 2);
    EXPECT_EQ(log.texts.back(), uiText(sid::ErrorReadingVrp));
    EXPECT_EQ(images().rowCount(), 0);
    EXPECT_EQ(details().recordCount(), 0);
    EXPECT_EQ(title().title().company, u"Stored Co");
    EXPECT_EQ(title().title().comments, u"");
    EXPECT_EQ(sheet->projectName(), QStringLiteral("Untitled.vrp"));
}

// Row and record counts that differ in a file: the reader refuses it with its own two-line
// message. (The document keeps each row with its record, so the writer cannot meet them.)
TEST_F(ProjectFixture, CountsThatDifferAreRefused)
{
    fillPages();
    chosen = path("odd.vrp");
    ReportProject odd;
    odd.entries.push_back({u"x.qvx", toU16(snapshot("IR_0005", 2)), 0});
    odd.title.company = u"Odd Co";
    odd.captions = defaultReportCaptions();
    odd.captions->title[0] = u"Odd caption";
    sheet->setProjectModified(false);
    EXPECT_TRUE(test::putFile(*chosen, encoded(odd)));
    log.texts.clear();
    sheet->openProject();
    EXPECT_EQ(log.texts, (QStringList{uiText(sid::VrpFileError) + QLatin1Char('\n') +
                                          uiText(sid::SelectionCountMismatch),
                                      uiText(sid::ErrorReadingVrp)}));
    // Nothing of the refused file is applied or stored.
    EXPECT_EQ(images().rowCount(), 2);
    EXPECT_EQ(title().title().company, u"Acme Surveys");
    EXPECT_EQ(title().captions()[0], u"Firm");
    EXPECT_EQ(SettingsStore(config.path()).reportText(QLatin1String(kTitleCaptionKeys[0])),
              QStringLiteral("Firm"));
    EXPECT_EQ(sheet->projectName(), QStringLiteral("Untitled.vrp"));
}

// A write that fails keeps the previous project byte for byte and says "Error writing VRP
// file" once with the file and the system's reason, through Save As (a folder on the way that
// is a file) and through Save (a full disk on the project's own name, a name of 240
// characters: its temporary file must still fit the system's limit beside it).
TEST_F(ProjectFixture, AFailedWriteKeepsThePreviousProject)
{
    fillPages();
    EXPECT_TRUE(test::putFile(files.filePath(QStringLiteral("afile")), QByteArray("x")));
    chosen = files.filePath(QStringLiteral("afile/p.vrp"));
    EXPECT_FALSE(sheet->saveProjectAs());
    EXPECT_EQ(log.texts, QStringList{uiText(sid::ErrorWritingVrp) + QLatin1Char('\n') + *chosen +
                                     QStringLiteral(": Not a directory")});
    EXPECT_TRUE(sheet->projectModified());
    EXPECT_EQ(sheet->projectName(), QStringLiteral("Untitled.vrp"));

    const QString longName =
        files.filePath(QString(236, QLatin1Char('p')) + QStringLiteral(".vrp"));
    ReportProject old;
    old.title.company = u"Old Co";
    const QByteArray oldBytes = encoded(old);
    EXPECT_TRUE(test::putFile(longName, oldBytes));
    // Opened under that name, then saved in place into a full disk.
    chosen = longName;
    log.texts.clear();
    sheet->setProjectModified(false);
    sheet->openProject();
    ASSERT_TRUE(log.texts.isEmpty()) << log.texts.join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(title().title().company, u"Old Co");
    title().setCompany(QStringLiteral("New Co"));
    const std::size_t dialogsBefore = dialogs.size();
    fileio_hooks::setWriteFault(fileio_hooks::WriteFault{toFsPath(longName), 1, true});
    EXPECT_FALSE(sheet->saveProject());
    fileio_hooks::setWriteFault(std::nullopt);
    EXPECT_EQ(dialogs.size(), dialogsBefore);
    EXPECT_EQ(log.texts, QStringList{uiText(sid::ErrorWritingVrp) + QLatin1Char('\n') + longName +
                                     QStringLiteral(": No space left on device")});
    EXPECT_EQ(test::fileBytes(longName), oldBytes);
    EXPECT_TRUE(sheet->projectModified());
    // Without the fault the long name saves.
    log.texts.clear();
    EXPECT_TRUE(sheet->saveProject());
    EXPECT_TRUE(log.texts.isEmpty());
    EXPECT_EQ(CReportDoc::readFile(longName).value().title.company, u"New Co");
}

// Files that are not projects: one "Error reading VRP file" each, no page changed, the
// project's name kept.
TEST_F(ProjectFixture, DamagedFilesSayErrorReadingOnceAndChangeNothing)
{
    fillPages();
    chosen = path("good.vrp");
    ASSERT_TRUE(sheet->saveProjectAs());
    const QByteArray good = test::fileBytes(*chosen);
    title().setCompany(QStringLiteral("Unsaved"));
    ASSERT_TRUE(sheet->saveProject());
    EXPECT_EQ(readReportProjectFile(toFsPath(path("good.vrp")))->title.company, u"Unsaved");
    const ReportTitle before = title().title();
    const struct {
        const char* name;
        QByteArray content;
        bool create;
    } cases[] = {{"empty.vrp", {}, true},
                 {"short.vrp", good.left(good.size() / 2), true},
                 {"text.vrp", QByteArray("hello, this is not a project\n"), true},
                 {"missing.vrp", {}, false}};
    for (const auto& c : cases) {
        chosen = path(c.name);
        if (c.create) {
            EXPECT_TRUE(test::putFile(*chosen, c.content));
        }
        log.texts.clear();
        sheet->openProject();
        EXPECT_EQ(log.texts, QStringList{uiText(sid::ErrorReadingVrp)}) << c.name;
        EXPECT_EQ(title().title(), before) << c.name;
        EXPECT_EQ(images().rowCount(), 2) << c.name;
        EXPECT_EQ(details().recordCount(), 2) << c.name;
        EXPECT_EQ(sheet->projectName(), QStringLiteral("good.vrp")) << c.name;
    }
}

// Opening another project over unsaved changes offers to save them first.
TEST_F(ProjectFixture, OpenOffersToSaveUnsavedChanges)
{
    fillPages();
    chosen = path("first.vrp");
    ASSERT_TRUE(sheet->saveProjectAs());
    title().setCompany(QStringLiteral("Changed"));
    log.answer = cMessageDlg::IdYes;
    chosen = path("first.vrp");
    sheet->openProject();
    ASSERT_FALSE(log.texts.isEmpty());
    EXPECT_EQ(
        log.texts[0],
        uiText(sid::SaveChangesTo).replace(QStringLiteral("%s"), QStringLiteral("first.vrp")));
    EXPECT_EQ(readReportProjectFile(toFsPath(*chosen))->title.company, u"Changed");
    EXPECT_EQ(title().title().company, u"Changed");
    EXPECT_FALSE(sheet->projectModified());
}

}  // namespace
}  // namespace calivue

namespace calivue {
namespace {

// A project whose findings section does not read opens with one message, shows the default
// finding with its choices locked, and saves the section back untouched.
TEST_F(ProjectFixture, UnreadableFindingsSayItOnceAndAreKept)
{
    fillPages();
    chosen = path("findings.vrp");
    ASSERT_TRUE(sheet->saveProjectAs());
    ReportProject file = *readReportProjectFile(toFsPath(*chosen));
    const std::vector<std::uint8_t> junk = {0x07, 0x07};
    ASSERT_EQ(file.extensions.put({kFindingsTag, kFindingsSectionVersion, junk}), Error::None);
    EXPECT_TRUE(test::putFile(*chosen, encoded(file)));

    newSheet();
    sheet->openProject();
    EXPECT_EQ(log.texts, QStringList{uiText(sid::FindingsUnreadable)});
    details().activatePage();
    EXPECT_FALSE(details().controls().priority->isEnabled());
    EXPECT_FALSE(details().controls().finding.reference->isEnabled());
    EXPECT_EQ(details().controls().priority->currentIndex(), 2) << "the stored priority shows";
    ASSERT_TRUE(sheet->saveProject());
    const ReportProject saved = *readReportProjectFile(toFsPath(path("findings.vrp")));
    ASSERT_NE(saved.extensions.find(kFindingsTag), nullptr);
    EXPECT_EQ(saved.extensions.find(kFindingsTag)->data, junk);
    EXPECT_EQ(log.texts.size(), 1);
}

}  // namespace
}  // namespace calivue
