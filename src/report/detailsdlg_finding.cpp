#include "detailsdlg_finding.h"

#include "detailsdlg_text.h"
#include "reporttext.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace calivue {

namespace {

// The label of a reading: the measurement list's entry, or the ambient air.
QString readingLabel(const FindingReading& r)
{
    return r.measurement ? measurementText(*r.measurement) : uiText(sid::ReferenceAmbient);
}

QLabel* wrappedLabel(QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setWordWrap(true);
    return l;
}

}  // namespace

QString warningText(FindingWarning warning)
{
    switch (warning) {
        case FindingWarning::ReferenceMissing:
            return uiText(sid::WarnReferenceMissing);
        case FindingWarning::LoadBelowMinimum:
            return uiText(sid::WarnLoadBelowMinimum);
        case FindingWarning::LoadUnknown:
            return uiText(sid::WarnLoadUnknown);
        case FindingWarning::IndoorOutdoorBelow10K:
            return uiText(sid::WarnIndoorOutdoor);
    }
    return {};
}

FindingTexts findingTexts(const Finding& f, const FindingsSettings& settings, int unit)
{
    FindingTexts t;
    const QString unitText = unitLabel(unit);
    if (f.deltaT && f.reference)
        t.deltaT = formatText(uiText(sid::DeltaTAgainst),
                              {differenceText(*f.deltaT, unitText), readingLabel(*f.reference)});
    if (f.loadPercent) {
        t.load = formatText(uiText(sid::LoadPercentText),
                            {QString::asprintf("%.1f %%", *f.loadPercent)});
        if (f.deltaTCorrected)
            t.load += QStringLiteral("   ") +
                      formatText(uiText(sid::CorrectedText),
                                 {differenceText(*f.deltaTCorrected, unitText),
                                  QString::asprintf("%.1f", settings.loadExponent)});
    }
    t.severity = f.severity ? toQString(f.severity->text) : uiText(sid::NoException);
    t.colourPriority = f.severity ? f.severity->priority : 0;
    t.suggested = formatText(uiText(sid::SuggestedPriority),
                             {f.suggestedPriority > 0 ? QString::number(f.suggestedPriority)
                                                      : uiText(sid::PriorityNone)});
    t.source = uiText(f.priorityManual ? sid::PrioritySetByHand : sid::PriorityIsSuggested);
    if (f.frsi && f.frsiPass)
        t.frsi =
            formatText(uiText(sid::FrsiText), {QString::asprintf("%.2f", *f.frsi),
                                               uiText(*f.frsiPass ? sid::FrsiPass : sid::FrsiFail),
                                               QString::asprintf("%.2f", settings.frsiThreshold)});
    for (FindingWarning w : f.warnings) t.warnings << warningText(w);
    return t;
}

void buildFindingControls(QWidget* page, FindingControls& f)
{
    f.group = new QGroupBox(uiText(sid::FindingHeading), page);
    f.reference = new QComboBox(f.group);
    f.reference->addItems({uiText(sid::ReferenceMarker), uiText(sid::ReferenceAmbient)});
    f.ambient = new QLineEdit(f.group);
    f.ambient->setMaximumWidth(70);
    f.ambientUnit = new QLabel(f.group);
    f.deltaT = new QLabel(f.group);
    f.load = new QLabel(f.group);
    f.severity = wrappedLabel(f.group);
    QFont bold = f.severity->font();
    bold.setBold(true);
    f.severity->setFont(bold);
    f.suggested = new QLabel(f.group);
    f.source = wrappedLabel(f.group);
    f.useSuggested = new QPushButton(uiText(sid::UseSuggestedPriority), f.group);
    f.frsi = new QLabel(f.group);
    f.warnings = wrappedLabel(f.group);

    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel(uiText(sid::FindingReference), f.group));
    choice->addWidget(f.reference);
    choice->addWidget(new QLabel(uiText(sid::OwnAmbient), f.group));
    choice->addWidget(f.ambient);
    choice->addWidget(f.ambientUnit);
    choice->addStretch();
    auto* priority = new QHBoxLayout;
    priority->addWidget(f.suggested);
    priority->addWidget(f.useSuggested);
    priority->addStretch();
    auto* rows = new QVBoxLayout(f.group);
    rows->setSpacing(2);
    rows->addLayout(choice);
    auto* readings = new QHBoxLayout;
    readings->setSpacing(18);
    readings->addWidget(f.deltaT);
    readings->addWidget(f.load);
    readings->addStretch();
    rows->addLayout(readings);
    rows->addWidget(f.severity);
    rows->addLayout(priority);
    rows->addWidget(f.source);
    rows->addWidget(f.frsi);
    rows->addWidget(f.warnings);
}

}  // namespace calivue
