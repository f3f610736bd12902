#include "panels/settingspage.h"

#include "desktop/datefield.h"
#include "panels/pagetext.h"

#include "core/snapshotfiles.h"
#include "document/vantorodoc.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace calivue {

namespace {

constexpr int kFieldLength = 12;  // the reflected-temperature and emissivity edits
constexpr int kCaptionLength = 20;

QString latin1Text(std::span<const std::uint8_t> field)
{
    const std::string text = recordText(field);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QToolButton* arrowButton(Qt::ArrowType arrow, const char* name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setObjectName(QLatin1String(name));
    button->setAutoRepeat(true);
    // Like an up-down control, the arrows never take the focus from their field.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// A field with its up-down arrows stacked on its right.
QWidget* withArrows(QLineEdit* edit, QToolButton* up, QToolButton* down, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(edit);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    up->setFixedHeight(edit->sizeHint().height() / 2);
    down->setFixedHeight(edit->sizeHint().height() / 2);
    arrows->addWidget(up);
    arrows->addWidget(down);
    row->addLayout(arrows);
    return box;
}

}  // namespace

QString commentTextOf(std::span<const std::uint8_t> field)
{
    QString text = latin1Text(field);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

std::array<std::uint8_t, 256> commentBytesOf(const QString& text)
{
    QString stored = text;
    stored.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    stored.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    QByteArray bytes = stored.toLatin1();
    // A zero would end the text early when it is read back.
    bytes.replace('\0', ' ');
    std::array<std::uint8_t, 256> field{};
    qsizetype length = std::min<qsizetype>(bytes.size(), 255);
    if (length < bytes.size() && length > 0 && bytes[length - 1] == '\r') --length;
    for (qsizetype i = 0; i < length; ++i)
        field[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bytes[i]);
    return field;
}

cSettingsPage::cSettingsPage(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(uiText(sid::Settings));
    BuildControls();
    ConnectControls();
    SetControlsEnabled(false);
}

void cSettingsPage::BuildControls()
{
    auto* grid = new QGridLayout(this);
    int row = 0;
    auto addRow = [&](int labelId, const char* labelName, QWidget* field) {
        auto* label = new QLabel(uiText(labelId), this);
        label->setObjectName(QLatin1String(labelName));
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
        return label;
    };

    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("unit"));
    for (TempUnit u : kTempUnits) m_unit->addItem(QString::fromStdString(unitTextOf(u)));
    addRow(sid::UnitsLabel, "unitsLabel", m_unit);

    m_reflected = new QLineEdit(this);
    m_reflected->setObjectName(QStringLiteral("reflected"));
    m_reflected->setMaxLength(kFieldLength);
    m_reflectedUp = arrowButton(Qt::UpArrow, "reflectedUp", this);
    m_reflectedDown = arrowButton(Qt::DownArrow, "reflectedDown", this);
    addRow(sid::ReflectedTempLabel, "reflectedLabel",
           withArrows(m_reflected, m_reflectedUp, m_reflectedDown, this));

    m_emissivity = new QLineEdit(this);
    m_emissivity->setObjectName(QStringLiteral("emissivity"));
    m_emissivity->setMaxLength(kFieldLength);
    m_emissivityUp = arrowButton(Qt::UpArrow, "emissivityUp", this);
    m_emissivityDown = arrowButton(Qt::DownArrow, "emissivityDown", this);
    m_lookup = new QPushButton(QStringLiteral(">>"), this);
    m_lookup->setObjectName(QStringLiteral("emissivityLookup"));
    auto* emissivityBox = new QWidget(this);
    auto* emissivityRow = new QHBoxLayout(emissivityBox);
    emissivityRow->setContentsMargins(0, 0, 0, 0);
    emissivityRow->addWidget(withArrows(m_emissivity, m_emissivityUp, m_emissivityDown, this));
    emissivityRow->addWidget(m_lookup);
    addRow(sid::GlobalEmissivityLabel, "emissivityLabel", emissivityBox);

    // The temperature correction exists in the layout but is never offered to the user.
    m_correction = new QLineEdit(this);
    m_correction->setObjectName(QStringLiteral("tempCorrection"));
    m_correction->setMaxLength(kFieldLength);
    m_correctionLabel = addRow(sid::TempCorrectionLabel, "tempCorrectionLabel", m_correction);
    m_correction->hide();
    m_correctionLabel->hide();

    m_captureTime = new QTimeEdit(this);
    m_captureTime->setObjectName(QStringLiteral("captureTime"));
    m_captureTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    keepDateReadingOrder(m_captureTime);
    addRow(sid::CaptureTimeLabel, "captureTimeLabel", m_captureTime);

    m_captureDate = new QDateEdit(this);
    m_captureDate->setObjectName(QStringLiteral("captureDate"));
    m_captureDate->setCalendarPopup(true);
    keepDateReadingOrder(m_captureDate);
    addRow(sid::CaptureDateLabel, "captureDateLabel", m_captureDate);

    m_comments = new QPlainTextEdit(this);
    m_comments->setObjectName(QStringLiteral("comments"));
    m_comments->setTabChangesFocus(true);
    addRow(sid::CommentsLabel, "commentsLabel", m_comments);

    // The caption is the camera's; this page shows it and never writes it back.
    m_caption = new QLineEdit(this);
    m_caption->setObjectName(QStringLiteral("caption"));
    m_caption->setReadOnly(true);
    m_caption->setMaxLength(kCaptionLength);
    addRow(sid::CaptionLabel, "captionLabel", m_caption);

    m_play = new QPushButton(uiText(sid::Play), this);
    m_play->setObjectName(QStringLiteral("play"));
    auto* playBox = new QWidget(this);
    auto* playRow = new QHBoxLayout(playBox);
    playRow->setContentsMargins(0, 0, 0, 0);
    playRow->addWidget(m_play);
    playRow->addStretch(1);
    addRow(sid::VoiceAnnotationLabel, "voiceLabel", playBox);

    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
}

void cSettingsPage::ConnectControls()
{
    connect(m_unit, &QComboBox::currentIndexChanged, this, &cSettingsPage::OnUnit);
    connect(m_reflectedUp, &QToolButton::clicked, this, [this] { StepReflected(+1); });
    connect(m_reflectedDown, &QToolButton::clicked, this, [this] { StepReflected(-1); });
    connect(m_emissivityUp, &QToolButton::clicked, this, [this] { StepEmissivity(+1); });
    connect(m_emissivityDown, &QToolButton::clicked, this, [this] { StepEmissivity(-1); });
    connect(m_lookup, &QPushButton::clicked, this, &cSettingsPage::LookupEmissivity);
    // Return applies the field as leaving it does.
    connect(m_reflected, &QLineEdit::returnPressed, this,
            [this] { SetReflectedTemperature(leadingNumber(m_reflected->text())); });
    connect(m_emissivity, &QLineEdit::returnPressed, this,
            [this] { SetGlobalEmissivity(leadingNumber(m_emissivity->text())); });
    m_reflected->installEventFilter(this);
    m_emissivity->installEventFilter(this);
    connect(m_captureTime, &QTimeEdit::timeChanged, this, &cSettingsPage::OnCaptureTime);
    connect(m_captureDate, &QDateEdit::dateChanged, this, &cSettingsPage::OnCaptureDate);
    connect(m_comments, &QPlainTextEdit::textChanged, this, &cSettingsPage::OnComments);
    connect(m_play, &QPushButton::clicked, this, &cSettingsPage::PlayAnnotation);
}

void cSettingsPage::AttachDocument(CVantoroDoc* doc)
{
    for (const QMetaObject::Connection& c : m_docConnections) disconnect(c);
    m_docConnections.clear();
    m_doc = doc;
    if (doc) {
        // The page's one way of hearing the document. It writes the details itself, so their
        // announcement is not read back into the controls being typed in.
        m_docConnections << connect(doc, &CVantoroDoc::changed, this, [this](DocChanges what) {
            if (what & (DocChange::Picture | DocChange::Unit | DocChange::Controls)) Refresh();
        });
    }
    Refresh();
}

bool cSettingsPage::HasImage() const
{
    return m_doc && m_doc->image().hasImage() != nullptr;
}

void cSettingsPage::SetControlsEnabled(bool enabled)
{
    for (QWidget* w : {static_cast<QWidget*>(m_unit), static_cast<QWidget*>(m_reflected),
                       static_cast<QWidget*>(m_reflectedUp), static_cast<QWidget*>(m_reflectedDown),
                       static_cast<QWidget*>(m_emissivity), static_cast<QWidget*>(m_emissivityUp),
                       static_cast<QWidget*>(m_emissivityDown), static_cast<QWidget*>(m_lookup),
                       static_cast<QWidget*>(m_captureTime), static_cast<QWidget*>(m_captureDate),
                       static_cast<QWidget*>(m_comments), static_cast<QWidget*>(m_caption)})
        w->setEnabled(enabled);
    if (!enabled) m_play->setEnabled(false);
}

void cSettingsPage::Refresh()
{
    const bool loaded = HasImage();
    SetControlsEnabled(loaded);
    if (!loaded) return;
    const RecordFields& f = m_doc->image().fields;

    RefreshPickers();
    ShowReflected();
    ShowEmissivity();
    {
        const QSignalBlocker block(m_unit);
        m_unit->setCurrentIndex(tempUnitNumber(tempUnitFrom(f.unit).value_or(TempUnit::Kelvin)));
    }
    m_caption->setText(latin1Text(std::span<const std::uint8_t>(f.textC.data(), kCaptionLength)));
    // The stored comment is shown, so that typing edits it instead of replacing it.
    const QString comment = commentTextOf(f.comments);
    if (m_comments->toPlainText() != comment) {
        const QSignalBlocker block(m_comments);
        m_comments->setPlainText(comment);
    }
    m_commentText = comment;
    m_play->setEnabled(latin1Text(f.textB).contains(QLatin1String(".wav"), Qt::CaseInsensitive));
}

void cSettingsPage::RefreshPickers()
{
    const RecordTime& c = m_doc->image().fields.capture;
    if (c.month < 1 || c.month > 12 || c.day < 1 || c.day > 31 || c.hour > 23 || c.minute > 59 ||
        c.second > 59)
        return;
    const QDate date(c.year < 2001 ? 2000 : c.year, c.month, c.day);
    const QTime time(c.hour, c.minute, c.second);
    const QSignalBlocker blockTime(m_captureTime), blockDate(m_captureDate);
    m_captureTime->setTime(time);
    // 31 April passes the range checks but is no date: the picker keeps its value.
    if (date.isValid()) m_captureDate->setDate(date);
}

void cSettingsPage::ShowReflected()
{
    const cBrixa& image = m_doc->image();
    // Emissivity 1 reads the raw count as it stands: kelvins × scale, in the image's unit.
    const double value = image.temperatureOf(image.fields.reflected, 1.0f, false);
    m_reflected->setText(formatTemperature(value, QString::fromStdString(image.unitText())));
}

void cSettingsPage::ShowEmissivity()
{
    m_emissivity->setText(formatEmissivity(m_doc->image().fields.emissivity[10] / 100.0));
}

bool cSettingsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_reflected || watched == m_emissivity) {
        if (event->type() == QEvent::FocusOut) {
            // A pop-up (the edit's own context menu) borrows the focus without ending the edit.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
                if (watched == m_reflected)
                    SetReflectedTemperature(leadingNumber(m_reflected->text()));
                else
                    SetGlobalEmissivity(leadingNumber(m_emissivity->text()));
            }
        } else if (event->type() == QEvent::KeyPress) {
            // The arrow keys step the field like its up-down arrows.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                const int step = key == Qt::Key_Up ? +1 : -1;
                if (watched == m_reflected)
                    StepReflected(step);
                else
                    StepEmissivity(step);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace calivue
