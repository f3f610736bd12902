// The report writer's choice of layout and report language: the title page's two lists show
// the project's settings and store the user's choice in it, a project that never chose keeps no
// section, and "Generate PDF Report" prints in the chosen language when its module loads.
#include "document/reportdoc.h"
#include "report/reportstylebox.h"

#include "platform/languagetable.h"
#include "platform/stringids.h"

#include <QComboBox>

#include <gtest/gtest.h>

namespace calivue {
namespace {

// A module for German and Hebrew whose Summary reads "<language>-summary"; no other loads.
LanguageLoad fakeLoad(Language language)
{
    LanguageLoad out;
    out.language = language;
    if (language != Language::German && language != Language::Hebrew) {
        out.error = Error::ReadFailed;
        return out;
    }
    LanguagePack pack;
    pack.strings.insert(sid::Summary,
                        QString::number(languageNumber(language)) + QStringLiteral("-summary"));
    out.table = StringTable::withModule(pack);
    return out;
}

// Catches a list that offers languages that are not installed or leaves the window's out, a
// choice that does not reach the project (or marks nothing modified), a project change the
// lists do not show, a project that keeps a section for the defaults, and a report printed in
// the window's language when another one was chosen (or in a language that does not load).
TEST(ReportStyleBox, ShowsAndStoresTheProjectsLayoutAndLanguage)
{
    CReportDoc doc;
    int modified = 0, announced = 0;
    QObject::connect(&doc, &CReportDoc::changed, [&](const ReportChange& change) {
        if (change.has(ReportPart::Style)) ++announced;
        if (!change.has(ReportPart::Modified) || !doc.isModified()) return;
        ++modified;
        doc.setModified(false);
    });
    ReportContext ctx;
    ctx.report = &doc;
    ctx.language = Language::English;
    ctx.loadLanguage = fakeLoad;
    cReportStyleBox box(ctx);
    QComboBox* languages = box.languageBox();
    std::vector<int> offered;
    for (int i = 0; i < languages->count(); ++i) offered.push_back(languages->itemData(i).toInt());
    EXPECT_EQ(offered, (std::vector<int>{-1, 1, languageNumber(Language::Hebrew)}));
    EXPECT_EQ(languages->currentIndex(), 0);
    EXPECT_EQ(box.layoutBox()->currentData().toInt(), 0);
    EXPECT_EQ(reportLanguageOf(ctx).language, Language::English);

    languages->setCurrentIndex(2);
    box.layoutBox()->setCurrentIndex(1);
    EXPECT_EQ(doc.reportLanguage(), Language::Hebrew);
    EXPECT_EQ(doc.reportLayout(), ReportLayout::Modern);
    EXPECT_EQ(modified, 2);
    EXPECT_EQ(announced, 2);
    const ReportLanguage chosen = reportLanguageOf(ctx);
    EXPECT_EQ(chosen.language, Language::Hebrew);
    EXPECT_EQ(chosen.texts.text(sid::Summary), QStringLiteral("13-summary"));
    const ReportProject project = doc.project();
    EXPECT_EQ(readReportLanguage(project).value(), languageNumber(Language::Hebrew));
    EXPECT_EQ(readReportLayout(project).value(), ReportLayout::Modern);

    // The document changes (a project read): the lists follow without storing anything back.
    ReportProject other;
    ASSERT_EQ(putReportLanguage(other, 1), Error::None);
    ASSERT_TRUE(doc.load(other, QString()));
    EXPECT_EQ(languages->currentData().toInt(), 1);
    EXPECT_EQ(box.layoutBox()->currentData().toInt(), 0);
    // A language whose module is missing prints in the window's and shows as such.
    ASSERT_TRUE(doc.setReportLanguage(Language::Japanese));
    EXPECT_EQ(languages->currentIndex(), 0);
    EXPECT_EQ(reportLanguageOf(ctx).language, Language::English);
    // Back to the defaults: no section left.
    ASSERT_TRUE(doc.setReportLanguage(std::nullopt));
    ASSERT_TRUE(doc.setReportLayout(ReportLayout::Classic));
    EXPECT_TRUE(doc.project().extensions.empty());
    const int before = announced;
    ASSERT_TRUE(doc.setReportLayout(ReportLayout::Classic));
    EXPECT_EQ(announced, before);  // nothing changed, nothing told

    // A number no language of this program has (a later version's) prints in the window's
    // language and stays in the project until another language is chosen.
    ReportProject later;
    ASSERT_EQ(putReportLanguage(later, 42), Error::None);
    ASSERT_TRUE(doc.load(later, QString()));
    EXPECT_EQ(doc.reportLanguage(), std::nullopt);
    EXPECT_EQ(languages->currentIndex(), 0);
    EXPECT_EQ(reportLanguageOf(ctx).language, Language::English);
    EXPECT_EQ(readReportLanguage(doc.project()).value(), 42);
    ASSERT_TRUE(doc.setReportLanguage(Language::German));
    EXPECT_EQ(readReportLanguage(doc.project()).value(), 1);
}

}  // namespace
}  // namespace calivue
