// The title page driven as a user would: logos set and cleared, comments typed, captions
// edited, and what the next run of the program finds in the settings.
#include "titledlg.h"

#include "irfiledialog.h"
#include "messagelog.h"
#include "stringids.h"
#include "stringtable.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace calivue {
namespace {

struct TitleFixture : ::testing::Test {
    QTemporaryDir config;
    QTemporaryDir files;
    test::MessageLog log;
    int marks = 0;
    std::optional<QString> chosen;

    void SetUp() override
    {
        cIRFileDialog::setChooser([this](const cIRFileDialog&) { return chosen; });
    }
    void TearDown() override { cIRFileDialog::setChooser({}); }

    ReportContext context(int templateNumber = ReportTemplate::Maintenance,
                          const QString& root = {})
    {
        ReportContext ctx;
        ctx.settings = SettingsStore(root.isEmpty() ? config.path() : root);
        ctx.templateNumber = templateNumber;
        ctx.markModified = [this] { ++marks; };
        return ctx;
    }
    // A picture file; the format comes from `format`, not from the name.
    QString picture(const QString& name, const char* format, QColor colour = Qt::red)
    {
        QImage image(80, 40, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = files.filePath(name);
        EXPECT_TRUE(image.save(path, format)) << name.toStdString();
        return path;
    }
    QString garbage(const QString& name)
    {
        const QString path = files.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture at all");
        return path;
    }
    static QString text(const TitleDlg& page, const char* box)
    {
        return page.findChild<QLineEdit*>(QLatin1String(box))->text();
    }
};

// Only the last three characters decide, in any case: .JPG passes, .jpeg does not even
// though it is a real JPEG picture.
TEST_F(TitleFixture, SetImageJudgesTheLastThreeCharacters)
{
    struct Case {
        const char* name;
        const char* format;
        bool accepted;
    } cases[] = {{"a.JPG", "JPG", true},   {"b.jpg", "JPG", true},  {"c.Bmp", "BMP", true},
                 {"d.jpeg", "JPG", false}, {"e.png", "PNG", false}, {"fbmp", "BMP", true}};
    ReportContext ctx = context();
    TitleDlg page(ctx);
    for (const Case& c : cases) {
        const QString before = ctx.settings.reportText(reportkey::LogoPath).value_or(QString());
        chosen = picture(QLatin1String(c.name), c.format);
        log.texts.clear();
        const int marksBefore = marks;
        page.chooseImage();
        const QString stored = ctx.settings.reportText(reportkey::LogoPath).value_or(QString());
        if (c.accepted) {
            EXPECT_TRUE(log.texts.isEmpty()) << c.name;
            EXPECT_EQ(stored, *chosen) << c.name;
            EXPECT_EQ(QString::fromStdU16String(page.title().logoPath), *chosen) << c.name;
            EXPECT_FALSE(page.logo().isNull()) << c.name;
            EXPECT_EQ(marks, marksBefore + 1) << c.name;
        } else {
            EXPECT_EQ(log.texts, QStringList{uiText(sid::InvalidImageFileExtension)}) << c.name;
            EXPECT_EQ(log.seen.back().icon, cMessageDlg::IconKind::Stop);
            EXPECT_EQ(stored, before) << c.name;
            EXPECT_EQ(marks, marksBefore) << c.name;
        }
    }
}

// The logo persists into the next run; after Clear Image the next run shows none.
TEST_F(TitleFixture, ClearedLogoStaysClearedAfterRestart)
{
    const QString logo = picture(QStringLiteral("logo.bmp"), "BMP");
    for (const bool clear : {false, true}) {
        {
            ReportContext ctx = context();
            TitleDlg page(ctx);
            chosen = logo;
            page.chooseImage();
            ASSERT_FALSE(page.logo().isNull());
            EXPECT_EQ(page.logoSize(), QSize(80, 40));
            if (clear) page.clearImage();
        }
        ReportContext ctx = context();
        const TitleDlg next(ctx);
        EXPECT_EQ(next.logo().isNull(), clear);
        EXPECT_EQ(next.logoSize(), clear ? QSize(-1, -1) : QSize(80, 40));
        EXPECT_EQ(text(next, "logoPath"), clear ? QString() : logo);
        EXPECT_EQ(next.title().logoPath.empty(), clear);
    }
    EXPECT_TRUE(log.texts.isEmpty());
}

// A file that does not decode, through Set Image or a project, keeps the logo there was.
TEST_F(TitleFixture, ALogoThatIsNotAPictureKeepsThePreviousOne)
{
    ReportContext ctx = context();
    TitleDlg page(ctx);
    const QString good = picture(QStringLiteral("good.jpg"), "JPG", Qt::blue);
    ASSERT_TRUE(page.setLogoPath(good));
    const QImage before = page.logo();
    for (const QString& bad :
         {garbage(QStringLiteral("bad.jpg")), files.filePath(QStringLiteral("gone.bmp"))}) {
        EXPECT_FALSE(page.setLogoPath(bad));
        chosen = bad;
        page.chooseImage();
        EXPECT_EQ(page.logo(), before);
        EXPECT_EQ(QString::fromStdU16String(page.title().logoPath), good);
        EXPECT_EQ(text(page, "logoPath"), good);
    }
    EXPECT_TRUE(log.texts.isEmpty());
    EXPECT_FALSE(ctx.settings.reportText(reportkey::LogoPath).has_value());
    EXPECT_TRUE(page.setLogoPath(QString()));
    EXPECT_TRUE(page.logo().isNull());
    EXPECT_EQ(page.logoSize(), QSize(-1, -1));
}

// 35 short lines fit the 51 × 35 box, 36 do not; so for a 51- and a 52-character word.
TEST_F(TitleFixture, CommentsTurnRedWhenTheyDoNotFit)
{
    const auto lines = [](int n) {
        return QStringList(n, QStringLiteral("ok")).join(QLatin1Char('\n'));
    };
    struct Case {
        QString comments;
        bool red;
    } cases[] = {{lines(35), false},
                 {lines(36), true},
                 {QString(51, QLatin1Char('w')), false},
                 {QString(52, QLatin1Char('w')), true},
                 {QString(), false}};
    ReportContext ctx = context();
    TitleDlg page(ctx);
    auto* box = page.findChild<QPlainTextEdit*>(QStringLiteral("comments"));
    for (const Case& c : cases) {
        box->setPlainText(c.comments);  // as typed
        EXPECT_EQ(box->palette().color(QPalette::Text), c.red ? QColor(255, 0, 0) : QColor(0, 0, 0))
            << c.comments.size();
        page.setComments(c.comments);  // as a project sets it
        EXPECT_EQ(box->palette().color(QPalette::Text),
                  c.red ? QColor(255, 0, 0) : QColor(0, 0, 0));
    }
    // Typing stops at 2200 characters.
    box->setPlainText(QString(2300, QLatin1Char('x')));
    EXPECT_EQ(page.title().comments.size(), 2200u);
}

// Company and author come from the settings when there; Custom captions from the settings,
// their defaults when the key exists without them, and nothing at all without the key.
TEST_F(TitleFixture, StartingValuesFollowTheSettings)
{
    const std::array<QString, 4> defaults = {QStringLiteral("Company"), QStringLiteral("Author"),
                                             QStringLiteral("Date"),
                                             QStringLiteral("General Comments")};
    struct Case {
        int templateNumber;
        bool withKey;
    } cases[] = {{ReportTemplate::Custom, false},
                 {ReportTemplate::Maintenance, false},
                 {ReportTemplate::Custom, true},
                 {ReportTemplate::Buildings, true}};
    for (const Case& c : cases) {
        QTemporaryDir root;
        SettingsStore store(root.path());
        if (c.withKey) {
            store.setReportText(reportkey::Company, QStringLiteral("Acme"));
            store.setReportText(QLatin1String(kTitleCaptionKeys[1]), QStringLiteral("Writer"));
        }
        ReportContext ctx = context(c.templateNumber, root.path());
        const TitleDlg page(ctx);
        EXPECT_EQ(text(page, "company"), c.withKey ? QStringLiteral("Acme") : QString());
        EXPECT_EQ(text(page, "author"), QString());
        const bool custom = c.templateNumber == ReportTemplate::Custom;
        for (int i = 0; i < 4; ++i) {
            QString expected = defaults[std::size_t(i)];
            if (custom && !c.withKey) expected.clear();
            if (custom && c.withKey && i == 1) expected = QStringLiteral("Writer");
            const auto* box = page.findChild<QLineEdit*>(QStringLiteral("caption%1").arg(i + 1));
            EXPECT_EQ(box->text(), expected) << c.templateNumber << c.withKey << i;
            EXPECT_EQ(box->isReadOnly(), !custom);
        }
        EXPECT_EQ(marks, 0) << "starting values are no change of the project";
    }
}

// Edited captions are written on leaving the page or closing it, set ones at once, reset
// ones as their defaults; company and author on closing.
TEST_F(TitleFixture, CaptionsAndNamesReachTheSettings)
{
    const auto stored = [this](int i) {
        return SettingsStore(config.path())
            .reportText(QLatin1String(kTitleCaptionKeys[std::size_t(i)]));
    };
    {
        ReportContext ctx = context(ReportTemplate::Custom);
        TitleDlg page(ctx);
        page.findChild<QLineEdit*>(QStringLiteral("caption1"))->setText(QStringLiteral("Firm"));
        EXPECT_FALSE(stored(0).has_value());
        page.leavePage();
        EXPECT_EQ(stored(0), QStringLiteral("Firm"));
        page.setCaption(3, QStringLiteral("When"));
        EXPECT_EQ(stored(2), QStringLiteral("When"));
        EXPECT_EQ(page.captions()[2], u"When");
        page.resetCaptions();
        EXPECT_EQ(page.captions()[0], u"Company");
        EXPECT_EQ(stored(0), QStringLiteral("Company"));
        EXPECT_EQ(stored(3), QStringLiteral("General Comments"));
        page.findChild<QLineEdit*>(QStringLiteral("caption4"))->setText(QStringLiteral("Notes"));
        page.findChild<QLineEdit*>(QStringLiteral("company"))->setText(QStringLiteral("Acme"));
        page.findChild<QLineEdit*>(QStringLiteral("author"))->setText(QStringLiteral("Jo"));
        EXPECT_GE(marks, 2);
    }
    SettingsStore store(config.path());
    EXPECT_EQ(stored(3), QStringLiteral("Notes"));
    EXPECT_EQ(store.reportText(reportkey::Company), QStringLiteral("Acme"));
    EXPECT_EQ(store.reportText(reportkey::Author), QStringLiteral("Jo"));
    EXPECT_TRUE(log.texts.isEmpty());
}

// A settings folder that cannot be created: each value reports its own failure with the
// warning icon and the page carries on.
TEST_F(TitleFixture, SettingsFailuresAreReportedPerValue)
{
    const QString blocker = garbage(QStringLiteral("blocker"));
    {
        ReportContext ctx = context(ReportTemplate::Custom, blocker + QStringLiteral("/sub"));
        TitleDlg page(ctx);
        page.clearImage();
        page.setCaption(1, QStringLiteral("Firm"));
        EXPECT_EQ(page.captions()[0], u"Firm");
    }
    EXPECT_EQ(log.texts,
              (QStringList{uiText(sid::LogoKeyNotOpened), uiText(sid::ErrorWritingSetting),
                           uiText(sid::CompanyKeyNotOpened), uiText(sid::AuthorKeyNotOpened)}));
    for (const auto& seen : log.seen) EXPECT_EQ(seen.icon, cMessageDlg::IconKind::Exclamation);
}

// Before a project is read: the stored company and author, today shown, no comments, and the
// project marked modified.
TEST_F(TitleFixture, ResetForProjectLoadGoesBackToTheStoredValues)
{
    SettingsStore(config.path()).setReportText(reportkey::Company, QStringLiteral("Acme"));
    ReportContext ctx = context();
    TitleDlg page(ctx);
    page.setCompany(QStringLiteral("Other"));
    page.setAuthor(QStringLiteral("Someone"));
    page.setDateShown(false);
    page.setTitleDate(cDateTime{cDateTime::Valid, 1000.25});
    page.setComments(QStringLiteral("old"));
    page.setLogoPath(picture(QStringLiteral("p.jpg"), "JPG"));
    EXPECT_FALSE(page.title().dateShown);
    EXPECT_EQ(page.title().titleDate, (cDateTime{cDateTime::Valid, 1000.25}));
    EXPECT_FALSE(page.findChild<QWidget*>(QStringLiteral("titleDate"))->isEnabled());
    marks = 0;
    page.resetForProjectLoad();
    const ReportTitle t = page.title();
    EXPECT_EQ(t.company, u"Acme");
    EXPECT_EQ(t.author, u"");
    EXPECT_TRUE(t.dateShown);
    EXPECT_TRUE(page.findChild<QWidget*>(QStringLiteral("titleDate"))->isEnabled());
    EXPECT_GT(t.titleDate.days, 40000.0);
    EXPECT_EQ(t.comments, u"");
    EXPECT_TRUE(t.logoPath.empty());
    EXPECT_TRUE(page.logo().isNull());
    EXPECT_GT(marks, 0);
}

TEST(FitLogoRect, KeepsProportionsAndCentres)
{
    struct Case {
        QSize picture, client;
        QRect expected;
    } cases[] = {
        {{100, 50}, {200, 100}, {50, 25, 100, 50}},   // fits: own size, centred
        {{400, 100}, {200, 100}, {0, 25, 200, 50}},   // too wide
        {{100, 400}, {200, 100}, {87, 0, 25, 100}},   // too tall
        {{300, 150}, {200, 120}, {0, 10, 200, 100}},  // both, width exceeds more
        {{210, 300}, {200, 100}, {65, 0, 70, 100}},   // both, height exceeds more
        {{-1, -1}, {200, 100}, {}},                   // no picture
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitLogoRect(c.picture, c.client), c.expected) << c.picture.width();
}

}  // namespace
}  // namespace calivue
