#include "report/detailsdlg_controls.h"

#include "desktop/datefield.h"
#include "view/colourbutton.h"
#include "view/colouredit.h"
#include "report/colourtextedit.h"
#include "report/engine/detailsdlg_text.h"
#include "report/engine/snapshotstrip.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace calivue {

namespace {

constexpr int kCaptionLength = 25;
constexpr int kPaneWidth = 213, kPaneHeight = 160;

template <typename Edit>
Edit* limitedEdit(QWidget* parent, int limit)
{
    auto* e = new Edit(parent);
    e->setMaxLength(limit);
    return e;
}

QLineEdit* readOnlyBox(QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setReadOnly(true);
    return e;
}

cColourEdit* readingBox(QWidget* parent, ColourRef background)
{
    auto* e = new cColourEdit(parent);
    e->setReadOnly(true);
    e->SetBackgroundColour(background);
    return e;
}

}  // namespace

cDetailsPreview::cDetailsPreview(QWidget* parent) : QWidget(parent)
{
    setFixedSize(644, 164);
}

void cDetailsPreview::setSnapshot(ReportSnapshot* snapshot)
{
    m_snapshot = snapshot;
    update();
}

void cDetailsPreview::paintEvent(QPaintEvent*)
{
    if (!m_snapshot) return;
    QPainter painter(this);
    paintSnapshotStrip(painter, QRect(0, 0, 3 * kPaneWidth, kPaneHeight), *m_snapshot);
}

std::array<QLineEdit*, 15> DetailsControls::lineFields() const
{
    return {name,
            operatorName,
            location,
            equipment,
            measured,
            rated,
            condition,
            indoor,
            outdoor,
            humidity,
            wind,
            pressure,
            steps[0].initials,
            steps[1].initials,
            steps[2].initials};
}

void buildDetailsControls(QWidget* page, DetailsControls& c, TempUnit unit)
{
    auto label = [page](int id) { return new QLabel(uiText(id), page); };

    // Fields at the limits of the record.
    c.name = limitedEdit<cColourEdit>(page, 38);
    c.operatorName = limitedEdit<cColourEdit>(page, 38);
    c.location = limitedEdit<cColourEdit>(page, 38);
    c.equipment = limitedEdit<cColourEdit>(page, 70);
    c.comment = limitedEdit<cColourTextEdit>(page, 550);
    c.measured = limitedEdit<QLineEdit>(page, 20);
    c.rated = limitedEdit<QLineEdit>(page, 20);
    c.condition = limitedEdit<QLineEdit>(page, 8);
    c.indoor = limitedEdit<QLineEdit>(page, 20);
    c.outdoor = limitedEdit<QLineEdit>(page, 20);
    c.humidity = limitedEdit<QLineEdit>(page, 20);
    c.wind = limitedEdit<QLineEdit>(page, 20);
    c.pressure = limitedEdit<QLineEdit>(page, 20);
    c.faultAction = limitedEdit<cColourTextEdit>(page, 250);
    c.conditionList = new QComboBox(page);
    c.conditionList->addItems(
        {uiText(sid::ConditionNoComment), uiText(sid::ConditionGood), uiText(sid::ConditionPoor)});
    c.conditionList->setCurrentIndex(0);

    // The caption boxes and their fields; row 8 holds the condition text and its list.
    auto* fields = new QGridLayout;
    auto* conditionCell = new QWidget(page);
    auto* conditionRow = new QHBoxLayout(conditionCell);
    conditionRow->setContentsMargins(0, 0, 0, 0);
    conditionRow->addWidget(c.condition);
    conditionRow->addWidget(c.conditionList);
    c.rowFields = {c.name,     c.operatorName, c.location,    c.equipment, c.comment,
                   c.measured, c.rated,        conditionCell, c.indoor,    c.outdoor,
                   c.humidity, c.wind,         c.pressure};
    for (int i = 0; i < 13; ++i) {
        c.captions[i] = limitedEdit<QLineEdit>(page, kCaptionLength);
        c.captions[i]->setReadOnly(true);
        c.captions[i]->setMaximumWidth(190);
        fields->addWidget(c.captions[i], i, 0);
        fields->addWidget(c.rowFields[i], i, 1);
    }
    const std::array<QString, 5> units = weatherUnitLabels(unit);
    for (int i = 0; i < 5; ++i) {
        c.weatherUnits[i] = new QLabel(leftToRightText(units[i]), page);
        fields->addWidget(c.weatherUnits[i], 8 + i, 2);
    }
    // The equipment item below the captioned rows, shown in every template.
    c.equipmentItemLabel = new QLabel(uiText(sid::EquipmentItemLabel), page);
    c.equipmentItem = new QComboBox(page);
    c.equipmentItem->setEditable(true);
    c.equipmentItem->setInsertPolicy(QComboBox::NoInsert);
    c.equipmentItem->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c.equipmentItem->setMinimumContentsLength(16);
    c.equipmentList = new QPushButton(uiText(sid::EquipmentListButton), page);
    auto* itemCell = new QHBoxLayout;
    itemCell->addWidget(c.equipmentItem, 1);
    itemCell->addWidget(c.equipmentList);
    fields->addWidget(c.equipmentItemLabel, 13, 0);
    fields->addLayout(itemCell, 13, 1);
    fields->setRowStretch(14, 1);
    c.comment->setMaximumHeight(110);
    c.faultAction->setMaximumHeight(130);

    // Repair steps: a dated / "No Date" pair, the picker and the initials of each.
    auto* repair = new QGridLayout;
    repair->addWidget(label(sid::Date), 0, 1);
    repair->addWidget(label(sid::NoDate), 0, 3);
    repair->addWidget(label(sid::Initials), 0, 4);
    const std::array<int, 3> stepNames = {sid::Inspected, sid::Repaired, sid::Reinspected};
    for (int i = 0; i < 3; ++i) {
        DetailsControls::Step& s = c.steps[i];
        s.dated = new QRadioButton(page);
        s.noDate = new QRadioButton(page);
        auto* pair = new QButtonGroup(page);
        pair->addButton(s.dated);
        pair->addButton(s.noDate);
        s.noDate->setChecked(true);
        s.date = new QDateTimeEdit(QDateTime::currentDateTime(), page);
        s.date->setCalendarPopup(true);
        s.date->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
        s.date->setEnabled(false);
        keepDateReadingOrder(s.date);
        s.initials = limitedEdit<QLineEdit>(page, 7);
        repair->addWidget(label(stepNames[i]), i + 1, 0);
        repair->addWidget(s.dated, i + 1, 1);
        repair->addWidget(s.date, i + 1, 2);
        repair->addWidget(s.noDate, i + 1, 3);
        repair->addWidget(s.initials, i + 1, 4);
    }
    c.priority = new QComboBox(page);
    c.priority->addItem(uiText(sid::PriorityNone));
    for (int p = 1; p <= 5; ++p) c.priority->addItem(QString::number(p));

    auto* fault = new QVBoxLayout;
    fault->addWidget(label(sid::FaultRecommendedAction));
    fault->addWidget(c.faultAction);
    auto* priorityRow = new QHBoxLayout;
    priorityRow->addWidget(label(sid::RepairPriority));
    priorityRow->addWidget(c.priority);
    priorityRow->addWidget(label(sid::PriorityScale));
    fault->addLayout(priorityRow);
    fault->addLayout(repair);
    // The finding sits below the repair steps, in the column's free space.
    buildFindingControls(page, c.finding);
    fault->addWidget(c.finding.group);
    fault->addStretch();

    // Readings of the snapshot.
    c.unit = new QComboBox(page);
    for (TempUnit u : kTempUnits) c.unit->addItem(leftToRightText(unitLabel(u)));
    c.unit->setCurrentIndex(tempUnitFrom(tempUnitNumber(unit)) ? tempUnitNumber(unit) : 0);
    c.firstMeasurement = new QComboBox(page);
    c.secondMeasurement = new QComboBox(page);
    c.firstReading = readingBox(page, rgb(0, 255, 0));
    c.secondReading = readingBox(page, rgb(255, 128, 0));
    c.difference = readOnlyBox(page);
    c.emissivity = readOnlyBox(page);
    c.reflected = readOnlyBox(page);
    c.path = readOnlyBox(page);
    auto* readings = new QGridLayout;
    readings->addWidget(label(sid::TemperatureUnits), 0, 0);
    readings->addWidget(c.unit, 0, 1);
    readings->addWidget(c.firstMeasurement, 1, 0);
    readings->addWidget(c.firstReading, 1, 1);
    readings->addWidget(c.secondMeasurement, 2, 0);
    readings->addWidget(c.secondReading, 2, 1);
    readings->addWidget(label(sid::Difference), 3, 0);
    readings->addWidget(c.difference, 3, 1);
    readings->addWidget(label(sid::GlobalEmissivityLabel), 4, 0);
    readings->addWidget(c.emissivity, 4, 1);
    readings->addWidget(label(sid::ReflectedTempLabel), 5, 0);
    readings->addWidget(c.reflected, 5, 1);

    // Preview strip with its headings, the inspection number and the buttons.
    c.previewHeadings = {label(sid::ThermalSnapshot), label(sid::ThermalAndVisibleBlend),
                         label(sid::VisibleImage)};
    // Headings and pictures are one strip, left to right in every language: mirrored
    // headings over unmirrored pictures would put "Thermal" over the photograph.
    auto* strip = new QWidget(page);
    strip->setObjectName(QStringLiteral("detailsStrip"));
    strip->setLayoutDirection(Qt::LeftToRight);
    auto* stripBox = new QVBoxLayout(strip);
    stripBox->setContentsMargins(0, 0, 0, 0);
    auto* headings = new QHBoxLayout;
    headings->setSpacing(0);  // each heading exactly over its pane
    for (QLabel* h : c.previewHeadings) {
        h->setFixedWidth(kPaneWidth);
        headings->addWidget(h);
    }
    headings->addStretch();
    c.preview = new cDetailsPreview(strip);
    stripBox->addLayout(headings);
    stripBox->addWidget(c.preview);
    c.inspectionLabel = new QLabel(page);
    c.previous = new QPushButton(uiText(sid::PreviousButton), page);
    c.next = new QPushButton(uiText(sid::NextButton), page);
    c.editImage = new QPushButton(uiText(sid::EditImage), page);
    c.generateReport = new cColourButton(page);
    c.generateReport->SetText(uiText(sid::GeneratePdfReport));
    c.generateReport->SetFixedColour(rgb(128, 255, 128));
    c.generateWordReport = new cColourButton(page);
    c.generateWordReport->SetText(uiText(sid::GenerateWordReport));
    c.generateWordReport->SetFixedColour(rgb(128, 192, 255));
    c.saveProject = new cColourButton(page);
    c.saveProject->SetText(uiText(sid::SaveReportProject));
    c.saveProject->SetFixedColour(rgb(255, 128, 128));
    auto* navigation = new QHBoxLayout;
    navigation->addWidget(c.previous);
    navigation->addWidget(c.inspectionLabel);
    navigation->addWidget(c.next);
    navigation->addWidget(c.editImage);
    navigation->addStretch();
    navigation->addWidget(c.generateReport);
    navigation->addWidget(c.generateWordReport);
    navigation->addWidget(c.saveProject);

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(strip);
    left->addWidget(c.path);
    top->addLayout(left);
    top->addLayout(readings);
    auto* middle = new QHBoxLayout;
    middle->addLayout(fields, 3);
    middle->addLayout(fault, 2);
    auto* page_ = new QVBoxLayout(page);
    page_->addLayout(navigation);
    page_->addLayout(top);
    page_->addLayout(middle);
}

}  // namespace calivue
