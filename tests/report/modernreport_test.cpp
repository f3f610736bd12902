// The modern layout: its pages as items (every text inside its box and the page, texts that
// continue on following pages, the panes a snapshot prints), the finding rows, and whole
// reports read back with the PDF tools (outline, links, title and author, text, fonts).
#include "report/engine/findingtext.h"
#include "report/engine/modernpages.h"
#include "report/engine/modernpictures.h"
#include "report/engine/pdfnavigation.h"
#include "report/engine/reportgenerator.h"

#include "generator.h"
#include "qtfiles.h"
#include "snapshotfolder.h"
#include "platform/languagemodules.h"
#include "platform/languagetable.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include "core/constants.h"
#include "core/displaystate.h"

#include "paint/snapshotpainter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextLayout>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace calivue {
namespace {

using test::tool;

QString words(int n, const QString& word)
{
    QStringList out;
    for (int i = 0; i < n; ++i) out << word + QString::number(i);
    return out.join(u' ');
}

ModernInspectionData sampleData()
{
    ModernInspectionData d;
    d.page.number = 4;
    d.page.record.name = u"Main distribution board";
    d.page.snapshot.loaded = true;
    d.page.snapshot.emissivity = QStringLiteral("0.95");
    d.page.captions = defaultReportCaptions().details;
    d.pictures.spanHigh = QStringLiteral("45.0 \u00B0C");
    d.pictures.spanLow = QStringLiteral("20.0 \u00B0C");
    for (int i = 0; i < 3; ++i)
        d.readings.push_back(
            {QString::number(i + 1), 0xFF000000, QStringLiteral("30.0 \u00B0C"), {}});
    return d;
}

const QFont& fontOf(const ReportFonts& f, ReportFont which)
{
    return which == ReportFont::Bold ? f.bold : (which == ReportFont::Heading ? f.heading : f.body);
}

// Every text item's text, measured in the PDF device's metrics as the painter lays it out,
// lies inside its box (shrunk as the painter shrinks it), and every item inside the page
// above the footer.
void expectEverythingInside(const std::vector<PageItems>& pages, const char* what)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter device(&buffer);
    device.setResolution(300);
    const ReportFonts fonts = reportFonts();
    for (std::size_t p = 0; p < pages.size(); ++p)
        for (const PageItem& item : pages[p]) {
            const PageRect& r = item.rect;
            EXPECT_TRUE(r.x1 >= 0 && r.y1 >= 0 && r.x2 <= 2480 && r.y2 <= 3400 && r.x1 < r.x2 &&
                        r.y1 < r.y2)
                << what << " page " << p << ": " << item.text.toStdString();
            if (item.text.isEmpty()) continue;
            const int shrink = item.kind == PageItem::Kind::Heading ? 0 : 10;
            const QRectF inner(r.x1 + shrink, r.y1 + shrink, r.x2 - r.x1 - 2 * shrink,
                               r.y2 - r.y1 - 2 * shrink);
            const QFontMetricsF m(fontOf(fonts, item.font), &device);
            const QRectF used = m.boundingRect(inner, Qt::AlignLeft | Qt::AlignTop, item.text);
            EXPECT_LE(used.width(), inner.width() + 0.5)
                << what << " page " << p << ": " << item.text.toStdString();
            EXPECT_LE(used.height(), inner.height() + 0.5)
                << what << " page " << p << ": " << item.text.toStdString();
        }
}

// No box, picture or text overlaps another on any page. Table cells may share their edges;
// texts may overlap only inside one box without text of their own (the finding's sentences
// stand one under the other in one box).
void expectNoOverlaps(const std::vector<PageItems>& pages, const std::string& what)
{
    const auto rect = [](const PageItem& i) {
        return QRect(QPoint(i.rect.x1, i.rect.y1), QPoint(i.rect.x2 - 1, i.rect.y2 - 1));
    };
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const PageItems& items = pages[p];
        std::vector<int> holder(items.size(), -1);  // the text-less box a text stands in
        for (std::size_t a = 0; a < items.size(); ++a)
            for (std::size_t b = 0; b < items.size(); ++b)
                if (items[a].kind == PageItem::Kind::Label &&
                    items[b].kind == PageItem::Kind::Box && items[b].text.isEmpty() &&
                    rect(items[b]).contains(rect(items[a])))
                    holder[a] = static_cast<int>(b);
        for (std::size_t a = 0; a < items.size(); ++a)
            for (std::size_t b = a + 1; b < items.size(); ++b) {
                if (!rect(items[a]).intersects(rect(items[b]))) continue;
                if (holder[a] >= 0 && (holder[a] == static_cast<int>(b) || holder[a] == holder[b]))
                    continue;
                if (holder[b] >= 0 && holder[b] == static_cast<int>(a)) continue;
                const auto at = [](const PageItem& i) {
                    return " at " + std::to_string(i.rect.x1) + "," + std::to_string(i.rect.y1) +
                           "-" + std::to_string(i.rect.x2) + "," + std::to_string(i.rect.y2);
                };
                ADD_FAILURE() << what << " page " << p << ": \"" << items[a].text.toStdString()
                              << "\"" << at(items[a]) << " overlaps \""
                              << items[b].text.toStdString() << "\"" << at(items[b]);
            }
    }
}

QString allText(const std::vector<PageItems>& pages)
{
    QString out;
    for (const PageItems& page : pages)
        for (const PageItem& i : page) out += i.text + u'\n';
    return out;
}

// Catches a text cut by a fixed box, an item off the page or over the footer, and a word lost
// where a text continues on the next page; for short, long and very long texts and a word
// wider than any box.
TEST(ModernPages, EveryTextFitsItsBoxAndNothingIsLost)
{
    const QString giant = QString(400, u'W');
    const struct {
        const char* what;
        QString comment, fault, name, equipment;
        std::size_t minPages;
    } cases[] = {
        {"short", QStringLiteral("ok"), QStringLiteral("Tighten."), QStringLiteral("Pump"),
         QStringLiteral("MDB-1"), 1},
        {"four lines", words(60, QStringLiteral("hot")), words(60, QStringLiteral("fault")),
         words(20, QStringLiteral("name")), words(30, QStringLiteral("equip")), 1},
        {"long fault", QStringLiteral("c"), words(1500, QStringLiteral("torque")),
         QStringLiteral("P"), QStringLiteral("E"), 3},
        {"giant word", giant, giant + QStringLiteral(" end"), giant, giant, 1},
        {"line breaks", QStringLiteral("a\n\nb\r\nc"), words(30, QStringLiteral("x\n")),
         QStringLiteral("n"), QStringLiteral("e"), 1},
    };
    const ReportFonts fonts = reportFonts();
    const StringTable texts = StringTable::english();
    for (const auto& c : cases) {
        ModernInspectionData d = sampleData();
        d.page.record.comment = c.comment.toStdU16String();
        d.page.record.faultAction = c.fault.toStdU16String();
        d.page.record.name = c.name.toStdU16String();
        d.page.record.equipment = c.equipment.toStdU16String();
        d.pictures.photograph = d.pictures.blend = true;
        const std::vector<PageItems> pages = modernInspectionPages(d, fonts, texts);
        EXPECT_GE(pages.size(), c.minPages) << c.what;
        expectEverythingInside(pages, c.what);
        expectNoOverlaps(pages, c.what);
        // Every word of every text is printed, in order (the continuation headings between).
        const QString printed = allText(pages)
                                    .remove(QStringLiteral("Inspection 4 (continued)"))
                                    .simplified()
                                    .remove(u' ');
        for (const QString& t : {c.comment, c.fault, c.equipment}) {
            const QString want = QString(t).simplified().remove(u' ');
            EXPECT_TRUE(printed.contains(want)) << c.what << ": " << t.left(60).toStdString();
        }
        for (std::size_t p = 1; p < pages.size(); ++p)
            EXPECT_EQ(pages[p].front().text, QStringLiteral("Inspection 4 (continued)"))
                << c.what << " page " << p;
    }
}

// Catches an inspection that carries over onto a page of its own while its content fits one
// (a repair table alone on an "(continued)" page), and tables laid over the pictures: for
// each set of panes, with a realistic three-line comment and a four-sentence finding.
TEST(ModernPages, AnInspectionThatFitsTakesOnePage)
{
    const struct {
        bool photograph, blend;
        int orientation;
        int commentWords;
        std::size_t pages;
    } cases[] = {
        {false, false, 0, 45, 1}, {true, false, 0, 45, 1},  {true, false, 0, 0, 1},
        {true, true, 0, 45, 1},   {false, false, 1, 45, 1}, {true, false, 0, 700, 2},
        {true, false, 1, 45, 2},
    };
    const StringTable texts = StringTable::english();
    for (const auto& c : cases) {
        ModernInspectionData d = sampleData();
        d.pictures.photograph = c.photograph;
        d.pictures.blend = c.blend;
        d.pictures.orientation = c.orientation;
        d.page.record.comment = words(c.commentWords, QStringLiteral("warm")).toStdU16String();
        d.finding.concern = FindingReading{Measurement{Measurement::Kind::Cursor, 0}, 40.0};
        d.finding.reference = FindingReading{std::nullopt, 20.0};
        d.finding.deltaT = 20.0;
        d.finding.severity = SeverityBand{15.0, true, u"Major discrepancy; repair immediately", 5};
        d.finding.priority = 5;
        d.finding.warnings = {FindingWarning::LoadUnknown};
        d.page.repairDates = {QStringLiteral("17.05.2024"), QStringLiteral("18.05.2024"), {}};
        d.page.record.reinspectedInitials = u"JD";
        const std::vector<PageItems> pages = modernInspectionPages(d, reportFonts(), texts);
        const std::string what = std::to_string(c.photograph) + std::to_string(c.blend) +
                                 std::to_string(c.orientation) + " " +
                                 std::to_string(c.commentWords);
        EXPECT_EQ(pages.size(), c.pages) << what;
        expectNoOverlaps(pages, what);
        expectEverythingInside(pages, what.c_str());
        // The repair table's words and dates are never broken inside.
        for (const QString& whole :
             {QStringLiteral("17.05.2024"), QStringLiteral("Reinspected"), QStringLiteral("JD")})
            EXPECT_TRUE(allText(pages).split(u'\n').contains(whole))
                << what << " " << whole.toStdString();
        // The repair table is never all a page holds.
        for (std::size_t p = 1; p < pages.size(); ++p)
            EXPECT_TRUE(allText({pages[p]}).contains(QStringLiteral("warm")))
                << what << " page " << p;
    }
}

// Catches a temperature or percentage whose unit wraps onto the next line apart from its
// number ("14.8" / "°C"), and a laid-out line that loses or changes a character, at every
// width from one that holds a number with its unit to wide.
TEST(ModernPages, NumbersKeepTheirUnitsOnTheirLine)
{
    const QFont font = reportFonts().body;
    for (const QString& text :
         {QStringLiteral("\u0394T 24.7 \u00B0C: Hot 14.8 \u00B0C against Cold -9.9 \u00B0C"),
          QStringLiteral("load 40 % of 300 K rated, 12 Kabel"),
          QStringLiteral("\u0394T 24.7 \u00B0C\uFF1A\u6700\u9AD8\u6E29 14.8 \u00B0C \u5BFE")}) {
        for (int width = 200; width <= 1400; width += 7) {
            const QStringList lines = layoutLines(text, font, width);
            for (const QString& line : lines)
                EXPECT_FALSE(line.startsWith(u'\u00B0') || line.startsWith(u'%') ||
                             line.startsWith(QStringLiteral("K ")) || line == QStringLiteral("K"))
                    << width << ": " << lines.join(u'|').toStdString();
            EXPECT_EQ(QString(lines.join(QString())).remove(u' '), QString(text).remove(u' '))
                << width;
        }
    }
}

// Catches a text of the report's own language (longer German words, Japanese without blanks,
// Hebrew read from the right) that runs out of its box or off the page on the inspection and
// summary pages, for short and long user texts.
TEST(ModernPages, EveryLanguagesTextsFitTheirBoxes)
{
    const LanguageModules modules;
    const ReportFonts fonts = reportFonts();
    for (const Language language :
         {Language::English, Language::German, Language::Japanese, Language::Hebrew}) {
        const LanguageLoad load = modules.load(language);
        ASSERT_TRUE(load.ok()) << language;
        const StringTable& texts = load.table;
        for (const QString& user :
             {QStringLiteral("Pumpe"), words(40, QStringLiteral("Schaltschrankverdrahtung")),
              QString(300, QChar(0x6E29)),
              words(50, QStringLiteral("\u05D7\u05D9\u05D1\u05D5\u05E8"))}) {
            ModernInspectionData d = sampleData();
            d.page.language = language;
            d.page.record.comment = d.page.record.faultAction = d.page.record.location =
                d.page.record.equipment = d.page.record.name = user.toStdU16String();
            d.pictures.photograph = d.pictures.blend = true;
            d.readings.push_back({QStringLiteral("Hot"), 0xFF000000,
                                  QStringLiteral("123.4 \u00B0C"), QStringLiteral("0.95")});
            std::vector<PageItems> pages = modernInspectionPages(d, fonts, texts);
            std::vector<PageItems> summary =
                modernSummaryPages(std::vector<cInspectionRecord>(12, d.page.record),
                                   std::vector<int>(12, 3), fonts, texts);
            pages.insert(pages.end(), summary.begin(), summary.end());
            if (language == Language::Hebrew)
                for (PageItems& page : pages) mirrorForRightToLeft(page);
            const std::string what =
                std::to_string(languageNumber(language)) + " " + user.left(12).toStdString();
            expectEverythingInside(pages, what.c_str());
            expectNoOverlaps(pages, what);
        }
    }
}

// Catches a section label ("Comment") left alone at the foot of a page while its text moves
// to the next one, for comments and fault texts of every length up to several pages.
TEST(ModernPages, NoSectionLabelEndsAPage)
{
    const ReportFonts fonts = reportFonts();
    const StringTable texts = StringTable::english();
    for (int n = 1; n < 700; n += 13) {
        ModernInspectionData d = sampleData();
        d.pictures.photograph = true;
        d.page.record.comment = words(n, QStringLiteral("warm")).toStdU16String();
        d.page.record.faultAction = words(n / 2 + 1, QStringLiteral("fix")).toStdU16String();
        const std::vector<PageItems> pages = modernInspectionPages(d, fonts, texts);
        for (std::size_t p = 0; p < pages.size(); ++p) {
            const PageItem& last = pages[p].back();
            EXPECT_FALSE(last.kind == PageItem::Kind::Label && last.font == ReportFont::Bold &&
                         last.rect.x1 == 100 && last.rect.x2 == 2380)
                << n << " words, page " << p << ": " << last.text.toStdString();
        }
    }
}

// Catches a summary row that cuts a long fault text or location, a row over the page's foot,
// and a priority printed out of its colour.
TEST(ModernPages, SummaryRowsGrowAndContinue)
{
    std::vector<cInspectionRecord> records(30);
    std::vector<int> priorities(30, 0);
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].location = u"Room " + std::u16string(i % 3 == 0 ? 40 : 1, u'x');
        records[i].faultAction =
            words(i == 7 ? 900 : 12, QStringLiteral("fault") + QString::number(i) + u'_')
                .toStdU16String();
        priorities[i] = static_cast<int>(i % 6);
    }
    const std::vector<PageItems> pages =
        modernSummaryPages(records, priorities, reportFonts(), StringTable::english());
    EXPECT_GE(pages.size(), 3u);
    expectEverythingInside(pages, "summary");
    // The fault column below the headers, read in order.
    QString printed;
    for (const PageItems& page : pages)
        for (const PageItem& i : page)
            if (i.rect.x1 == 1350 && i.rect.y1 != 270) printed += i.text + u' ';
    printed = printed.simplified().remove(u' ');
    for (const cInspectionRecord& r : records)
        EXPECT_TRUE(printed.contains(QString::fromStdU16String(r.faultAction).remove(u' ')));
    for (const PageItems& page : pages)
        for (const PageItem& i : page)
            if (i.text == QStringLiteral("5") && i.rect.x1 == 2180) {
                EXPECT_EQ(i.colour, priorityColour(5));
            }
}

// Catches a photograph box printed for a snapshot without photograph and a blend pane that
// repeats the thermal picture.
TEST(ModernPages, PanesFollowThePhotographAndTheBlend)
{
    const struct {
        bool photograph, blend;
        std::vector<int> pictures;
    } cases[] = {
        {false, false, {PictureThermal, PictureScale}},
        {true, false, {PictureThermal, PictureScale, PicturePhotograph}},
        {true, true, {PictureThermal, PictureScale, PicturePhotograph, PictureBlend}},
    };
    for (const auto& c : cases) {
        ModernInspectionData d = sampleData();
        d.pictures.photograph = c.photograph;
        d.pictures.blend = c.blend;
        std::vector<int> got;
        const auto pages = modernInspectionPages(d, reportFonts(), StringTable::english());
        for (const PageItem& i : pages.front())
            if (i.kind == PageItem::Kind::Picture) got.push_back(i.picture);
        EXPECT_EQ(got, c.pictures) << c.photograph << c.blend;
        const QString text = allText(pages);
        EXPECT_EQ(text.contains(QStringLiteral("Visible Image")), c.photograph);
        // The thermal picture is at least half the page wide.
        for (const PageItem& i : pages.front())
            if (i.kind == PageItem::Kind::Picture && i.picture == PictureThermal) {
                EXPECT_GE(i.rect.x2 - i.rect.x1, 1240);
            }
    }
}

// Catches a black photograph taken for a picture, and a photograph with one lit pixel lost.
TEST(ModernPictures, AllBlackPhotographIsNoPhotograph)
{
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(2 * kWidth * kHeight * 3), 0);
    cBitmapFile black;
    ASSERT_EQ(black.CreateFromPixels(2 * kWidth, kHeight, pixels), Error::None);
    EXPECT_FALSE(photographShown(black));
    // A lit pixel in the thermal half is not a photograph; in the visual half it is.
    pixels[3 * 5] = 9;
    ASSERT_EQ(black.CreateFromPixels(2 * kWidth, kHeight, pixels), Error::None);
    EXPECT_FALSE(photographShown(black));
    pixels[static_cast<std::size_t>(3 * (kWidth + 300) + 6 * kWidth * 100)] = 1;
    ASSERT_EQ(black.CreateFromPixels(2 * kWidth, kHeight, pixels), Error::None);
    EXPECT_TRUE(photographShown(black));
    EXPECT_FALSE(photographShown(cBitmapFile()));
}

// Catches a finding sentence the modern page leaves out or prints out of its class colour.
TEST(ModernPages, PrintsEverySentenceOfTheFindingInItsColour)
{
    const StringTable texts = StringTable::english();
    ModernInspectionData d = sampleData();
    d.settings.loadExponent = 1.6;
    Finding& f = d.finding;
    f.concern = FindingReading{Measurement{Measurement::Kind::Cursor, 0}, 40.0};
    f.reference = FindingReading{std::nullopt, 20.0};
    f.deltaT = 20.0;
    f.loadPercent = 50.0;
    f.deltaTCorrected = 60.6;
    f.severity = SeverityBand{15.0, true, u"Major discrepancy; repair immediately", 5};
    f.priority = 5;
    f.priorityManual = true;
    f.warnings = {FindingWarning::LoadUnknown, FindingWarning::LoadBelowMinimum};
    const std::vector<PrintedLine> lines =
        findingLines(f, d.settings, ReportTemplate::Maintenance, TempUnit::Celsius, texts);
    ASSERT_GE(lines.size(), 5u);
    const auto pages = modernInspectionPages(d, reportFonts(), texts);
    for (const PrintedLine& line : lines) {
        bool found = false;
        for (const PageItem& i : pages.front())
            found =
                found || (i.text.simplified() == line.text.simplified() && i.colour == line.colour);
        EXPECT_TRUE(found) << line.text.toStdString();
    }
    // The priority box prints the priority in force in its colour.
    bool box = false;
    for (const PageItem& i : pages.front())
        box = box || (i.kind == PageItem::Kind::Box && i.text == QStringLiteral("5") &&
                      i.colour == priorityColour(5));
    EXPECT_TRUE(box);
}

class ModernReport : public test::SnapshotFolderTest {};

// Catches report pictures that do not turn as the analysis window turns the snapshot: for
// every orientation the thermal pane is the window's picture (same aspect, same pixels), the
// photograph turns with it, and a portrait pane keeps half the page's width.
TEST_F(ModernReport, PicturesFollowTheSnapshotsOrientation)
{
    const StringTable texts = StringTable::english();
    for (int o = 0; o < 4; ++o) {
        gen::SnapshotPlan plan = gen::demoPlan(5);
        plan.orientation = static_cast<std::uint8_t>(o);
        plan.alignX = plan.alignY = 0;
        const cInspectionImage entry = snapshot("IR_O" + std::to_string(o), plan);
        ReportSnapshot s;
        ASSERT_EQ(loadReportSnapshot(QString::fromStdU16String(entry.snapshotPath),
                                     QString::fromStdU16String(entry.bitmapPath), s),
                  Error::None);
        s.markers.clear();
        const ModernPictureFacts facts = modernPictureFacts(s);
        EXPECT_EQ(facts.orientation, o);
        const ModernPictures pictures = renderModernPictures(s, QSize(640, 480), texts);
        const QSize want = o % 2 ? QSize(480, 640) : QSize(640, 480);
        ASSERT_EQ(pictures.thermal.size(), want) << o;
        // The window's picture: the snapshot's own state, its orientation included.
        DisplayState window = displayStateOf(s.image);
        window.blendMode = 0;
        QImage shown(want, QImage::Format_RGB888);
        {
            QPainter p(&shown);
            cSnapshotPainter painter;
            ASSERT_TRUE(painter.Paint(p, shown.rect(), s.image, window, {}, MarkerStyle::Numbered));
        }
        EXPECT_EQ(pictures.thermal, shown) << o;
        // The photograph's corners land where the turn puts them.
        ASSERT_EQ(pictures.photograph.size(), want) << o;
        const auto photoPixel = [&](double a, double b) {
            const auto cut = s.bitmap.CutRegion(kWidth, 0, 2 * kWidth, kHeight);
            const int x = static_cast<int>(a * kWidth),
                      row = kHeight - 1 - static_cast<int>(b * kHeight);
            const std::uint8_t* px = cut->data() + (static_cast<std::size_t>(row) * kWidth + x) * 3;
            return qRgb(px[2], px[1], px[0]);
        };
        for (const QPointF at : {QPointF(0.1, 0.1), QPointF(0.8, 0.2), QPointF(0.3, 0.85)}) {
            const QPointF t = cSnapshotPainter::TurnedPoint(at, o);
            const QRgb got = pictures.photograph.pixel(static_cast<int>(t.x() * want.width()),
                                                       static_cast<int>(t.y() * want.height()));
            const QRgb src = photoPixel(at.x(), at.y());
            EXPECT_LE(std::abs(qRed(got) - qRed(src)) + std::abs(qGreen(got) - qGreen(src)) +
                          std::abs(qBlue(got) - qBlue(src)),
                      60)
                << o << " " << at.x() << "," << at.y();
        }
    }
    // The page: a portrait pane as wide as a landscape one, taller than wide.
    ModernInspectionData d = sampleData();
    d.pictures.orientation = 1;
    const std::vector<PageItems> pages = modernInspectionPages(d, reportFonts(), texts);
    for (const PageItem& i : pages.front())
        if (i.kind == PageItem::Kind::Picture && i.picture == PictureThermal) {
            EXPECT_EQ(i.rect.x2 - i.rect.x1, 1240);
            EXPECT_GT(i.rect.y2 - i.rect.y1, i.rect.x2 - i.rect.x1);
        }
}

// Catches a number split from its unit or from its sign in a right-to-left text, and a code
// such as "P-101" torn apart by an isolate.
TEST(ModernRightToLeft, NumbersWithTheirUnitsAreIsolated)
{
    const QString lri(QChar(0x2066)), pdi(QChar(0x2069));
    const struct {
        QString in, out;
    } cases[] = {
        {QStringLiteral("86.0 \u00B0C"), lri + QStringLiteral("86.0 \u00B0C") + pdi},
        {QStringLiteral("\u05E1 -5,5 K \u05E1"), QStringLiteral("\u05E1 ") + lri +
                                                     QStringLiteral("-5,5 K") + pdi +
                                                     QStringLiteral(" \u05E1")},
        {QStringLiteral("0.95"), lri + QStringLiteral("0.95") + pdi},
        {QStringLiteral("12.03.2024 9:05"),
         lri + QStringLiteral("12.03.2024") + pdi + u' ' + lri + QStringLiteral("9:05") + pdi},
        {QStringLiteral("40%"), lri + QStringLiteral("40%") + pdi},
        {QStringLiteral("P-101 L2 MDB-1"), QStringLiteral("P-101 L2 MDB-1")},
        {QStringLiteral("3 Kabel"), lri + QStringLiteral("3") + pdi + QStringLiteral(" Kabel")},
        // Hebrew joins "from" to the number with a hyphen; an isolated number stays as it is.
        {QStringLiteral("\u05DE-4.0 \u00B0C"),
         QStringLiteral("\u05DE-") + lri + QStringLiteral("4.0 \u00B0C") + pdi},
        {lri + QStringLiteral("86.0 \u00B0C") + pdi, lri + QStringLiteral("86.0 \u00B0C") + pdi},
        // A snapshot's name keeps its digits: isolated they would move before "IR_".
        {QStringLiteral("\u05D1 1 - IR_0001"),
         QStringLiteral("\u05D1 ") + lri + u'1' + pdi + QStringLiteral(" - IR_0001")},
        // "from 1.0 °C": the Hebrew prefix keeps its hyphen, the number is no negative one.
        {QStringLiteral("\u05DE-1.0 \u00B0C"),
         QStringLiteral("\u05DE-") + lri + QStringLiteral("1.0 \u00B0C") + pdi},
        {QStringLiteral("\u05DE -1.0 \u00B0C"),
         QStringLiteral("\u05DE ") + lri + QStringLiteral("-1.0 \u00B0C") + pdi},
    };
    for (const auto& c : cases) EXPECT_EQ(isolateNumbers(c.in), c.out) << c.in.toStdString();

    // What the isolate is for: in a Hebrew line the number stays left of its unit.
    const QString line = QStringLiteral(
        "\u05D8\u05DE\u05E4\u05E8\u05D8\u05D5\u05E8\u05D4 86.0 "
        "\u00B0C \u05D1\u05E1\u05DE\u05DF");
    const auto numberLeftOfUnit = [](const QString& text) {
        QTextLayout layout(text, reportFonts().body);
        QTextOption option;
        option.setTextDirection(Qt::RightToLeft);
        layout.setTextOption(option);
        layout.beginLayout();
        const QTextLine l = layout.createLine();
        layout.endLayout();
        const qsizetype digit = text.indexOf(u'8'), unit = text.indexOf(u'C');
        // Cursor places inside the runs: a place at a run's edge may lie at either end.
        return l.cursorToX(static_cast<int>(digit) + 1) < l.cursorToX(static_cast<int>(unit));
    };
    EXPECT_FALSE(numberLeftOfUnit(line));  // the fault the isolate mends
    EXPECT_TRUE(numberLeftOfUnit(isolateNumbers(line)));
}

// Catches a Hebrew page that keeps the left-to-right layout (tables read from the left, the
// scale right of the picture), an item pushed off the page by the mirror, and a Latin text
// on a Hebrew page drawn left-aligned or reordered.
TEST(ModernRightToLeft, PagesMirrorAndTextsKeepTheirOwnOrder)
{
    ModernInspectionData d = sampleData();
    d.page.record.comment = u"\u05D4\u05E2\u05E8\u05D4 86.0 \u00B0C";
    std::vector<PageItems> pages = modernInspectionPages(d, reportFonts(), StringTable::english());
    const PageItems before = pages.front();
    for (PageItems& page : pages) mirrorForRightToLeft(page);
    expectEverythingInside(pages, "mirrored");
    const auto xOf = [](const PageItems& items, const QString& text) {
        for (const PageItem& i : items)
            if (i.text == text) return i.rect.x1;
        return -1;
    };
    const PageItems& after = pages.front();
    ASSERT_EQ(after.size(), before.size());
    // The readings table reads from the right: the marker column right of the temperature.
    EXPECT_LT(xOf(before, QStringLiteral("Marker")), xOf(before, QStringLiteral("Temperature")));
    EXPECT_GT(xOf(after, QStringLiteral("Marker")), xOf(after, QStringLiteral("Temperature")));
    for (std::size_t k = 0; k < after.size(); ++k) {
        EXPECT_TRUE(after[k].rightToLeft);
        EXPECT_EQ(after[k].rect.x1, 2480 - before[k].rect.x2);
        EXPECT_EQ(after[k].rect.x2 - after[k].rect.x1, before[k].rect.x2 - before[k].rect.x1);
    }
    // Painted: a Latin text and a Hebrew one both end at their box's right edge.
    for (const QString& text :
         {QStringLiteral("Plant room B, level -1"), QStringLiteral("\u05D7\u05D3\u05E8 86")}) {
        PageItems items = {pageItem(PageItem::Kind::Label, {100, 100, 1500, 200}, text)};
        mirrorForRightToLeft(items);
        QImage page(2480, 300, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter p(&page);
        paintPageItems(p, items, reportFonts());
        p.end();
        int left = page.width(), right = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        EXPECT_GT(right, 2380 - 10 - 40) << text.toStdString();
        EXPECT_GT(left, 980 + 400) << text.toStdString();
    }
}

// Catches a modern report without outline, contents links, text the tools cannot find, a font
// not embedded, a classic report that gained navigation, and either without title or author.
TEST_F(ModernReport, ReadsBackWithOutlineLinksAndTexts)
{
    ReportJob job;
    for (int i = 0; i < 3; ++i) {
        job.entries.push_back(snapshot("IR_" + std::to_string(i), gen::demoPlan(3 + i)));
        job.records.emplace_back().name = u"Feeder " + std::u16string(1, u'A' + i);
    }
    job.records[1].faultAction = words(1200, QStringLiteral("tighten")).toStdU16String();
    job.findings.records.resize(3);
    job.title.company = u"Acme Thermography";
    job.title.author = u"J. Doe";
    job.detailsCaptions = defaultReportCaptions().details;
    job.titleCaptions = defaultReportCaptions().title;
    for (const ReportLayout layout : {ReportLayout::Modern, ReportLayout::Classic}) {
        job.layout = layout;
        const bool modern = layout == ReportLayout::Modern;
        job.outputPath = path(modern ? QStringLiteral("m.pdf") : QStringLiteral("c.pdf"));
        const ReportOutcome outcome = writeReport(job);
        ASSERT_EQ(outcome.error, Error::None) << outcome.message.toStdString();
        int code = -1;
        const auto json = tool(QStringLiteral("qpdf"), {QStringLiteral("--json"), job.outputPath});
        if (!json) GTEST_SKIP() << "qpdf not installed";
        ASSERT_TRUE(
            tool(QStringLiteral("qpdf"), {QStringLiteral("--check"), job.outputPath}, &code));
        EXPECT_EQ(code, 0);
        const QJsonObject doc = QJsonDocument::fromJson(json->toUtf8()).object();
        const QJsonArray outlines = doc[QStringLiteral("outlines")].toArray();
        // Both layouts name the report and its author in the document information.
        const auto info = tool(QStringLiteral("pdfinfo"), {job.outputPath});
        ASSERT_TRUE(info);
        EXPECT_TRUE(info->contains(QRegularExpression(
            QStringLiteral("Title:\\s+Acme Thermography \u2013 Thermography Inspection Report"))))
            << info->toStdString();
        EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Author:\\s+J. Doe"))));
        if (!modern) {
            EXPECT_TRUE(outlines.isEmpty());
            EXPECT_EQ(outcome.pages, 6);
            continue;
        }
        // Title, contents, three inspections, summary, criteria; the long fault text continues.
        ASSERT_EQ(outlines.size(), 7);
        const QStringList titles = {QStringLiteral("Thermography Inspection Report"),
                                    QStringLiteral("Contents"),
                                    QStringLiteral("Inspection 1 - Feeder A"),
                                    QStringLiteral("Inspection 2 - Feeder B"),
                                    QStringLiteral("Inspection 3 - Feeder C"),
                                    QStringLiteral("Summary"),
                                    QStringLiteral("Severity criteria")};
        std::vector<int> targets;
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(outlines[i][QStringLiteral("title")].toString(), titles[i]);
            targets.push_back(outlines[i][QStringLiteral("destpageposfrom1")].toInt());
        }
        EXPECT_EQ(targets[0], 1);
        EXPECT_EQ(targets[2], 3);
        EXPECT_GE(targets[4] - targets[3], 2) << "inspection 2 continues";
        EXPECT_GT(targets[5], targets[4]);
        EXPECT_EQ(targets[6], outcome.pages);
        // One link per contents row (three inspections, summary, appendix), each to a page.
        const auto objects =
            tool(QStringLiteral("qpdf"),
                 {QStringLiteral("--json"), QStringLiteral("--json-key=qpdf"), job.outputPath});
        const QJsonObject all = QJsonDocument::fromJson(objects->toUtf8())
                                    .object()[QStringLiteral("qpdf")][1]
                                    .toObject();
        int links = 0;
        for (const QJsonValue& o : all) {
            const QJsonObject v = o[QStringLiteral("value")].toObject();
            if (v[QStringLiteral("/Subtype")].toString() != QStringLiteral("/Link")) continue;
            ++links;
            EXPECT_EQ(v[QStringLiteral("/Dest")].toArray().size(), 2);
        }
        EXPECT_EQ(links, 5);

        const auto text = tool(QStringLiteral("pdftotext"), {job.outputPath, QStringLiteral("-")});
        for (const QString& want :
             {QStringLiteral("Inspection 2 (continued)"), QStringLiteral("tighten1199"),
              QStringLiteral("Thermal Snapshot"), QStringLiteral("Marker"),
              QStringLiteral("Severity criteria"), QStringLiteral("Acme Thermography")})
            EXPECT_TRUE(text->contains(want)) << want.toStdString();
        // Every word of the long fault text, not only its first lines of each page.
        std::set<int> printed;
        for (auto it = QRegularExpression(QStringLiteral("\\btighten(\\d+)\\b")).globalMatch(*text);
             it.hasNext();)
            printed.insert(it.next().captured(1).toInt());
        EXPECT_EQ(printed.size(), 1200u);
        const auto fonts = tool(QStringLiteral("pdffonts"), {job.outputPath});
        for (const QString& line : fonts->split(u'\n').mid(2))
            if (!line.isEmpty()) {
                EXPECT_TRUE(line.contains(QStringLiteral(" yes "))) << line.toStdString();
            }
    }
}

// Catches navigation that names pages the document lacks, and bytes that are no PDF taken
// for one.
TEST(PdfNavigation, RefusesBytesThatAreNoPdf)
{
    QString problem;
    EXPECT_TRUE(addPdfNavigation(QByteArrayLiteral("not a pdf"), {}, &problem).isEmpty());
    EXPECT_FALSE(problem.isEmpty());
}

// Catches a document written whole into memory again (one piece however large), pieces that
// differ from the document in memory, and a refusing sink that is called on or crashes the
// writer instead of ending it with a failure.
TEST(PdfNavigation, WritesInPiecesAndStopsAtARefusal)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        QImage noise(400, 400, QImage::Format_RGB32);
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width(); ++x)
                noise.setPixel(x, y, static_cast<QRgb>((x * 7919u + y * 104729u) * 2654435761u));
        for (int page = 0; page < 3; ++page) {
            if (page > 0) writer.newPage();
            painter.drawImage(QRect(0, 0, 2000, 2000), noise);
        }
    }
    const QByteArray pdf = buffer.data();
    PdfNavigation nav;
    nav.title = QStringLiteral("Survey");
    nav.outline = {{QStringLiteral("One"), 0}, {QStringLiteral("Three"), 2}};
    const QByteArray whole = addPdfNavigation(pdf, nav);
    ASSERT_GT(whole.size(), 2 * 65536);
    QByteArray pieces;
    int count = 0;
    EXPECT_TRUE(writePdfWithNavigation(pdf, nav, [&](std::span<const char> piece) {
        pieces.append(piece.data(), static_cast<qsizetype>(piece.size()));
        ++count;
        return true;
    }));
    EXPECT_EQ(pieces, whole);
    EXPECT_GT(count, 2);
    int refused = 0;
    QString problem;
    EXPECT_FALSE(writePdfWithNavigation(
        pdf, nav, [&](std::span<const char>) { return ++refused > 1; }, &problem));
    EXPECT_EQ(refused, 1);
}

}  // namespace
}  // namespace calivue
