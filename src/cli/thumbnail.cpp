// The `thumbnail` subcommand, run by file managers through the installed thumbnailer entry:
// the thermal picture as the snapshot's own display settings show it (palette, span,
// isotherms, orientation), scaled to fit SIZE × SIZE and written as a PNG. The core writes no
// PNG, so this one command uses Qt's image classes and is built only with the Qt layers.
#include "cli/thumbnail.h"

#include "cli/commands.h"

#include "core/brixa.h"
#include "core/constants.h"
#include "core/displaystate.h"
#include "core/fileio.h"
#include "core/render.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <sstream>

namespace calivue::cli {

QImage thumbnailImage(const cBrixa& img, int size)
{
    DisplayState state = displayStateOf(img);
    state.blendMode = 0;  // a thumbnail is the thermal picture alone
    std::vector<std::uint8_t> pic;
    if (!renderShown(img, state, 1, {}, pic)) return {};
    const bool turned = state.orientation == 1 || state.orientation == 3;
    const int w = turned ? kHeight : kWidth;
    const int h = turned ? kWidth : kHeight;
    // The renderer's rows run bottom first; a QImage's top first.
    const QImage picture =
        QImage(pic.data(), w, h, w * 3, QImage::Format_BGR888).mirrored(false, true);
    return picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

int runThumbnail(const std::filesystem::path& snapshot, const std::filesystem::path& output,
                 int size, std::ostream& err)
{
    if (size < 1 || size > kMaxThumbnailSize) {
        err << "SIZE must be 1 to " << kMaxThumbnailSize << '\n';
        return 1;
    }
    // File managers read one line at most: the failure, or else the warning of a short record.
    std::ostringstream notes;
    cBrixa img;
    if (!openForCommand(snapshot, img, notes)) {
        err << notes.str();
        return 1;
    }
    const QImage thumb = thumbnailImage(img, size);
    if (thumb.isNull()) {
        err << "Cannot render " << snapshot.string() << '\n';
        return 1;
    }
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !thumb.save(&buffer, "PNG")) {
        err << "Cannot render " << snapshot.string() << '\n';
        return 1;
    }
    // Written beside the target and renamed over it, so a file manager never reads half a PNG
    // and a failure leaves no file behind. The name is used as given, byte for byte: a Qt file
    // name would turn bytes that are not UTF-8 into another name.
    FileFailure failure;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(png.constData());
    if (writeFileAtomically(output, {bytes, static_cast<std::size_t>(png.size())}, &failure) !=
        Error::None) {
        err << "Cannot write " << output.string() << ": " << failure.reason.message() << '\n';
        return 1;
    }
    err << notes.str();
    return 0;
}

}  // namespace calivue::cli
