// The Equipment List dialog driven as a user drives it: identifiers refused as typed, items
// added, removed and moved past rows the search hides, the status and reason, CSV files
// imported whole or refused with one message naming the line, the list exported, and OK
// storing the list with the links following renames (after asking when links would be lost).
#include "report/equipmentdlg.h"
#include "filedialoglog.h"
#include "messagelog.h"
#include "document/reportdoc.h"
#include "report/engine/reporttext.h"

#include "desktop/irfiledialog.h"
#include "interchange/equipmentcsv.h"
#include "platform/fspath.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace calivue {
namespace {

using S = EquipmentStatus;
using D = cEquipmentDlg;

EquipmentItem item(const char16_t* id, const char16_t* location = u"",
                   const char16_t* description = u"")
{
    return {id, location, description, u"", S::NotInspected, u""};
}

std::u16string ids(const std::vector<EquipmentItem>& items)
{
    std::u16string out;
    for (const EquipmentItem& i : items) out += i.id + u" ";
    return out;
}

class EquipmentDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(doc.setEquipmentItems({item(u"MCC-1", u"Plant room", u"Motor control"),
                                         item(u"DB-2", u"Floor 2", u"Distribution board"),
                                         item(u"T-3", u"Yard", u"Transformer")}),
                  std::nullopt);
        cInspection linked;
        linked.equipmentId = u"DB-2";
        cInspection other;
        other.equipmentId = u"T-3";
        doc.insertInspections(0, {linked, other});
        doc.setModified(false);
        dialog = std::make_unique<D>(doc);
    }
    QTableWidget& table() { return *dialog->controls().table; }
    QString cell(int row, int column) { return table().item(row, column)->text(); }
    QString write(const char* name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    QTemporaryDir dir;
    test::MessageLog log;
    CReportDoc doc;
    std::unique_ptr<D> dialog;
};

// Catches an identifier typed empty or twice that is kept, a refusal without a message, and
// an accepted one not trimmed.
TEST_F(EquipmentDialog, IdentifiersRefusedAsTyped)
{
    struct Case {
        const char* typed;
        const char* kept;
        const char* message;  // the start of the message; nullptr: none
    };
    const Case cases[] = {
        {"DB-2", "MCC-1", "The identifier \"DB-2\" is already"},
        {"   ", "MCC-1", "An equipment item needs an identifier."},
        {"", "MCC-1", "An equipment item needs an identifier."},
        {"  MCC-1A ", "MCC-1A", nullptr},
        {"T-3", "MCC-1A", "The identifier \"T-3\" is already"},
        {"MCC-1A", "MCC-1A", nullptr},  // unchanged
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        log.texts.clear();
        table().item(0, D::IdColumn)->setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(cell(0, D::IdColumn), QString::fromLatin1(c.kept));
        EXPECT_EQ(dialog->items()[0].id, toU16(QString::fromLatin1(c.kept)));
        ASSERT_EQ(log.texts.size(), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_TRUE(log.texts[0].startsWith(QString::fromUtf8(c.message)));
        }
    }
}

// Catches a new item with an identifier in use, added in the wrong place or hidden by the
// search; a removal of the wrong rows; a move that skips no hidden row or reorders the hidden
// ones; a status that keeps a reason.
TEST_F(EquipmentDialog, AddRemoveMoveSearchAndStatus)
{
    table().setCurrentCell(1, D::IdColumn);
    dialog->controls().search->setText(QStringLiteral("yard"));
    EXPECT_TRUE(table().isRowHidden(0));
    EXPECT_TRUE(table().isRowHidden(1));
    EXPECT_FALSE(table().isRowHidden(2));
    table().setCurrentCell(1, D::IdColumn);
    const int added = dialog->addItem();
    EXPECT_EQ(added, 2);
    EXPECT_EQ(dialog->controls().search->text(), QString());
    EXPECT_EQ(ids(dialog->items()), u"MCC-1 DB-2 DB-3 T-3 ");
    dialog->addItem();
    EXPECT_EQ(ids(dialog->items()), u"MCC-1 DB-2 DB-3 DB-4 T-3 ");

    // The search hides every row but "T-3" and "MCC-1" (by description "Motor"/"Transformer"
    // both hold "o"; "r" narrows to rows whose texts hold "or").
    dialog->controls().search->setText(QStringLiteral("OR"));
    std::vector<bool> hidden;
    for (int r = 0; r < table().rowCount(); ++r) hidden.push_back(table().isRowHidden(r));
    EXPECT_EQ(hidden, (std::vector<bool>{false, false, true, true, false}));
    // "DB-2" (Floor 2, Distribution board) moves down past the hidden new rows.
    table().setCurrentCell(1, D::LocationColumn);
    EXPECT_TRUE(dialog->moveCurrent(+1));
    EXPECT_EQ(ids(dialog->items()), u"MCC-1 DB-3 DB-4 T-3 DB-2 ");
    EXPECT_EQ(table().currentRow(), 4);
    EXPECT_FALSE(dialog->moveCurrent(+1));
    EXPECT_TRUE(dialog->moveCurrent(-1));
    EXPECT_TRUE(dialog->moveCurrent(-1));
    EXPECT_EQ(ids(dialog->items()), u"DB-2 MCC-1 DB-3 DB-4 T-3 ");
    EXPECT_FALSE(dialog->moveCurrent(-1));

    dialog->controls().search->clear();
    table().clearSelection();
    table().setCurrentCell(2, D::IdColumn);
    dialog->removeItems();
    EXPECT_EQ(ids(dialog->items()), u"DB-2 MCC-1 DB-4 T-3 ");

    // A reason for an item not inspected is stored as its keyword; checking the status empties
    // it and takes no more text.
    table().item(3, D::ReasonColumn)->setText(QStringLiteral("De-energised"));
    table().item(2, D::ReasonColumn)->setText(QStringLiteral("behind the racking"));
    EXPECT_EQ(dialog->items()[3].reason, kReasonDeEnergised);
    EXPECT_EQ(dialog->items()[2].reason, u"behind the racking");
    table().item(2, D::StatusColumn)->setCheckState(Qt::Checked);
    EXPECT_EQ(dialog->items()[2].status, S::Inspected);
    EXPECT_EQ(dialog->items()[2].reason, u"");
    EXPECT_EQ(cell(2, D::StatusColumn), QStringLiteral("inspected"));
    EXPECT_FALSE(table().item(2, D::ReasonColumn)->flags() & Qt::ItemIsEditable);
    table().item(2, D::StatusColumn)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(table().item(2, D::ReasonColumn)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(log.texts.isEmpty()) << log.texts.join(u'|').toStdString();
}

// Catches a bad file that changes the table, a refusal without its line, more than one
// message, and a good file (BOM, semicolons, quoted line breaks) read wrong.
TEST_F(EquipmentDialog, ImportGoodAndBadFiles)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* message;  // expected in the one message; nullptr: imported
        std::u16string ids;
    };
    const Case cases[] = {
        {"semicolons, BOM, quoted break",
         "\xEF\xBB\xBFid;location;description;status;reason\r\nA1;\"Hall;\nnorth\";Pump;inspected;"
         "\r\nA2;Roof;Fan;not inspected;inaccessible\r\n",
         nullptr, u"A1 A2 "},
        {"unknown column", "id,name\nA,B\n", "line 1: unknown column \"name\"", u""},
        {"no id column", "location,description\nA,B\n", "line 1: the header names no id column",
         u""},
        {"duplicate id", "id,description\nA,x\nB,y\nA,z\n", "line 4: id \"A\" given twice", u""},
        {"unknown status", "id,status\nA,done\n", "line 2: unknown status \"done\"", u""},
        {"broken quoting", "id,location\nA,ab\"c\n", "line 2: broken quoting", u""},
        {"invalid UTF-8", "id\nA\xFF\n", "text that is not UTF-8", u""},
        {"reason for inspected", "id,status,reason\nA,inspected,gone\n",
         "line 2: a reason is given for an inspected item", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialog = std::make_unique<D>(doc);
        log.texts.clear();
        const QString path = write("list.csv", c.bytes);
        {
            test::FileDialogLog dialogs;
            dialogs.answerWith = [&](const cIRFileDialog& d) {
                EXPECT_EQ(d.mode(), cIRFileDialog::Mode::Open);
                return std::optional<QString>(path);
            };
            dialog->controls().importCsv->click();
        }
        if (!c.message) {
            EXPECT_TRUE(log.texts.isEmpty()) << log.texts.join(u'|').toStdString();
            EXPECT_EQ(ids(dialog->items()), c.ids);
            EXPECT_EQ(dialog->items()[0].location, u"Hall;\nnorth");
            EXPECT_EQ(dialog->items()[1].reason, kReasonInaccessible);
            EXPECT_EQ(cell(1, D::ReasonColumn), QStringLiteral("inaccessible"));
            continue;
        }
        ASSERT_EQ(log.texts.size(), 1);
        EXPECT_TRUE(log.texts[0].contains(QString::fromUtf8(c.message)))
            << log.texts[0].toStdString();
        EXPECT_TRUE(log.texts[0].contains(QStringLiteral("list.csv")));
        EXPECT_EQ(ids(dialog->items()), u"MCC-1 DB-2 T-3 ");
    }
}

// Catches an export that writes something else than the table, and a failure reported without
// the file or not at all.
TEST_F(EquipmentDialog, ExportWritesTheTableOrSaysWhyNot)
{
    table().item(1, D::StatusColumn)->setCheckState(Qt::Checked);
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    {
        test::FileDialogLog dialogs;
        dialogs.answerWith = [&](const cIRFileDialog& d) {
            EXPECT_EQ(d.mode(), cIRFileDialog::Mode::Save);
            EXPECT_TRUE(d.overwritePrompt());
            return std::optional<QString>(path);
        };
        dialog->controls().exportCsv->click();
    }
    EXPECT_TRUE(log.texts.isEmpty());
    const EquipmentCsvRead back = readEquipmentCsvFile(toFsPath(path));
    ASSERT_TRUE(back);
    EXPECT_EQ(back.items, dialog->items());

    const QString nowhere = dir.filePath(QStringLiteral("missing/out.csv"));
    EXPECT_FALSE(dialog->exportTo(nowhere));
    ASSERT_EQ(log.texts.size(), 1);
    EXPECT_TRUE(
        log.texts[0].startsWith(QStringLiteral("The equipment list could not be exported.")));
    EXPECT_TRUE(log.texts[0].contains(QStringLiteral("missing"))) << log.texts[0].toStdString();
}

// Catches OK that loses links without asking, stores the list although the user declined,
// or drops the link of a renamed item; and Cancel that changes the document.
TEST_F(EquipmentDialog, OkStoresTheListAndAsksBeforeLinksAreLost)
{
    table().item(1, D::IdColumn)->setText(QStringLiteral("DB-2A"));  // renamed: link follows
    table().setCurrentCell(2, D::IdColumn);
    dialog->removeItems();  // T-3: its inspection would lose its link

    log.answer = cMessageDlg::IdNo;
    dialog->controls().buttons->button(QDialogButtonBox::Ok)->click();
    ASSERT_EQ(log.texts.size(), 1);
    EXPECT_TRUE(log.texts[0].contains(QStringLiteral(": 1."))) << log.texts[0].toStdString();
    EXPECT_EQ(ids(doc.equipmentItems()), u"MCC-1 DB-2 T-3 ");
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);

    log.answer = cMessageDlg::IdYes;
    dialog->controls().buttons->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ids(doc.equipmentItems()), u"MCC-1 DB-2A ");
    EXPECT_EQ(doc.equipmentId(0), u"DB-2A");
    EXPECT_EQ(doc.equipmentId(1), u"");
    EXPECT_TRUE(doc.isModified());

    // An import that keeps an identifier keeps its link; Cancel stores nothing.
    doc.setModified(false);
    D again(doc);
    log.texts.clear();
    ASSERT_TRUE(again.importFrom(write("keep.csv", "id\nX\nDB-2A\n")));
    again.controls().buttons->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(ids(doc.equipmentItems()), u"MCC-1 DB-2A ");
    D third(doc);
    ASSERT_TRUE(third.importFrom(write("keep.csv", "id\nX\nDB-2A\n")));
    third.controls().buttons->button(QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(log.texts.isEmpty()) << "no link is lost, so nothing is asked";
    EXPECT_EQ(ids(doc.equipmentItems()), u"X DB-2A ");
    EXPECT_EQ(doc.equipmentId(0), u"DB-2A");
}

}  // namespace
}  // namespace calivue
