// The finding group of the inspection data page on a generated snapshot: the class in its
// colour and the warnings for known loads and references, the priority in force with its
// source and the way back to the suggestion, and the temperature factor of a building.
#include "report/detailsdlg.h"
#include "report/detailsdlg_controls.h"
#include "report/engine/detailsdlg_text.h"
#include "report/engine/findingtext.h"
#include "report/imageselectdlg.h"
#include "detailsfixture.h"
#include "document/reportdoc.h"
#include "report/engine/reporttext.h"

#include "generator.h"
#include "platform/languagemodules.h"
#include "platform/languagetable.h"

#include "core/snapshotfiles.h"
#include "paint/severitycolour.h"
#include "platform/fspath.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace calivue {
namespace {

class FindingPage : public test::DetailsPagesTest {
protected:
    // A page of `templateNumber` on one demo snapshot whose record holds `record`; `concern`
    // is the reading of its first measurement (cursor 1) in °C.
    void build(int templateNumber, const cInspectionRecord& record = {})
    {
        newPages(templateNumber);
        const QString base =
            test::addLowerCaseSnapshot(*images, dir, "IR_1000", gen::demoPlan(5), 0);
        ASSERT_FALSE(base.isEmpty());
        report->setRecord(0, record);
        cBrixa image;
        ASSERT_EQ(openSnapshot(toFsPath(base + QStringLiteral(".qvx")), image), Error::None);
        ASSERT_TRUE(image.buildArrays());
        concern = image.markerTemperature(0);
        page->activatePage();
        ASSERT_EQ(page->currentInspection(), 1);
    }

    const FindingControls& f() const { return page->controls().finding; }
    QString colourOf(const QLabel* l) const { return l->styleSheet(); }

    double concern = 0.0;
};

// Against the ambient air 12 K below the concern reading (ΔT 12), half load (ΔTc 48 with
// n = 2): each criteria and option gives its class, colour and suggestion, and each load its
// warning. Catches a class taken from the wrong difference, a warning lost or not worded.
TEST_F(FindingPage, ShowsTheClassInItsColourAndTheWarnings)
{
    struct Case {
        Criteria criteria;
        bool corrected;
        const char16_t* measured;
        const char16_t* rated;
        int priority;  // the class's, 0 none
        std::vector<FindingWarning> warnings;
    };
    const Case cases[] = {
        {Criteria::NetaSimilar, true, u"50 A", u"100", 5, {}},
        {Criteria::NetaSimilar, false, u"50 A", u"100", 3, {}},
        {Criteria::NetaAmbient, true, u"50 A", u"100", 5, {}},
        {Criteria::NetaAmbient, false, u"50 A", u"100", 3, {}},
        {Criteria::NetaSimilar, true, u"30", u"100", 5, {FindingWarning::LoadBelowMinimum}},
        {Criteria::NetaSimilar, true, u"abc", u"100", 3, {FindingWarning::LoadUnknown}},
        {Criteria::NetaAmbient, true, u"41 A", u"0", 3, {FindingWarning::LoadUnknown}},
    };
    for (const Case& k : cases) {
        cInspectionRecord record;
        record.measured = k.measured;
        record.rated = k.rated;
        build(0, record);
        FindingsSettings s;
        s.criteria = k.criteria;
        s.classifyCorrected = k.corrected;
        ASSERT_EQ(report->setFindingsSettings(s), std::nullopt);
        RecordFindings own;
        own.reference = ReferenceKind::Ambient;
        own.ambient = concern - 12.0;
        ASSERT_TRUE(report->setRecordFindings(0, own));

        const std::string what = std::to_string(static_cast<int>(k.criteria)) + " " +
                                 toQString(k.measured).toStdString();
        const std::vector<SeverityBand> bands = criteriaBands(k.criteria, s);
        const auto band = std::find_if(bands.begin(), bands.end(), [&](const SeverityBand& b) {
            return b.priority == k.priority;
        });
        ASSERT_NE(band, bands.end()) << what;
        EXPECT_EQ(f().severity->text(), classText(*band, StringTable::active())) << what;
        EXPECT_TRUE(colourOf(f().severity).contains(severityColour(k.priority).name())) << what;
        EXPECT_EQ(f().suggested->text(),
                  formatText(uiText(sid::SuggestedPriority), {QString::number(k.priority)}));
        EXPECT_EQ(page->controls().priority->currentIndex(), k.priority) << what;
        EXPECT_EQ(f().source->text(),
                  formatText(uiText(sid::FindingPrioritySuggested), {k.priority}));
        EXPECT_FALSE(f().useSuggested->isEnabled());
        EXPECT_TRUE(f().deltaT->text().contains(uiText(sid::FindingAmbientAir))) << what;
        QStringList words;
        for (FindingWarning w : k.warnings) words << warningText(w, s, StringTable::active());
        EXPECT_EQ(f().warnings->text(), words.join(QLatin1Char('\n'))) << what;
        const bool unknown = std::find(k.warnings.begin(), k.warnings.end(),
                                       FindingWarning::LoadUnknown) != k.warnings.end();
        EXPECT_EQ(f().load->text().isEmpty(), unknown) << what;
    }
    // Without a reference there is no difference, no class and the warning says why.
    build(0);
    RecordFindings own;
    own.reference = ReferenceKind::Ambient;
    ASSERT_TRUE(report->setRecordFindings(0, own));
    EXPECT_EQ(f().severity->text(), uiText(sid::FindingNoClass));
    EXPECT_TRUE(f().deltaT->text().isEmpty());
    EXPECT_TRUE(f().warnings->text().startsWith(
        warningText(FindingWarning::ReferenceMissing, {}, StringTable::active())));
    EXPECT_TRUE(log.texts.isEmpty());
}

// Choosing a priority stores it as the thermographer's; the button goes back to the
// suggestion, storing 0. Catches a hand-set priority overwritten by the class, a suggestion
// stored as if chosen, and the way back that leaves the mark.
TEST_F(FindingPage, PrioritySetByHandAndTheWayBack)
{
    cInspectionRecord record;
    record.measured = u"50";
    record.rated = u"100";
    build(0, record);
    RecordFindings own;
    own.reference = ReferenceKind::Ambient;
    own.ambient = concern - 12.0;
    ASSERT_TRUE(report->setRecordFindings(0, own));
    ASSERT_EQ(page->controls().priority->currentIndex(), 5);
    page->storeInspection();
    EXPECT_EQ(report->records()[0].repairPriority, 0) << "a suggestion is not stored";
    EXPECT_FALSE(report->inspection(0)->findings.priorityManual);

    page->controls().priority->setCurrentIndex(1);
    EXPECT_EQ(report->records()[0].repairPriority, 1);
    EXPECT_TRUE(report->inspection(0)->findings.priorityManual);
    EXPECT_EQ(f().source->text(), formatText(uiText(sid::FindingPriorityManual), {1}));
    EXPECT_TRUE(f().useSuggested->isEnabled());
    // Storing the page and showing it again keeps the hand-set value.
    page->storeInspection();
    page->showInspection();
    EXPECT_EQ(page->controls().priority->currentIndex(), 1);
    EXPECT_EQ(report->records()[0].repairPriority, 1);

    f().useSuggested->click();
    EXPECT_EQ(report->records()[0].repairPriority, 0);
    EXPECT_FALSE(report->inspection(0)->findings.priorityManual);
    EXPECT_EQ(page->controls().priority->currentIndex(), 5);
    EXPECT_EQ(f().source->text(), formatText(uiText(sid::FindingPrioritySuggested), {5}));
    EXPECT_FALSE(f().useSuggested->isEnabled());
    EXPECT_TRUE(report->isModified());
}

// The own ambient is typed in the report's unit and kept in °C; text that is no number is
// refused with a message naming the field and the stored value comes back.
TEST_F(FindingPage, OwnAmbientTypedInTheReportUnit)
{
    build(0);
    f().ambient->setText(QStringLiteral("21,5"));
    emit f().ambient->editingFinished();
    ASSERT_TRUE(report->inspection(0)->findings.ambient);
    EXPECT_DOUBLE_EQ(*report->inspection(0)->findings.ambient, 21.5);
    f().ambient->setText(QStringLiteral("warm"));
    emit f().ambient->editingFinished();
    ASSERT_EQ(log.texts.size(), 1);
    EXPECT_TRUE(log.texts[0].contains(uiText(sid::OwnAmbient).remove(QLatin1Char(':'))));
    EXPECT_EQ(f().ambient->text(), QStringLiteral("21.5"));
    EXPECT_DOUBLE_EQ(*report->inspection(0)->findings.ambient, 21.5);
    f().ambient->clear();
    emit f().ambient->editingFinished();
    EXPECT_FALSE(report->inspection(0)->findings.ambient);
}

// Buildings: the temperature factor against the typed indoor and outdoor temperatures, its
// verdict at the threshold, and the warning of a small indoor–outdoor difference.
TEST_F(FindingPage, BuildingTemperatureFactor)
{
    struct Case {
        double indoorAbove, outdoorBelow;  // K from the concern reading
        bool pass;
        bool smallDifference;
    };
    const Case cases[] = {{2, 38, true, false}, {10, 10, false, false}, {1, 4, true, true}};
    for (const Case& k : cases) {
        cInspectionRecord record;
        build(1, record);
        page->controls().indoor->setText(QString::number(concern + k.indoorAbove, 'f', 3));
        page->controls().outdoor->setText(QString::number(concern - k.outdoorBelow, 'f', 3));
        const double frsi = k.outdoorBelow / (k.indoorAbove + k.outdoorBelow);
        EXPECT_EQ(f().frsi->text(),
                  formatText(uiText(k.pass ? sid::FindingFrsiPass : sid::FindingFrsiFail),
                             {QString::asprintf("%.2f", frsi), QStringLiteral("0.70")}));
        const QString small =
            warningText(FindingWarning::IndoorOutdoorBelow10K, {}, StringTable::active());
        // The only warning a building survey with both readings can have.
        EXPECT_EQ(f().warnings->text(), k.smallDifference ? small : QString());
    }
}

// Catches numbers of the inspection data page written with a point where the language writes
// a comma, or the other way round: the emissivity, the load exponent, the temperature factor
// and its threshold, and the own ambient the field shows.
TEST_F(FindingPage, NumbersTakeTheLanguagesDecimalSeparator)
{
    const struct {
        QLocale locale;
        QChar separator;
    } cases[] = {{QLocale(QLocale::English, QLocale::UnitedKingdom), u'.'},
                 {QLocale(QLocale::German, QLocale::Germany), u','},
                 {QLocale(QLocale::Russian, QLocale::Russia), u','},
                 {QLocale(QLocale::Japanese, QLocale::Japan), u'.'}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.locale.name().toStdString());
        const LocaleScope scope(k.locale);
        const QChar other = k.separator == u'.' ? u',' : u'.';
        build(0);
        f().ambient->setText(QStringLiteral("12.3"));  // either separator is read
        emit f().ambient->editingFinished();
        for (const QString& shown : {page->controls().emissivity->text(), f().ambient->text()}) {
            EXPECT_TRUE(shown.contains(k.separator)) << shown.toStdString();
            EXPECT_FALSE(shown.contains(other)) << shown.toStdString();
        }
        Finding finding;
        finding.loadPercent = 65;
        finding.deltaTCorrected = 29.1;
        finding.frsi = 0.654;
        finding.frsiPass = false;
        FindingsSettings settings;
        settings.loadExponent = 1.6;
        settings.frsiThreshold = 0.7;
        const FindingTexts t = findingTexts(finding, settings, TempUnit::Celsius);
        const QString s(k.separator);
        EXPECT_TRUE(t.load.contains(QStringLiteral("1") + s + QStringLiteral("6")))
            << t.load.toStdString();
        EXPECT_TRUE(t.frsi.contains(QStringLiteral("0") + s + QStringLiteral("65")) &&
                    t.frsi.contains(QStringLiteral("0") + s + QStringLiteral("70")))
            << t.frsi.toStdString();
    }
}

// Catches the page's finding sentences parting from the printed ones, and (in Hebrew) a
// reading left to the bidi reordering of the window ("C° 53.3") or isolates shown in a
// left-to-right language.
TEST(FindingPageText, TheWindowShowsThePrintedSentences)
{
    const StringTable kept = StringTable::active();
    struct Restore {
        StringTable table;
        ~Restore() { StringTable::setActive(table); }
    } restore{kept};
    const LanguageModules modules;
    Finding f;
    Measurement hot;
    hot.kind = Measurement::Kind::Hot;
    f.concern = FindingReading{hot, 53.26};
    f.reference = FindingReading{std::nullopt, 20.0};
    f.deltaT = 33.26;
    f.loadPercent = 65.0;
    f.deltaTCorrected = 29.11;
    f.frsi = 0.69;
    f.frsiPass = false;
    f.suggestedPriority = f.priority = 3;
    FindingsSettings settings;
    settings.loadExponent = 1.6;
    for (const Language language : {Language::English, Language::German, Language::Hebrew}) {
        SCOPED_TRACE(languageNumber(language));
        const LanguageLoad load = modules.load(language);
        ASSERT_TRUE(load.ok());
        StringTable::setActive(load.table);
        const FindingTexts t = findingTexts(f, settings, TempUnit::Celsius);
        const std::vector<PrintedLine> printed =
            findingLines(f, settings, ReportTemplate::Buildings, TempUnit::Celsius, load.table);
        // The difference, the load, the class, the priority and the temperature factor.
        ASSERT_EQ(printed.size(), 5u);
        const QString shown[] = {t.deltaT, t.load, {}, t.source, t.frsi};
        for (std::size_t i : {0u, 1u, 3u, 4u})
            EXPECT_EQ(shown[i].toStdString(), printed[i].text.toStdString()) << i;
        const QString lri(QChar(0x2066)), pdi(QChar(0x2069));
        const bool rtl = language == Language::Hebrew;
        for (const QString& reading :
             {QStringLiteral("53.3 \u00B0C"), QStringLiteral("20.0 \u00B0C")})
            EXPECT_EQ(t.deltaT.contains(lri + localDecimals(reading) + pdi), rtl)
                << t.deltaT.toStdString();
        EXPECT_EQ(t.suggested.contains(lri), rtl) << t.suggested.toStdString();
        EXPECT_EQ(t.deltaT.isRightToLeft(), rtl) << t.deltaT.toStdString();
        EXPECT_EQ(t.load.contains(pdi), rtl) << t.load.toStdString();
    }
}

}  // namespace
}  // namespace calivue
