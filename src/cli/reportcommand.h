// The `report` subcommand of calivue-cli: a report project (.vrp) printed as the PDF report,
// without a window. Built only with the Qt layers (the pages are drawn with Qt's painter).
#pragma once

#include "core/reportstyle.h"

#include "platform/languagetable.h"
#include "report/engine/docxreport.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace calivue::cli {

struct ReportOptions {
    std::filesystem::path project;
    std::filesystem::path output;
    TempUnit unit = TempUnit::Celsius;
    int templateNumber = 0;
    // The report's language; empty: the project's report language, or English without one.
    std::optional<Language> language;
    // The layout to print in; empty: the project's own.
    std::optional<ReportLayout> layout;
    // PDF or Word; empty: by the output's extension (.docx Word, anything else PDF).
    std::optional<ReportFormat> format;
};

// Writes the report of options.project to options.output. On failure: one line on err, no
// new file (an earlier file of that name is kept), non-zero.
int runReport(const ReportOptions& options, std::ostream& out, std::ostream& err);

// The language numbers `--language` takes, with each language's English name and its own:
// the help text's list ("Languages: 0 English (UK), 1 German (Deutsch), ...").
std::string languageListText();

// Registers the subcommand on app; runParsed runs it when it was parsed.
class ReportCommand {
public:
    explicit ReportCommand(CLI::App& app);
    ReportCommand(const ReportCommand&) = delete;
    ReportCommand& operator=(const ReportCommand&) = delete;
    std::optional<int> runParsed(std::ostream& out, std::ostream& err) const;

private:
    CLI::App* m_command = nullptr;
    CLI::Option* m_languageOption = nullptr;
    ReportOptions m_options;
    int m_language = 0;
    std::string m_unit = "c";
    std::string m_layout;
    std::string m_format;
};

}  // namespace calivue::cli
