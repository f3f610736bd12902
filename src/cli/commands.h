// calivue-cli: the headless batch tool over the thermal core. The commands are a
// library so tests run them in-process; main() only forwards its arguments.
#pragma once

#include "core/printrules.h"
#include "core/tempunit.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace CLI {
class App;
}

namespace calivue {
class cBrixa;
}  // namespace calivue

namespace calivue::cli {

// The message every unreadable or invalid snapshot gives.
inline constexpr std::string_view kOpenError = "Error opening file";

// The options the project commands share: --unit (c, f or k; read it with unitOfLetter) and
// --template (0-3, as the report writer numbers its templates).
void addUnitOption(CLI::App& command, std::string& unit);
void addTemplateOption(CLI::App& command, int& templateNumber);

// The unit of a --unit value the parser accepted (c, f or k in any case); none given is Celsius.
inline TempUnit unitOfLetter(std::string_view letter)
{
    const char u = letter.empty() ? 'c' : letter[0];
    if (u == 'c' || u == 'C') return TempUnit::Celsius;
    return (u == 'f' || u == 'F') ? TempUnit::Fahrenheit : TempUnit::Kelvin;
}

// The template of a --template number the parser accepted (0-3); any other reads as the first.
inline ReportTemplate templateOfOption(int number)
{
    return reportTemplateFrom(number).value_or(ReportTemplate::Maintenance);
}

// Parses args (args[0] is the program name) and runs the chosen subcommand.
// Results go to out; a failure writes one line to err and returns non-zero.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// --- the subcommands, callable without the parser --------------------------

struct Probe {
    int raw = 0;
    float emissivity = 1.0f;
};

struct InfoOptions {
    std::filesystem::path snapshot;
    std::optional<TempUnit> unit;  // none: the record's own
    int areaMode = 1;
    std::vector<Probe> probes;
};

struct RenderOptions {
    std::filesystem::path snapshot;
    std::filesystem::path output;
    int interpolation = 1;
    std::optional<int> palette;
    std::optional<std::pair<int, int>> span;
    std::optional<unsigned> isotherms;
    std::optional<int> orientation;
    std::optional<int> blend;
    std::optional<std::filesystem::path> visual;
};

// Each returns the exit code; on failure it has written one line to err.
int runInfo(const InfoOptions& opt, std::ostream& out, std::ostream& err);
int runCsv(const std::filesystem::path& snapshot, const std::filesystem::path& output,
           std::ostream& err);
int runRender(const RenderOptions& opt, std::ostream& err);
int runSaveAs(const std::filesystem::path& snapshot, const std::filesystem::path& newBmp,
              std::ostream& err);
int runScan(const std::filesystem::path& folder, bool subfolders, std::ostream& out,
            std::ostream& err);

// --- helpers shared by the commands and their tests ------------------------

// Record text (Latin-1, one byte a character) as UTF-8.
std::string latin1ToUtf8(std::string_view latin1);

// The JSON object `info` prints for a loaded image (temperatures in its unit).
nlohmann::ordered_json infoJson(const cBrixa& img, const std::vector<Probe>& probes);

// Opens the snapshot a command works on. On failure writes one line, "Error
// opening file: PATH: REASON", and returns false; a short record opens with a
// warning line on err (the command still succeeds).
bool openForCommand(const std::filesystem::path& snapshot, cBrixa& img, std::ostream& err);

// Parses "RAW,EMISSIVITY"; empty for anything else.
std::optional<Probe> parseProbe(std::string_view text);

}  // namespace calivue::cli
