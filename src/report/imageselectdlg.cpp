#include "report/imageselectdlg.h"

#include "document/reportdoc.h"
#include "report/reportrowlist.h"
#include "desktop/irfiledialog.h"
#include "desktop/messagedlg.h"
#include "report/engine/reporttext.h"
#include "report/snapshotpreview.h"
#include "report/thumbnailscan.h"
#include "document/vantorodoc.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <algorithm>

#include <QCheckBox>
#include <QCursor>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace calivue {

namespace {
// A listing that takes longer than this shows its progress.
constexpr int kProgressDelayMs = 500;
}  // namespace

ImageSelectDlg::ImageSelectDlg(ReportContext& context, QWidget* parent)
    : QWidget(parent), m_ctx(context), m_doc(*context.report)
{
    buildControls();
    setTexts();
    connect(&m_doc, &CReportDoc::changed, this, &ImageSelectDlg::onDocumentChanged);
    // A snapshot saved in the analysis window (palette, orientation, cursors) has a new
    // bitmap: the thumbnails that show it are made again.
    if (m_ctx.doc)
        connect(m_ctx.doc, &CVantoroDoc::changed, this, [this](DocChanges what) {
            if (what & DocChange::Saved) refreshPictures(m_ctx.doc->currentPath());
        });
    m_scan = new cThumbnailScan(this);
    connect(m_scan, &cThumbnailScan::listed, this, &ImageSelectDlg::onListed);
    connect(m_scan, &cThumbnailScan::delivered, this, &ImageSelectDlg::onDelivered);
    connect(m_scan, &cThumbnailScan::finished, this, &ImageSelectDlg::onScanFinished);
    m_progressDelay.setSingleShot(true);
    m_progressDelay.setInterval(kProgressDelayMs);
    connect(&m_progressDelay, &QTimer::timeout, this, [this] {
        if (!isScanning()) return;
        m_progress->show();
        m_cancel->show();
    });
}

ImageSelectDlg::~ImageSelectDlg()
{
    // The listing's jobs finish before the lists they would have filled go away.
    delete m_scan;
    m_scan = nullptr;
}

void ImageSelectDlg::buildControls()
{
    m_folderLabel = new QLabel(this);
    m_folderEdit = new QLineEdit(this);
    m_browse = new QPushButton(this);
    m_refresh = new QPushButton(this);
    m_subfolders = new QCheckBox(this);
    m_availableList = new QListWidget(this);
    m_add = new QPushButton(this);
    m_addAll = new QPushButton(this);
    m_remove = new QPushButton(this);
    m_removeAll = new QPushButton(this);
    m_count = new QLabel(this);
    m_inspections = new cReportRowList(this);
    for (QLabel*& label : m_paneLabels) label = new QLabel(this);
    m_preview = new cSnapshotPreview(this);
    m_pathEdit = new QLineEdit(this);
    m_pathEdit->setReadOnly(true);
    m_edit = new QPushButton(this);
    m_progress = new QProgressBar(this);
    m_cancel = new QPushButton(this);
    m_progress->hide();
    m_cancel->hide();

    // Available snapshots: thumbnails with their file names, one selected at a time, never
    // moved around by the mouse.
    m_availableList->setViewMode(QListView::IconMode);
    m_availableList->setIconSize(kThumbnailSize);
    m_availableList->setMovement(QListView::Static);
    m_availableList->setResizeMode(QListView::Adjust);
    m_availableList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_availableList->setDragEnabled(false);
    m_availableList->setUniformItemSizes(true);
    m_availableList->setSpacing(4);
    // Inspections: one column of thumbnails, each with its file name below it.
    m_inspections->setViewMode(QListView::IconMode);
    m_inspections->setFlow(QListView::TopToBottom);
    m_inspections->setWrapping(false);
    m_inspections->setMovement(QListView::Static);
    m_inspections->setIconSize(kThumbnailSize);
    m_inspections->setFixedWidth(124 + 2 * m_inspections->frameWidth() + 20);
    m_inspections->setUniformItemSizes(true);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folderEdit, 1);
    folderRow->addWidget(m_browse);
    folderRow->addWidget(m_refresh);
    auto* folderBox = new QVBoxLayout;
    folderBox->addWidget(m_folderLabel);
    folderBox->addLayout(folderRow);
    folderBox->addWidget(m_subfolders);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_cancel);
    folderBox->addLayout(progressRow);
    folderBox->addStretch(1);

    // The captions and the pictures under them are one strip, laid out left to right in every
    // language: mirroring the captions alone would put "Thermal" over the photograph.
    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("previewStrip"));
    strip->setLayoutDirection(Qt::LeftToRight);
    auto* stripGrid = new QGridLayout(strip);
    stripGrid->setContentsMargins(0, 0, 0, 0);
    stripGrid->setHorizontalSpacing(0);
    for (int i = 0; i < 3; ++i) {
        m_paneLabels[i]->setFixedWidth(cSnapshotPreview::kPaneWidth);
        stripGrid->addWidget(m_paneLabels[i], 0, i);
    }
    stripGrid->addWidget(m_preview, 1, 0, 1, 3);
    auto* panes = new QGridLayout;
    panes->addWidget(strip, 0, 0);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_pathEdit, 1);
    pathRow->addWidget(m_edit);
    panes->addLayout(pathRow, 1, 0);

    auto* top = new QHBoxLayout;
    top->addLayout(folderBox, 1);
    top->addLayout(panes);

    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {m_add, m_addAll, m_remove, m_removeAll}) buttons->addWidget(b);
    buttons->addStretch(1);
    auto* inspections = new QVBoxLayout;
    inspections->addWidget(m_count);
    inspections->addWidget(m_inspections, 1);
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_availableList, 1);
    lists->addLayout(buttons);
    lists->addLayout(inspections);

    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addLayout(lists, 1);

    connect(m_browse, &QPushButton::clicked, this, &ImageSelectDlg::browse);
    connect(m_refresh, &QPushButton::clicked, this, &ImageSelectDlg::scanFolder);
    // Enter in the folder box lists the folder typed, as Refresh does.
    connect(m_folderEdit, &QLineEdit::returnPressed, this, &ImageSelectDlg::scanFolder);
    connect(m_subfolders, &QCheckBox::clicked, this, &ImageSelectDlg::scanFolder);
    connect(m_add, &QPushButton::clicked, this, &ImageSelectDlg::add);
    connect(m_addAll, &QPushButton::clicked, this, &ImageSelectDlg::addAll);
    connect(m_remove, &QPushButton::clicked, this, &ImageSelectDlg::remove);
    connect(m_removeAll, &QPushButton::clicked, this, &ImageSelectDlg::removeAll);
    connect(m_edit, &QPushButton::clicked, this, &ImageSelectDlg::editImage);
    connect(m_cancel, &QPushButton::clicked, this, &ImageSelectDlg::cancelScan);
    // A press covers both a click and the start of a drag, which only selects here.
    connect(m_availableList, &QListWidget::itemPressed, this,
            [this](QListWidgetItem* item) { selectAvailable(m_availableList->row(item)); });
    connect(m_availableList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        selectAvailable(m_availableList->row(item));
        add();
    });
    connect(m_inspections, &QListWidget::itemPressed, this,
            [this](QListWidgetItem* item) { selectInspection(m_inspections->row(item)); });
    connect(m_inspections, &cReportRowList::rowDropped, this, &ImageSelectDlg::dropRow);
    m_availableList->installEventFilter(this);
    m_inspections->installEventFilter(this);
}

void ImageSelectDlg::setTexts()
{
    m_folderLabel->setText(uiText(sid::SnapshotFolder));
    m_browse->setText(uiText(sid::Browse));
    m_refresh->setText(uiText(sid::Refresh));
    m_subfolders->setText(uiText(sid::IncludeSubfolders));
    m_add->setText(pointedText(uiText(sid::AddButton), true));
    m_addAll->setText(pointedText(uiText(sid::AddAllButton), true));
    m_remove->setText(pointedText(uiText(sid::RemoveButton), false));
    m_removeAll->setText(pointedText(uiText(sid::RemoveAllButton), false));
    m_paneLabels[0]->setText(uiText(sid::ThermalSnapshot));
    m_paneLabels[1]->setText(uiText(sid::ThermalAndVisibleBlend));
    m_paneLabels[2]->setText(uiText(sid::VisibleImage));
    m_edit->setText(uiText(sid::EditImage));
    m_cancel->setText(uiText(sid::Cancel));
    refreshCount();
}

QString ImageSelectDlg::pointedText(const QString& text, bool towardInspections) const
{
    if (layoutDirection() != Qt::RightToLeft) return text;
    // Mirrored, the inspections list sits left of the buttons: Add points left, Remove right.
    // Left-to-right marks around the arrow keep the bidi algorithm from mirroring it again.
    const QChar lrm(0x200E);
    const QString arrow = lrm + QLatin1String(towardInspections ? "<<" : ">>") + lrm;
    const QChar placeholder(0xFFFC);
    QString out = text;
    out.replace(QLatin1String(">>"), placeholder).replace(QLatin1String("<<"), placeholder);
    return out.replace(placeholder, arrow);
}

void ImageSelectDlg::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange) setTexts();
}

QListWidget* ImageSelectDlg::availableList() const
{
    return m_availableList;
}

void ImageSelectDlg::errorBox(const QString& text)
{
    cMessageDlg::messageBox(text, cMessageDlg::IconStop, cMessageDlg::ButtonsOk, this);
}

// --- folder and listing ---------------------------------------------------------------

QString ImageSelectDlg::snapshotFolder() const
{
    return m_folder;
}

void ImageSelectDlg::setSnapshotFolder(const QString& folder)
{
    m_folderEdit->setText(folder);
}

void ImageSelectDlg::browse()
{
    cIRFileDialog dialog(cIRFileDialog::Mode::Open, QStringLiteral("bmp"));
    dialog.setTitle(uiText(sid::Open));
    dialog.addFilter(uiText(sid::FilterSnapshots), QStringLiteral("*.bmp"));
    if (!m_folder.isEmpty()) dialog.setDirectory(m_folder);
    const auto chosen = dialog.choose(this);
    if (!chosen) return;
    const qsizetype slash = chosen->lastIndexOf(QLatin1Char('/'));
    m_folderEdit->setText(slash < 0 ? QString() : chosen->left(slash));
    scanFolder();
}

void ImageSelectDlg::setIncludeSubfolders(bool on)
{
    m_subfolders->setChecked(on);
    scanFolder();
}

void ImageSelectDlg::scanFolder()
{
    m_availableSelection = -1;
    const QString remembered = m_folder;
    m_folder = m_folderEdit->text();
    if (m_folder.isEmpty()) {
        m_folder = remembered;
        cMessageDlg::messageBox(uiText(sid::InvalidImageFolder), cMessageDlg::IconExclamation,
                                cMessageDlg::ButtonsOk, this);
        m_folderEdit->setText(remembered);
        m_folderEdit->setFocus();
        return;
    }
    startListing();
}

void ImageSelectDlg::startListing()
{
    m_scan->cancel();
    m_available.clear();
    m_availableList->clear();
    compactInspectionPictures();
    preview(QString());
    m_scanTotal = 0;
    m_progress->setRange(0, 0);
    setCursor(Qt::BusyCursor);
    m_progressDelay.start();
    m_scan->start(m_folder, m_subfolders->isChecked());
}

void ImageSelectDlg::onListed(int total)
{
    m_scanTotal = total;
    m_progress->setRange(0, total);
    m_progress->setValue(0);
    emit scanProgress(0, total);
}

void ImageSelectDlg::onDelivered(int, const QString& path, const QImage& image)
{
    if (!image.isNull()) {
        const QPixmap picture = QPixmap::fromImage(image);
        m_pictures.push_back(picture);
        m_available.push_back({path, static_cast<int>(m_pictures.size()) - 1});
        auto* item =
            new QListWidgetItem(QIcon(picture), path.mid(path.lastIndexOf(QLatin1Char('/')) + 1));
        m_availableList->addItem(item);
        if (m_available.size() == 1) m_availableList->scrollToTop();
    }
    m_progress->setValue(m_progress->value() + 1);
    emit scanProgress(static_cast<int>(m_available.size()), m_scanTotal);
}

void ImageSelectDlg::onScanFinished(const QStringList& errors, bool cancelled)
{
    m_progressDelay.stop();
    m_progress->hide();
    m_cancel->hide();
    unsetCursor();
    // Enumeration errors are reported once the listing is over; the rows found stay.
    if (!cancelled && !errors.isEmpty()) errorBox(errors.join(QLatin1Char('\n')));
    emit scanFinished();
}

bool ImageSelectDlg::isScanning() const
{
    return m_scan && m_scan->isRunning();
}

void ImageSelectDlg::cancelScan()
{
    m_scan->cancel();
}

void ImageSelectDlg::waitForScan()
{
    m_scan->waitForFinished();
}

QString ImageSelectDlg::availablePath(int row) const
{
    return row >= 0 && row < availableCount() ? m_available[static_cast<std::size_t>(row)].path
                                              : QString();
}

void ImageSelectDlg::compactInspectionPictures()
{
    // Every listing appends a copy of each thumbnail; keep only the pictures that rows
    // still show, so repeated Refresh does not grow the list without end.
    std::vector<QPixmap> kept;
    std::vector<int> renumbered(m_pictures.size(), -1);
    for (int& picture : m_rowPictures) {
        const int old = picture;
        if (old < 0 || old >= static_cast<int>(m_pictures.size())) continue;
        if (renumbered[static_cast<std::size_t>(old)] < 0) {
            renumbered[static_cast<std::size_t>(old)] = static_cast<int>(kept.size());
            kept.push_back(m_pictures[static_cast<std::size_t>(old)]);
        }
        picture = renumbered[static_cast<std::size_t>(old)];
    }
    m_pictures = std::move(kept);
    m_pictureOf.clear();
}

// --- selection, keys and preview --------------------------------------------------------

void ImageSelectDlg::selectAvailable(int row)
{
    if (row < 0 || row >= availableCount()) return;
    m_availableSelection = row;
    m_availableList->setCurrentRow(row);
    preview(availablePath(row));
}

void ImageSelectDlg::selectInspection(int row)
{
    if (row < 0 || row >= rowCount()) return;
    m_inspectionCursor = row;
    m_inspections->setCurrentRow(row);
    previewInspection(row);
}

int ImageSelectDlg::selectedInspection() const
{
    const auto selected = m_inspections->selectedItems();
    return selected.isEmpty() ? -1 : m_inspections->row(selected.front());
}

void ImageSelectDlg::previewInspection(int row)
{
    const cInspectionImage* entry = entryAt(row);
    preview(entry ? toQString(entry->bitmapPath) : QString());
}

void ImageSelectDlg::availableArrow(int delta)
{
    const int count = availableCount();
    if (count == 0) return;
    const int mark = m_availableList->currentRow();
    int row = -1;
    if (delta < 0 && mark > 0) row = mark - 1;
    if (delta > 0 && mark < count - 1) row = mark < 0 ? 0 : mark + 1;
    if (row >= 0) selectAvailable(row);
}

void ImageSelectDlg::inspectionArrow(int delta)
{
    const int count = rowCount();
    if (count == 0) return;
    selectInspection(std::clamp(m_inspectionCursor + delta, 0, count - 1));
}

bool ImageSelectDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // The available list is laid out in icon rows, so Left and Right step through it
        // as Up and Down do; otherwise the highlighted row and the one Add takes would part.
        const bool back = key == Qt::Key_Up || (key == Qt::Key_Left && watched == m_availableList);
        const bool on = key == Qt::Key_Down || (key == Qt::Key_Right && watched == m_availableList);
        if (back || on) {
            const int delta = back ? -1 : 1;
            if (watched == m_availableList) {
                availableArrow(delta);
                return true;
            }
            if (watched == m_inspections) {
                inspectionArrow(delta);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ImageSelectDlg::preview(const QString& bitmapPath)
{
    m_previewBitmap = bitmapPath;
    if (bitmapPath.isEmpty()) {
        m_previewSnapshot.clear();
    } else {
        // The record's name: the bitmap's up to its last "." and "qvx"; the loader finds
        // the record in whatever case the camera wrote it.
        const qsizetype dot = bitmapPath.lastIndexOf(QLatin1Char('.'));
        const qsizetype slash = bitmapPath.lastIndexOf(QLatin1Char('/'));
        m_previewSnapshot =
            (dot > slash ? bitmapPath.left(dot + 1) : bitmapPath + QLatin1Char('.')) +
            QStringLiteral("qvx");
    }
    m_pathEdit->setText(m_previewBitmap);
    m_preview->setSnapshot(m_previewBitmap, m_previewSnapshot);
}

void ImageSelectDlg::editImage()
{
    // The sheet sets the hook only where there is a document to open the snapshot in.
    if (m_previewBitmap.isEmpty() || !m_ctx.editImage) return;
    m_ctx.editImage(m_previewBitmap);
}

}  // namespace calivue
