#include "panels/propertiesdlg.h"

#include "panels/pagetext.h"
#include "panels/settingspage.h"

#include "document/vantorodoc.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QDateTime>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace calivue {

namespace {

struct MomentTexts {
    QString time, date;
};

// The time and date parts are judged on their own, so a real time is shown beside a missing
// date; a moment whose parts are both real must also read back unchanged from local time
// (a time inside a daylight-saving gap does not).
MomentTexts momentTexts(const RecordTime& m)
{
    const QDate date(m.year <= 2000 ? 2000 : m.year, m.month, m.day);
    const QTime time(m.hour, m.minute, m.second);
    bool dateOk = date.isValid(), timeOk = time.isValid();
    if (dateOk && timeOk) {
        const QDateTime local(date, time);
        if (!local.isValid() || local.date() != date || local.time() != time)
            dateOk = timeOk = false;
    }
    const QLocale locale = QLocale::system();
    const QString none = QStringLiteral("--");
    MomentTexts texts;
    if (m.hour == 0 && m.minute == 0 && m.second == 0)
        texts.time = none;
    else if (timeOk)
        texts.time = locale.toString(time, QLocale::ShortFormat);
    if (m.day == 0 && m.month == 0 && m.year == 0)
        texts.date = none;
    else if (dateOk)
        texts.date = locale.toString(date, QLocale::ShortFormat);
    return texts;
}

QLabel* valueLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

QString cPropertiesDlg::timeText(const RecordTime& moment)
{
    return momentTexts(moment).time;
}

QString cPropertiesDlg::dateText(const RecordTime& moment)
{
    return momentTexts(moment).date;
}

cPropertiesDlg::cPropertiesDlg(CVantoroDoc* doc, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(uiText(sid::Properties));
    setModal(true);

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](int labelId, const char* labelName, QWidget* value) {
        auto* label = new QLabel(uiText(labelId), this);
        label->setObjectName(QLatin1String(labelName));
        grid->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(value, row, 1);
        ++row;
    };
    m_reflected = valueLabel("reflectedValue", this);
    addRow(sid::ReflectedTempLabel, "reflectedLabel", m_reflected);
    m_emissivity = valueLabel("emissivityValue", this);
    addRow(sid::GlobalEmissivityLabel, "emissivityLabel", m_emissivity);
    m_span = valueLabel("spanValue", this);
    addRow(sid::TempSpanLabel, "spanLabel", m_span);
    m_palette = valueLabel("paletteValue", this);
    addRow(sid::ColourPaletteLabel, "paletteLabel", m_palette);
    m_file = valueLabel("fileValue", this);
    m_file->setWordWrap(true);
    addRow(sid::FilenameLabel, "fileLabel", m_file);
    m_captureTime = valueLabel("captureTimeValue", this);
    addRow(sid::CaptureTimeLabel, "captureTimeLabel", m_captureTime);
    m_captureDate = valueLabel("captureDateValue", this);
    addRow(sid::CaptureDateLabel, "captureDateLabel", m_captureDate);
    m_modifiedTime = valueLabel("modifiedTimeValue", this);
    addRow(sid::ModifiedTimeLabel, "modifiedTimeLabel", m_modifiedTime);
    m_modifiedDate = valueLabel("modifiedDateValue", this);
    addRow(sid::ModifiedDateLabel, "modifiedDateLabel", m_modifiedDate);
    m_comment = new QPlainTextEdit(this);
    m_comment->setObjectName(QStringLiteral("commentValue"));
    m_comment->setReadOnly(true);
    addRow(sid::CaptionLabel, "commentLabel", m_comment);
    grid->setColumnStretch(1, 1);

    m_ok = new QPushButton(uiText(sid::Ok), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    // Nothing here can be changed, so there is nothing to cancel; the button stays hidden.
    m_cancel = new QPushButton(uiText(sid::Cancel), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_cancel->hide();
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);

    if (doc && doc->image().hasImage()) Fill(*doc);
}

void cPropertiesDlg::Fill(CVantoroDoc& doc)
{
    const cBrixa& image = doc.image();
    const RecordFields& f = image.fields;
    const QString unit = QString::fromStdString(image.unitText());

    m_reflected->setText(formatTemperature(image.temperatureOf(f.reflected, 1.0f, false), unit));
    m_emissivity->setText(formatEmissivity(f.emissivity[10] / 100.0));
    const double low = image.rawToTemperature(doc.spanLow());
    const double high = image.rawToTemperature(doc.spanHigh());
    m_span->setText(formatText(uiText(sid::SpanRangeFormat), {low, unit, high, unit}));
    m_palette->setText(calivue::paletteText(doc.palette()));
    m_file->setText(QDir::toNativeSeparators(doc.currentPath()));

    const MomentTexts capture = momentTexts(f.capture);
    m_captureTime->setText(capture.time);
    m_captureDate->setText(capture.date);
    const MomentTexts modified = momentTexts(f.modified);
    m_modifiedTime->setText(modified.time);
    m_modifiedDate->setText(modified.date);
    m_comment->setPlainText(commentTextOf(f.comments));
}

QString cPropertiesDlg::reflectedText() const
{
    return m_reflected->text();
}
QString cPropertiesDlg::emissivityText() const
{
    return m_emissivity->text();
}
QString cPropertiesDlg::spanText() const
{
    return m_span->text();
}
QString cPropertiesDlg::paletteText() const
{
    return m_palette->text();
}
QString cPropertiesDlg::fileText() const
{
    return m_file->text();
}
QString cPropertiesDlg::captureTimeText() const
{
    return m_captureTime->text();
}
QString cPropertiesDlg::captureDateText() const
{
    return m_captureDate->text();
}
QString cPropertiesDlg::modifiedTimeText() const
{
    return m_modifiedTime->text();
}
QString cPropertiesDlg::modifiedDateText() const
{
    return m_modifiedDate->text();
}
QString cPropertiesDlg::commentText() const
{
    return m_comment->toPlainText();
}

}  // namespace calivue
