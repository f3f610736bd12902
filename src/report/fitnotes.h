// What the classic layout's fit check tells the user: the tool tip of a field whose text will
// be cut (which box, how many lines fit, how many the text needs) and, before a classic report
// is generated, the list of every text that will be cut.
#pragma once

#include "core/fitcheck.h"
#include "core/printrules.h"
#include "core/reportdata.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace calivue {

// The field's name as the details and title pages label it ("Comment").
QString fitFieldName(FitField field);

// The tool tip of a field showing text: empty unless the text will be cut (red).
QString fitToolTip(FitField field, const QString& text);

// "Inspection 3: Comment" for each record field, and the title page's comments, whose text
// the classic pages will cut, in page order; empty when everything fits. The equipment
// counts only in the templates that print it.
QStringList textsThatWillBeCut(const ReportTitle& title,
                               const std::vector<cInspectionRecord>& records,
                               ReportTemplate reportTemplate);

}  // namespace calivue
