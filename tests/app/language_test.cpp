// The running program in each of its languages: the locale picks the module, the window
// speaks the module's texts, Hebrew runs right to left while the pictures keep their drawing,
// and no control's text is cut at the default window size.
#include "apptest.h"

#include "view/colourbutton.h"
#include "desktop/languagedlg.h"
#include "platform/languageenvironment.h"
#include "platform/languagetable.h"
#include "platform/settingsstore.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"
#include "view/vantoroview.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

namespace calivue::test {

namespace {

// The texts a language's window should show: its overlay over the English tables.
struct ExpectedTexts {
    QString firstMenu;
    QString displayTab;  // the options sheet's first page
};

QJsonObject readJson(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                          : QJsonObject();
}

ExpectedTexts expectedTexts(Language language)
{
    const QString dir = QStringLiteral(CALIVUE_SOURCE_RESOURCES_DIR);
    ExpectedTexts e{QStringLiteral("&File"), QStringLiteral("Display")};
    const LanguageInfo& info = languageInfo(language);
    if (!info.moduleName) return e;
    const QJsonObject overlay =
        readJson(dir + QStringLiteral("/lang/") + QString::fromLatin1(info.moduleName).toLower() +
                 QStringLiteral(".json"));
    if (overlay[u"menus"].isArray()) e.firstMenu = overlay[u"menus"][0][u"text"].toString();
    e.displayTab = overlay[u"strings"][u"5140"].toString(e.displayTab);
    return e;
}

CVantoroView* imageView(CMainFrame& frame)
{
    return dynamic_cast<CVantoroView*>(frame.viewCommands());
}

// Every text of `root` that its widget shows cut: narrower than the text needs.
QStringList cutTexts(QWidget* root, const QString& where)
{
    QStringList cut;
    const auto check = [&](QWidget* w, const QString& text, int needed) {
        if (w->isVisible() && !text.isEmpty() && w->width() < needed)
            cut << QStringLiteral("%1: %2 \"%3\" is %4 wide, needs %5")
                       .arg(where, QString::fromLatin1(w->metaObject()->className()), text)
                       .arg(w->width())
                       .arg(needed);
    };
    for (QLabel* l : root->findChildren<QLabel*>())
        if (!l->wordWrap()) check(l, l->text(), l->minimumSizeHint().width());
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>()) {
        // A push button's size hint is at least 80 wide whatever its text; what its text
        // needs is its width plus a little room either side. A colour button measures its
        // own bold caption.
        QString shown;
        const QString text = b->text();
        for (qsizetype i = 0; i < text.size(); ++i)
            shown += (text[i] == u'&' && i + 1 < text.size()) ? text[++i] : text[i];
        const int needed = qobject_cast<cColourButton*>(b) ? b->sizeHint().width()
                           : qobject_cast<QPushButton*>(b)
                               ? b->fontMetrics().horizontalAdvance(shown) + 8
                               : b->sizeHint().width();
        check(b, b->text(), needed);
    }
    for (QGroupBox* g : root->findChildren<QGroupBox*>())
        check(g, g->title(), g->minimumSizeHint().width());
    for (QComboBox* c : root->findChildren<QComboBox*>())
        check(c, c->currentText(), c->minimumSizeHint().width());
    for (QTabBar* bar : root->findChildren<QTabBar*>())
        for (int i = 0; i < bar->count(); ++i)
            if (bar->isVisible() && (bar->tabRect(i).right() >= bar->width() ||
                                     bar->tabRect(i).width() < bar->fontMetrics().horizontalAdvance(
                                                                   bar->tabText(i).remove(u'&'))))
                cut << QStringLiteral("%1: tab \"%2\" is cut").arg(where, bar->tabText(i));
    return cut;
}

// Shows every page of `sheet` in turn and collects what is cut on each.
QStringList cutTextsOnPages(QTabWidget* sheet, const QString& where)
{
    QStringList cut;
    if (!sheet) return {where + QStringLiteral(": no sheet")};
    for (int i = 0; i < sheet->count(); ++i) {
        sheet->setCurrentIndex(i);
        QCoreApplication::processEvents();
        cut << cutTexts(sheet, where + QLatin1Char('/') + sheet->tabText(i));
    }
    return cut;
}

}  // namespace

// Catches a locale mapped to the wrong language or a module loaded without its texts,
// locale or direction reaching the window: the locale names are those LANG carries.
TEST_F(AppTest, LocaleChoosesTheModuleAndTheWindowSpeaksIt)
{
    const struct {
        const char* lang;
        int language;
    } cases[] = {{"de_DE.UTF-8", 1},  {"fr_FR.UTF-8", 2},  {"es_ES.UTF-8", 3},  {"it_IT.UTF-8", 4},
                 {"zh_CN.UTF-8", 5},  {"ja_JP.UTF-8", 6},  {"ko_KR.UTF-8", 7},  {"en_US.UTF-8", 8},
                 {"pt_PT.UTF-8", 9},  {"ru_RU.UTF-8", 10}, {"nl_NL.UTF-8", 11}, {"cs_CZ.UTF-8", 12},
                 {"he_IL.UTF-8", 13}, {"id_ID.UTF-8", 14}, {"ms_MY.UTF-8", 15}, {"en_GB.UTF-8", 0},
                 {"fil_PH.UTF-8", 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lang);
        ASSERT_TRUE(start({}, std::nullopt, QLocale(QString::fromLatin1(c.lang))));
        EXPECT_TRUE(m_messages.empty());
        EXPECT_EQ(m_app->language(), Language{c.language});
        EXPECT_EQ(m_app->moduleInUse(), c.language != 0);
        const ExpectedTexts want = expectedTexts(Language{c.language});
        EXPECT_EQ(frame().menuBar()->actions().first()->text(), want.firstMenu);
        auto* options = qobject_cast<QTabWidget*>(imageView(frame())->optionsSheet());
        ASSERT_NE(options, nullptr);
        EXPECT_EQ(options->tabText(0), want.displayTab);
        EXPECT_EQ(QLocale(), languageLocale(Language{c.language}));
        EXPECT_EQ(QGuiApplication::layoutDirection(), layoutDirectionOf(Language{c.language}));
        m_app.reset();
        EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    }
    // Filipino has no locale of its own in the table: it is chosen in the language dialog.
    ASSERT_FALSE(SettingsStore(m_config.path()).setLanguage(Language::Filipino));
    ASSERT_TRUE(start());
    EXPECT_EQ(m_app->language(), Language::Filipino);
    EXPECT_EQ(frame().menuBar()->actions().first()->text(),
              expectedTexts(Language::Filipino).firstMenu);
}

// The child of the next test: started with a LANG of its own, it runs start-up on the
// system locale and checks the language it lands in. Skipped in an ordinary run.
TEST_F(AppTest, LanguageOfTheEnvironmentChild)
{
    const QByteArray expected = qgetenv("CALIVUE_EXPECTED_LANGUAGE");
    if (expected.isEmpty()) GTEST_SKIP() << "run by LangVariablePicksTheLanguage";
    AppOptions options;
    options.configRoot = m_config.path();
    m_app = std::make_unique<CVantoroApp>(options);
    ASSERT_TRUE(m_app->initInstance({}, false));
    EXPECT_EQ(m_app->language(), Language{expected.toInt()});
    EXPECT_EQ(frame().menuBar()->actions().first()->text(),
              expectedTexts(Language{expected.toInt()}).firstMenu);
}

// Catches start-up reading the locale from anywhere but the environment a user sets.
TEST(LanguageStartUp, LangVariablePicksTheLanguage)
{
    const struct {
        const char* lang;
        int language;
    } cases[] = {{"de_DE.UTF-8", 1}, {"en_US.UTF-8", 8}, {"en_GB.UTF-8", 0}, {"ja_JP.UTF-8", 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lang);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANGUAGE"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("LANG"), QString::fromLatin1(c.lang));
        env.insert(QStringLiteral("CALIVUE_EXPECTED_LANGUAGE"), QString::number(c.language));
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=AppTest.LanguageOfTheEnvironmentChild")});
        ASSERT_TRUE(child.waitForFinished(120000));
        const QString out = QString::fromLocal8Bit(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
        EXPECT_TRUE(out.contains(QStringLiteral("[  PASSED  ] 1 test"))) << out.toStdString();
    }
}

// Catches a Hebrew window left left-to-right, or a left-to-right one after it, and arrows
// that move the photograph swapped by the mirroring.
TEST_F(AppTest, HebrewWindowRunsRightToLeft)
{
    for (int language : {13, 1}) {
        SCOPED_TRACE(language);
        ASSERT_FALSE(SettingsStore(m_config.path()).setLanguage(Language{language}));
        ASSERT_TRUE(start());
        frame().show();
        QCoreApplication::processEvents();
        const Qt::LayoutDirection want = language == 13 ? Qt::RightToLeft : Qt::LeftToRight;
        EXPECT_EQ(frame().layoutDirection(), want);
        QWidget* options = imageView(frame())->optionsSheet();
        EXPECT_EQ(options->layoutDirection(), want);
        const auto x = [&](const char* name) {
            return options->findChild<QPushButton*>(QLatin1String(name))
                ->mapTo(&frame(), QPoint(0, 0))
                .x();
        };
        EXPECT_LT(x("alignLeft"), x("alignRight"));
        m_app.reset();
    }
}

// Catches a translation too long for its control at the default window size of 1100 × 760:
// every label, button, group title, list and tab of the options and report-writer pages in
// every language gets the width its text needs, the options take at most an eighth more room
// than in English, and neither the analysis panels nor the report writer need a horizontal
// scroll.
TEST_F(AppTest, NoTextIsCutInAnyLanguage)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0051", plainPlan(0x30));
    QStringList cut;
    int englishOptionsWidth = 0;
    // The dialog hooks below refer to this test's locals: cleared however the test ends.
    struct ClearHooks {
        ~ClearHooks()
        {
            CVantoroApp::setPropertiesHook({});
            CVantoroApp::setTemplateHook({});
            CVantoroApp::setAboutHook({});
        }
    } clearHooks;
    for (const LanguageInfo& info : languageTable()) {
        const QString name = QString::fromLatin1(info.moduleName ? info.moduleName : "English");
        SCOPED_TRACE(name.toStdString());
        ASSERT_FALSE(SettingsStore(m_config.path()).setLanguage(info.language));
        ASSERT_TRUE(start({qs(files.bmp)}));
        ASSERT_EQ(m_app->language(), info.language);
        frame().resize(1100, 760);
        frame().show();
        QCoreApplication::processEvents();
        CVantoroView* view = imageView(frame());
        cut << cutTextsOnPages(qobject_cast<QTabWidget*>(view->optionsSheet()),
                               name + QStringLiteral("/options"));
        if (view->horizontalScrollBar()->maximum() > 0)
            cut << name + QStringLiteral(": the analysis panels are %1 px wider than the window")
                              .arg(view->horizontalScrollBar()->maximum());
        // Room the options take is room the picture loses: at most an eighth more than English.
        const int optionsWidth = view->optionsSheet()->width();
        if (info.language == Language::English) englishOptionsWidth = optionsWidth;
        if (optionsWidth * 8 > englishOptionsWidth * 9)
            cut << name + QStringLiteral(": the options are %1 px wide, English %2")
                              .arg(optionsWidth)
                              .arg(englishOptionsWidth);
        // The isotherm difference pane is 100 wide whatever it says; the widest reading.
        if (const auto* diff = frame().findChild<QLabel*>(QStringLiteral("pane130"))) {
            const QString widest =
                formatText(uiText(sid::StatusDiffFormat), {-188.8, QStringLiteral("°F")});
            if (diff->fontMetrics().horizontalAdvance(widest) > diff->contentsRect().width())
                cut << name + QStringLiteral(": status pane \"%1\" is cut").arg(widest);
        } else {
            cut << name + QStringLiteral(": no difference pane");
        }
        // The dialogs, each as it opens.
        const auto checkDialog = [&](const QString& which) {
            return [&, which](QDialog& dialog) {
                dialog.show();
                QCoreApplication::processEvents();
                cut << cutTexts(&dialog, name + QLatin1Char('/') + which);
            };
        };
        CVantoroApp::setPropertiesHook(checkDialog(QStringLiteral("properties")));
        m_app->onProperties();
        CVantoroApp::setTemplateHook(checkDialog(QStringLiteral("template")));
        m_app->onTemplate();
        CVantoroApp::setAboutHook(checkDialog(QStringLiteral("about")));
        m_app->onAbout();
        // The language list offers all seventeen, every module installed beside the program.
        {
            cLanguageDlg languages(
                m_app->settings(), info.language, nullptr,
                [modules = m_app->languageModules()](Language l) { return modules.load(l).ok(); });
            checkDialog(QStringLiteral("language"))(languages);
            EXPECT_EQ(languages.languageNames().size(), kLanguageCount);
            for (int n = 0; n < kLanguageCount; ++n)
                EXPECT_TRUE(languages.isInstalled(Language{n})) << n;
        }

        view->toggleReportWriter();
        QCoreApplication::processEvents();
        cut << cutTextsOnPages(qobject_cast<QTabWidget*>(view->reportSheet()),
                               name + QStringLiteral("/report"));
        if (view->horizontalScrollBar()->maximum() > 0)
            cut << name + QStringLiteral(": the report writer is %1 px wider than the window")
                              .arg(view->horizontalScrollBar()->maximum());
        m_app.reset();
    }
    EXPECT_TRUE(cut.isEmpty()) << cut.size() << " cut texts:\n" << cut.join(u'\n').toStdString();
}

}  // namespace calivue::test
