#include "filefailuretext.h"

#include "core/fileio.h"
#include "fspath.h"
#include "stringtable.h"

namespace calivue {

QString saveFailureText(int messageId, const FileFailure& failure, const QString& fallback)
{
    const QString where = failure ? fromFsPath(failure.path) + QStringLiteral(": ") +
                                        QString::fromStdString(failure.reason.message())
                                  : fallback;
    return uiText(messageId) + QLatin1Char('\n') + where;
}

}  // namespace calivue
