#include "platform/fspath.h"

#include <QByteArray>
#include <QFile>

namespace calivue {

std::filesystem::path toFsPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString fromFsPath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

}  // namespace calivue
