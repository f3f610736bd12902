// Internal to the report/engine layer.
// A zip package built in memory with libzip: the parts of an Office Open XML document added by
// name, the whole archive returned as bytes, so the caller writes it to its file in one
// checked, atomic step (or not at all).
#pragma once

#include <QByteArray>
#include <QString>

#include <deque>

struct zip;
struct zip_source;

namespace calivue {

class DocxPackage {
public:
    DocxPackage();
    ~DocxPackage();
    DocxPackage(const DocxPackage&) = delete;
    DocxPackage& operator=(const DocxPackage&) = delete;

    // Adds the part `name` ("word/document.xml"); compressed, or stored as it is (`store`,
    // for pictures already compressed). False, with problem() set, when libzip refuses it.
    bool add(const QString& name, QByteArray bytes, bool store = false);

    // The archive's bytes; empty with problem() set when it could not be completed. The
    // package takes no more parts afterwards.
    QByteArray finish();

    QString problem() const { return m_problem; }

private:
    bool fail(const char* what);

    zip_source* m_archive = nullptr;
    zip* m_zip = nullptr;
    std::deque<QByteArray> m_parts;  // the added bytes live until the archive is written
    QString m_problem;
};

}  // namespace calivue
