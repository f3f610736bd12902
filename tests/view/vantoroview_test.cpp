// The image view: viewers placed by the layout rule, visibility flags, the options sheet
// docked, floating, closed and rebuilt, report-writer mode, the redraw timer's change flags,
// and copies whose pixels are exactly the ones on screen.
#include "viewtestutil.h"

#include "filedialoglog.h"
#include "messagelog.h"

#include "view/displayset.h"
#include "view/objectviewer.h"
#include "view/screengrab.h"
#include "view/vantoroview.h"

#include "core/bitmapfile.h"
#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <functional>
#include <utility>

#include <gtest/gtest.h>

namespace calivue {
namespace {

using viewtest::OpenedDoc;

// An options sheet of a known size. (What the real pages show after a change, heard once
// through their own connections, is checked with the real sheet among the panels' tests.)
class FakeSheet : public QTabWidget, public cViewSheet {
public:
    FakeSheet()
    {
        for (int i = 0; i < 3; ++i) addTab(new QLabel(QStringLiteral("page")), QString::number(i));
    }
    QSize sizeHint() const override { return QSize(300, 620); }
};

QRect toQRect(const EdgeRect& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

struct ViewFixture {
    OpenedDoc opened{viewtest::flatPlan()};
    int built = 0;
    std::unique_ptr<CVantoroView> view;

    explicit ViewFixture(bool withOptions = true, QSize size = QSize(1280, 800))
    {
        ViewSheetFactory factory;
        if (withOptions)
            factory = [this](CVantoroDoc&, cDisplaySet&) -> QWidget* {
                ++built;
                return new FakeSheet;
            };
        view = std::make_unique<CVantoroView>(*opened.doc, factory);
        view->resize(size);
        view->show();
        QCoreApplication::processEvents();
    }
    CVantoroDoc& doc() { return *opened.doc; }
    FakeSheet* sheet() { return dynamic_cast<FakeSheet*>(view->optionsSheet()); }
};

// Catches viewers not placed where the layout rule puts them, or panels shown against
// their flags: cursor list hidden at first, profiles following the document.
TEST(VantoroView, ViewersFollowTheLayoutRule)
{
    ViewFixture f;
    ASSERT_TRUE(f.opened.opened);
    ASSERT_TRUE(f.view->initialised());
    EXPECT_FALSE(f.view->cursorListShown());
    EXPECT_TRUE(f.view->optionsShown());
    EXPECT_EQ(f.view->optionsRect(), (EdgeRect{0, 0, 300, 620}));
    for (QSize size : {QSize(1280, 800), QSize(900, 673), QSize(700, 900)}) {
        f.view->resize(size);
        QCoreApplication::processEvents();
        const ViewLayout layout = f.view->currentLayout();
        EXPECT_EQ(f.view->viewer(CVantoroView::ImageViewer)->geometry(), toQRect(layout.image));
        EXPECT_EQ(f.view->viewer(CVantoroView::ColourBarViewer)->geometry(),
                  toQRect(layout.colourBar));
        EXPECT_EQ(f.view->viewer(CVantoroView::SpanViewer)->geometry(), toQRect(layout.span));
        EXPECT_TRUE(f.view->viewer(CVantoroView::ImageViewer)->isVisible());
        EXPECT_FALSE(f.view->viewer(CVantoroView::CursorListViewer)->isVisible());
        // The image keeps 4:3 inside its frame.
        const QRect image = toQRect(layout.image);
        EXPECT_NEAR(double(image.width()) / image.height(), 4.0 / 3.0, 0.02);
    }
    // The image starts right of the docked options (and of the side profile when shown).
    const QRect image = f.view->viewer(CVantoroView::ImageViewer)->geometry();
    EXPECT_EQ(image.left(), 300 + (f.view->profilesShown() ? 108 : 0));
}

// Catches the toggles not reaching the viewers, the layout, or the record's profile bits.
TEST(VantoroView, CursorListAndProfilesToggle)
{
    ViewFixture f;
    f.view->toggleCursorList();
    EXPECT_TRUE(f.view->cursorListShown());
    EXPECT_TRUE(f.view->viewer(CVantoroView::CursorListViewer)->isVisible());
    EXPECT_EQ(f.view->viewer(CVantoroView::CursorListViewer)->geometry(),
              toQRect(f.view->currentLayout().cursorList));

    const bool before = f.view->profilesShown();
    const std::uint8_t flags = f.doc().image().fields.flagsA;
    f.view->toggleProfiles();
    EXPECT_NE(f.view->profilesShown(), before);
    EXPECT_EQ(f.doc().profilesShown(), !before);
    EXPECT_EQ(f.doc().image().fields.flagsA ^ flags, 0x30);
    EXPECT_TRUE(f.doc().isModified());
    EXPECT_EQ(f.view->viewer(CVantoroView::LowerProfileViewer)->isVisible(), !before);
    EXPECT_EQ(f.view->viewer(CVantoroView::SideProfileViewer)->isVisible(), !before);
    // Hidden cursor list and profiles: the image moves to the options panel's edge.
    if (f.view->profilesShown()) f.view->toggleProfiles();
    f.view->toggleCursorList();
    EXPECT_EQ(f.view->viewer(CVantoroView::ImageViewer)->geometry().left(), 300);
    f.view->toggleOptions();
    EXPECT_FALSE(f.view->optionsShown());
    EXPECT_EQ(f.view->viewer(CVantoroView::ImageViewer)->geometry().left(), 0);
}

// Catches a floating sheet that cannot come back after it was closed, or one rebuilt
// without its pages.
TEST(VantoroView, OptionsSheetDocksFloatsClosesAndComesBack)
{
    ViewFixture f;
    ASSERT_EQ(f.built, 1);
    EXPECT_TRUE(f.view->optionsDocked());
    EXPECT_EQ(f.view->optionsSheet()->parentWidget(), f.view->canvas());

    f.view->toggleOptionsDocked();
    EXPECT_FALSE(f.view->optionsDocked());
    QWidget* floating = f.view->optionsSheet();
    ASSERT_NE(floating, nullptr);
    EXPECT_TRUE(floating->isWindow());
    EXPECT_TRUE(f.view->optionsShown());
    // Floating options take no room: the image starts at the left edge (plus the profile).
    EXPECT_EQ(f.view->viewer(CVantoroView::ImageViewer)->geometry().left(),
              f.view->profilesShown() ? 108 : 0);

    floating->close();  // deleted on close
    QCoreApplication::processEvents();
    EXPECT_EQ(f.view->optionsSheet(), nullptr);
    EXPECT_FALSE(f.view->optionsShown());

    f.view->toggleOptions();
    ASSERT_NE(f.sheet(), nullptr);
    EXPECT_EQ(f.sheet()->count(), 3);
    EXPECT_TRUE(f.view->optionsShown());
    EXPECT_TRUE(f.sheet()->isVisible());
    EXPECT_EQ(f.built, 3);
}

// The sheet's own context command is the user's way to dock it; it must survive the
// rebuild it causes and carry the right tick each time.
TEST(VantoroView, SheetContextCommandDocksAndFloats)
{
    ViewFixture f;
    auto dockAction = [&f] {
        return f.view->optionsSheet()->findChild<QAction*>(QStringLiteral("dockOptions"));
    };
    ASSERT_NE(dockAction(), nullptr);
    EXPECT_EQ(f.view->optionsSheet()->contextMenuPolicy(), Qt::ActionsContextMenu);
    EXPECT_TRUE(dockAction()->isChecked());

    dockAction()->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(f.view->optionsDocked());
    ASSERT_NE(f.view->optionsSheet(), nullptr);
    EXPECT_TRUE(f.view->optionsSheet()->isWindow());
    ASSERT_NE(dockAction(), nullptr);
    EXPECT_FALSE(dockAction()->isChecked());

    dockAction()->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.view->optionsDocked());
    ASSERT_NE(f.view->optionsSheet(), nullptr);
    EXPECT_EQ(f.view->optionsSheet()->parentWidget(), f.view->canvas());
    EXPECT_EQ(f.sheet()->count(), 3);
    EXPECT_EQ(f.built, 3);
}

// Counts the paint events of the view's viewers between two looks.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(CVantoroView& view)
    {
        for (int i = 0; i < CVantoroView::ViewerCount; ++i)
            view.viewer(static_cast<CVantoroView::Viewer>(i))->installEventFilter(this);
    }
    // The viewers painted since the last call, as a set of Viewer bits.
    unsigned take()
    {
        QCoreApplication::processEvents();
        return std::exchange(m_painted, 0u);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            if (auto* viewer = qobject_cast<cObjectViewer*>(watched))
                m_painted |= 1u << viewer->property("viewerIndex").toInt();
        return false;
    }

private:
    unsigned m_painted = 0;
};

// Catches hints routed to the wrong viewers, a timer tick that repaints what did not change
// (or misses what did), and change flags left set by the timer. (The pages' side of the
// hints: OptionsSheetInView.HintsAndRedrawTimer, with the real sheet.)
TEST(VantoroView, HintsAndRedrawTimer)
{
    using V = CVantoroView;
    ViewFixture f;
    ASSERT_NE(f.sheet(), nullptr);
    unsigned shown = 0;  // hidden viewers get no paint events
    for (int i = 0; i < V::ViewerCount; ++i) {
        f.view->viewer(static_cast<V::Viewer>(i))->setProperty("viewerIndex", i);
        if (f.view->viewer(static_cast<V::Viewer>(i))->isVisible()) shown |= 1u << i;
    }
    ASSERT_TRUE(shown & (1u << V::ImageViewer));
    const unsigned profiles = (1u << V::LowerProfileViewer) | (1u << V::SideProfileViewer);
    struct Case {
        const char* name;
        std::function<void()> change;
        unsigned repainted;
    };
    const Case cases[] = {
        {"readings", [&] { emit f.doc().changed(DocChange::Readings); },
         (1u << V::ImageViewer) | (1u << V::CursorListViewer)},
        {"saved", [&] { emit f.doc().changed(DocChange::Saved); }, 0u},
        {"controls", [&] { emit f.doc().changed(DocChange::Controls); }, ~0u},
        {"palette, then the timer",
         [&] {
             f.doc().setPalette(3);
             f.view->redrawTick();
         },
         (1u << V::ImageViewer) | (1u << V::ColourBarViewer) | (1u << V::SpanViewer) | profiles},
        {"profile line, then the timer",
         [&] {
             f.doc().setProfileRow(f.doc().profiles().row);  // sets the overlay flag
             f.view->redrawTick();
         },
         (1u << V::ImageViewer) | profiles},
        {"the timer with nothing new", [&] { f.view->redrawTick(); }, 0u},
    };
    f.view->redrawTick();  // what the opening left
    PaintCounter painted(*f.view);
    painted.take();
    for (const Case& c : cases) {
        c.change();
        EXPECT_EQ(painted.take(), c.repainted & shown) << c.name;
        EXPECT_EQ(f.doc().takeImageChanged(), 0u) << c.name;
        EXPECT_EQ(f.doc().takeOverlayChanged(), 0u) << c.name;
    }
}

// Catches report mode entered with unsaved changes saved without asking (the camera's files
// are evidence), a discard that keeps the changes or touches the file, a cancel that leaves
// analysis, and panels left on screen.
TEST(VantoroView, ReportWriterAsksAboutChangesAndSwapsThePanels)
{
    struct Case {
        int answer;
        bool reportMode;
        int savedPalette;  // the palette the snapshot's file then holds
        int shownPalette;  // the document's
    };
    for (const Case c :
         {Case{cMessageDlg::IdYes, true, 4, 4}, Case{cMessageDlg::IdNo, true, -1, -1},
          Case{cMessageDlg::IdCancel, false, -1, 4}}) {
        ViewFixture f;
        const int original = f.doc().image().fields.palette;
        f.doc().setPalette(4);
        ASSERT_TRUE(f.doc().isModified());
        QStringList questions;
        cMessageDlg::setResponder([&](const cMessageDlg& box) {
            questions << box.text();
            return c.answer;
        });
        f.view->toggleReportWriter();
        cMessageDlg::setResponder([](const cMessageDlg& box) { return box.closeResult(); });
        ASSERT_EQ(questions.size(), 1) << c.answer;
        EXPECT_TRUE(questions[0].contains(f.doc().displayName())) << questions[0].toStdString();
        EXPECT_EQ(f.view->reportMode(), c.reportMode) << c.answer;
        EXPECT_EQ(f.doc().isModified(), !c.reportMode) << c.answer;
        EXPECT_EQ(f.doc().image().fields.palette, c.shownPalette < 0 ? original : c.shownPalette);
        CVantoroDoc reopened;
        ASSERT_TRUE(reopened.openDocument(f.opened.bmpPath));
        EXPECT_EQ(reopened.image().fields.palette, c.savedPalette < 0 ? original : c.savedPalette)
            << c.answer;
        if (!c.reportMode) continue;

        EXPECT_EQ(f.view->scrollSizes(), f.view->reportSheet()->sizeHint());
        for (int i = 0; i < CVantoroView::ViewerCount; ++i)
            EXPECT_FALSE(f.view->viewer(static_cast<CVantoroView::Viewer>(i))->isVisible()) << i;
        EXPECT_FALSE(f.view->optionsSheet()->isVisible());
        ASSERT_NE(f.view->reportSheet(), nullptr);
        EXPECT_TRUE(f.view->reportSheet()->isVisible());
        EXPECT_TRUE(f.view->reportSheet()->isEnabled());

        f.view->toggleReportWriter();
        EXPECT_FALSE(f.view->reportMode());
        EXPECT_EQ(f.view->scrollSizes(), QSize(500, 560));
        EXPECT_TRUE(f.view->viewer(CVantoroView::ImageViewer)->isVisible());
        EXPECT_FALSE(f.view->reportSheet()->isVisible());
    }
}

// Catches report mode entered although the save failed: the changes would be left unsaved
// and unseen. The snapshot's folder is replaced by a file, which no user (root included)
// can write into.
TEST(VantoroView, ReportWriterStaysInAnalysisWhenTheSaveFails)
{
    ViewFixture f;
    f.doc().setPalette(4);
    const QString folder = f.opened.dir.path();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QStringList messages;
    cMessageDlg::setResponder([&](const cMessageDlg& box) {
        messages << box.text();
        return messages.size() == 1 ? int(cMessageDlg::IdYes) : box.closeResult();
    });
    f.view->toggleReportWriter();
    cMessageDlg::setResponder([](const cMessageDlg& box) { return box.closeResult(); });
    QFile::remove(folder);

    ASSERT_EQ(messages.size(), 2);  // the question, answered Yes, then the failure
    messages.removeFirst();
    // The file of the set that could not be written, and why.
    EXPECT_TRUE(messages[0].startsWith(uiText(sid::ErrorSavingFile) + QLatin1Char('\n') + folder +
                                       QLatin1Char('/')))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral(": Not a directory")))
        << messages[0].toStdString();
    EXPECT_FALSE(f.view->reportMode());
    EXPECT_TRUE(f.doc().isModified());
    EXPECT_EQ(f.doc().palette(), 4);
    EXPECT_TRUE(f.view->viewer(CVantoroView::ImageViewer)->isVisible());
}

struct GrabScope {
    explicit GrabScope(cScreenGrab::Chooser grab) { cScreenGrab::setChooser(std::move(grab)); }
    ~GrabScope() { cScreenGrab::setChooser({}); }
};

// Catches a bitmap that differs from the screen, a wrong region, or a file written after
// either dialog was cancelled.
TEST(VantoroView, CopyToBitmapWritesTheViewerPixels)
{
    ViewFixture f;
    const QString path = f.opened.dir.filePath(QStringLiteral("copy.bmp"));
    std::optional<cScreenGrab::Region> region = cScreenGrab::Region::Snapshot;
    test::FileDialogLog dialogs;
    std::optional<QString>& chosen = dialogs.answer;
    chosen = path;
    QString title;
    GrabScope scope([&](const cScreenGrab& dialog) {
        title = dialog.windowTitle();
        return region;
    });

    f.view->copyToBitmap();
    EXPECT_EQ(title, QStringLiteral("Copy To Bitmap..."));
    cObjectViewer* image = f.view->viewer(CVantoroView::ImageViewer);
    const QImage expected =
        image->grab(image->contentRect()).toImage().convertToFormat(QImage::Format_RGB32);
    QImage written(path);
    ASSERT_FALSE(written.isNull());
    written = written.convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(written.size(), image->contentRect().size());
    EXPECT_EQ(written, expected);
    // The file is a plain 24-bit bitmap our own reader accepts.
    cBitmapFile bmp;
    EXPECT_EQ(bmp.Load(path.toStdString()), Error::None);
    EXPECT_TRUE(bmp.IsValid());

    // Snapshot +: the same rectangle reaching to the colour bar's right edge.
    region = cScreenGrab::Region::SnapshotPlus;
    f.view->copyToBitmap();
    const QImage plus(path);
    const QRect bar = f.view->viewer(CVantoroView::ColourBarViewer)->geometry();
    EXPECT_EQ(plus.width(), bar.right() - image->contentRectInParent().left() + 1);
    EXPECT_EQ(plus.height(), image->contentRect().height());

    QFile::remove(path);
    region.reset();  // Cancel in the region dialog
    f.view->copyToBitmap();
    EXPECT_FALSE(QFile::exists(path));
    region = cScreenGrab::Region::Snapshot;
    chosen.reset();  // Cancel in the file dialog
    f.view->copyToBitmap();
    EXPECT_FALSE(QFile::exists(path));

    // A file that cannot be written is not dropped without a word: which file and why.
    QFile blocker(f.opened.dir.filePath(QStringLiteral("afile")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    chosen = blocker.fileName() + QStringLiteral("/copy.bmp");
    test::MessageLog log;
    f.view->copyToBitmap();
    EXPECT_EQ(log.texts, QStringList{uiText(sid::ErrorSavingFile) + QLatin1Char('\n') + *chosen +
                                     QStringLiteral(": Not a directory")});
}

// Catches the clipboard copy taking another region than the file copy.
TEST(VantoroView, CopyPutsTheSnapshotOnTheClipboard)
{
    ViewFixture f;
    QString title;
    GrabScope scope([&](const cScreenGrab& dialog) -> std::optional<cScreenGrab::Region> {
        title = dialog.windowTitle();
        return cScreenGrab::Region::Snapshot;
    });
    QApplication::clipboard()->clear();
    f.view->copyToClipboard();
    EXPECT_EQ(title, QStringLiteral("Copy"));
    const QImage copied = QApplication::clipboard()->image();
    cObjectViewer* image = f.view->viewer(CVantoroView::ImageViewer);
    if (copied.isNull()) GTEST_SKIP() << "this platform keeps no clipboard";
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32),
              image->grab(image->contentRect()).toImage().convertToFormat(QImage::Format_RGB32));
}

// Catches the region dialog's texts: the third button is built from the second.
TEST(VantoroView, ScreenGrabOffersThreeRegions)
{
    cScreenGrab dialog(QStringLiteral("Copy"));
    const auto text = [&](const char* name) {
        auto* b = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
        return b ? b->text() : QString();
    };
    EXPECT_EQ(text("fullWindow"), QStringLiteral("Full Window"));
    EXPECT_EQ(text("snapshot"), QStringLiteral("Snapshot"));
    EXPECT_EQ(text("snapshotPlus"), QStringLiteral("Snapshot +"));
    auto* plus = dialog.findChild<QPushButton*>(QStringLiteral("snapshotPlus"));
    ASSERT_NE(plus, nullptr);
    plus->click();
    EXPECT_EQ(dialog.chosen(), cScreenGrab::Region::SnapshotPlus);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// Catches a view that keeps showing panels without a snapshot, or crashes on an empty one.
TEST(VantoroView, WithoutASnapshotThePanelsWait)
{
    CVantoroDoc doc;
    CVantoroView view(doc);
    view.resize(800, 600);
    view.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(view.viewer(CVantoroView::ImageViewer)->isVisible());
    view.redrawTick();
    view.copyToBitmap();  // nothing to copy: no dialog, no crash
    emit doc.changed(DocChange::Controls);
    EXPECT_FALSE(view.viewer(CVantoroView::SpanViewer)->isVisible());
}

}  // namespace
}  // namespace calivue
