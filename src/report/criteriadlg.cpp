#include "report/criteriadlg.h"

#include "document/reportdoc.h"
#include "report/engine/reporttext.h"

#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <vector>

namespace calivue {

namespace {

constexpr int kFromColumn = 0, kClassColumn = 1, kPriorityColumn = 2;

// A number typed with a point or a comma as its decimal separator.
std::optional<double> typedNumber(const QString& text)
{
    bool ok = false;
    const double v =
        QString(text.trimmed()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

// A label's text as the name of its field in a message: without its colon.
QString fieldName(int id)
{
    QString name = uiText(id).trimmed();
    while (name.endsWith(QLatin1Char(':')) || name.endsWith(QChar(0xFF1A))) name.chop(1);
    return name.trimmed();
}

QString notANumber(const QString& field)
{
    return formatText(uiText(sid::NotANumber), {field});
}

QString numberText(double v)
{
    return QString::number(v, 'g', 10);
}

constexpr std::array<int, 8> kConditionLabels = {
    sid::ConditionWind,          sid::ConditionWeather,     sid::ConditionCameraModel,
    sid::ConditionCameraSerial,  sid::ConditionCalibration, sid::ConditionThermographer,
    sid::ConditionCertification, sid::StandardLabel};

}  // namespace

cCriteriaDlg::cCriteriaDlg(CReportDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc)
{
    setWindowTitle(uiText(sid::SeverityCriteria));
    m_c.criteria = new QComboBox(this);
    m_c.criteria->addItems({uiText(sid::CriteriaNetaSimilar), uiText(sid::CriteriaNetaAmbient),
                            uiText(sid::CriteriaNetaWorst), uiText(sid::CriteriaCustom)});
    m_c.bands = new QTableWidget(int(kMaxCustomBands), 3, this);
    m_c.bands->setHorizontalHeaderLabels(
        {uiText(sid::BandFromColumn), uiText(sid::ClassLabel), uiText(sid::Priority)});
    m_c.bands->horizontalHeader()->setSectionResizeMode(kClassColumn, QHeaderView::Stretch);
    for (int row = 0; row < int(kMaxCustomBands); ++row) {
        auto* priority = new QComboBox(m_c.bands);
        for (int p = 1; p <= 5; ++p) priority->addItem(QString::number(p));
        m_c.bands->setCellWidget(row, kPriorityColumn, priority);
        m_c.bands->setItem(row, kFromColumn, new QTableWidgetItem);
        m_c.bands->setItem(row, kClassColumn, new QTableWidgetItem);
    }
    m_c.bands->setMinimumWidth(520);
    m_c.exponent = new QLineEdit(this);
    m_c.classifyCorrected = new QCheckBox(uiText(sid::ClassifyCorrectedCheck), this);
    m_c.minLoad = new QLineEdit(this);
    m_c.ambient = new QLineEdit(this);
    m_c.threshold = new QComboBox(this);
    for (double t : kThresholds) m_c.threshold->addItem(formatDecimal(t, 2));
    m_c.threshold->addItem(uiText(sid::ThresholdOwn));
    m_c.ownThreshold = new QLineEdit(this);
    for (QLineEdit*& e : m_c.conditions) {
        e = new QLineEdit(this);
        e->setMaxLength(200);
    }

    auto* form = new QFormLayout;
    form->addRow(uiText(sid::CriteriaLabel), m_c.criteria);
    auto* table = new QVBoxLayout;
    table->addWidget(new QLabel(uiText(sid::CustomBandsLabel), this));
    table->addWidget(m_c.bands);
    auto* load = new QFormLayout;
    load->addRow(uiText(sid::LoadExponentLabel), m_c.exponent);
    load->addRow(QString(), m_c.classifyCorrected);
    load->addRow(uiText(sid::MinLoadLabel), m_c.minLoad);
    load->addRow(uiText(sid::SurveyAmbientLabel), m_c.ambient);
    auto* threshold = new QHBoxLayout;
    threshold->addWidget(m_c.threshold);
    threshold->addWidget(m_c.ownThreshold);
    load->addRow(uiText(sid::FrsiThresholdLabel), threshold);
    auto* conditions = new QGroupBox(uiText(sid::SurveyConditions), this);
    auto* conditionForm = new QFormLayout(conditions);
    for (std::size_t i = 0; i < kConditionLabels.size(); ++i)
        conditionForm->addRow(uiText(kConditionLabels[i]), m_c.conditions[i]);
    m_c.buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_c.buttons, &QDialogButtonBox::accepted, this, &cCriteriaDlg::accept);
    connect(m_c.buttons, &QDialogButtonBox::rejected, this, &cCriteriaDlg::reject);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addLayout(table);
    left->addLayout(load);
    columns->addLayout(left, 3);
    columns->addWidget(conditions, 2);
    auto* all = new QVBoxLayout(this);
    all->addLayout(columns);
    all->addWidget(m_c.buttons);

    connect(m_c.criteria, &QComboBox::currentIndexChanged, this, [this] { onCriteriaChosen(); });
    connect(m_c.threshold, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_c.ownThreshold->setEnabled(index == int(kThresholds.size())); });
    fill(doc.findingsSettings());
    // Findings that did not read are shown, never changed.
    if (!doc.findingsEditable()) m_c.buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
}

void cCriteriaDlg::fill(const FindingsSettings& s)
{
    m_c.criteria->setCurrentIndex(static_cast<int>(s.criteria));
    for (int row = 0; row < int(kMaxCustomBands); ++row) {
        const bool used = row < int(s.customBands.size());
        const SeverityBand* b = used ? &s.customBands[std::size_t(row)] : nullptr;
        m_c.bands->item(row, kFromColumn)->setText(b ? numberText(b->from) : QString());
        m_c.bands->item(row, kClassColumn)->setText(b ? toQString(b->text) : QString());
        static_cast<QComboBox*>(m_c.bands->cellWidget(row, kPriorityColumn))
            ->setCurrentIndex(b ? b->priority - 1 : 0);
    }
    m_c.exponent->setText(formatDecimal(s.loadExponent, 1));
    m_c.classifyCorrected->setChecked(s.classifyCorrected);
    m_c.minLoad->setText(numberText(s.minLoadPercent));
    m_c.ambient->setText(s.ambient ? formatDecimal(*s.ambient, 1) : QString());
    int offered = int(kThresholds.size());
    for (std::size_t i = 0; i < kThresholds.size(); ++i)
        if (std::abs(kThresholds[i] - s.frsiThreshold) < 1e-9) offered = int(i);
    m_c.threshold->setCurrentIndex(offered);
    m_c.ownThreshold->setText(formatDecimal(s.frsiThreshold, 2));
    m_c.ownThreshold->setEnabled(offered == int(kThresholds.size()));
    const auto texts = conditionTexts(s.conditions);
    for (std::size_t i = 0; i < texts.size(); ++i) m_c.conditions[i]->setText(toQString(*texts[i]));
    onCriteriaChosen();
}

void cCriteriaDlg::onCriteriaChosen()
{
    m_c.bands->setEnabled(m_c.criteria->currentIndex() == static_cast<int>(Criteria::Custom));
}

cCriteriaDlg::Read cCriteriaDlg::readFields() const
{
    // Starting from the document's settings keeps whatever the dialog does not show.
    FindingsSettings s = m_doc.findingsSettings();
    s.criteria = static_cast<Criteria>(std::max(0, m_c.criteria->currentIndex()));
    s.customBands.clear();
    std::vector<int> rowOf;  // the table row of each band, for the messages
    for (int row = 0; row < int(kMaxCustomBands); ++row) {
        const QString from = m_c.bands->item(row, kFromColumn)->text().trimmed();
        const QString text = m_c.bands->item(row, kClassColumn)->text().trimmed();
        // An empty row is no band; a class without a bound is refused.
        if (from.isEmpty() && text.isEmpty()) continue;
        const std::optional<double> bound = typedNumber(from);
        if (!bound)
            return {std::nullopt, notANumber(formatText(QStringLiteral("%s (%d)"),
                                                        {uiText(sid::BandFromColumn), row + 1}))};
        SeverityBand b;
        b.from = *bound;
        b.text = toU16(text);
        b.priority =
            static_cast<QComboBox*>(m_c.bands->cellWidget(row, kPriorityColumn))->currentIndex() +
            1;
        s.customBands.push_back(std::move(b));
        rowOf.push_back(row + 1);
    }
    const std::optional<double> exponent = typedNumber(m_c.exponent->text());
    if (!exponent) return {std::nullopt, notANumber(fieldName(sid::LoadExponentLabel))};
    s.loadExponent = *exponent;
    s.classifyCorrected = m_c.classifyCorrected->isChecked();
    const std::optional<double> minLoad = typedNumber(m_c.minLoad->text());
    if (!minLoad) return {std::nullopt, notANumber(fieldName(sid::MinLoadLabel))};
    s.minLoadPercent = *minLoad;
    if (m_c.ambient->text().trimmed().isEmpty()) {
        s.ambient.reset();
    } else {
        const std::optional<double> ambient = typedNumber(m_c.ambient->text());
        if (!ambient) return {std::nullopt, notANumber(fieldName(sid::SurveyAmbientLabel))};
        s.ambient = *ambient;
    }
    const int offered = m_c.threshold->currentIndex();
    if (offered >= 0 && offered < int(kThresholds.size())) {
        s.frsiThreshold = kThresholds[std::size_t(offered)];
    } else {
        const std::optional<double> own = typedNumber(m_c.ownThreshold->text());
        if (!own) return {std::nullopt, notANumber(fieldName(sid::FrsiThresholdLabel))};
        s.frsiThreshold = *own;
    }
    const auto texts = conditionTexts(s.conditions);
    for (std::size_t i = 0; i < texts.size(); ++i)
        *texts[i] = toU16(m_c.conditions[i]->text().trimmed());

    // The rules the document keeps, in the user's words.
    if (const std::optional<std::string> problem = settingsProblem(s)) {
        const QString key = QString::fromStdString(*problem);
        if (key.startsWith(QStringLiteral("custom_bands["))) {
            const std::size_t band = key.mid(13).section(QLatin1Char(']'), 0, 0).toUInt();
            const int row = band < rowOf.size() ? rowOf[band] : int(band) + 1;
            return {std::nullopt, formatText(uiText(sid::BandsNotRising), {row})};
        }
        if (key.startsWith(QStringLiteral("load_exponent")))
            return {std::nullopt, uiText(sid::ExponentRange)};
        if (key.startsWith(QStringLiteral("min_load_percent")))
            return {std::nullopt, uiText(sid::MinLoadRange)};
        if (key.startsWith(QStringLiteral("frsi_threshold")))
            return {std::nullopt, uiText(sid::FrsiRange)};
        return {std::nullopt, key};
    }
    return {s, QString()};
}

std::optional<QString> cCriteriaDlg::apply()
{
    if (!m_doc.findingsEditable()) return uiText(sid::FindingsUnreadable);
    const Read read = readFields();
    if (!read.settings) return read.problem;
    if (const std::optional<std::string> refused = m_doc.setFindingsSettings(*read.settings))
        return QString::fromStdString(*refused);
    return std::nullopt;
}

void cCriteriaDlg::accept()
{
    if (const std::optional<QString> problem = apply()) {
        cMessageDlg::messageBox(*problem, cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk,
                                this);
        return;
    }
    QDialog::accept();
}

}  // namespace calivue
