#include "qtfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace calivue::test {

QString qs(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString qs(const std::filesystem::path& p)
{
    return QFile::decodeName(QByteArray::fromStdString(p.native()));
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool putFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

std::optional<QString> tool(const QString& name, const QStringList& args, int* exitCode)
{
    if (QStandardPaths::findExecutable(name).isEmpty()) return std::nullopt;
    QProcess p;
    p.start(name, args);
    p.waitForFinished(60000);
    if (exitCode) *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput());
}

std::optional<QString> pdfPageText(const QString& pdf, int page)
{
    const QString n = QString::number(page);
    return tool(QStringLiteral("pdftotext"),
                {QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf, QStringLiteral("-")});
}

}  // namespace calivue::test
