// The one conversion between the user interface's path texts and the file layer's
// std::filesystem paths. File names are bytes on Linux: both ways go through the
// locale's file-name encoding, so a name with spaces, non-ASCII letters or even
// bytes that are not valid UTF-8 round-trips unchanged.
#ifndef CALIVUE_PLATFORM_FSPATH_H
#define CALIVUE_PLATFORM_FSPATH_H

#include <QString>

#include <filesystem>

namespace calivue {

std::filesystem::path toFsPath(const QString& path);
QString fromFsPath(const std::filesystem::path& path);

}  // namespace calivue

#endif
