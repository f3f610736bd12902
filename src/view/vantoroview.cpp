// The image view's life and drawing: construction, the first set-up, layout, visibility,
// the redraw timer and the document's announcements.
#include "view/vantoroview.h"

#include "view/arraydisplay.h"
#include "view/colourbar.h"
#include "view/displayset.h"
#include "view/hotspotdisplay.h"
#include "view/objectviewer.h"
#include "view/profiledisplay.h"
#include "view/spanselector.h"
#include "document/vantorodoc.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace calivue {

namespace {
QRect toQRect(const EdgeRect& r)
{
    return QRect(r.left, r.top, std::max(0, r.right - r.left), std::max(0, r.bottom - r.top));
}

// Scroll sizes: room for the analysis panels; in report mode the size the report sheet's
// layout asks for, or this fixed size while there is no sheet.
constexpr QSize kReportScroll{1100, 700};
constexpr QSize kAnalysisScroll{500, 560};
}  // namespace

CVantoroView::CVantoroView(CVantoroDoc& doc, ViewSheetFactory optionsFactory,
                           ViewSheetFactory reportFactory, QWidget* parent)
    : QScrollArea(parent),
      m_doc(doc),
      m_optionsFactory(std::move(optionsFactory)),
      m_reportFactory(std::move(reportFactory)),
      m_displays(std::make_unique<cDisplaySet>(doc))
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    m_canvas = new QWidget;
    m_canvas->setObjectName(QStringLiteral("viewCanvas"));
    m_canvas->setBackgroundRole(QPalette::Button);
    m_canvas->setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setWidget(m_canvas);

    m_timer = new QTimer(this);
    m_timer->setInterval(kRedrawMs);
    connect(m_timer, &QTimer::timeout, this, &CVantoroView::redrawTick);

    // After the display set's own connection: the objects are in step when the viewers repaint.
    connect(&m_doc, &CVantoroDoc::changed, this, &CVantoroView::onChanged);

    OnInitialUpdate();
}

CVantoroView::~CVantoroView()
{
    m_timer->stop();
    // The sheets and viewers go before the display objects they show.
    delete m_report.data();
    delete m_options.data();
    for (cObjectViewer*& v : m_viewers) {
        delete v;
        v = nullptr;
    }
}

void CVantoroView::OnInitialUpdate()
{
    if (!m_viewersCreated) {
        m_optionsDocked = true;
        m_cursorListShown = false;
        m_optionsShown = true;
        m_profilesShown = m_doc.profilesShown();
        buildOptionsSheet();
        createViewers();
        buildReportSheet();
        m_viewersCreated = true;
    }
    m_initialised = true;
    m_scrollSizesSet = true;
    ApplyVisibility();
    RecalcLayout();
    m_timer->start();
}

void CVantoroView::createViewers()
{
    cDisplaySet& d = *m_displays;
    const std::array<cVisibleObject*, ViewerCount> objects{&d.arrayDisplay(), &d.colourBar(),
                                                           &d.spanSelector(), &d.cursorList(),
                                                           &d.lowerProfile(), &d.sideProfile()};
    static constexpr std::array<const char*, ViewerCount> names{
        "imageViewer",      "colourBarViewer",    "spanViewer",
        "cursorListViewer", "lowerProfileViewer", "sideProfileViewer"};
    for (int i = 0; i < ViewerCount; ++i) {
        auto* viewer = new cObjectViewer(m_canvas);
        viewer->setObjectName(QString::fromLatin1(names[static_cast<std::size_t>(i)]));
        viewer->SetBorder3D(true);
        viewer->Create(QRect(0, 0, 100, 100), m_canvas, kViewerId,
                       objects[static_cast<std::size_t>(i)]);
        m_viewers[static_cast<std::size_t>(i)] = viewer;
    }
    installPictureMenu();
}

QSize CVantoroView::scrollSizes() const
{
    if (!m_reportMode) return kAnalysisScroll;
    return m_report ? m_report->sizeHint() : kReportScroll;
}

ViewLayout CVantoroView::currentLayout() const
{
    const QSize client = viewport()->size();
    ViewLayoutInput in;
    in.client = EdgeRect{0, 0, client.width(), client.height()};
    in.options = m_options ? m_optionsRect : EdgeRect{};
    in.optionsShown = optionsShown();
    in.optionsDocked = m_optionsDocked;
    in.cursorListShown = m_cursorListShown;
    in.profilesShown = m_profilesShown;
    in.portrait = m_doc.orientation() == 1 || m_doc.orientation() == 3;
    return computeViewLayout(in);
}

void CVantoroView::RecalcLayout()
{
    updateCanvasSize();
    if (!m_viewersCreated) return;
    const ViewLayout layout = currentLayout();
    if (m_options && m_optionsDocked && optionsShown()) m_options->move(0, layout.optionsPanel.top);
    m_viewers[SpanViewer]->MoveWindow(toQRect(layout.span));
    m_viewers[ImageViewer]->MoveWindow(toQRect(layout.image));
    m_viewers[ColourBarViewer]->MoveWindow(toQRect(layout.colourBar));
    if (m_cursorListShown) m_viewers[CursorListViewer]->MoveWindow(toQRect(layout.cursorList));
    if (m_profilesShown) {
        m_viewers[SideProfileViewer]->MoveWindow(toQRect(layout.sideProfile));
        m_viewers[LowerProfileViewer]->MoveWindow(toQRect(layout.lowerProfile));
    }
}

void CVantoroView::ApplyVisibility()
{
    if (!m_viewersCreated) return;
    // Without a snapshot there is nothing to measure: the panels wait for one.
    const bool analysis = !m_reportMode && m_doc.isLoaded();
    m_viewers[ImageViewer]->setVisible(analysis);
    m_viewers[ColourBarViewer]->setVisible(analysis);
    m_viewers[SpanViewer]->setVisible(analysis);
    m_viewers[CursorListViewer]->setVisible(analysis && m_cursorListShown);
    m_viewers[LowerProfileViewer]->setVisible(analysis && m_profilesShown);
    m_viewers[SideProfileViewer]->setVisible(analysis && m_profilesShown);
    if (m_options) m_options->setVisible(!m_reportMode && m_optionsShown);
    if (m_report) {
        m_report->setVisible(m_reportMode);
        m_report->setEnabled(m_reportMode);
    }
    updateCanvasSize();
}

void CVantoroView::updateCanvasSize()
{
    if (m_report && m_reportMode) {
        // The report sheet fills the window's width. When it is taller than the window, the
        // vertical scroll bar takes its share of that width first, so the sheet's right-hand
        // controls are not cut off behind a horizontal scroll.
        const QSize own = scrollSizes();
        const QSize room = maximumViewportSize();
        int width = room.width();
        if (own.height() > room.height()) width -= verticalScrollBar()->sizeHint().width();
        const QSize size(std::max(own.width(), width), std::max(own.height(), room.height()));
        m_report->resize(size);
        m_canvas->resize(size);
        return;
    }
    const QSize client = viewport()->size();
    const QSize scroll = m_scrollSizesSet ? scrollSizes() : QSize(0, 0);
    m_canvas->resize(std::max(client.width(), scroll.width()),
                     std::max(client.height(), scroll.height()));
}

void CVantoroView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    ApplyVisibility();
    if (m_scrollSizesSet) {
        horizontalScrollBar()->setValue(0);
        verticalScrollBar()->setValue(0);
    }
    if (m_initialised) RecalcLayout();
}

void CVantoroView::showEvent(QShowEvent* event)
{
    QScrollArea::showEvent(event);
    RecalcLayout();
}

void CVantoroView::invalidate(Viewer which)
{
    // The object redraws its surface from the document's state on the next paint; the
    // array display re-renders its picture only when its colours changed.
    cObjectViewer* viewer = m_viewers[which];
    if (!viewer) return;
    if (cVisibleObject* object = viewer->object()) object->Invalidate();
    viewer->update();
}

void CVantoroView::redrawTick()
{
    const bool image = m_doc.takeImageChanged() != 0;
    const bool overlay = m_doc.takeOverlayChanged() != 0;
    if (!m_viewersCreated) return;
    if (image) {
        invalidate(ImageViewer);
        invalidate(ColourBarViewer);
        invalidate(SpanViewer);
        invalidate(LowerProfileViewer);
        invalidate(SideProfileViewer);
    }
    if (overlay) {
        invalidate(ImageViewer);
        invalidate(LowerProfileViewer);
        invalidate(SideProfileViewer);
    }
}

void CVantoroView::onChanged(DocChanges what)
{
    if (what & DocChange::Picture) {
        SetProfilesShown(m_doc.profilesShown());
        OnInitialUpdate();
    } else if (what & DocChange::Profiles && m_doc.profilesShown() != m_profilesShown) {
        SetProfilesShown(m_doc.profilesShown());
    }
    if (!m_initialised) return;
    if (what & DocChange::Layout) RecalcLayout();
    if (what & DocChange::Readings) {
        invalidate(ImageViewer);
        invalidate(CursorListViewer);
    }
    if (what & DocChange::Controls) {
        ApplyVisibility();
        for (int i = 0; i < ViewerCount; ++i) invalidate(static_cast<Viewer>(i));
    }
}

void CVantoroView::SetProfilesShown(bool on)
{
    m_profilesShown = on;
    if (m_doc.profilesShown() != on) m_doc.setProfilesShown(on);
    if (!m_viewersCreated) return;
    ApplyVisibility();
    RecalcLayout();
}

void CVantoroView::clearView()
{
    ApplyVisibility();
    for (int i = 0; i < ViewerCount; ++i) invalidate(static_cast<Viewer>(i));
}

}  // namespace calivue
