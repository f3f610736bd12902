// Start-up: choosing and loading the language module, the command line, the Open command,
// the About box and the questions asked before the window closes.
#include "apptest.h"

#include "app/aboutdlg.h"
#include "platform/commandids.h"
#include "platform/settingsstore.h"
#include "document/commands/snapshotcommands.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenuBar>

namespace calivue::test {

// Catches a missing or wrong module that locks the user out: after its message OK must start
// in the program's own English without writing the setting, and only Cancel ends. Also
// catches a message without its file name or with the wrong buttons.
TEST_F(AppTest, UnusableModuleOffersEnglishOrEnds)
{
    const QString wrongTagDir = QString::fromUtf8(CALIVUE_WRONG_TAG_DIR);
    QTemporaryDir empty;
    const QList<int> okCancel{cMessageDlg::IdOk, cMessageDlg::IdCancel};
    const struct {
        int language;
        QString dir, text;
        QList<int> buttons;
        int answer;
        bool starts;
    } cases[] = {
        {1, empty.path(), qs("Error loading:\nKVO German.so"), okCancel, cMessageDlg::IdOk, true},
        {1, empty.path(), qs("Error loading:\nKVO German.so"), okCancel, cMessageDlg::IdCancel,
         false},
        {8, wrongTagDir, qs("Error loading DLL"), {cMessageDlg::IdOk}, cMessageDlg::IdOk, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + (c.starts ? " OK" : " Cancel"));
        ASSERT_FALSE(SettingsStore(m_config.path()).setLanguage(Language{c.language}));
        m_messages.clear();
        m_answer = c.answer;
        EXPECT_EQ(start({}, QStringList{c.dir}), c.starts);
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text, c.text);
        EXPECT_EQ(m_messages[0].caption, qs("Orvane Calivue Razadi"));
        EXPECT_EQ(m_messages[0].icon, cMessageDlg::IconKind::Stop);
        EXPECT_EQ(m_messages[0].buttons, c.buttons);
        EXPECT_EQ(m_app->mainFrame() != nullptr, c.starts);
        EXPECT_EQ(SettingsStore(m_config.path()).language(), Language{c.language});
        if (!c.starts) continue;
        EXPECT_EQ(m_app->language(), Language::English);
        EXPECT_FALSE(m_app->moduleInUse());
        EXPECT_EQ(StringTable::active().tag(), qs("ENGLISH"));
        EXPECT_EQ(frame().menuBar()->actions().first()->text(), qs("&File"));
        m_app.reset();
    }
}

// Catches a stored language 0 being overruled by the locale (a US locale alone would pick
// the US module, which sits beside the test executable).
TEST_F(AppTest, LanguageZeroUsesTheProgramsOwnEnglish)
{
    ASSERT_FALSE(SettingsStore(m_config.path()).setLanguage(Language::English));
    ASSERT_TRUE(start({}, std::nullopt, QLocale(QLocale::English, QLocale::UnitedStates)));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_app->language(), Language::English);
    EXPECT_EQ(m_app->localeId(), 2057);
    EXPECT_FALSE(m_app->moduleInUse());
    EXPECT_EQ(StringTable::active().tag(), qs("ENGLISH"));
    EXPECT_EQ(frame().menuBar()->actions().first()->text(), qs("&File"));
}

// Catches a loaded module that never becomes the table the window reads from.
TEST_F(AppTest, UsLocaleWithoutSettingLoadsAndActivatesUsModule)
{
    ASSERT_TRUE(start({}, std::nullopt, QLocale(QLocale::English, QLocale::UnitedStates)));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_app->language(), Language::UsEnglish);
    EXPECT_EQ(m_app->localeId(), 1033);
    EXPECT_TRUE(m_app->moduleInUse());
    EXPECT_EQ(StringTable::active().tag(), qs("USA"));
    EXPECT_EQ(uiText(sid::ColourPaletteLabel), qs("Color Palette:"));
}

// Catches a camera card's upper-case .QVX name not being turned into its .BMP, or the title
// not following the opened file.
TEST_F(AppTest, CommandLineUpperCaseQvxOpensTheSnapshot)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0001", plainPlan());
    ASSERT_TRUE(qs(files.qvx).endsWith(qs(".QVX")));
    ASSERT_TRUE(start({qs("-style=fusion"), qs(files.qvx)}));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(doc().isLoaded());
    EXPECT_EQ(QFileInfo(doc().currentPath()).fileName(), qs("IR_0001.BMP"));
    EXPECT_EQ(frame().windowTitle(), qs("IR_0001.BMP - Orvane Calivue Razadi"));
}

// Catches a bad command-line path ending the program instead of leaving an empty window.
TEST_F(AppTest, CommandLineBadPathReportsAndKeepsTheWindow)
{
    ASSERT_TRUE(start({m_files.filePath(qs("NOPE.QVX"))}));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, uiText(sid::ErrorOpeningFile) + qs("\n") +
                                      m_files.filePath(qs("NOPE.BMP")) + qs(": not found"));
    ASSERT_NE(m_app->mainFrame(), nullptr);
    EXPECT_FALSE(doc().isLoaded());
    EXPECT_EQ(frame().windowTitle(), qs("Orvane Calivue Razadi"));
}

// Catches a document reading and writing its settings in the user's own configuration
// folder instead of the store the application was started with.
TEST_F(AppTest, DocumentUsesTheApplicationsSettingsStore)
{
    SettingsStore store(m_config.path());
    ASSERT_FALSE(store.setPersistReportDetails(true));
    ASSERT_TRUE(start());
    EXPECT_TRUE(doc().persistReportDetails());
    cSnapshotCommands(doc()).togglePersistReportDetails();
    EXPECT_FALSE(doc().persistReportDetails());
    EXPECT_FALSE(store.persistReportDetails());
}

// Catches the Open command using the wrong filter, not opening the choice, or skipping the
// view's clear-up after a failed open; and the report-writer branch reaching the snapshot
// dialog.
TEST_F(AppTest, OpenCommandOpensTheChosenSnapshotOrClearsTheView)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0002", plainPlan());
    ASSERT_TRUE(start());
    FakeView view(doc());
    frame().setViewCommands(&view);

    m_chosen = qs(files.bmp);
    action(cmd::FileOpen)->trigger();
    ASSERT_EQ(m_dialogs.size(), 1u);
    ASSERT_EQ(m_dialogs[0].nameFilters().size(), 1);
    EXPECT_TRUE(m_dialogs[0].nameFilters()[0].startsWith(qs("Calivue (*.bmp)")));
    EXPECT_TRUE(doc().isLoaded());
    EXPECT_EQ(frame().windowTitle(), qs("IR_0002.BMP - Orvane Calivue Razadi"));
    EXPECT_EQ(view.clears, 0);

    m_chosen = m_files.filePath(qs("MISSING.BMP"));
    action(cmd::FileOpen)->trigger();
    EXPECT_EQ(m_messages.size(), 1u);  // "Error opening file"
    EXPECT_FALSE(doc().isLoaded());
    EXPECT_EQ(view.clears, 1);

    m_chosen.reset();  // Cancel: nothing happens
    action(cmd::FileOpen)->trigger();
    EXPECT_EQ(view.clears, 1);

    // In report mode Open is the report project's, not the snapshot's.
    int reportOpens = 0;
    ReportFileCommands report;
    report.open = [&] { ++reportOpens; };
    frame().setReportDocument(m_app->reportDocument(), report);
    view.toggleReportWriter();
    const std::size_t dialogs = m_dialogs.size();
    action(cmd::FileOpen)->trigger();
    EXPECT_EQ(reportOpens, 1);
    EXPECT_EQ(m_dialogs.size(), dialogs);
}

// Catches unsaved changes being lost by Exit, or Cancel not keeping the program running.
TEST_F(AppTest, ExitAsksAboutUnsavedChanges)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0003", plainPlan());
    ASSERT_TRUE(start({qs(files.bmp)}));
    doc().toggleBlueIsotherm();
    ASSERT_TRUE(doc().isModified());

    m_answer = cMessageDlg::IdCancel;
    EXPECT_FALSE(frame().close());
    EXPECT_EQ(m_messages.size(), 1u);

    m_answer = cMessageDlg::IdNo;
    EXPECT_TRUE(frame().close());
    EXPECT_EQ(m_messages.size(), 2u);
}

// Catches the About box taking its contents from the language module or losing the version.
TEST_F(AppTest, AboutBoxShowsTheProgramsOwnTexts)
{
    ASSERT_TRUE(start({}, std::nullopt, QLocale(QLocale::English, QLocale::UnitedStates)));
    ASSERT_TRUE(m_app->moduleInUse());
    int shown = 0;
    CVantoroApp::setAboutHook([&](QDialog& dialog) {
        ++shown;
        auto& about = static_cast<cAboutDlg&>(dialog);
        const StringTable own = StringTable::english();
        EXPECT_EQ(about.windowTitle(), qs("About Orvane Calivue Razadi"));
        EXPECT_EQ(about.productText(), own.text(sid::ProductTitle));
        EXPECT_EQ(about.noticeText(), own.text(sid::AboutNotice));
        EXPECT_EQ(about.versionText(), qs("Version ") + cAboutDlg::version());
    });
    action(cmd::AppAbout)->trigger();
    CVantoroApp::setAboutHook({});
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(cAboutDlg::version().isEmpty());
}

}  // namespace calivue::test
