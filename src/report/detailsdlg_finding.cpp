#include "report/detailsdlg_finding.h"

#include "report/engine/detailsdlg_text.h"
#include "report/engine/findingtext.h"
#include "report/engine/reporttext.h"

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

QLabel* wrappedLabel(QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setWordWrap(true);
    return l;
}

}  // namespace

FindingTexts findingTexts(const Finding& f, const FindingsSettings& settings, TempUnit unit)
{
    // The printed finding's own sentences, so the page and the report say the same.
    const StringTable& texts = StringTable::active();
    FindingTexts t;
    t.deltaT = deltaTSentence(f, unit, texts);
    t.load = loadSentence(f, settings, unit, texts);
    t.severity = f.severity ? classText(*f.severity, texts) : uiText(sid::FindingNoClass);
    t.colourPriority = f.severity ? f.severity->priority : 0;
    t.suggested = rightToLeftSentence(
        formatText(uiText(sid::SuggestedPriority),
                   {f.suggestedPriority > 0 ? QString::number(f.suggestedPriority)
                                            : uiText(sid::PriorityNone)}));
    t.source = prioritySentence(f, texts);
    t.frsi = frsiSentence(f, settings, texts);
    for (FindingWarning w : f.warnings) t.warnings << warningText(w, settings, texts);
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
    f.previous = wrappedLabel(f.group);
    f.previous->setObjectName(QStringLiteral("previousFinding"));
    f.previous->setVisible(false);

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
    rows->addWidget(f.previous);
}

}  // namespace calivue
