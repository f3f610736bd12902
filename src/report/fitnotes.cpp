#include "report/fitnotes.h"

#include "core/printrules.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

namespace calivue {

namespace {

bool cut(FitField field, const std::u16string& text)
{
    return fitColour(field, text) == FitColour::Red;
}

}  // namespace

QString fitFieldName(FitField field)
{
    switch (field) {
        case FitField::FaultAction:
            return uiText(sid::FaultRecommendedAction);
        case FitField::Comment:
            return uiText(sid::CaptionComment);
        case FitField::Name:
            return uiText(sid::CaptionInspectionName);
        case FitField::OperatorName:
            return uiText(sid::CaptionOperator);
        case FitField::Location:
            return uiText(sid::CaptionLocation);
        case FitField::Equipment:
            return uiText(sid::CaptionEquipment);
        case FitField::TitleComments:
            return uiText(sid::CommentsLabel);
    }
    return {};
}

QString fitToolTip(FitField field, const QString& text)
{
    const std::u16string t = text.toStdU16String();
    if (!cut(field, t)) return {};
    const FitBox box = fitBox(field);
    return formatText(uiText(sid::FitBoxTooltip), {fitFieldName(field), box.lines, box.charsPerLine,
                                                   linesNeeded(t, box.charsPerLine)});
}

QStringList textsThatWillBeCut(const ReportTitle& title,
                               const std::vector<cInspectionRecord>& records,
                               ReportTemplate reportTemplate)
{
    QStringList out;
    if (cut(FitField::TitleComments, title.comments)) out << fitFieldName(FitField::TitleComments);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const cInspectionRecord& r = records[i];
        const std::pair<FitField, const std::u16string*> fields[] = {
            {FitField::Name, &r.name},         {FitField::OperatorName, &r.operatorName},
            {FitField::Location, &r.location}, {FitField::Equipment, &r.equipment},
            {FitField::Comment, &r.comment},   {FitField::FaultAction, &r.faultAction}};
        for (const auto& [field, text] : fields) {
            if (field == FitField::Equipment && !captionRowShown(reportTemplate, 3)) continue;
            if (cut(field, *text))
                out << formatText(uiText(sid::CutTextOfInspection),
                                  {static_cast<int>(i) + 1, fitFieldName(field)});
        }
    }
    return out;
}

}  // namespace calivue
