#include "platform/settingsstore.h"

#include "platform/fspath.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include "core/fileio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <filesystem>
#include <span>
#include <system_error>

namespace calivue {

namespace {

// The application's profile section of the settings.
constexpr QLatin1String kLanguage{"Calivue Razadi/Language"};
constexpr QLatin1String kTemplate{"Calivue Razadi/Template"};
constexpr QLatin1String kPersistReportDetails{"Calivue Razadi/PersistReportDetails"};
constexpr QLatin1String kTempUnit{"TempUnit"};

int readInt(const QString& file, QAnyStringView key, int fallback)
{
    const QSettings settings(file, QSettings::IniFormat);
    bool ok = false;
    const int value = settings.value(key).toInt(&ok);
    return ok ? value : fallback;
}

// The designed message, then the file and the system's reason on the next line.
SettingsError makeError(SettingsError::Code code, int messageId, const QString& path,
                        const QString& reason)
{
    return SettingsError{
        code, messageId,
        uiText(messageId) + QLatin1Char('\n') + path + QStringLiteral(": ") + reason, path, reason};
}

QString reasonOf(std::error_code ec)
{
    return QString::fromStdString(ec.message());
}

// QSettings composes the new file from the current one in a private folder; the file layer's
// checked writer then replaces the settings file with it, so a failure (a read-only or full
// folder) keeps the earlier file whole and names the file and the system's reason. The folder
// or file that cannot be reached fails with keyFailId, the write itself with writeFailId.
std::optional<SettingsError> writeValue(const QString& file, QAnyStringView key,
                                        const QVariant& value, int keyFailId, int writeFailId)
{
    using Code = SettingsError::Code;
    const std::filesystem::path target = toFsPath(file);
    std::error_code ec;
    std::filesystem::create_directories(target.parent_path(), ec);
    if (ec)
        return makeError(Code::KeyNotOpened, keyFailId, fromFsPath(target.parent_path()),
                         reasonOf(ec));

    QTemporaryDir scratch;
    if (!scratch.isValid())
        return makeError(Code::ValueNotWritten, writeFailId, QDir::tempPath(),
                         scratch.errorString());
    const QString draft = scratch.filePath(QStringLiteral("settings.ini"));
    QFile current(file);
    if (QFileInfo(file).isDir())
        return makeError(Code::KeyNotOpened, keyFailId, file,
                         reasonOf(std::make_error_code(std::errc::is_a_directory)));
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly))
            return makeError(Code::KeyNotOpened, keyFailId, file, current.errorString());
        QFile copy(draft);
        if (!copy.open(QIODevice::WriteOnly) || copy.write(current.readAll()) < 0 || !copy.flush())
            return makeError(Code::ValueNotWritten, writeFailId, draft, copy.errorString());
    }
    {
        QSettings settings(draft, QSettings::IniFormat);
        settings.setValue(key, value);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return makeError(Code::ValueNotWritten, writeFailId, draft,
                             reasonOf(std::make_error_code(std::errc::io_error)));
    }
    QFile composed(draft);
    if (!composed.open(QIODevice::ReadOnly))
        return makeError(Code::ValueNotWritten, writeFailId, draft, composed.errorString());
    const QByteArray bytes = composed.readAll();

    PendingFile out(target);
    // Failing before a byte is written means the folder or the file cannot be written at all.
    const Code code = out.failure() ? Code::KeyNotOpened : Code::ValueNotWritten;
    if (out.write(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                            static_cast<std::size_t>(bytes.size()))) &&
        out.finish() && out.commit())
        return std::nullopt;
    return makeError(code, code == Code::KeyNotOpened ? keyFailId : writeFailId,
                     fromFsPath(out.failure().path), reasonOf(out.failure().reason));
}

}  // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::SettingsStore(QString configRoot) : m_configRoot(std::move(configRoot)) {}

QString SettingsStore::root() const
{
    return m_configRoot.isEmpty()
               ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
               : m_configRoot;
}

QString SettingsStore::applicationFile() const
{
    return root() + QLatin1String("/Orvane/Calivue Razadi.ini");
}

QString SettingsStore::reportFile() const
{
    return root() + QLatin1String("/Orvane/Tavoro Dazare Razadi.ini");
}

std::optional<Language> SettingsStore::language() const
{
    return languageFrom(readInt(applicationFile(), kLanguage, -1));
}

ReportTemplate SettingsStore::reportTemplate() const
{
    return reportTemplateFrom(readInt(applicationFile(), kTemplate, 0))
        .value_or(ReportTemplate::Maintenance);
}

bool SettingsStore::persistReportDetails() const
{
    return readInt(applicationFile(), kPersistReportDetails, 0) != 0;
}

TempUnit SettingsStore::tempUnit() const
{
    // Stored as an unsigned number: anything beyond Kelvin, negative values included,
    // reads as Fahrenheit.
    return tempUnitFrom(readInt(applicationFile(), kTempUnit, 0)).value_or(TempUnit::Fahrenheit);
}

std::optional<SettingsError> SettingsStore::setLanguage(Language language)
{
    return writeValue(applicationFile(), kLanguage, languageNumber(language),
                      sid::ErrorWritingSetting, sid::ErrorWritingSetting);
}

std::optional<SettingsError> SettingsStore::setReportTemplate(ReportTemplate reportTemplate)
{
    return writeValue(applicationFile(), kTemplate, reportTemplateNumber(reportTemplate),
                      sid::ErrorWritingSetting, sid::ErrorWritingSetting);
}

std::optional<SettingsError> SettingsStore::setPersistReportDetails(bool persist)
{
    return writeValue(applicationFile(), kPersistReportDetails, persist ? 1 : 0,
                      sid::ErrorWritingSetting, sid::ErrorWritingSetting);
}

std::optional<SettingsError> SettingsStore::setTempUnit(TempUnit unit)
{
    return writeValue(applicationFile(), kTempUnit, tempUnitNumber(unit), sid::TempUnitKeyNotOpened,
                      sid::TempUnitNotWritten);
}

std::optional<QString> SettingsStore::reportText(QAnyStringView name) const
{
    const QSettings settings(reportFile(), QSettings::IniFormat);
    const QVariant value = settings.value(name);
    if (!value.isValid()) return std::nullopt;
    return value.toString();
}

bool SettingsStore::hasReportKey() const
{
    return QFileInfo(reportFile()).isFile();
}

std::optional<SettingsError> SettingsStore::setReportText(QAnyStringView name, const QString& value)
{
    int keyFail = sid::ErrorWritingSetting;
    int writeFail = sid::ErrorWritingSetting;
    if (name == reportkey::LogoPath) {
        keyFail = sid::LogoKeyNotOpened;
        writeFail = sid::LogoNotWritten;
    } else if (name == reportkey::Company) {
        keyFail = sid::CompanyKeyNotOpened;
        writeFail = sid::CompanyNotWritten;
    } else if (name == reportkey::Author) {
        keyFail = sid::AuthorKeyNotOpened;
        writeFail = sid::AuthorNotWritten;
    }
    return writeValue(reportFile(), name, value, keyFail, writeFail);
}

}  // namespace calivue
