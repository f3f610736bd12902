// The Severity Criteria dialog: it shows the document's settings, OK stores every field, and
// a field it cannot use is refused with a message naming it while the document stays as it
// was; Cancel changes nothing.
#include "report/criteriadlg.h"
#include "messagelog.h"
#include "document/reportdoc.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <functional>

namespace calivue {
namespace {

using Controls = cCriteriaDlg::Controls;

void setBand(const Controls& c, int row, const QString& from, const QString& text, int priority)
{
    c.bands->item(row, 0)->setText(from);
    c.bands->item(row, 1)->setText(text);
    static_cast<QComboBox*>(c.bands->cellWidget(row, 2))->setCurrentIndex(priority - 1);
}

QString field(int id)
{
    return uiText(id).remove(QLatin1Char(':')).trimmed();
}

// Each unusable field: the message names it (or states its range) and the document keeps its
// settings, unmodified. Catches a half-applied dialog and messages in the program's own keys.
TEST(CriteriaDialog, RefusesBadInputWithoutChangingTheDocument)
{
    struct Case {
        const char* what;
        std::function<void(const Controls&)> edit;
        QString message;
    };
    const Case cases[] = {
        {"exponent text", [](const Controls& c) { c.exponent->setText(QStringLiteral("two")); },
         formatText(uiText(sid::NotANumber), {field(sid::LoadExponentLabel)})},
        {"exponent range", [](const Controls& c) { c.exponent->setText(QStringLiteral("3,5")); },
         uiText(sid::ExponentRange)},
        {"min load", [](const Controls& c) { c.minLoad->setText(QStringLiteral("120")); },
         uiText(sid::MinLoadRange)},
        {"ambient", [](const Controls& c) { c.ambient->setText(QStringLiteral("warm")); },
         formatText(uiText(sid::NotANumber), {field(sid::SurveyAmbientLabel)})},
        {"own threshold",
         [](const Controls& c) {
             c.threshold->setCurrentIndex(3);
             c.ownThreshold->setText(QStringLiteral("1.2"));
         },
         uiText(sid::FrsiRange)},
        {"bands not rising (an empty row between)",
         [](const Controls& c) {
             c.criteria->setCurrentIndex(3);
             setBand(c, 0, QStringLiteral("5"), QStringLiteral("Watch"), 2);
             setBand(c, 2, QStringLiteral("4"), QStringLiteral("Repair"), 4);
         },
         formatText(uiText(sid::BandsNotRising), {3})},
        {"band without bound",
         [](const Controls& c) { setBand(c, 1, QString(), QStringLiteral("Watch"), 2); },
         formatText(uiText(sid::NotANumber),
                    {formatText(QStringLiteral("%s (%d)"), {uiText(sid::BandFromColumn), 2})})},
    };
    for (const Case& k : cases) {
        CReportDoc doc;
        FindingsSettings before;
        before.ambient = 12.0;
        ASSERT_EQ(doc.setFindingsSettings(before), std::nullopt);
        doc.setModified(false);
        test::MessageLog log;
        cCriteriaDlg dialog(doc);
        k.edit(dialog.controls());
        dialog.controls().buttons->button(QDialogButtonBox::Ok)->click();
        ASSERT_EQ(log.texts.size(), 1) << k.what;
        EXPECT_EQ(log.texts[0], k.message) << k.what;
        EXPECT_EQ(doc.findingsSettings(), before) << k.what;
        EXPECT_FALSE(doc.isModified()) << k.what;
        EXPECT_EQ(dialog.result(), QDialog::Rejected) << k.what;
    }
}

// Every field reaches the document on OK, and shows again in the next dialog; Cancel after
// edits changes nothing.
TEST(CriteriaDialog, OkStoresEveryFieldAndCancelNothing)
{
    CReportDoc doc;
    test::MessageLog log;
    {
        cCriteriaDlg dialog(doc);
        const Controls& c = dialog.controls();
        c.criteria->setCurrentIndex(3);
        setBand(c, 0, QStringLiteral("1"), QStringLiteral("Watch"), 2);
        setBand(c, 1, QStringLiteral("10,5"), QStringLiteral("Repair"), 5);
        c.exponent->setText(QStringLiteral("1.6"));
        c.classifyCorrected->setChecked(false);
        c.minLoad->setText(QStringLiteral("30"));
        c.ambient->setText(QStringLiteral("-4.5"));
        c.threshold->setCurrentIndex(2);
        for (int i = 0; i < 8; ++i) c.conditions[i]->setText(QString::number(i));
        c.buttons->button(QDialogButtonBox::Ok)->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_TRUE(log.texts.isEmpty());
    FindingsSettings want;
    want.criteria = Criteria::Custom;
    want.customBands = {{1, false, u"Watch", 2}, {10.5, false, u"Repair", 5}};
    want.loadExponent = 1.6;
    want.classifyCorrected = false;
    want.minLoadPercent = 30;
    want.ambient = -4.5;
    want.frsiThreshold = 0.78;
    const auto texts = conditionTexts(want.conditions);
    for (int i = 0; i < 8; ++i) *texts[std::size_t(i)] = QString::number(i).toStdU16String();
    EXPECT_EQ(doc.findingsSettings(), want);
    EXPECT_TRUE(doc.isModified());

    doc.setModified(false);
    cCriteriaDlg again(doc);
    EXPECT_EQ(again.readFields().settings, want) << "the dialog shows what it stored";
    again.controls().exponent->setText(QStringLiteral("2.5"));
    again.controls().criteria->setCurrentIndex(0);
    again.controls().buttons->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(doc.findingsSettings(), want);
    EXPECT_FALSE(doc.isModified());
}

// Catches criteria fields written with a point in a language that writes a comma, and a
// comma the dialog then cannot read back.
TEST(CriteriaDialog, FieldsTakeTheLanguagesDecimalSeparator)
{
    for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany),
                                  QLocale(QLocale::English, QLocale::UnitedStates)}) {
        SCOPED_TRACE(locale.name().toStdString());
        const LocaleScope scope(locale);
        const QString sep = locale.decimalPoint();
        CReportDoc doc;
        test::MessageLog log;
        FindingsSettings s = doc.findingsSettings();
        s.loadExponent = 1.6;
        s.ambient = -4.5;
        s.frsiThreshold = 0.72;  // not one offered: shown in the own field
        doc.setFindingsSettings(s);
        cCriteriaDlg dialog(doc);
        const Controls& c = dialog.controls();
        EXPECT_EQ(c.exponent->text(), QStringLiteral("1") + sep + QStringLiteral("6"));
        EXPECT_EQ(c.ambient->text(), QStringLiteral("-4") + sep + QStringLiteral("5"));
        EXPECT_EQ(c.ownThreshold->text(), QStringLiteral("0") + sep + QStringLiteral("72"));
        EXPECT_TRUE(c.threshold->itemText(0).contains(sep));
        EXPECT_EQ(dialog.readFields().settings, s);
        EXPECT_TRUE(log.texts.isEmpty());
    }
}

}  // namespace
}  // namespace calivue
