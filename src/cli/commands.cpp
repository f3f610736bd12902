// Command-line parsing for calivue-cli: one subcommand per batch job.
#include "cli/commands.h"
#include "cli/equipmentcommands.h"
#include "cli/findingscommand.h"
#include "cli/foldercommand.h"
#include "cli/projectcommands.h"

#include <CLI/CLI.hpp>

#ifdef CALIVUE_CLI_THUMBNAIL
#include "cli/reportcommand.h"
#include "cli/thumbnail.h"
#endif

#include <cctype>

namespace fs = std::filesystem;

namespace calivue::cli {

namespace {

// CLI11's own messages span two lines; the tool promises one line per failure.
std::string oneLineFailure(const CLI::App*, const CLI::Error& e)
{
    std::string text = std::string("calivue-cli: ") + e.what() + " (see --help)";
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text + "\n";
}

}  // namespace

void addUnitOption(CLI::App& command, std::string& unit)
{
    command.add_option("--unit", unit, "Temperature unit: c, f or k (default c)")
        ->check(CLI::IsMember({"c", "f", "k"}, CLI::ignore_case));
}

void addTemplateOption(CLI::App& command, int& templateNumber)
{
    command
        .add_option("--template", templateNumber,
                    "0 Maintenance, 1 Buildings, 2 Mechanical, 3 Custom (default 0)")
        ->check(CLI::Range(0, 3));
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CLI::App app{"Batch tool for radiometric snapshots: inspect, export, render, save and scan.",
                 "calivue-cli"};
    app.failure_message(oneLineFailure);
    app.require_subcommand(1);

    // info
    InfoOptions info;
    std::string unitName;
    std::vector<std::string> probeTexts;
    CLI::App* infoCmd =
        app.add_subcommand("info", "Print a snapshot's fields and readings as JSON");
    infoCmd->add_option("SNAPSHOT", info.snapshot, "Snapshot .bmp or .qvx path")->required();
    CLI::Option* unitOpt = infoCmd->add_option("--unit", unitName, "Temperature unit: c, f or k")
                               ->check(CLI::IsMember({"c", "f", "k"}, CLI::ignore_case));
    infoCmd->add_option("--area-mode", info.areaMode, "Area-select box size 0, 1 or 2 (default 1)")
        ->check(CLI::Range(0, 2));
    infoCmd
        ->add_option("--probe", probeTexts,
                     "RAW,EMISSIVITY: also print temperatureOf(RAW, EMISSIVITY); repeatable")
        ->allow_extra_args(false);

    // csv
    fs::path csvSnapshot, csvOutput;
    CLI::App* csvCmd =
        app.add_subcommand("csv", "Write the temperature array as an Excel CSV file");
    csvCmd->add_option("SNAPSHOT", csvSnapshot, "Snapshot .bmp or .qvx path")->required();
    csvCmd->add_option("OUT", csvOutput, "CSV file to write")->required();

    // render
    RenderOptions render;
    int palette = 1, orientation = 0, blend = 0;
    unsigned isotherms = 0;
    std::pair<int, int> span{0, 0};
    fs::path visual;
    CLI::App* renderCmd =
        app.add_subcommand("render", "Render the thermal picture to a 24-bit BMP");
    renderCmd->add_option("SNAPSHOT", render.snapshot, "Snapshot .bmp or .qvx path")->required();
    renderCmd->add_option("OUT", render.output, "BMP file to write")->required();
    renderCmd->add_option("--interp", render.interpolation, "Interpolation factor 1-8 (default 1)")
        ->check(CLI::Range(1, 8));
    CLI::Option* paletteOpt =
        renderCmd->add_option("--palette", palette, "Palette 0-7 (default: the record's)")
            ->check(CLI::Range(0, 7));
    CLI::Option* spanOpt = renderCmd->add_option(
        "--span", span, "Visible span LOW HIGH in raw counts (default: the record's)");
    CLI::Option* isoOpt = renderCmd
                              ->add_option("--isotherms", isotherms,
                                           "Isotherm flags: 1 blue, 2 red, 3 both "
                                           "(default: the record's display flags)")
                              ->check(CLI::Range(0u, 3u));
    CLI::Option* orientOpt =
        renderCmd
            ->add_option("--orientation", orientation, "Orientation 0-3 (default: the record's)")
            ->check(CLI::Range(0, 3));
    CLI::Option* blendOpt =
        renderCmd->add_option("--blend", blend, "Blend with the visual picture in this mode")
            ->check(CLI::Range(0, 255));
    CLI::Option* visualOpt =
        renderCmd->add_option("--visual", visual,
                              "Bitmap whose columns 320-639 hold the visual picture "
                              "(default: the snapshot's own)");

    // save-as
    fs::path saveSnapshotPath, saveTarget;
    CLI::App* saveCmd = app.add_subcommand(
        "save-as", "Save a snapshot under a new name, carrying its .bmp and voice note along");
    saveCmd->add_option("SNAPSHOT", saveSnapshotPath, "Snapshot .bmp or .qvx path")->required();
    saveCmd->add_option("NEW", saveTarget, "New .bmp path")->required();

    // scan
    fs::path scanFolderPath;
    bool subfolders = false;
    CLI::App* scanCmd =
        app.add_subcommand("scan", "List the snapshot bitmaps of a folder, one path a line");
    scanCmd->add_option("FOLDER", scanFolderPath, "Folder to scan")->required();
    scanCmd->add_flag("--subfolders", subfolders, "Also scan every subfolder, depth first");

    ProjectCommands project(app);
    FindingsCommand findings(app);
    EquipmentCommands equipment(app);
    FolderProjectCommand fromFolder(app);
#ifdef CALIVUE_CLI_THUMBNAIL
    // thumbnail (the file managers' thumbnailer)
    fs::path thumbSnapshot, thumbOutput;
    int thumbSize = 0;
    CLI::App* thumbCmd = app.add_subcommand(
        "thumbnail", "Write the thermal picture, scaled to fit SIZE x SIZE, as a PNG");
    thumbCmd->add_option("SNAPSHOT", thumbSnapshot, "Snapshot .bmp or .qvx path")->required();
    thumbCmd->add_option("OUT", thumbOutput, "PNG file to write")->required();
    thumbCmd->add_option("SIZE", thumbSize, "Largest side in pixels")->required();
    ReportCommand report(app);
    app.footer(languageListText());
#endif

    std::vector<const char*> argv;
    argv.reserve(args.size() + 1);
    if (args.empty()) argv.push_back("calivue-cli");
    for (const std::string& a : args) argv.push_back(a.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& e) {
        return app.exit(e, out, err);
    }

    if (infoCmd->parsed()) {
        if (unitOpt->count() > 0) {
            info.unit = unitOfLetter(unitName);
        }
        for (const std::string& text : probeTexts) {
            std::optional<Probe> p = parseProbe(text);
            if (!p) {
                err << "calivue-cli: --probe expects RAW,EMISSIVITY (RAW 0-65535), not \"" << text
                    << "\"\n";
                return 2;
            }
            info.probes.push_back(*p);
        }
        return runInfo(info, out, err);
    }
    if (csvCmd->parsed()) return runCsv(csvSnapshot, csvOutput, err);
    if (renderCmd->parsed()) {
        if (paletteOpt->count() > 0) render.palette = palette;
        if (spanOpt->count() > 0) render.span = span;
        if (isoOpt->count() > 0) render.isotherms = isotherms;
        if (orientOpt->count() > 0) render.orientation = orientation;
        if (blendOpt->count() > 0) render.blend = blend;
        if (visualOpt->count() > 0) render.visual = visual;
        return runRender(render, err);
    }
    if (saveCmd->parsed()) return runSaveAs(saveSnapshotPath, saveTarget, err);
    if (scanCmd->parsed()) return runScan(scanFolderPath, subfolders, out, err);
    if (std::optional<int> code = project.runParsed(out, err)) return *code;
    if (std::optional<int> code = findings.runParsed(out, err)) return *code;
    if (std::optional<int> code = equipment.runParsed(err)) return *code;
    if (std::optional<int> code = fromFolder.runParsed(out, err)) return *code;
#ifdef CALIVUE_CLI_THUMBNAIL
    if (thumbCmd->parsed()) return runThumbnail(thumbSnapshot, thumbOutput, thumbSize, err);
    if (std::optional<int> code = report.runParsed(out, err)) return *code;
#endif
    return 1;
}

}  // namespace calivue::cli
