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

LanguageLoad loadOf(const ReportContext& context, Language language)
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
        if (info.language == Language::UsEnglish || info.language == context.language) continue;
        if (info.language != Language::English && !loadOf(context, info.language).ok()) continue;
        m_language->addItem(uiText(info.nameStringId), languageNumber(info.language));
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
        // The first item (data -1) is the window's language.
        m_ctx.report->setReportLanguage(languageFrom(m_language->currentData().toInt()));
    });
}

void cReportStyleBox::showDocument()
{
    m_showing = true;
    const CReportDoc& doc = *m_ctx.report;
    m_layout->setCurrentIndex(m_layout->findData(static_cast<int>(doc.reportLayout())));
    const std::optional<Language> language = doc.reportLanguage();
    // A language that is not installed (or is the window's) shows as the window's: that is
    // what the report is printed in.
    const int at = language ? m_language->findData(languageNumber(*language)) : 0;
    m_language->setCurrentIndex(at < 0 ? 0 : at);
    m_showing = false;
}

ReportLanguage reportLanguageOf(const ReportContext& context)
{
    ReportLanguage out{context.language, StringTable::active()};
    const std::optional<Language> chosen =
        context.report ? context.report->reportLanguage() : std::nullopt;
    if (!chosen || *chosen == context.language) return out;
    if (*chosen == Language::English) return {Language::English, StringTable::english()};
    LanguageLoad load = loadOf(context, *chosen);
    if (!load.fromModule()) return out;
    return {*chosen, std::move(load.table)};
}

}  // namespace calivue
