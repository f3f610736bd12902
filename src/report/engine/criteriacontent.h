// Internal to the report/engine layer.
// What the appendix "Severity criteria" says, as texts without a place on a page: the criteria
// and its standard, the table of classes (both NETA tables for the worse-of criteria) with
// bounds in the report's unit, the rules, and the survey conditions. The PDF page lays it out
// (criteriaPage in reportpage.h), the Word document writes it as tables.
#pragma once

#include "core/findings.h"

#include "platform/stringtable.h"

#include <QRgb>
#include <QString>

#include <array>
#include <utility>
#include <vector>

namespace calivue {

struct CriteriaBandRow {
    QString bound;      // "from 4.0 °C"
    QString className;  // the class as the language or the project names it
    int priority = 0;
    QRgb colour = 0xFF000000;  // the priority's colour
};

struct CriteriaTable {
    QString name;  // the table's criteria; printed only when there are two tables
    std::vector<CriteriaBandRow> rows;
};

using LabelledText = std::pair<QString, QString>;

struct CriteriaContent {
    QString heading;
    LabelledText criteria, standard;
    std::array<QString, 3> tableHeader;  // difference, class, priority
    std::vector<CriteriaTable> tables;
    std::array<QString, 3> rules;  // the load rule, what classifies, the fRsi threshold
    QString conditionsHeading;
    std::vector<LabelledText> conditions;
};

CriteriaContent criteriaContent(const FindingsSettings& settings, TempUnit unit,
                                const StringTable& texts);

}  // namespace calivue
