// The Help window: the guide of each language with its markers filled in, and the shortcut
// list generated from the window's actions.
#include "apptest.h"

#include "app/helpdlg.h"

#include "platform/commandids.h"
#include "platform/languagetable.h"
#include "platform/settingsstore.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTextBrowser>

namespace calivue::test {

namespace {

// The key text the Help window must list for an action, written independently of it.
QString keysOf(const QAction* a)
{
    QStringList parts;
    for (const QKeySequence& k : a->shortcuts()) parts << k.toString(QKeySequence::NativeText);
    return parts.join(QStringLiteral(", "));
}

const int kLanguages[] = {0, 1, 6, 10, 13};

QString readGuide(const QString& code)
{
    QFile file(QStringLiteral(":/help/guide_%1.html").arg(code));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The first words of a guide's body, as the Help window shows them: its first paragraph up
// to the first tag, marker or bracket.
QString guideBody(const QString& html)
{
    const qsizetype from = html.indexOf(QStringLiteral("<p>")) + 3;
    static const QRegularExpression stop(QStringLiteral("[<{(\uFF08]"));
    const qsizetype to = html.indexOf(stop, from);
    return html.mid(from, to - from).simplified();
}

}  // namespace

// Catches a shortcut the window answers to but the list leaves out, a listed key no action
// carries, a nameless row, a menu title's Alt key missing (in Cyrillic and Hebrew too), or two
// actions sharing one key, which leaves both dead.
TEST_F(AppTest, ShortcutListIsTheWindowsOwnKeys)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0090", plainPlan(0x30));
    for (int language : kLanguages) {
        SCOPED_TRACE(language);
        ASSERT_FALSE(SettingsStore(m_config.path()).setLanguage(Language{language}));
        ASSERT_TRUE(start({qs(files.bmp)}));
        const QList<ShortcutRow> rows = shortcutRows(frame(), StringTable::active());

        QMultiHash<QString, QString> listed;
        for (const ShortcutRow& r : rows) {
            EXPECT_FALSE(r.command.trimmed().isEmpty()) << r.keys.toStdString();
            EXPECT_FALSE(r.command.contains(QLatin1Char('&')) && !r.command.contains(u" & "))
                << r.command.toStdString();
            listed.insert(r.keys, r.command);
        }
        QHash<QString, const QAction*> owner;
        for (const QAction* a : frame().findChildren<QAction*>()) {
            if (a->shortcuts().isEmpty()) continue;
            const QString keys = keysOf(a);
            EXPECT_TRUE(listed.contains(keys)) << "not listed: " << keys.toStdString();
            for (const QKeySequence& k : a->shortcuts()) {
                const QString one = k.toString(QKeySequence::NativeText);
                EXPECT_FALSE(owner.contains(one))
                    << one.toStdString() << " on two actions: " << a->text().toStdString();
                owner.insert(one, a);
            }
        }
        int altRows = 0;
        for (QAction* top : frame().menuBar()->actions()) {
            const QString title = top->text();
            const qsizetype amp = title.indexOf(QLatin1Char('&'));
            ASSERT_GE(amp, 0) << title.toStdString();
            const QString want = QKeySequence(Qt::ALT).toString(QKeySequence::NativeText) +
                                 title.at(amp + 1).toUpper();
            EXPECT_TRUE(listed.contains(want)) << want.toStdString();
            ++altRows;
        }
        // Every row that is not a menu's Alt key belongs to an action with exactly those keys.
        for (const ShortcutRow& r : rows) {
            if (rows.indexOf(r) < altRows) continue;
            const QString first = r.keys.section(QStringLiteral(", "), 0, 0);
            ASSERT_TRUE(owner.contains(first)) << "listed, no action: " << r.keys.toStdString();
            EXPECT_EQ(keysOf(owner.value(first)), r.keys);
        }
        const QString guideKey =
            QKeySequence(QKeySequence::HelpContents).isEmpty()
                ? QStringLiteral("F1")
                : QKeySequence(QKeySequence::HelpContents).toString(QKeySequence::NativeText);
        EXPECT_EQ(listed.value(guideKey), menuPath(frame(), cmd::HelpGuide));
        EXPECT_EQ(listed.value(keysOf(action(cmd::FileOpen))), menuPath(frame(), cmd::FileOpen));
        EXPECT_TRUE(listed.values().contains(uiText(sid::ZoomIn)));
        EXPECT_TRUE(listed.values().contains(uiText(sid::RemoveSelectedCursors)));
        m_app.reset();
    }
}

// Catches a language module without a guide of its own (Filipino's locale is English), a
// guide that lost or gained a marker or a section against the English one (a control the
// guide names only in English, or a name the program has no string for).
TEST(HelpGuides, EveryLanguageHasItsOwnGuideWithTheEnglishMarkers)
{
    static const QRegularExpression marker(QStringLiteral("\\{[sm]:\\d+\\}|<h2 id=\"\\w+\""));
    const auto markers = [](const QString& html) {
        QStringList found;
        for (auto it = marker.globalMatch(html); it.hasNext();) found << it.next().captured();
        found.sort();
        found.removeDuplicates();
        return found;
    };
    const QString english = readGuide(QStringLiteral("en"));
    ASSERT_FALSE(english.isEmpty());
    const QStringList want = markers(english);
    QSet<QString> codes;
    for (const LanguageInfo& info : languageTable()) {
        if (info.moduleName == nullptr || info.language == Language::UsEnglish) continue;
        SCOPED_TRACE(info.moduleName);
        const QString code = guideCode(info.language);
        EXPECT_FALSE(codes.contains(code)) << code.toStdString();
        codes.insert(code);
        const QString html = readGuide(code);
        ASSERT_FALSE(html.isEmpty()) << code.toStdString();
        EXPECT_NE(guideBody(html), guideBody(english));
        EXPECT_EQ(markers(html), want);
    }
    EXPECT_EQ(codes.size(), 15);
}

// Catches a guide marker left unfilled, a language shown another language's body (or the
// English one), headings not in the window's language, a guide that names commands unlike
// the menus, or the shortcut command not bringing the list into view.
TEST_F(AppTest, HelpShowsTheGuideOfTheLanguage)
{
    for (const LanguageInfo& info : languageTable()) {
        const Language language = info.language;
        const QString bodyStart = guideBody(readGuide(
            language == Language::UsEnglish ? QStringLiteral("en") : guideCode(language)));
        SCOPED_TRACE(languageNumber(language));
        ASSERT_FALSE(SettingsStore(m_config.path()).setLanguage(language));
        ASSERT_TRUE(start());
        frame().resize(1000, 700);
        action(cmd::HelpGuide)->trigger();
        QCoreApplication::processEvents();
        cHelpDlg* help = frame().helpWindow();
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isVisible());
        const QString text = help->browser()->toPlainText();
        EXPECT_FALSE(text.contains(u"{s:") || text.contains(u"{m:")) << text.toStdString();
        EXPECT_FALSE(bodyStart.isEmpty());
        EXPECT_TRUE(text.simplified().contains(bodyStart)) << bodyStart.toStdString();
        for (int heading : {sid::GuideOpening, sid::GuideMeasuring, sid::GuideReport,
                            sid::GuideFieldKeys, sid::ShortcutsHeading})
            EXPECT_TRUE(text.contains(uiText(heading))) << heading;
        for (int command : {cmd::FileOpen, cmd::ReportWriter, cmd::Template, cmd::Revert}) {
            const QString path = menuPath(frame(), command);
            ASSERT_FALSE(path.isEmpty()) << command;
            EXPECT_TRUE(text.contains(path)) << path.toStdString();
        }
        EXPECT_EQ(help->browser()->verticalScrollBar()->value(), 0);
        action(cmd::HelpShortcuts)->trigger();
        QCoreApplication::processEvents();
        help = frame().helpWindow();
        ASSERT_NE(help, nullptr);
        EXPECT_GT(help->browser()->verticalScrollBar()->value(), 0);
        m_app.reset();
    }
}

}  // namespace calivue::test
