// The one conversion between the user interface's path texts and the file layer's
// std::filesystem paths. File names are bytes on Linux: both ways go through Qt's
// file-name encoding (UTF-8), so names with spaces and non-ASCII letters round-trip
// unchanged. A name that is not valid UTF-8 cannot be held by a QString intact.
#pragma once

#include <QString>

#include <filesystem>

namespace calivue {

std::filesystem::path toFsPath(const QString& path);
QString fromFsPath(const std::filesystem::path& path);

}  // namespace calivue
