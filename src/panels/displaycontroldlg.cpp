// The display control page: its controls, how it is given the document and the pan display,
// how it shows the document's state, and how the pan viewer is fitted into its frame.
#include "panels/displaycontroldlg.h"

#include "panels/pagetext.h"

#include "document/vantorodoc.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "view/arraydisplay.h"
#include "view/objectviewer.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace calivue {

namespace {

// The pan frame's smallest size: a 4:3 overview large enough to aim the zoom window with.
constexpr int kPanFrameMinWidth = 200;
constexpr int kPanFrameMinHeight = 150;
// The control identifier the pan viewer carries.
constexpr int kPanViewerId = 1042;

QLabel* label(int stringId, QWidget* parent, const char* name)
{
    auto* l = new QLabel(uiText(stringId), parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QComboBox* list(QWidget* parent, const char* name)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return c;
}

QPushButton* button(const QString& text, QWidget* parent, const char* name)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

cDisplayControlDlg::cDisplayControlDlg(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(uiText(sid::DisplayPage));
    BuildControls();
    FillLists();
    ConnectControls();
    Refresh();
}

cDisplayControlDlg::~cDisplayControlDlg()
{
    // Hand the pan display back before the viewer goes, so it is never left with a dead owner.
    if (m_panViewer) m_panViewer->Attach(nullptr);
}

void cDisplayControlDlg::BuildControls()
{
    auto* grid = new QGridLayout;
    int row = 0;

    // Temp. Span: [low] to [high] [Auto]
    m_spanEdit[Low] = new QLineEdit(this);
    m_spanEdit[Low]->setObjectName(QStringLiteral("spanLow"));
    m_spanEdit[High] = new QLineEdit(this);
    m_spanEdit[High]->setObjectName(QStringLiteral("spanHigh"));
    m_auto = button(uiText(sid::Auto), this, "autoSpan");
    // Wide enough for any span text (down to "-459.7 °F"); the default width of an edit would make
    // the docked sheet take room from the picture.
    const int spanWidth = fontMetrics().horizontalAdvance(QStringLiteral("-0000.0 \u00B0F")) + 12;
    m_spanEdit[Low]->setMaximumWidth(spanWidth);
    m_spanEdit[High]->setMaximumWidth(spanWidth);
    auto* spanRow = new QHBoxLayout;
    spanRow->addWidget(m_spanEdit[Low], 1);
    spanRow->addWidget(label(sid::To, this, "spanTo"));
    spanRow->addWidget(m_spanEdit[High], 1);
    spanRow->addWidget(m_auto);
    grid->addWidget(label(sid::TempSpanLabel, this, "spanLabel"), row, 0);
    grid->addLayout(spanRow, row++, 1);

    const auto addListRow = [&](int labelId, const char* labelName, QComboBox* combo) {
        grid->addWidget(label(labelId, this, labelName), row, 0);
        grid->addWidget(combo, row++, 1);
    };
    m_palette = list(this, "palette");
    addListRow(sid::ColourPaletteLabel, "paletteLabel", m_palette);
    m_blend = list(this, "blend");
    addListRow(sid::VisibleBlend, "blendLabel", m_blend);
    m_percentage = list(this, "blendPercentage");
    addListRow(sid::Percentage, "percentageLabel", m_percentage);
    m_interpolation = list(this, "interpolation");
    addListRow(sid::InterpolationLabel, "interpolationLabel", m_interpolation);
    m_zoom = list(this, "zoom");
    addListRow(sid::ZoomFactorLabel, "zoomLabel", m_zoom);
    m_area = list(this, "areaSelect");
    addListRow(sid::AreaSelect, "areaLabel", m_area);
    m_orientation = list(this, "orientation");
    grid->addWidget(m_orientation, row++, 0, 1, 2);

    // The pan control: a plain frame in the group box; the viewer inside it is placed by
    // FitPanViewer, not by a layout, so it keeps the picture's aspect.
    m_panGroup = new QGroupBox(uiText(sid::PanControl), this);
    m_panGroup->setObjectName(QStringLiteral("panControl"));
    m_panFrame = new QWidget(m_panGroup);
    m_panFrame->setObjectName(QStringLiteral("panFrame"));
    m_panFrame->setMinimumSize(kPanFrameMinWidth, kPanFrameMinHeight);
    m_panFrame->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_panFrame->installEventFilter(this);
    auto* groupLayout = new QVBoxLayout(m_panGroup);
    groupLayout->addWidget(m_panFrame);
    m_panViewer = new cObjectViewer(m_panFrame);
    m_panViewer->setObjectName(QStringLiteral("panViewer"));
    m_panViewer->Create(QRect(0, 0, kPanFrameMinWidth, kPanFrameMinHeight), m_panFrame,
                        kPanViewerId, nullptr);
    m_panViewer->SetBorder3D(true);

    // Image Alignment: /\ \/ << >> Reset
    auto* alignRow = new QHBoxLayout;
    auto* alignLabel = new QLabel(uiText(sid::ImageAlignment) + QLatin1Char(':'), this);
    alignLabel->setObjectName(QStringLiteral("alignLabel"));
    alignRow->addWidget(alignLabel);
    struct Nudge {
        const char* text;
        const char* name;
        bool horizontal;
        int direction;
    };
    // Rows of both pictures count upwards, so a positive vertical offset lifts the photograph
    // and a positive horizontal one moves it right.
    static constexpr Nudge kNudges[] = {{"/\\", "alignUp", false, 1},
                                        {"\\/", "alignDown", false, -1},
                                        {"<<", "alignLeft", true, -1},
                                        {">>", "alignRight", true, 1}};
    // The arrows move the photograph on the screen, so they keep their left-to-right order
    // when the interface runs right to left.
    auto* arrows = new QWidget(this);
    arrows->setLayoutDirection(Qt::LeftToRight);
    auto* arrowRow = new QHBoxLayout(arrows);
    arrowRow->setContentsMargins(0, 0, 0, 0);
    for (const Nudge& n : kNudges) {
        QPushButton* b = button(QLatin1String(n.text), arrows, n.name);
        b->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("<<<")) + 16);
        const bool horizontal = n.horizontal;
        const int direction = n.direction;
        connect(b, &QPushButton::clicked, this,
                [this, horizontal, direction] { OnAlign(horizontal, direction); });
        arrowRow->addWidget(b);
    }
    alignRow->addWidget(arrows);
    QPushButton* reset = button(uiText(sid::Reset), this, "alignReset");
    connect(reset, &QPushButton::clicked, this, [this] { OnAlignReset(); });
    alignRow->addWidget(reset);
    alignRow->addStretch(1);

    auto* page = new QVBoxLayout(this);
    page->addLayout(grid);
    page->addWidget(m_panGroup, 1);
    page->addLayout(alignRow);
}

void cDisplayControlDlg::FillLists()
{
    for (int p = 0; p < 8; ++p) m_palette->addItem(paletteText(p));

    const QString visible = uiText(sid::Visible);
    for (int percent : {0, 25, 50, 75, 100})
        m_blend->addItem(QString::asprintf("%d %% ", percent) + visible);
    for (int id : {sid::PictureInPicture0, sid::PictureInPicture25, sid::PictureInPicture50,
                   sid::PictureInPicture75})
        m_blend->addItem(uiText(id));
    m_blend->addItem(uiText(sid::ThermalAbove));
    m_blend->addItem(uiText(sid::ThermalBelow));

    for (int i = 0; i < kPercentageCount; ++i)
        m_percentage->addItem(QString::asprintf("%d%%", i * 5));

    m_interpolation->addItems({QStringLiteral("x1"), QStringLiteral("x2")});
    m_zoom->addItems(
        {QStringLiteral("x1"), QStringLiteral("x2"), QStringLiteral("x3"), QStringLiteral("x4")});
    for (int id : {sid::AreaSmall, sid::AreaMedium, sid::AreaLarge}) m_area->addItem(uiText(id));
    m_area->setCurrentIndex(1);
    for (int id : {sid::Orientation0, sid::Orientation90, sid::Orientation180, sid::Orientation270})
        m_orientation->addItem(uiText(id));
}

void cDisplayControlDlg::ConnectControls()
{
    for (SpanEnd end : {Low, High}) {
        QLineEdit* edit = m_spanEdit[end];
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::returnPressed, this, [this, end] { OnSpanKillFocus(end); });
        connect(edit, &QLineEdit::textChanged, this,
                [this, end](const QString& text) { OnSpanTextChanged(end, text); });
    }
    connect(m_auto, &QPushButton::clicked, this, [this] { OnAuto(); });
    const auto onIndex = [this](QComboBox* combo, void (cDisplayControlDlg::*handler)(int)) {
        connect(combo, &QComboBox::currentIndexChanged, this,
                [this, handler](int index) { (this->*handler)(index); });
    };
    onIndex(m_palette, &cDisplayControlDlg::OnPalette);
    onIndex(m_blend, &cDisplayControlDlg::OnBlend);
    onIndex(m_percentage, &cDisplayControlDlg::OnPercentage);
    onIndex(m_interpolation, &cDisplayControlDlg::OnInterpolation);
    onIndex(m_zoom, &cDisplayControlDlg::OnZoom);
    onIndex(m_area, &cDisplayControlDlg::OnArea);
    onIndex(m_orientation, &cDisplayControlDlg::OnOrientation);
}

void cDisplayControlDlg::AttachDocument(CVantoroDoc* doc, cArrayDisplay* pan)
{
    for (const QMetaObject::Connection& c : m_docConnections) disconnect(c);
    m_docConnections.clear();
    m_doc = doc;
    m_pan = pan;
    m_panViewer->Attach(pan);
    m_panViewer->show();
    ConnectDocument();
    FitPanViewer();
    Refresh();
}

// The page follows the document itself, through this one connection, so a value refused in
// a span edit is restored as soon as the document announces its span again.
void cDisplayControlDlg::ConnectDocument()
{
    if (!m_doc) return;
    m_docConnections << connect(m_doc.data(), &CVantoroDoc::changed, this,
                                &cDisplayControlDlg::OnDocumentChanged);
}

void cDisplayControlDlg::OnDocumentChanged(DocChanges what)
{
    // A new snapshot or a turned picture may change the overview's shape: fit it again.
    if (what & (DocChange::Picture | DocChange::Orientation | DocChange::Controls)) {
        Refresh();
        if (what & (DocChange::Picture | DocChange::Orientation)) FitPanViewer();
        return;
    }
    // The span ends are readings: the unit and the emissivity change what they show.
    if (what & (DocChange::Span | DocChange::Unit | DocChange::Measurements)) RefreshSpan();
    if (what & (DocChange::Palette | DocChange::Blend | DocChange::Interpolation | DocChange::Zoom |
                DocChange::Area))
        RefreshLists();
}

bool cDisplayControlDlg::HasImage() const
{
    return m_doc && m_doc->image().hasImage() != nullptr;
}

void cDisplayControlDlg::Refresh()
{
    RefreshSpan();
    RefreshLists();
}

void cDisplayControlDlg::RefreshLists()
{
    if (!m_doc) return;
    const cBrixa& image = m_doc->image();
    const QSignalBlocker blockPalette(m_palette), blockBlend(m_blend),
        blockPercentage(m_percentage), blockInterpolation(m_interpolation), blockZoom(m_zoom),
        blockArea(m_area), blockOrientation(m_orientation);

    const int palette = image.fields.palette;
    m_palette->setCurrentIndex(palette >= 0 && palette <= 7 ? palette : -1);

    int percentage = 0;
    const int entry = blendEntryFor(image.fields.blend, &percentage);
    m_blend->setCurrentIndex(entry);
    m_percentage->setCurrentIndex(percentage);
    m_percentage->setEnabled(entry == BlendThermalAbove || entry == BlendThermalBelow);

    // The list offers x1 and x2 only; a factor set elsewhere above 2 selects neither.
    const int f = m_doc->interpolation();
    m_interpolation->setCurrentIndex(f <= 1 ? 0 : (f == 2 ? 1 : -1));

    const int orientation = m_doc->orientation();
    m_orientation->setCurrentIndex(orientation >= 0 && orientation <= 3 ? orientation : -1);
    m_zoom->setCurrentIndex(m_doc->zoom() - 1);
    m_area->setCurrentIndex(m_doc->areaMode());
}

void cDisplayControlDlg::FitPanViewer()
{
    if (!m_panViewer || !m_panFrame) return;
    const int w = m_panFrame->width(), h = m_panFrame->height();
    if (w <= 0 || h <= 0) return;
    const int orientation = m_doc ? m_doc->orientation() : 0;
    const double aspect = (orientation == 1 || orientation == 3) ? 0.75 : 4.0 / 3.0;
    int vw = w, vh = h;
    // Rounded, so a frame of exactly the picture's aspect is not cut by a pixel of
    // floating-point noise.
    if (static_cast<double>(w) / h > aspect)
        vw = static_cast<int>(std::lround(h * aspect));
    else
        vh = static_cast<int>(std::lround(w / aspect));
    m_panViewer->MoveWindow((w - vw) / 2, 0, vw, vh, true);
}

bool cDisplayControlDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panFrame && event->type() == QEvent::Resize) {
        FitPanViewer();
    } else if (event->type() == QEvent::FocusOut) {
        // A pop-up (the edit's own context menu) borrows the focus without ending the edit.
        const auto* focus = static_cast<QFocusEvent*>(event);
        if (focus->reason() != Qt::PopupFocusReason) {
            if (watched == m_spanEdit[Low])
                OnSpanKillFocus(Low);
            else if (watched == m_spanEdit[High])
                OnSpanKillFocus(High);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void cDisplayControlDlg::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FitPanViewer();
}

}  // namespace calivue
