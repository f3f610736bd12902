// The equipment item on the inspection data page: picking an item links it and fills the
// record's empty fields, typing an identifier the list does not hold offers to add it (yes:
// added from the fields and linked; no: the link stays as it was), and the list follows the
// document.
#include "view/colouredit.h"
#include "report/detailsdlg.h"
#include "report/detailsdlg_controls.h"
#include "report/equipmentdlg.h"
#include "report/imageselectdlg.h"
#include "detailsfixture.h"
#include "document/reportdoc.h"
#include "report/engine/reporttext.h"

#include "generator.h"

#include "core/printrules.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace calivue {
namespace {

using S = EquipmentStatus;

class DetailsEquipment : public test::DetailsPagesTest {
protected:
    void build(ReportTemplate templateNumber)
    {
        newPages(reportTemplateNumber(templateNumber));
        for (int row = 0; row < 2; ++row) {
            const std::string name = "IR_" + std::to_string(1000 + row);
            ASSERT_FALSE(test::addLowerCaseSnapshot(*images, dir, name,
                                                    gen::demoPlan(std::uint64_t(row + 1)), row)
                             .isEmpty());
        }
        ASSERT_EQ(report->setEquipmentItems({{u"MCC-1", u"Plant room", u"Motor control centre",
                                              u"400 A", S::Inspected, u""},
                                             {u"DB-2", u"", u"", u"63 A", S::NotInspected, u""}}),
                  std::nullopt);
        page->activatePage();
        report->setModified(false);
    }
    const DetailsControls& c() const { return page->controls(); }
    // Types into the item box and presses Enter, as the user would.
    void type(const QString& text)
    {
        QLineEdit* edit = c().equipmentItem->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

// Catches a pick that does not link, overwrites a typed field, fills a µ value with a load, or
// loses what was typed before the pick.
TEST_F(DetailsEquipment, PickLinksAndFillsEmptyFields)
{
    struct Case {
        ReportTemplate templateNumber;
        const char* typedLocation;
        QString location, equipment, rated;
    };
    const Case cases[] = {
        {ReportTemplate::Maintenance, "", QStringLiteral("Plant room"),
         QStringLiteral("Motor control centre"), QStringLiteral("400 A")},
        {ReportTemplate::Mechanical, "Roof", QStringLiteral("Roof"),
         QStringLiteral("Motor control centre"), QStringLiteral("400 A")},
        {ReportTemplate::Buildings, "", QStringLiteral("Plant room"),
         QStringLiteral("Motor control centre"), QString()},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(reportTemplateNumber(k.templateNumber));
        build(k.templateNumber);
        ASSERT_TRUE(c().equipmentItem->isEnabled());
        ASSERT_EQ(c().equipmentItem->count(), 3);  // none, then the two items
        EXPECT_EQ(c().equipmentItem->itemText(1),
                  QStringLiteral("MCC-1 \u2014 Motor control centre"));
        c().location->setText(QString::fromLatin1(k.typedLocation));
        c().name->setText(QStringLiteral("typed first"));
        c().equipmentItem->setCurrentIndex(1);
        emit c().equipmentItem->activated(1);
        EXPECT_EQ(report->equipmentId(0), u"MCC-1");
        EXPECT_EQ(c().location->text(), k.location);
        EXPECT_EQ(c().equipment->text(), k.equipment);
        EXPECT_EQ(c().rated->text(), k.rated);
        page->storeInspection();
        const cInspectionRecord& r = report->inspection(0)->record;
        EXPECT_EQ(toQString(r.location), k.location);
        EXPECT_EQ(toQString(r.equipment), k.equipment);
        EXPECT_EQ(toQString(r.rated), k.rated);
        EXPECT_EQ(r.name, u"typed first");
        EXPECT_TRUE(report->isModified());
        EXPECT_TRUE(log.texts.isEmpty()) << log.texts.join(u'|').toStdString();

        // The next inspection shows no item; coming back shows the link.
        page->next();
        EXPECT_EQ(c().equipmentItem->currentText(), QString());
        page->previous();
        EXPECT_EQ(c().equipmentItem->currentText(),
                  QStringLiteral("MCC-1 \u2014 Motor control centre"));
    }
}

// Catches an unknown identifier linked without asking, an item added although the user said
// no, the previous link lost on no, and an added item without what the fields held.
TEST_F(DetailsEquipment, TypedUnknownIdentifierOffersToAdd)
{
    build(ReportTemplate::Maintenance);
    type(QStringLiteral("db-2"));  // one identifier equal with case ignored: that item
    EXPECT_EQ(report->equipmentId(0), u"DB-2");
    EXPECT_EQ(c().rated->text(), QStringLiteral("63 A"));
    EXPECT_TRUE(log.texts.isEmpty());

    c().location->setText(QStringLiteral("Basement"));
    c().equipment->setText(QStringLiteral("Sub-board"));
    log.answer = cMessageDlg::IdNo;
    type(QStringLiteral("SB-9"));
    ASSERT_EQ(log.texts.size(), 1);
    EXPECT_EQ(log.texts[0], QStringLiteral("\"SB-9\" is not in the equipment list. Add it?"));
    EXPECT_EQ(report->equipmentId(0), u"DB-2") << "no: the link stays as it was";
    EXPECT_EQ(report->equipmentItems().size(), 2u);
    EXPECT_EQ(c().equipmentItem->currentText(), QStringLiteral("DB-2"));

    log.answer = cMessageDlg::IdYes;
    type(QStringLiteral("SB-9"));
    ASSERT_EQ(log.texts.size(), 2);
    ASSERT_EQ(report->equipmentItems().size(), 3u);
    EXPECT_EQ(report->equipmentItems()[2],
              (EquipmentItem{u"SB-9", u"Basement", u"Sub-board", u"63 A", S::NotInspected, u""}));
    EXPECT_EQ(report->equipmentId(0), u"SB-9");
    EXPECT_EQ(c().equipmentItem->currentText(), QStringLiteral("SB-9 \u2014 Sub-board"));

    // Emptied: no item; the fields keep their texts.
    type(QString());
    EXPECT_EQ(report->equipmentId(0), u"");
    EXPECT_EQ(c().location->text(), QStringLiteral("Basement"));
    EXPECT_EQ(log.texts.size(), 2);
}

// Catches a page that keeps showing a list the dialog changed, or a link the dialog renamed.
TEST_F(DetailsEquipment, FollowsTheEquipmentListDialog)
{
    build(ReportTemplate::Maintenance);
    ASSERT_TRUE(report->setEquipmentId(0, u"DB-2"));
    cEquipmentDlg::setRunner([](cEquipmentDlg& d) {
        d.controls().table->item(1, cEquipmentDlg::IdColumn)->setText(QStringLiteral("DB-20"));
        d.accept();
    });
    c().equipmentList->click();
    cEquipmentDlg::setRunner({});
    EXPECT_EQ(report->equipmentId(0), u"DB-20");
    EXPECT_EQ(c().equipmentItem->currentText(), QStringLiteral("DB-20"));
    EXPECT_EQ(c().equipmentItem->itemData(2).toString(), QStringLiteral("DB-20"));
}

}  // namespace
}  // namespace calivue
