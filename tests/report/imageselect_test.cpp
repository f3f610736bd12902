// The image selection page driven as a user would: folders listed, snapshots added and
// removed with their records, projects' rows loaded, listings cancelled.
#include "imageselect_fixture.h"

#include "report/reportrowlist.h"
#include "report/thumbnail.h"
#include "document/vantorodoc.h"
#include "filedialoglog.h"
#include "report/engine/reporttext.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QLayout>
#include <QTest>

#include <optional>

#include <gtest/gtest.h>

namespace calivue::test {
namespace {

using namespace Qt::StringLiterals;

// Which snapshots a listing shows and in which order: case-blind names, own files before
// subfolders, hidden files never, hidden folders walked, and no row for a file whose record
// or bitmap is bad (the row ↔ path pairing must survive that skip).
TEST(ImageSelectScan, ListsSnapshotsInOrderSkippingBadFiles)
{
    PageFixture f;
    const QString root = f.folder.path();
    putSnapshot(root, u"b"_s);
    putSnapshot(root, u"A"_s, u"BMP"_s, u"QVX"_s);         // camera's upper case
    putSnapshot(root, u"c"_s, u"Bmp"_s, u"qVx"_s);         // any case
    putSnapshot(root, u".hidden"_s);                       // hidden file
    putSnapshot(root, u"lonely"_s, u"bmp"_s, QString());   // no record
    putSnapshot(root, u"corrupt"_s, u"bmp"_s, QString());  // record does not decode
    EXPECT_TRUE(putFile(root + u"/corrupt.qvx"_s, QByteArray(154133, '\x5a')));
    putSnapshot(root, u"notbitmap"_s, QString(), u"qvx"_s);  // record fine, bitmap garbage
    EXPECT_TRUE(putFile(root + u"/notbitmap.bmp"_s, QByteArray("BM not really a bitmap")));
    putSnapshot(root + u"/sub"_s, u"s1"_s);
    putSnapshot(root + u"/.hid"_s, u"h1"_s);
    putSnapshot(root + u"/sub/deeper"_s, u"d1"_s);

    struct Case {
        bool subfolders;
        QStringList expected;
    } cases[] = {
        {false, {u"A.BMP"_s, u"b.bmp"_s, u"c.Bmp"_s}},
        {true,
         {u"A.BMP"_s, u"b.bmp"_s, u"c.Bmp"_s, u".hid/h1.bmp"_s, u"sub/s1.bmp"_s,
          u"sub/deeper/d1.bmp"_s}},
        {false, {u"A.BMP"_s, u"b.bmp"_s, u"c.Bmp"_s}},  // unticking drops the subfolders again
    };
    for (const Case& c : cases) {
        MessageLog log;
        f.list(c.subfolders);
        EXPECT_EQ(f.availableNames(), c.expected) << c.subfolders;
        ASSERT_EQ(f.page->availableList()->count(), f.page->availableCount());
        for (int r = 0; r < f.page->availableCount(); ++r) {
            const QString path = f.page->availablePath(r);
            EXPECT_EQ(f.page->availableList()->item(r)->text(),
                      path.mid(path.lastIndexOf(u'/') + 1));
            EXPECT_FALSE(f.page->availableList()->item(r)->icon().isNull());
        }
        EXPECT_TRUE(log.texts.isEmpty()) << log.texts.join(u'|').toStdString();
    }
    // notbitmap.bmp was listed by the scan but got no row: row 2 is still c.Bmp's.
    f.page->selectAvailable(2);
    f.page->add();
    ASSERT_EQ(f.page->rowCount(), 1);
    EXPECT_EQ(f.rowNames(), QStringList{u"c.Bmp"_s});
    EXPECT_EQ(toQString(f.page->entryAt(0)->snapshotPath), root + u"/c.qVx"_s);
}

// The folder box: an empty box is refused with the old folder put back; a folder that
// cannot be listed reports the system's words; a crowd of files that are not snapshots
// lists nothing without a word.
TEST(ImageSelectScan, FolderFailures)
{
    PageFixture f;
    putSnapshot(f.folder.path(), u"one"_s);
    f.list();
    ASSERT_EQ(f.page->availableCount(), 1);
    {
        MessageLog log;
        f.page->setSnapshotFolder(QString());
        f.page->scanFolder();
        ASSERT_EQ(log.seen.size(), 1u);
        EXPECT_EQ(log.seen[0].text, u"Invalid image folder"_s);
        EXPECT_EQ(log.seen[0].icon, cMessageDlg::IconKind::Exclamation);
        EXPECT_EQ(f.page->snapshotFolder(), f.folder.path());
        EXPECT_EQ(f.page->findChild<QLineEdit*>()->text(), f.folder.path());
        EXPECT_EQ(f.page->availableCount(), 1);
    }
    {
        MessageLog log;
        f.list(false, f.folder.path() + u'/' + QString(300, u'x'));  // name too long
        ASSERT_EQ(log.seen.size(), 1u);
        EXPECT_EQ(log.seen[0].icon, cMessageDlg::IconKind::Stop);
        EXPECT_EQ(
            log.seen[0].text,
            QString::fromStdString(std::make_error_code(std::errc::filename_too_long).message()));
        EXPECT_EQ(f.page->availableCount(), 0);
    }
    {
        MessageLog log;
        QTemporaryDir crowd;
        // Mostly other files; every 50th a bitmap name without a record.
        for (int i = 0; i < 10000; ++i)
            EXPECT_TRUE(
                putFile(crowd.filePath(QString::number(i) + (i % 50 ? u".txt"_s : u".bmp"_s)),
                        QByteArray::number(i)));
        f.list(true, crowd.path());
        EXPECT_EQ(f.page->availableCount(), 0);
        EXPECT_TRUE(log.texts.isEmpty());
    }
}

// Browse: the open dialog for snapshot bitmaps; its file's folder is listed. A double click
// on an available row adds it.
TEST(ImageSelectScan, BrowseListsTheChosenFilesFolderAndDoubleClickAdds)
{
    PageFixture f;
    putSnapshot(f.path(u"card"_s), u"IR_0001"_s, u"BMP"_s, u"QVX"_s);
    putSnapshot(f.path(u"card"_s), u"IR_0002"_s, u"BMP"_s, u"QVX"_s, 1);
    std::optional<cIRFileDialog> seen;
    {
        test::FileDialogLog dialogs;
        dialogs.answer = f.path(u"card/IR_0002.BMP"_s);
        f.page->browse();
        if (!dialogs.seen.empty()) seen = dialogs.seen.back();
    }
    f.page->waitForScan();
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->mode(), cIRFileDialog::Mode::Open);
    EXPECT_EQ(seen->title(), u"Open"_s);
    EXPECT_EQ(seen->defaultSuffix(), u"bmp"_s);
    ASSERT_EQ(seen->nameFilters().size(), 1);
    EXPECT_TRUE(seen->nameFilters()[0].startsWith(u"Calivue (*.bmp)"_s));
    EXPECT_EQ(f.page->snapshotFolder(), f.path(u"card"_s));
    EXPECT_EQ(f.availableNames(), (QStringList{u"card/IR_0001.BMP"_s, u"card/IR_0002.BMP"_s}));

    f.page->resize(1200, 900);
    f.page->show();
    QListWidget* list = f.page->availableList();
    list->doItemsLayout();
    const QPoint second = list->visualItemRect(list->item(1)).center();
    // A widget's double click arrives as a press, a release and the double-click event.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(f.rowNames(), QStringList{u"card/IR_0002.BMP"_s});
    EXPECT_EQ(f.details->recordCount(), 1);
    EXPECT_EQ(f.page->availableSelection(), 1);
    // Edit Image hands the previewed bitmap over; with nothing previewed it does nothing.
    QStringList edited;
    f.ctx.editImage = [&](const QString& path) { edited << path; };
    f.page->editImage();
    f.page->preview(QString());
    f.page->editImage();
    EXPECT_EQ(edited, QStringList{f.path(u"card/IR_0002.BMP"_s)});
}

// Add, Add All, Remove and Remove All keep rows and records paired, select the designed
// row, mark the project modified and count the rows.
TEST(ImageSelectRows, CommandsKeepRowsAndRecordsPaired)
{
    // Commands: "pN" clicks available row N, "iN" inspections row N, then add, all (Add
    // All), rm (Remove), clear (Remove All).
    struct Case {
        const char* commands;
        int available;  // snapshots in the folder
        QStringList rows;
        int selected;     // selected inspections row after the commands
        int modified;     // times the project was marked modified
        QString preview;  // the previewed bitmap's name
    } cases[] = {
        {"add", 0, {}, -1, 0, {}},
        {"add", 3, {u"s0.bmp"_s}, -1, 1, u"s0.bmp"_s},  // nothing selected: the first
        {"p1 add add", 3, {u"s1.bmp"_s, u"s1.bmp"_s}, -1, 2, u"s1.bmp"_s},
        {"all", 3, {u"s0.bmp"_s, u"s1.bmp"_s, u"s2.bmp"_s}, -1, 1, u"s2.bmp"_s},
        {"all", 0, {}, -1, 0, {}},
        {"all i2 rm", 3, {u"s0.bmp"_s, u"s1.bmp"_s}, 1, 2, u"s1.bmp"_s},
        {"all i0 rm", 3, {u"s1.bmp"_s, u"s2.bmp"_s}, 0, 2, u"s1.bmp"_s},
        {"add i0 rm", 1, {}, -1, 2, {}},
        {"all rm", 3, {u"s0.bmp"_s, u"s1.bmp"_s, u"s2.bmp"_s}, -1, 1, u"s2.bmp"_s},
        {"all clear", 3, {}, -1, 2, {}},
        {"clear", 3, {}, -1, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.commands) + " of " + std::to_string(c.available));
        PageFixture f;
        for (int i = 0; i < c.available; ++i)
            putSnapshot(f.folder.path(), u"s"_s + QString::number(i), u"bmp"_s, u"qvx"_s, i);
        f.list();
        f.modifiedCount = 0;
        for (const QString& command : QString::fromLatin1(c.commands).split(u' ')) {
            if (command.startsWith(u'p')) f.page->selectAvailable(command.mid(1).toInt());
            if (command.startsWith(u'i')) f.page->selectInspection(command.mid(1).toInt());
            if (command == u"add"_s) f.page->add();
            if (command == u"all"_s) f.page->addAll();
            if (command == u"rm"_s) f.page->remove();
            if (command == u"clear"_s) f.page->removeAll();
        }
        EXPECT_EQ(f.rowNames(), c.rows);
        EXPECT_EQ(f.page->inspectionList()->count(), f.page->rowCount());
        EXPECT_EQ(f.details->recordCount(), f.page->rowCount());
        EXPECT_EQ(f.page->selectedInspection(), c.selected);
        EXPECT_EQ(f.modifiedCount, c.modified);
        EXPECT_EQ(f.page->countText(), u"Inspections: "_s + QString::number(c.rows.size()));
        EXPECT_EQ(f.details->currentInspection(), 0);
        EXPECT_EQ(f.page->previewBitmapPath(), c.preview.isEmpty() ? QString() : f.path(c.preview));
    }
}

// Removing a row removes its own record, not the last one.
TEST(ImageSelectRows, RemoveTakesTheRowsOwnRecord)
{
    PageFixture f;
    for (int i = 0; i < 3; ++i) putSnapshot(f.folder.path(), u"s"_s + QString::number(i));
    f.list();
    f.page->addAll();
    std::vector<cInspectionRecord> named(3);
    for (int i = 0; i < 3; ++i) named[static_cast<std::size_t>(i)].name = toU16(QString::number(i));
    for (int i = 0; i < 3; ++i) f.report.setRecord(i, named[static_cast<std::size_t>(i)]);
    for (const auto& [row, left] : {std::pair{1, "02"}, std::pair{1, "0"}, std::pair{0, ""}}) {
        f.page->selectInspection(row);
        f.page->remove();
        QString names;
        for (const auto& r : f.details->records()) names += toQString(r.name);
        EXPECT_EQ(names, QString::fromLatin1(left));
    }
}

// Remove All asks before typed details go, and only then: the measurement choices the details
// page fills in for a row merely shown are no typing. No or Escape keeps every row.
TEST(ImageSelectRows, RemoveAllAsksBeforeTypedDetailsGo)
{
    using Edit = void (*)(cInspectionRecord&);
    struct Case {
        const char* what;
        Edit edit;  // applied to row 1's record
        std::optional<int> answer;
        bool asked;
        int rowsLeft;
    } cases[] = {
        {"nothing typed", [](cInspectionRecord&) {}, std::nullopt, false, 0},
        {"choices filled in",
         [](cInspectionRecord& r) { r.firstMeasurement = r.secondMeasurement = 1; }, std::nullopt,
         false, 0},
        {"comment, No", [](cInspectionRecord& r) { r.comment = u"loose lug"; }, cMessageDlg::IdNo,
         true, 3},
        {"priority, Escape", [](cInspectionRecord& r) { r.repairPriority = 2; }, std::nullopt, true,
         3},
        {"repair dated, Yes", [](cInspectionRecord& r) { r.repairedDated = true; },
         cMessageDlg::IdYes, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PageFixture f;
        for (int i = 0; i < 3; ++i) putSnapshot(f.folder.path(), u"s"_s + QString::number(i));
        f.list();
        f.page->addAll();
        cInspectionRecord r = f.report.inspection(1)->record;
        c.edit(r);
        f.report.setRecord(1, r);
        MessageLog log;
        log.answer = c.answer;
        f.page->removeAll();
        ASSERT_EQ(log.seen.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_TRUE(log.seen[0].text.startsWith(u"Details have been typed for 1 of"_s));
            EXPECT_EQ(log.seen[0].buttons, (QList<int>{cMessageDlg::IdYes, cMessageDlg::IdNo}));
        }
        EXPECT_EQ(f.page->rowCount(), c.rowsLeft);
        EXPECT_EQ(f.page->inspectionList()->count(), c.rowsLeft);
    }
}

// Each row names its file; saving a snapshot in the analysis window makes the thumbnails of
// every row (and available row) showing that file again from its record, and no other.
TEST(ImageSelectRows, RowsNameTheirFileAndFollowSavedSnapshots)
{
    using Edit = void (*)(CVantoroDoc&);
    const std::pair<const char*, Edit> edits[] = {
        {"palette", [](CVantoroDoc& d) { d.setPalette(d.palette() == 3 ? 4 : 3); }},
        {"orientation", [](CVantoroDoc& d) { d.setOrientation(2); }},
    };
    for (const auto& [what, edit] : edits) {
        SCOPED_TRACE(what);
        PageFixture f;
        CVantoroDoc doc(f.ctx.settings);
        f.ctx.doc = &doc;
        f.page = std::make_unique<ImageSelectDlg>(f.ctx);
        for (int i = 0; i < 2; ++i)
            putSnapshot(f.folder.path(), u"s"_s + QString::number(i), u"bmp"_s, u"qvx"_s, i);
        f.list();
        f.page->addAll();
        f.page->selectAvailable(0);
        f.page->add();
        const auto icon = [&](QListWidget* list, int row) {
            return list->item(row)->icon().pixmap(kThumbnailSize).toImage();
        };
        QStringList names;
        std::vector<QImage> before;
        for (int r = 0; r < 3; ++r) {
            names << f.page->inspectionList()->item(r)->text();
            before.push_back(icon(f.page->inspectionList(), r));
        }
        EXPECT_EQ(names, (QStringList{u"s0.bmp"_s, u"s1.bmp"_s, u"s0.bmp"_s}));
        const QImage availableBefore = icon(f.page->availableList(), 0);

        ASSERT_TRUE(doc.openDocument(f.path(u"s0.bmp"_s)));
        edit(doc);
        ASSERT_TRUE(doc.saveDocument(doc.currentPath()));
        const QImage rendered =
            makeSnapshotThumbnail(f.path(u"s0.bmp"_s), f.path(u"s0.qvx"_s)).image;
        EXPECT_NE(rendered, before[0]);
        EXPECT_EQ(icon(f.page->inspectionList(), 0), rendered);
        EXPECT_EQ(icon(f.page->inspectionList(), 2), rendered);
        EXPECT_EQ(icon(f.page->inspectionList(), 1), before[1]);
        EXPECT_NE(icon(f.page->availableList(), 0), availableBefore);
        EXPECT_EQ(f.page->inspectionList()->item(2)->text(), u"s0.bmp"_s);
    }
}

// The move buttons' arrows point at the list they move rows to: mirrored, the inspections list
// sits left of the buttons, so Add points left and Remove right, held by marks against the bidi
// algorithm's own mirroring; switching back restores the written texts.
TEST(ImageSelectRows, ArrowsPointAtTheirTargetList)
{
    PageFixture f;
    f.page->resize(1200, 700);
    const QString lrm(QChar(0x200E));
    const QString left = lrm + u"<<"_s + lrm, right = lrm + u">>"_s + lrm;
    const std::pair<Qt::LayoutDirection, QStringList> cases[] = {
        {Qt::LeftToRight, {u"Add >>"_s, u"Add All >>"_s, u"<< Remove"_s, u"<< Remove All"_s}},
        {Qt::RightToLeft,
         {u"Add "_s + left, u"Add All "_s + left, right + u" Remove"_s, right + u" Remove All"_s}},
        {Qt::LeftToRight, {u"Add >>"_s, u"Add All >>"_s, u"<< Remove"_s, u"<< Remove All"_s}},
    };
    for (const auto& [direction, texts] : cases) {
        f.page->setLayoutDirection(direction);
        f.page->layout()->activate();
        QStringList shown;
        for (QPushButton* b : f.page->moveButtons()) shown << b->text();
        EXPECT_EQ(shown, texts) << direction;
        // The texts follow where the lists really are.
        const int buttons = f.page->moveButtons()[0]->geometry().center().x();
        const int inspections = f.page->inspectionList()->geometry().center().x();
        EXPECT_EQ(inspections < buttons, direction == Qt::RightToLeft);
    }
}

// A project's rows: thumbnails made again from each bitmap, the record name derived again,
// the records copied; any picture that cannot be loaded fails the load with its message.
TEST(ImageSelectProject, LoadsEntriesOrFailsWithTheDesignedMessage)
{
    PageFixture f;
    const QString root = f.folder.path();
    putSnapshot(root, u"IR_1"_s, u"BMP"_s, u"QVX"_s);
    putSnapshot(root, u"IR_2"_s, u"bmp"_s, u"qvx"_s, 1);
    EXPECT_TRUE(putFile(root + u"/junk.bmp"_s, QByteArray("not a bitmap")));
    EXPECT_TRUE(putFile(root + u"/junk.jpg"_s, QByteArray("not a jpeg")));
    const auto entry = [&](const QString& name) {
        return cInspectionImage{u"stale.qvx", toU16(root + u'/' + name), 77};
    };
    std::vector<cInspectionRecord> two(2);
    two[0].name = u"first";
    two[1].name = u"second";

    // A project written where names are case-blind still finds the camera's IR_1.BMP.
    ASSERT_TRUE(f.page->loadProjectEntries({entry(u"IR_1.bmp"_s), entry(u"IR_2.bmp"_s)}, two));
    ASSERT_EQ(f.page->rowCount(), 2);
    EXPECT_EQ(f.page->entries()[0],
              (cInspectionImage{toU16(root + u"/IR_1.QVX"_s), toU16(root + u"/IR_1.BMP"_s), 0}));
    EXPECT_EQ(f.page->entryAt(1)->thumbnailIndex, 1);
    EXPECT_EQ(toQString(f.page->entryAt(1)->snapshotPath), root + u"/IR_2.qvx"_s);
    ASSERT_EQ(f.details->recordCount(), 2);
    EXPECT_EQ(f.details->records()[1].name, u"second");
    EXPECT_EQ(f.page->countText(), u"Inspections: 2"_s);
    EXPECT_EQ(f.page->entryAt(2), nullptr);
    EXPECT_EQ(f.page->entryAt(-1), nullptr);

    const QString moved = root + u"/moved.bmp"_s;
    struct Case {
        QString bitmap;
        int language;
        QString message;
    } cases[] = {
        {moved, 0, u"Could not find "_s + moved + u"\nAborting Load."_s},
        {moved, 2, u"Could not find "_s + moved + u"\nAborting Load."_s},
        {moved, 1, moved + u" Could not find\nAborting Load."_s},
        {moved, 11, moved + u" Could not find\nAborting Load."_s},
        {root + u"/junk.bmp"_s, 0, u"Invalid bitmap while loading image\nAborting Load."_s},
        {root + u"/junk.jpg"_s, 0, u"Failed to load Jpeg.\nAborting Load."_s},
    };
    for (const Case& c : cases) {
        MessageLog log;
        f.ctx.language = Language{c.language};
        EXPECT_FALSE(f.page->loadProjectEntries({entry(u"IR_2.bmp"_s), {u"", toU16(c.bitmap), 0}},
                                                {two[0], two[1]}));
        ASSERT_EQ(log.seen.size(), 1u);
        EXPECT_EQ(log.seen[0].text, c.message);
        EXPECT_EQ(log.seen[0].icon, cMessageDlg::IconKind::Stop);
    }
    // An empty bitmap path adds no row and is no failure.
    EXPECT_TRUE(f.page->addProjectImage(QString(), 0));
    f.page->clearInspections();
    EXPECT_EQ(f.page->rowCount(), 0);
    EXPECT_EQ(f.page->inspectionList()->count(), 0);
    EXPECT_EQ(f.page->countText(), u"Inspections: 0"_s);
}

// Enter in the folder box lists the folder typed; a project read lists the folder its first
// snapshot sits in, or keeps the one shown when that folder is gone or the project is new.
TEST(ImageSelectScan, EnterAndProjectsListTheirFolder)
{
    PageFixture f;
    const QString root = f.folder.path(), other = root + u"/site b"_s;
    putSnapshot(root, u"a0"_s);
    putSnapshot(other, u"b0"_s);
    putSnapshot(other, u"b1"_s);
    f.list();
    f.page->folderEdit()->setText(other);
    QTest::keyClick(f.page->folderEdit(), Qt::Key_Return);
    f.page->waitForScan();
    EXPECT_EQ(f.page->snapshotFolder(), other);
    EXPECT_EQ(f.availableNames(), (QStringList{u"site b/b0.bmp"_s, u"site b/b1.bmp"_s}));

    const auto entry = [](const QString& bitmap) { return cInspectionImage{{}, toU16(bitmap), 0}; };
    struct Case {
        const char* how;
        QString firstBitmap;
        QString folder;  // listed afterwards
    } cases[] = {
        {"entries", root + u"/a0.bmp"_s, root},
        {"document", other + u"/b1.bmp"_s, other},
        {"document", root + u"/gone/x.bmp"_s, other},  // folder missing: the one shown stays
        {"new", {}, other},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstBitmap.toStdString());
        MessageLog log;
        f.list(false, other);
        const std::string how = c.how;
        if (how == "entries") {
            f.page->loadProjectEntries({entry(c.firstBitmap)}, {cInspectionRecord{}});
        } else if (how == "document") {
            ReportProject project = f.report.project();
            project.entries = {entry(c.firstBitmap)};
            project.records = {cInspectionRecord{}};
            ASSERT_TRUE(f.report.load(project, root + u"/p.vrp"_s));
        } else {
            f.report.newProject();
        }
        f.page->waitForScan();
        EXPECT_EQ(f.page->snapshotFolder(), c.folder);
        EXPECT_EQ(f.page->folderEdit()->text(), c.folder);
        EXPECT_EQ(f.page->availableCount(), c.folder == root ? 1 : 2);
    }
}

// Cancelling a long listing keeps exactly the rows delivered so far, in order.
TEST(ImageSelectScan, CancelKeepsTheRowsListedSoFar)
{
    PageFixture f;
    for (int i = 0; i < 80; ++i)
        putSnapshot(f.folder.path(), u"IR_%1"_s.arg(i, 4, 10, QLatin1Char('0')), u"BMP"_s, u"QVX"_s,
                    i);
    int total = 0;
    QObject::connect(f.page.get(), &ImageSelectDlg::scanProgress, [&](int listed, int all) {
        total = all;
        if (listed == 7) f.page->cancelScan();
    });
    f.list();
    EXPECT_EQ(total, 80);
    EXPECT_FALSE(f.page->isScanning());
    EXPECT_FALSE(f.page->progressBar()->isVisible());
    ASSERT_EQ(f.page->availableCount(), 7);
    EXPECT_EQ(f.page->availableList()->count(), 7);
    EXPECT_EQ(f.availableNames().last(), u"IR_0006.BMP"_s);
    // The page lists again from scratch afterwards, keeping only the pictures still shown.
    f.page->selectAvailable(3);
    f.page->add();
    QObject::disconnect(f.page.get(), &ImageSelectDlg::scanProgress, nullptr, nullptr);
    f.page->scanFolder();
    f.page->waitForScan();
    EXPECT_EQ(f.page->availableCount(), 80);
    EXPECT_EQ(f.page->pictureCount(), 81);
    EXPECT_EQ(f.page->entryAt(0)->thumbnailIndex, 0);
    EXPECT_EQ(f.rowNames(), QStringList{u"IR_0003.BMP"_s});
}

// Listing again while a listing runs (Refresh, Enter in the folder box, a project loaded): catches
// rows of the first listing arriving after the second began (duplicates, or the wrong order),
// and a thumbnail job of the first listing still writing when the second starts.
TEST(ImageSelectScan, RefreshWhileScanningListsOnceInOrder)
{
    PageFixture f;
    QStringList expected;
    for (int i = 0; i < 40; ++i) {
        const QString name = u"IR_%1"_s.arg(i, 4, 10, QLatin1Char('0'));
        putSnapshot(f.folder.path(), name, u"BMP"_s, u"QVX"_s, i);
        expected << name + u".BMP"_s;
    }
    f.list();
    for (const int restartAt : {0, 1, 5, 39}) {
        SCOPED_TRACE(restartAt);
        int restarts = 0;
        QObject::connect(f.page.get(), &ImageSelectDlg::scanProgress, [&](int listed, int) {
            if (listed != restartAt || restarts == 2) return;
            ++restarts;
            f.page->scanFolder();
        });
        f.page->scanFolder();
        // A wait ends with the listing it waited for, also when that one was cancelled.
        while (f.page->isScanning()) f.page->waitForScan();
        QObject::disconnect(f.page.get(), &ImageSelectDlg::scanProgress, nullptr, nullptr);
        EXPECT_EQ(restarts, 2);
        EXPECT_FALSE(f.page->isScanning());
        EXPECT_EQ(f.availableNames(), expected);
        EXPECT_EQ(f.page->availableList()->count(), 40);
    }
}

}  // namespace
}  // namespace calivue::test
