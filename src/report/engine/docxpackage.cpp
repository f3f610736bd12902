#include "report/engine/docxpackage.h"

#include <zip.h>

namespace calivue {

DocxPackage::DocxPackage()
{
    zip_error_t error;
    zip_error_init(&error);
    m_archive = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (m_archive != nullptr) {
        m_zip = zip_open_from_source(m_archive, ZIP_TRUNCATE, &error);
        if (m_zip == nullptr) {
            zip_source_free(m_archive);
            m_archive = nullptr;
        } else {
            // The archive's bytes are read back from the source after zip_close.
            zip_source_keep(m_archive);
        }
    }
    if (m_zip == nullptr) m_problem = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
}

DocxPackage::~DocxPackage()
{
    if (m_zip != nullptr) zip_discard(m_zip);
    if (m_archive != nullptr) zip_source_free(m_archive);
}

bool DocxPackage::fail(const char* what)
{
    m_problem = QString::fromUtf8(what);
    return false;
}

bool DocxPackage::add(const QString& name, QByteArray bytes, bool store)
{
    if (m_zip == nullptr) return false;
    m_parts.push_back(std::move(bytes));
    const QByteArray& kept = m_parts.back();
    zip_source_t* source =
        zip_source_buffer(m_zip, kept.constData(), static_cast<zip_uint64_t>(kept.size()), 0);
    if (source == nullptr) return fail(zip_strerror(m_zip));
    const zip_int64_t index =
        zip_file_add(m_zip, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return fail(zip_strerror(m_zip));
    }
    if (zip_set_file_compression(m_zip, static_cast<zip_uint64_t>(index),
                                 store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, store ? 0 : 6) != 0)
        return fail(zip_strerror(m_zip));
    return true;
}

QByteArray DocxPackage::finish()
{
    if (m_zip == nullptr) return {};
    if (zip_close(m_zip) != 0) {
        fail(zip_strerror(m_zip));
        zip_discard(m_zip);
        m_zip = nullptr;
        return {};
    }
    m_zip = nullptr;
    m_parts.clear();
    QByteArray out;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(m_archive, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 ||
        zip_source_open(m_archive) != 0) {
        fail(zip_error_strerror(zip_source_error(m_archive)));
        return {};
    }
    out.resize(static_cast<qsizetype>(stat.size));
    const zip_int64_t read =
        zip_source_read(m_archive, out.data(), static_cast<zip_uint64_t>(out.size()));
    zip_source_close(m_archive);
    if (read != static_cast<zip_int64_t>(out.size())) {
        fail(zip_error_strerror(zip_source_error(m_archive)));
        return {};
    }
    return out;
}

}  // namespace calivue
