// The report pages as views of the project document: what the user does on a page reaches the
// document, and what changes in the document (from any page, or a project read) shows on every
// page, with no page keeping rows or records of its own.
#include "imageselect_fixture.h"

#include "reportchangelog.h"
#include "document/reportdoc.h"
#include "report/engine/reporttext.h"
#include "report/reportrowlist.h"
#include "report/titledlg.h"

#include "report/detailsdlg_controls.h"
#include "view/colouredit.h"

#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

namespace calivue::test {
namespace {

using namespace Qt::StringLiterals;

// The inspections as "<bitmap letter><record name>" pairs, e.g. "aA bB".
QString pairs(const CReportDoc& doc)
{
    QStringList out;
    for (const cInspection& i : doc.inspections()) {
        const QString bmp = toQString(i.image.bitmapPath);
        out << bmp.mid(bmp.lastIndexOf(u'/') + 1, 1) + toQString(i.record.name);
    }
    return out.join(u' ');
}

// Catches a page that edits a copy of its own (a removed row leaving its record, a typed name
// that never reaches the project, a title kept in the controls only) and a page that does not
// follow changes made elsewhere.
TEST(ReportPages, EditThroughTheDocumentAndFollowIt)
{
    PageFixture f;
    for (const char* name : {"a", "b", "c"}) putSnapshot(f.folder.path(), QLatin1String(name));
    f.list();
    f.page->addAll();
    ASSERT_EQ(f.report.inspectionCount(), 3);
    for (int i = 0; i < 3; ++i) {
        cInspectionRecord r;
        r.name = std::u16string(1, char16_t(u'A' + i));
        f.report.setRecord(i, r);
    }
    ASSERT_EQ(pairs(f.report), u"aA bB cC"_s);
    TitleDlg title(f.ctx);

    // Image selection page: removing the middle row removes exactly its inspection.
    test::ReportChangeLog log(f.report);
    f.page->selectInspection(1);
    f.page->remove();
    EXPECT_EQ(log.count(ReportPart::Removed), 1);
    EXPECT_EQ(pairs(f.report), u"aA cC"_s);
    EXPECT_EQ(f.page->inspectionList()->count(), 2);

    // Details page: typing reaches the document's record when stored.
    f.details->activatePage();
    ASSERT_EQ(f.details->currentInspection(), 1);
    f.details->controls().name->setText(u"Typed"_s);
    f.details->next();
    EXPECT_EQ(pairs(f.report), u"aTyped cC"_s);

    // Title page: every change goes to the document as it is made.
    title.setCompany(u"Acme"_s);
    EXPECT_EQ(f.report.title().company, u"Acme");

    // Changes made in the document show on the pages.
    f.report.moveInspection(1, 0);
    EXPECT_EQ(pairs(f.report), u"cC aTyped"_s);
    EXPECT_EQ(f.page->inspectionList()->count(), 2);
    EXPECT_EQ(toQString(f.page->entryAt(0)->bitmapPath).section(u'/', -1), u"c.bmp"_s);
    f.details->setCurrentInspection(1);
    f.details->showInspection();
    EXPECT_EQ(f.details->controls().name->text(), u"C"_s);
    cInspectionRecord renamed = f.report.inspection(0)->record;
    renamed.name = u"Renamed";
    f.report.setRecord(0, renamed);
    EXPECT_EQ(f.details->controls().name->text(), u"Renamed"_s);
    ReportTitle t = f.report.title();
    t.company = u"Elsewhere Co";
    t.comments = u"from the project";
    f.report.setTitle(t);
    EXPECT_EQ(title.title().company, u"Elsewhere Co");
    EXPECT_EQ(title.title().comments, u"from the project");
    f.report.removeAll();
    EXPECT_EQ(f.page->inspectionList()->count(), 0);
    EXPECT_EQ(f.page->countText(), u"Inspections: 0"_s);
    EXPECT_EQ(f.details->recordCount(), 0);
}

}  // namespace
}  // namespace calivue::test
