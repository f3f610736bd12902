#include "report/engine/findingtext.h"

#include "report/engine/detailsdlg_text.h"

#include "core/brixa.h"

#include "paint/severitycolour.h"
#include "platform/stringids.h"
#include "platform/textformat.h"

namespace calivue {

namespace {

QString unitText(TempUnit unit)
{
    return QString::fromStdString(unitTextOf(unit));
}

// "Hot 53.3 °C", "Ambient air 20.0 °C".
QString readingText(const FindingReading& r, TempUnit unit, const StringTable& texts)
{
    const QString name =
        r.measurement ? measurementText(*r.measurement, texts) : texts.text(sid::FindingAmbientAir);
    return name + QLatin1Char(' ') + formatTemperature(r.temperature, unitText(unit));
}

QString decimal(double value, int places)
{
    return formatDecimal(value, places);
}

}  // namespace

QString classText(const SeverityBand& band, const StringTable& texts)
{
    // The NETA tables' own texts; the ambient table names all four.
    static const std::vector<SeverityBand> neta = criteriaBands(Criteria::NetaAmbient, {});
    static const int ids[] = {sid::ClassPossible, sid::ClassProbable, sid::ClassMonitor,
                              sid::ClassMajor};
    for (std::size_t i = 0; i < neta.size() && i < std::size(ids); ++i)
        if (band.text == neta[i].text) return texts.text(ids[i]);
    return QString::fromStdU16String(band.text);
}

QString criteriaText(Criteria criteria, const StringTable& texts)
{
    switch (criteria) {
        case Criteria::NetaAmbient:
            return texts.text(sid::CriteriaNetaAmbient);
        case Criteria::NetaWorst:
            return texts.text(sid::CriteriaNetaWorst);
        case Criteria::Custom:
            return texts.text(sid::CriteriaCustom);
        case Criteria::NetaSimilar:
            break;
    }
    return texts.text(sid::CriteriaNetaSimilar);
}

QString warningText(FindingWarning warning, const FindingsSettings& settings,
                    const StringTable& texts)
{
    switch (warning) {
        case FindingWarning::ReferenceMissing:
            return texts.text(sid::WarningReferenceMissing);
        case FindingWarning::LoadBelowMinimum:
            return rightToLeftSentence(formatText(texts.text(sid::WarningLoadBelowMinimum),
                                                  {QString::number(settings.minLoadPercent)}));
        case FindingWarning::LoadUnknown:
            return texts.text(sid::WarningLoadUnknown);
        case FindingWarning::IndoorOutdoorBelow10K:
            return rightToLeftSentence(texts.text(sid::WarningIndoorOutdoor));
    }
    return {};
}

QString bandBoundText(const SeverityBand& band, TempUnit unit, const StringTable& texts)
{
    // Bounds are kelvin differences: a Fahrenheit report states them scaled by 1.8.
    const double bound = band.from * (unit == TempUnit::Fahrenheit ? 1.8 : 1.0);
    return rightToLeftSentence(formatText(texts.text(band.strict ? sid::BandAbove : sid::BandFrom),
                                          {decimal(bound, 1) + QLatin1Char(' ') + unitText(unit)}));
}

QString deltaTSentence(const Finding& f, TempUnit unit, const StringTable& texts)
{
    if (!f.deltaT || !f.concern || !f.reference) return {};
    return rightToLeftSentence(
        formatText(texts.text(sid::FindingDeltaT),
                   {differenceText(*f.deltaT, unitText(unit)), readingText(*f.concern, unit, texts),
                    readingText(*f.reference, unit, texts)}));
}

QString loadSentence(const Finding& f, const FindingsSettings& settings, TempUnit unit,
                     const StringTable& texts)
{
    if (!f.loadPercent) return {};
    const QString load = decimal(*f.loadPercent, 0);
    return rightToLeftSentence(
        f.deltaTCorrected ? formatText(texts.text(sid::FindingLoad),
                                       {load, differenceText(*f.deltaTCorrected, unitText(unit)),
                                        decimal(settings.loadExponent, 1)})
                          : formatText(texts.text(sid::FindingLoadOnly), {load}));
}

QString prioritySentence(const Finding& f, const StringTable& texts)
{
    return rightToLeftSentence(formatText(
        texts.text(f.priorityManual ? sid::FindingPriorityManual : sid::FindingPrioritySuggested),
        {f.priority}));
}

QString frsiSentence(const Finding& f, const FindingsSettings& settings, const StringTable& texts)
{
    if (!f.frsi || !f.frsiPass) return {};
    return rightToLeftSentence(
        formatText(texts.text(*f.frsiPass ? sid::FindingFrsiPass : sid::FindingFrsiFail),
                   {decimal(*f.frsi, 2), decimal(settings.frsiThreshold, 2)}));
}

QRgb priorityColour(int priority)
{
    const QColor c = severityColour(priority);
    return c.isValid() ? c.rgb() : 0xFF000000;
}

std::vector<PrintedLine> findingLines(const Finding& f, const FindingsSettings& settings,
                                      ReportTemplate reportTemplate, TempUnit unit,
                                      const StringTable& texts)
{
    std::vector<PrintedLine> lines;
    if (const QString s = deltaTSentence(f, unit, texts); !s.isEmpty()) lines.push_back({s});
    if (const QString s = loadSentence(f, settings, unit, texts); !s.isEmpty())
        lines.push_back({s});
    if (f.deltaT)
        lines.push_back(f.severity ? PrintedLine{formatText(texts.text(sid::FindingClass),
                                                            {classText(*f.severity, texts)}),
                                                 priorityColour(f.severity->priority)}
                                   : PrintedLine{texts.text(sid::FindingNoClass)});
    if (f.priorityManual || f.priority > 0)
        lines.push_back({prioritySentence(f, texts), priorityColour(f.priority)});
    if (reportTemplate == ReportTemplate::Buildings)
        if (const QString s = frsiSentence(f, settings, texts); !s.isEmpty()) lines.push_back({s});
    for (const FindingWarning w : f.warnings) lines.push_back({warningText(w, settings, texts)});
    return lines;
}

}  // namespace calivue
