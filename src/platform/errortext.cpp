#include "platform/errortext.h"

#include "core/fileio.h"
#include "platform/fspath.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

namespace calivue {

QString errorReasonText(Error e, FileKind kind)
{
    return uiText(errorReason(e, kind).textId);
}

QString fileErrorText(Error e, const QString& path, FileKind kind)
{
    const QString reason = errorReasonText(e, kind);
    return path.isEmpty() ? reason : formatText(uiText(sid::OpenFailureDetail), {path, reason});
}

QString saveFailureText(int messageId, const FileFailure& failure, const QString& fallback)
{
    const QString where = failure ? fromFsPath(failure.path) + QStringLiteral(": ") +
                                        QString::fromStdString(failure.reason.message())
                                  : fallback;
    return uiText(messageId) + QLatin1Char('\n') + where;
}

QString fileErrorMessage(const FileError& e)
{
    if (e.ok()) return {};
    if (e.access == FileError::Access::Write)
        return saveFailureText(e.messageId, e.failure, e.path);
    return twoPart(uiText(e.messageId), fileErrorText(e.error, e.path, e.kind));
}

}  // namespace calivue
