// The title page driven as a user would, and what the next run finds in the settings.
#include "document/reportdoc.h"
#include "report/titledlg.h"

#include "filedialoglog.h"
#include "messagelog.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace calivue {
namespace {

struct TitleFixture : ::testing::Test {
    QTemporaryDir config, files;
    test::MessageLog log;
    int marks = 0;  // times a project became modified (cleared after each)
    test::FileDialogLog fileDialogs;
    std::optional<QString>& chosen = fileDialogs.answer;
    std::vector<std::unique_ptr<CReportDoc>> projects;

    ReportContext context(ReportTemplate templateNumber = ReportTemplate::Maintenance,
                          QString root = {})
    {
        // Each page gets a project of its own, as a new run of the program would.
        auto* project = projects.emplace_back(std::make_unique<CReportDoc>()).get();
        QObject::connect(project, &CReportDoc::changed,
                         [this, project](const ReportChange& change) {
                             if (!change.has(ReportPart::Modified) || !project->isModified())
                                 return;
                             ++marks;
                             project->setModified(false);
                         });
        ReportContext ctx;
        ctx.report = project;
        ctx.settings = SettingsStore(root.isEmpty() ? config.path() : root);
        ctx.reportTemplate = templateNumber;
        return ctx;
    }
    // The file's format comes from `format` (nullptr: not a picture), not from its name.
    QString file(const char* name, const char* format = "BMP")
    {
        const QString path = files.filePath(QLatin1String(name));
        QImage image(80, 40, QImage::Format_RGB32);
        image.fill(Qt::red);
        QFile f(path);
        EXPECT_TRUE(format ? image.save(path, format)
                           : f.open(QIODevice::WriteOnly) && f.write("no picture") > 0);
        return path;
    }
    QString stored(QAnyStringView key) const
    {
        return SettingsStore(config.path()).reportText(key).value_or(QStringLiteral("<none>"));
    }
    static QLineEdit* box(const TitleDlg& page, const QString& name)
    {
        return page.findChild<QLineEdit*>(name);
    }
};

// Only the last three characters decide, in any case: .JPG passes, .jpeg does not.
TEST_F(TitleFixture, SetImageJudgesTheLastThreeCharacters)
{
    const struct {
        const char* name;
        const char* format;
        bool accepted;
    } cases[] = {{"a.JPG", "JPG", true},   {"c.Bmp", "BMP", true},  {"fbmp", "BMP", true},
                 {"d.jpeg", "JPG", false}, {"e.png", "PNG", false}, {"b.jpg", "JPG", true}};
    ReportContext ctx = context();
    TitleDlg page(ctx);
    for (const auto& c : cases) {
        const QString before = stored(reportkey::LogoPath);
        const int marksBefore = marks;
        chosen = file(c.name, c.format);
        log.texts.clear();
        page.chooseImage();
        EXPECT_EQ(stored(reportkey::LogoPath), c.accepted ? *chosen : before) << c.name;
        EXPECT_EQ(page.title().logoPath == chosen->toStdU16String(), c.accepted) << c.name;
        EXPECT_EQ(marks, marksBefore + (c.accepted ? 1 : 0)) << c.name;
        EXPECT_EQ(log.texts,
                  c.accepted ? QStringList{} : QStringList{uiText(sid::InvalidImageFileExtension)});
    }
}

// The logo comes back in the next run, unless it was cleared; a file that does not decode
// (through Set Image or a project) keeps the logo there was. Set Image says what is wrong with
// the chosen file: not a picture, or not found.
TEST_F(TitleFixture, LogoPersistsUntilClearedAndSurvivesBadFiles)
{
    const QString logo = file("logo.bmp");
    for (const bool clear : {false, true}) {
        {
            ReportContext ctx = context();
            TitleDlg page(ctx);
            chosen = logo;
            page.chooseImage();
            EXPECT_EQ(page.logoSize(), QSize(80, 40));
            for (const QString& bad :
                 {file("bad.jpg", nullptr), files.filePath(QStringLiteral("gone.bmp"))}) {
                EXPECT_FALSE(page.setLogoPath(bad));
                chosen = bad;
                page.chooseImage();
                EXPECT_FALSE(page.logo().isNull());
                EXPECT_EQ(box(page, QStringLiteral("logoPath"))->text(), logo);
            }
            if (clear) page.clearImage();
        }
        ReportContext ctx = context();
        const TitleDlg next(ctx);
        EXPECT_EQ(next.logo().isNull(), clear);
        EXPECT_EQ(next.logoSize(), clear ? QSize(-1, -1) : QSize(80, 40));
        EXPECT_EQ(next.title().logoPath, clear ? u"" : logo.toStdU16String());
    }
    const QStringList told = {
        file("bad.jpg", nullptr) + QStringLiteral(": not a picture this program can read"),
        files.filePath(QStringLiteral("gone.bmp")) + QStringLiteral(": not found")};
    EXPECT_EQ(log.texts, told + told);
}

// A project read with a logo that does not load: the page says which file and why, once, and
// a FIFO is refused by its type without waiting for a writer. Catches a logo dropped unseen.
TEST_F(TitleFixture, AProjectLogoThatDoesNotLoadIsReported)
{
    ReportContext ctx = context();
    TitleDlg page(ctx);
    const QString fifo = files.filePath(QStringLiteral("fifo.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString bad = file("bad.jpg", nullptr);
    const QString gone = files.filePath(QStringLiteral("gone.bmp"));
    for (const QString& logo : {bad, gone, fifo, fifo}) {
        ReportProject project;
        project.title.logoPath = logo.toStdU16String();
        project.title.company = u"Acme " + logo.toStdU16String();  // each read differs
        ASSERT_TRUE(ctx.report->load(project, files.filePath(QStringLiteral("p.vrp"))));
    }
    EXPECT_EQ(log.texts, (QStringList{bad + QStringLiteral(": not a picture this program can read"),
                                      gone + QStringLiteral(": not found"),
                                      fifo + QStringLiteral(": not a regular file")}));
    for (const auto& seen : log.seen) EXPECT_EQ(seen.icon, cMessageDlg::IconKind::Exclamation);
}

// 35 short lines fit the 51 × 35 box, 36 do not; so for a 51- and a 52-character word.
TEST_F(TitleFixture, CommentsTurnRedWhenTheyDoNotFit)
{
    const auto lines = [](int n) { return QStringList(n, QStringLiteral("ok")).join(u'\n'); };
    const std::pair<QString, bool> cases[] = {{lines(35), false},
                                              {lines(36), true},
                                              {QString(51, u'w'), false},
                                              {QString(52, u'w'), true}};
    ReportContext ctx = context();
    TitleDlg page(ctx);
    auto* comments = page.findChild<QPlainTextEdit*>(QStringLiteral("comments"));
    for (const auto& [text, red] : cases) {
        comments->setPlainText(QString());
        page.setComments(text);
        EXPECT_EQ(comments->palette().color(QPalette::Text), red ? QColor(255, 0, 0) : Qt::black)
            << text.size();
    }
    comments->setPlainText(QString(2300, u'x'));  // typing stops at 2200
    EXPECT_EQ(page.title().comments.size(), 2200u);
}

// Company, author and Custom captions start from the settings; a caption missing under an
// existing key is its default; with no key at all every box starts empty.
TEST_F(TitleFixture, StartingValuesFollowTheSettings)
{
    const QStringList defaults = {QStringLiteral("Company"), QStringLiteral("Author"),
                                  QStringLiteral("Date"), QStringLiteral("General Comments")};
    for (const auto& [templateNumber, withKey] :
         {std::pair{3, false}, std::pair{0, false}, std::pair{3, true}, std::pair{1, true}}) {
        QTemporaryDir root;
        if (withKey) {
            SettingsStore(root.path()).setReportText(reportkey::Company, QStringLiteral("Acme"));
            SettingsStore(root.path())
                .setReportText(QLatin1String(kTitleCaptionKeys[1]), QStringLiteral("Writer"));
        }
        ReportContext ctx = context(static_cast<ReportTemplate>(templateNumber), root.path());
        const TitleDlg page(ctx);
        const bool custom = templateNumber == reportTemplateNumber(ReportTemplate::Custom);
        EXPECT_EQ(box(page, QStringLiteral("company"))->text(),
                  withKey ? QStringLiteral("Acme") : QString());
        EXPECT_EQ(box(page, QStringLiteral("author"))->text(), QString());
        for (int i = 0; i < 4; ++i) {
            QString expected = custom && !withKey ? QString() : defaults[i];
            if (custom && withKey && i == 1) expected = QStringLiteral("Writer");
            EXPECT_EQ(page.captions()[std::size_t(i)], expected.toStdU16String())
                << templateNumber << withKey << i;
            EXPECT_EQ(box(page, QStringLiteral("caption%1").arg(i + 1))->isReadOnly(), !custom);
        }
    }
    EXPECT_EQ(marks, 0);  // starting values are no change of the project
}

// Edited captions are written on leaving the page or closing it, set ones at once, reset ones
// as their defaults; company and author on closing. A settings folder that cannot be made
// reports each value's own failure with the warning icon.
TEST_F(TitleFixture, CaptionsAndNamesReachTheSettings)
{
    const auto key = [](int i) { return QLatin1String(kTitleCaptionKeys[std::size_t(i)]); };
    {
        ReportContext ctx = context(ReportTemplate::Custom);
        TitleDlg page(ctx);
        box(page, QStringLiteral("caption1"))->setText(QStringLiteral("Firm"));
        EXPECT_EQ(stored(key(0)), QStringLiteral("<none>"));
        page.leavePage();
        EXPECT_EQ(stored(key(0)), QStringLiteral("Firm"));
        page.setCaption(3, QStringLiteral("When"));
        EXPECT_EQ(stored(key(2)), QStringLiteral("When"));
        page.resetCaptions();
        EXPECT_EQ(stored(key(2)), QStringLiteral("Date"));
        EXPECT_EQ(page.captions()[0], u"Company");
        box(page, QStringLiteral("caption4"))->setText(QStringLiteral("Notes"));
        box(page, QStringLiteral("company"))->setText(QStringLiteral("Acme"));
    }
    EXPECT_EQ(stored(key(3)), QStringLiteral("Notes"));
    EXPECT_EQ(stored(reportkey::Company), QStringLiteral("Acme"));
    EXPECT_EQ(stored(reportkey::Author), QString());
    EXPECT_TRUE(log.texts.isEmpty());
    {
        ReportContext ctx =
            context(ReportTemplate::Custom, file("blocker") + QStringLiteral("/sub"));
        TitleDlg page(ctx);
        page.clearImage();
        page.setCaption(1, QStringLiteral("Firm"));
    }
    // Each designed message names the settings folder that could not be made.
    const QString where = QLatin1Char('\n') + file("blocker") + QStringLiteral("/sub/Orvane: ");
    QStringList designed;
    for (const QString& text : log.texts) {
        EXPECT_TRUE(text.contains(where)) << text.toStdString();
        designed << text.section(QLatin1Char('\n'), 0, 0);
    }
    EXPECT_EQ(designed,
              (QStringList{uiText(sid::LogoKeyNotOpened), uiText(sid::ErrorWritingSetting),
                           uiText(sid::CompanyKeyNotOpened), uiText(sid::AuthorKeyNotOpened)}));
    for (const auto& seen : log.seen) EXPECT_EQ(seen.icon, cMessageDlg::IconKind::Exclamation);
}

// Before a project is read: the stored company and author, today shown, no comments or
// logo, and the project marked modified.
TEST_F(TitleFixture, ResetForProjectLoadGoesBackToTheStoredValues)
{
    SettingsStore(config.path()).setReportText(reportkey::Company, QStringLiteral("Acme"));
    ReportContext ctx = context();
    TitleDlg page(ctx);
    page.setAuthor(QStringLiteral("Someone"));
    page.setDateShown(false);
    page.setTitleDate({cDateTime::Valid, 1000.25});
    page.setComments(QStringLiteral("old"));
    page.setLogoPath(file("p.jpg", "JPG"));
    auto* picker = page.findChild<QWidget*>(QStringLiteral("titleDate"));
    EXPECT_FALSE(picker->isEnabled());
    EXPECT_EQ(page.title().titleDate, (cDateTime{cDateTime::Valid, 1000.25}));
    marks = 0;
    page.resetForProjectLoad();
    const ReportTitle t = page.title();
    EXPECT_EQ(t, (ReportTitle{u"", u"Acme", u"", true, t.titleDate, u""}));
    EXPECT_TRUE(picker->isEnabled());
    EXPECT_GT(t.titleDate.days, 40000.0);
    EXPECT_TRUE(page.logo().isNull());
    EXPECT_GT(marks, 0);
}

TEST(FitLogoRect, KeepsProportionsAndCentres)
{
    const struct {
        QSize picture, client;
        QRect expected;
    } cases[] = {
        {{100, 50}, {200, 100}, {50, 25, 100, 50}},   // fits: own size
        {{400, 100}, {200, 100}, {0, 25, 200, 50}},   // too wide
        {{100, 400}, {200, 100}, {87, 0, 25, 100}},   // too tall
        {{300, 150}, {200, 120}, {0, 10, 200, 100}},  // both, width exceeds more
        {{210, 300}, {200, 100}, {65, 0, 70, 100}},   // both, height exceeds more
        {{-1, -1}, {200, 100}, {}},                   // no picture
    };
    for (const auto& c : cases) EXPECT_EQ(fitLogoRect(c.picture, c.client), c.expected);
}

}  // namespace
}  // namespace calivue
