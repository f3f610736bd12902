// The printed texts of a finding (core/findings.h) in the report's language: the sentences an
// inspection page prints for it, the class and criteria names, the warnings in words and the
// bounds of a criteria table. Every layout of the report takes its finding texts from here.
#pragma once

#include "core/findings.h"

#include "platform/stringtable.h"

#include <QRgb>
#include <QString>

#include <vector>

namespace calivue {

// One sentence of a finding, in its colour (the class in the colour of its priority).
struct PrintedLine {
    QString text;
    QRgb colour = 0xFF000000;

    bool operator==(const PrintedLine&) const = default;
};

// The class text as the report's language prints it: the NETA classes translated, a custom
// class as the project names it.
QString classText(const SeverityBand& band, const StringTable& texts);
// The criteria's name ("NETA, against a similar component").
QString criteriaText(Criteria criteria, const StringTable& texts);
// A warning as a sentence.
QString warningText(FindingWarning warning, const FindingsSettings& settings,
                    const StringTable& texts);
// The lower bound of a band in `unit` ("from 4.0 °C", "above 27.0 °F").
QString bandBoundText(const SeverityBand& band, TempUnit unit, const StringTable& texts);
// The colour of a priority as printed text; black for 0 (no exception).
QRgb priorityColour(int priority);

// The sentences of a finding one by one, as the inspection data page shows them and every report
// prints them; empty when the finding lacks what the sentence states. In a right-to-left
// language they read from the right with each number and its unit kept whole
// (rightToLeftSentence), so "61.9 °C" does not read "C° 61.9" in the window, the PDF or the
// Word document.
// "ΔT 12.3 °C: Hot 53.3 °C against Cursor 1 41.0 °C".
QString deltaTSentence(const Finding& finding, TempUnit unit, const StringTable& texts);
// "Load 65 %, ΔTc 29.1 °C (n = 1.6)", or "Load 65 %" without the corrected difference.
QString loadSentence(const Finding& finding, const FindingsSettings& settings, TempUnit unit,
                     const StringTable& texts);
// "Priority 2, suggested by the criteria" or "..., set by the thermographer".
QString prioritySentence(const Finding& finding, const StringTable& texts);
// "fRsi 0.65: fail (threshold 0.70)".
QString frsiSentence(const Finding& finding, const FindingsSettings& settings,
                     const StringTable& texts);

// The sentences of a finding, in order: the difference and its reference, the load and the
// corrected difference with n, the class (in its colour), the priority and where it comes
// from, the temperature factor and its verdict (Buildings), then each warning.
std::vector<PrintedLine> findingLines(const Finding& finding, const FindingsSettings& settings,
                                      ReportTemplate reportTemplate, TempUnit unit,
                                      const StringTable& texts);

}  // namespace calivue
