#include "desktop/datefield.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QGuiApplication>

namespace calivue {

void keepDateReadingOrder(QDateTimeEdit* edit)
{
    // The sections are reversed when the format is set, not when the direction changes: set
    // the format again once the field runs left to right.
    const QString format = edit->displayFormat();
    edit->setLayoutDirection(Qt::LeftToRight);
    edit->setDisplayFormat(format);
    // The month grid reads as the language's calendars do.
    if (edit->calendarPopup())
        edit->calendarWidget()->setLayoutDirection(QGuiApplication::layoutDirection());
}

}  // namespace calivue
