// The `render` subcommand: the thermal picture as the array display draws it,
// written as a 24-bit bitmap.
#include "cli/commands.h"

#include "core/bitmapfile.h"
#include "core/brixa.h"
#include "core/displaystate.h"
#include "core/render.h"
#include "core/snapshotfiles.h"

namespace fs = std::filesystem;

namespace calivue::cli {

int runRender(const RenderOptions& opt, std::ostream& err)
{
    if (opt.interpolation < 1 || opt.interpolation > kMaxInterpolation) {
        err << "--interp must be 1 to " << kMaxInterpolation << '\n';
        return 1;
    }
    cBrixa img;
    if (!openForCommand(opt.snapshot, img, err)) return 1;
    const int f = opt.interpolation;
    const DisplayState shown = displayStateOf(img);
    img.setPalette(opt.palette.value_or(shown.palette));
    if (opt.orientation) img.fields.orientation = static_cast<std::uint8_t>(*opt.orientation);
    const auto [spanLow, spanHigh] = opt.span.value_or(std::pair{shown.spanLow, shown.spanHigh});
    const unsigned iso = opt.isotherms.value_or(shown.isothermFlags);

    std::vector<std::uint8_t> visual;
    if (opt.blend) {
        fs::path visualPath;
        if (opt.visual) {
            visualPath = *opt.visual;
        } else {
            const fs::path own = bitmapPathOf(openPathHook(opt.snapshot));
            visualPath = findCompanion(own).value_or(own);
        }
        cBitmapFile bmp;
        std::optional<std::vector<std::uint8_t>> half;
        if (bmp.Load(visualPath) == Error::None)
            half = bmp.CutRegion(kWidth, 0, 2 * kWidth, kHeight);
        if (!half) {
            err << "Cannot read the visual picture (columns 320-639 of a 24-bit bitmap, "
                   "at least 640 x 240) from "
                << visualPath.string() << '\n';
            return 1;
        }
        visual = repeatPixels(*half, kWidth, kHeight, f);
    }

    const std::vector<std::uint8_t> pic =
        renderBlended(img, f, spanLow, spanHigh, iso, visual, opt.blend.value_or(0));
    if (pic.empty()) {
        err << "Cannot render " << opt.snapshot.string() << '\n';
        return 1;
    }
    const int o = img.fields.orientation;
    const bool turned = o == 1 || o == 3;
    const int w = (turned ? kHeight : kWidth) * f;
    const int h = (turned ? kWidth : kHeight) * f;
    FileFailure failure;
    if (Error e = writeBmp24(opt.output, w, h, pic, &failure); e != Error::None) {
        err << "Cannot write " << opt.output.string() << ": "
            << (failure ? failure.reason.message() : std::string(describe(e))) << '\n';
        return 1;
    }
    return 0;
}

}  // namespace calivue::cli
