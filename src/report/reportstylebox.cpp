#include "report/reportstylebox.h"

#include "document/reportdoc.h"

#include "platform/languagetable.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QComboBox>
#include <QFormLayout>

namespace calivue {

namespace {

LanguageLoad loadOf(const ReportContext& context, int language)
{
    if (context.loadLanguage) return context.loadLanguage(language);
    return LanguageModules().load(language);
}

}  // namespace

cReportStyleBox::cReportStyleBox(ReportContext& context, QWidget* parent)
    : QWidget(parent), m_ctx(context)
{
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    m_layout = new QComboBox(this);
    m_layout->setObjectName(QStringLiteral("reportLayout"));
    m_layout->addItem(uiText(sid::ReportLayoutClassic), static_cast<int>(ReportLayout::Classic));
    m_layout->addItem(uiText(sid::ReportLayoutModern), static_cast<int>(ReportLayout::Modern));
    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("reportLanguage"));
    m_language->addItem(formatText(uiText(sid::ReportLanguageWindows),
                                   {uiText(languageInfo(context.language).nameStringId)}),
                        -1);
    for (const LanguageInfo& info : languageTable()) {
        // US English prints as English; the window's own is the first item.
        if (languageFrom(info.number) == Language::UsEnglish || info.number == context.language)
            continue;
        if (info.number != 0 && !loadOf(context, info.number).ok()) continue;
        m_language->addItem(uiText(info.nameStringId), info.number);
    }
    form->addRow(uiText(sid::ReportLayoutLabel), m_layout);
    form->addRow(uiText(sid::ReportLanguageLabel), m_language);
    showDocument();

    CReportDoc& doc = *m_ctx.report;
    connect(&doc, &CReportDoc::changed, this, [this](const ReportChange& change) {
        if (change.what & (ReportPart::Style | ReportPart::Project)) showDocument();
    });
    connect(m_layout, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_showing)
            m_ctx.report->setReportLayout(
                static_cast<ReportLayout>(m_layout->currentData().toInt()));
    });
    connect(m_language, &QComboBox::currentIndexChanged, this, [this] {
        if (m_showing) return;
        const int chosen = m_language->currentData().toInt();
        m_ctx.report->setReportLanguage(chosen < 0 ? std::nullopt : std::optional<int>(chosen));
    });
}

void cReportStyleBox::showDocument()
{
    m_showing = true;
    const CReportDoc& doc = *m_ctx.report;
    m_layout->setCurrentIndex(m_layout->findData(static_cast<int>(doc.reportLayout())));
    const std::optional<int> language = doc.reportLanguage();
    // A language that is not installed (or is the window's) shows as the window's: that is
    // what the report is printed in.
    const int at = language ? m_language->findData(*language) : 0;
    m_language->setCurrentIndex(at < 0 ? 0 : at);
    m_showing = false;
}

ReportLanguage reportLanguageOf(const ReportContext& context)
{
    ReportLanguage out{context.language, StringTable::active()};
    const std::optional<int> chosen =
        context.report ? context.report->reportLanguage() : std::nullopt;
    if (!chosen || *chosen == context.language || *chosen < 0 || *chosen >= kLanguageCount)
        return out;
    if (*chosen == 0) return {0, StringTable::english()};
    LanguageLoad load = loadOf(context, *chosen);
    if (!load.fromModule()) return out;
    return {*chosen, std::move(load.table)};
}

}  // namespace calivue
