// cReportStyleBox: the report writer's choice of how the report is printed — its page layout
// (classic or modern) and its language (the window's, or another installed one). Both are the
// report project's settings: the box shows the document's and every choice goes to it.
#pragma once

#include "report/reportcontext.h"

#include <QWidget>

class QComboBox;

namespace calivue {

class cReportStyleBox : public QWidget {
    Q_OBJECT

public:
    // Lists the languages whose module loads through the context (the window's own always).
    explicit cReportStyleBox(ReportContext& context, QWidget* parent = nullptr);

    QComboBox* layoutBox() const { return m_layout; }
    // Item 0 is the window's language (data -1), then one item per installed language (data:
    // its number).
    QComboBox* languageBox() const { return m_language; }

private:
    void showDocument();

    ReportContext& m_ctx;
    QComboBox* m_layout = nullptr;
    QComboBox* m_language = nullptr;
    bool m_showing = false;
};

// The string table and language a report is printed in: the project's report language when it
// names one whose module loads, else the window's (`windowLanguage`, StringTable::active()).
struct ReportLanguage {
    Language language = Language::English;
    StringTable texts;
};
ReportLanguage reportLanguageOf(const ReportContext& context);

}  // namespace calivue
