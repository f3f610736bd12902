// calivue-gen: writes deterministic synthetic snapshots (NAME.BMP, NAME.QVX and
// optionally NAME.WAV) for tests, demos and trying the program out.
#include "generator.h"
#include "survey.h"

#include "core/reportproject.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: calivue-gen OUTDIR [--preset demo|varied|survey] [--name NAME] [--seed N]\n"
    "                   [--count K] [--wav]\n"
    "\n"
    "Writes synthetic thermal snapshots: NAME.BMP (640 x 240, thermal render left,\n"
    "visual photograph right), NAME.QVX (the radiometric record) and NAME.WAV.\n"
    "The same seed always gives byte-identical files.\n"
    "\n"
    "  --preset demo    one snapshot, a motor and pump with hot bearings, three\n"
    "                   cursors and a voice note (default); NAME defaults to DEMO\n"
    "  --preset varied  K snapshots NAME_0001..NAME_K (NAME defaults to IMG) cycling\n"
    "                   through scenes, scale codes, units, emissivities, blend modes,\n"
    "                   orientations, alignment offsets, flags, dates and texts\n"
    "  --preset survey  K snapshots NAME_0001..NAME_K (NAME defaults to SURVEY, K to 5) of a\n"
    "                   plant and building survey, and NAME.vrp, the report project\n"
    "                   listing them with inspection details\n"
    "  --seed N         seed, an unsigned integer (default 1)\n"
    "  --count K        number of varied or survey snapshots, 1-9999 (default 12 / 5)\n"
    "  --wav            give every snapshot a voice note (the demo always has one)\n";

int fail(const std::string& message)
{
    std::fprintf(stderr, "calivue-gen: %s\n", message.c_str());
    return 2;
}

template <typename T>
bool parseNumber(std::string_view text, T& out)
{
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && p == end;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string outDir, preset = "demo", name;
    std::uint64_t seed = 1;
    int count = 0;  // 0: the preset's own count
    bool wav = false;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&](std::string_view& v) {
            if (i + 1 >= argc) return false;
            v = argv[++i];
            return true;
        };
        std::string_view v;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--wav") {
            wav = true;
        } else if (arg == "--preset") {
            if (!value(v) || (v != "demo" && v != "varied" && v != "survey"))
                return fail("--preset takes demo, varied or survey");
            preset = v;
        } else if (arg == "--name") {
            if (!value(v)) return fail("--name takes a value");
            name = v;
        } else if (arg == "--seed") {
            if (!value(v) || !parseNumber(v, seed)) return fail("--seed takes an unsigned integer");
        } else if (arg == "--count") {
            if (!value(v) || !parseNumber(v, count) || count < 1 || count > 9999)
                return fail("--count takes a number from 1 to 9999");
        } else if (arg.starts_with("-")) {
            return fail("unknown option " + std::string(arg) + " (see --help)");
        } else if (outDir.empty()) {
            outDir = arg;
        } else {
            return fail("more than one output folder given");
        }
    }
    if (outDir.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    std::vector<calivue::gen::WrittenFiles> written;
    std::vector<calivue::gen::SnapshotPlan> plans;
    auto write = [&](const std::string& snapshotName, calivue::gen::SnapshotPlan plan) {
        plan.voice = plan.voice || wav;
        auto files = calivue::gen::writeSnapshot(outDir, snapshotName, plan);
        if (!files) {
            std::fprintf(stderr, "calivue-gen: cannot write %s in %s: %s\n", snapshotName.c_str(),
                         outDir.c_str(), std::string(calivue::describe(files.error())).c_str());
            return false;
        }
        std::printf("%s\n%s\n", files->bmp.string().c_str(), files->qvx.string().c_str());
        if (!files->wav.empty()) std::printf("%s\n", files->wav.string().c_str());
        written.push_back(*files);
        plans.push_back(std::move(plan));
        return true;
    };
    auto series = [&](const std::string& prefix, int total, auto planOf) {
        for (int i = 0; i < total; ++i) {
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, "_%04d", i + 1);
            if (!write(prefix + suffix, planOf(seed, i))) return false;
        }
        return true;
    };

    if (preset == "demo") {
        if (name.empty()) name = "DEMO";
        if (!calivue::gen::validSnapshotName(name))
            return fail("NAME must be 1-28 characters of A-Z, a-z, 0-9, '_', '-', '.'");
        return write(name, calivue::gen::demoPlan(seed)) ? 0 : 1;
    }
    if (name.empty()) name = preset == "survey" ? "SURVEY" : "IMG";
    if (!calivue::gen::validSnapshotName(name + "_0000"))
        return fail("NAME must be 1-23 characters of A-Z, a-z, 0-9, '_', '-', '.'");
    if (preset == "varied")
        return series(name, count ? count : 12, calivue::gen::variedPlan) ? 0 : 1;

    if (!series(name, count ? count : calivue::gen::kSurveySnapshots, calivue::gen::surveyPlan))
        return 1;
    const std::filesystem::path project = std::filesystem::path(outDir) / (name + ".vrp");
    const calivue::Error error =
        calivue::writeReportProjectFile(project, calivue::gen::surveyProject(written, plans));
    if (error != calivue::Error::None) {
        std::fprintf(stderr, "calivue-gen: cannot write %s: %s\n", project.string().c_str(),
                     std::string(calivue::describe(error)).c_str());
        return 1;
    }
    std::printf("%s\n", project.string().c_str());
    return 0;
}
