#include "cli/reportcommand.h"

#include "cli/commands.h"
#include "cli/projectcommands.h"

#include "core/reportproject.h"
#include "report/engine/reportgenerator.h"
#include "report/engine/reporttext.h"

#include "platform/fspath.h"
#include "platform/languagemodules.h"
#include "platform/languagetable.h"
#include "platform/pdfprinter.h"
#include "platform/stringtable.h"

#include <CLI/CLI.hpp>

#include <QGuiApplication>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace calivue::cli {

namespace {

// Qt's own diagnostics (a missing runtime folder, font cache notes) are not the tool's
// messages: a failure is one line of the command's own, success is silent on stderr.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fputs(qPrintable(message), stderr);
        std::fputc('\n', stderr);
        std::abort();
    }
}

// The painter needs a GUI application (fonts); without a display the offscreen platform does.
// A process without one gets its own for the length of the command, so every font and
// platform resource is released when the command ends.
class ScopedApplication {
public:
    ScopedApplication()
    {
        if (QCoreApplication::instance() != nullptr) return;
        qInstallMessageHandler(quietQtMessages);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QGuiApplication>(s_argc, s_argv);
    }
    ScopedApplication(const ScopedApplication&) = delete;
    ScopedApplication& operator=(const ScopedApplication&) = delete;

private:
    static inline int s_argc = 1;
    static inline char s_name[] = "calivue-cli";
    static inline char* s_argv[] = {s_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

}  // namespace

int runReport(const ReportOptions& o, std::ostream& out, std::ostream& err)
{
    if (o.templateNumber < 0 || o.templateNumber > 3 || !tempUnitFrom(tempUnitNumber(o.unit)) ||
        (o.language && !languageFrom(languageNumber(*o.language)))) {
        err << "calivue-cli: template 0-3, unit c|f|k and language 0-" << kLanguageCount - 1
            << " expected\n";
        return 2;
    }
    Result<ReportProject> project = readReportProjectFile(o.project);
    if (!project.ok()) {
        err << kProjectReadError << ": " << o.project.string() << '\n';
        return 1;
    }
    if (!project.value().countsAgree()) {
        err << kProjectReadError << ": " << o.project.string()
            << ": the inspections and their records differ in number\n";
        return 1;
    }
    const ScopedApplication application;
    // The language asked for, else the one the report writer keeps in the project.
    std::optional<int> wanted;
    if (o.language) {
        wanted = languageNumber(*o.language);
    } else {
        const Result<std::optional<int>> stored = readReportLanguage(project.value());
        if (!stored.ok())
            err << "calivue-cli: the project's report language does not read ("
                << describe(stored.error()) << "); the report is in English\n";
        else
            wanted = stored.value();
    }
    // The texts travel in the job: the process's own table is never switched.
    StringTable texts = StringTable::english();
    Language language = Language::English;
    const int number = wanted.value_or(languageNumber(Language::English));
    if (number != languageNumber(Language::English)) {
        // CALIVUE_LANGUAGE_DIR, when set, is the one folder searched for modules (a
        // packaged layout elsewhere, or tests); otherwise the program's own places.
        const QString dir = qEnvironmentVariable("CALIVUE_LANGUAGE_DIR");
        const LanguageModules modules =
            dir.isEmpty() ? LanguageModules() : LanguageModules(QStringList{dir});
        // A stored number this program has no language for loads nothing.
        const std::optional<Language> known = languageFrom(number);
        const LanguageLoad load = known ? modules.load(*known) : LanguageLoad{};
        if (load.fromModule()) {
            texts = load.table;
            language = *known;
        } else {
            err << "calivue-cli: no language module for language " << number
                << "; the report is in English\n";
        }
    }

    ReportJob job = reportJobFromProject(project.value(), o.project);
    if (!job.logoProblem.isEmpty())
        err << "calivue-cli: logo " << job.logoProblem.toStdString()
            << "; the report is printed without it\n";
    if (!job.findingsProblem.isEmpty())
        err << "calivue-cli: findings " << job.findingsProblem.toStdString()
            << "; the report is printed without findings\n";
    if (!job.equipmentProblem.isEmpty())
        err << "calivue-cli: equipment data " << job.equipmentProblem.toStdString()
            << "; the report is printed without the equipment appendix\n";
    if (!job.previousProblem.isEmpty())
        err << "calivue-cli: " << job.previousProblem.toStdString() << '\n';
    if (!job.layoutProblem.isEmpty() && !o.layout)
        err << "calivue-cli: the project's report layout does not read ("
            << job.layoutProblem.toStdString() << "); the report is in the classic layout\n";
    if (o.layout) job.layout = *o.layout;
    job.reportTemplate = templateOfOption(o.templateNumber);
    job.unit = o.unit;
    job.language = language;
    job.texts = texts;
    job.locale = languageLocale(language);
    // The name as given is the file written, byte for byte; the text form is for messages.
    job.outputPath = fromFsPath(o.output);
    job.outputFile = o.output;
    const ReportFormat format = o.format.value_or(reportFormatOf(job.outputPath));
    const ReportOutcome outcome =
        format == ReportFormat::Docx ? writeDocxReport(job) : writeReport(job);
    if (outcome.error != Error::None) {
        err << "Cannot write " << o.output.string() << ": " << outcome.message.toStdString()
            << '\n';
        return 1;
    }
    // A Word document's pages are counted by the word processor that lays it out.
    if (format == ReportFormat::Docx)
        out << o.output.string() << ": " << outcome.pages << " inspections\n";
    else
        out << o.output.string() << ": " << outcome.pages << " pages\n";
    return 0;
}

ReportCommand::ReportCommand(CLI::App& app)
{
    m_command = app.add_subcommand(
        "report", "Write the inspection report of a .vrp project as a PDF or Word document");
    m_command->add_option("PROJECT", m_options.project, "Report project .vrp file")->required();
    m_command
        ->add_option("OUT", m_options.output,
                     "File to write: a .docx name writes a Word document, any other a PDF")
        ->required();
    addUnitOption(*m_command, m_unit);
    addTemplateOption(*m_command, m_options.templateNumber);
    m_languageOption =
        m_command
            ->add_option("--language", m_language,
                         "Language number of an installed language module (default: the project's "
                         "report language, else 0, English)")
            ->check(CLI::Range(0, kLanguageCount - 1));
    m_command
        ->add_option("--layout", m_layout,
                     "Page layout: classic or modern (default: the project's own)")
        ->check(CLI::IsMember({"classic", "modern"}));
    m_command
        ->add_option("--format", m_format,
                     "pdf or docx, whatever OUT's extension (the Word document carries the "
                     "modern layout's content)")
        ->check(CLI::IsMember({"pdf", "docx"}));
}

std::optional<int> ReportCommand::runParsed(std::ostream& out, std::ostream& err) const
{
    if (!m_command->parsed()) return std::nullopt;
    ReportOptions o = m_options;
    o.unit = unitOfLetter(m_unit);
    if (m_languageOption->count() > 0) o.language = languageFrom(m_language);
    if (!m_layout.empty()) o.layout = reportLayoutFromName(m_layout);
    if (!m_format.empty()) o.format = m_format == "docx" ? ReportFormat::Docx : ReportFormat::Pdf;
    return runReport(o, out, err);
}

std::string languageListText()
{
    std::string text = "Languages (--language N):";
    for (const LanguageInfo& info : languageTable()) {
        const Language language = info.language;
        const bool english = language == Language::English || language == Language::UsEnglish;
        std::string name = info.moduleName ? info.moduleName : "English (UK)";
        if (language == Language::UsEnglish) name = "English (US)";
        const std::string own = uiText(info.nameStringId).toStdString();
        text += (language == Language::English ? " " : ", ") +
                std::to_string(languageNumber(language)) + ' ' + name;
        if (!own.empty() && own != name && !english) text += " (" + own + ')';
    }
    return text;
}

}  // namespace calivue::cli
