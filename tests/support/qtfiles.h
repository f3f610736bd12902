// Texts, paths, whole files and installed programs for the Qt tests.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

namespace calivue::test {

// A text written in the source as UTF-8.
QString qs(const char* utf8);
// A file-system path as Qt names it.
QString qs(const std::filesystem::path& p);

// The whole file; empty when it cannot be read.
QByteArray fileBytes(const QString& path);
// Replaces the file with `bytes`, creating its folder when missing; false when it could not.
bool putFile(const QString& path, const QByteArray& bytes);

// Runs an installed program (pdfinfo, qpdf …) and waits for it; its standard output, or
// nullopt when it is not installed, so the test can skip what needs it.
std::optional<QString> tool(const QString& name, const QStringList& args, int* exitCode = nullptr);
// The text of one page (from 1) of a PDF, or nullopt when pdftotext is not installed.
std::optional<QString> pdfPageText(const QString& pdf, int page);

}  // namespace calivue::test
