// The report writer's sheet until its pages exist: the three page tabs, each telling the user
// that the page is not available in this version, so report-writer mode can be entered and left.
#pragma once

#include "viewsheets.h"

#include <QTabWidget>

namespace calivue {

class cReportPlaceholder : public QTabWidget, public cViewSheet {
    Q_OBJECT

public:
    explicit cReportPlaceholder(QWidget* parent = nullptr);
    QSize sizeHint() const override { return QSize(1100, 700); }
};

}  // namespace calivue
