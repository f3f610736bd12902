#include "settingsstore.h"

#include "stringids.h"
#include "stringtable.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

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

SettingsError makeError(SettingsError::Code code, int messageId)
{
    return SettingsError{code, messageId, uiText(messageId)};
}

std::optional<SettingsError> writeValue(const QString& file, QAnyStringView key,
                                        const QVariant& value, int keyFailId, int writeFailId)
{
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return makeError(SettingsError::Code::KeyNotOpened, keyFailId);
    QSettings settings(file, QSettings::IniFormat);
    if (!settings.isWritable() || QFileInfo(file).isDir())
        return makeError(SettingsError::Code::KeyNotOpened, keyFailId);
    settings.setValue(key, value);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return makeError(SettingsError::Code::ValueNotWritten, writeFailId);
    return std::nullopt;
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

int SettingsStore::language() const
{
    return readInt(applicationFile(), kLanguage, -1);
}

int SettingsStore::templateNumber() const
{
    return readInt(applicationFile(), kTemplate, 0);
}

bool SettingsStore::persistReportDetails() const
{
    return readInt(applicationFile(), kPersistReportDetails, 0) != 0;
}

int SettingsStore::tempUnit() const
{
    // Stored as an unsigned number: anything beyond Kelvin, negative values included,
    // reads as Fahrenheit.
    const int unit = readInt(applicationFile(), kTempUnit, 0);
    return (unit < 0 || unit >= 3) ? 1 : unit;
}

std::optional<SettingsError> SettingsStore::setLanguage(int language)
{
    return writeValue(applicationFile(), kLanguage, language, sid::ErrorWritingSetting,
                      sid::ErrorWritingSetting);
}

std::optional<SettingsError> SettingsStore::setTemplateNumber(int number)
{
    return writeValue(applicationFile(), kTemplate, number, sid::ErrorWritingSetting,
                      sid::ErrorWritingSetting);
}

std::optional<SettingsError> SettingsStore::setPersistReportDetails(bool persist)
{
    return writeValue(applicationFile(), kPersistReportDetails, persist ? 1 : 0,
                      sid::ErrorWritingSetting, sid::ErrorWritingSetting);
}

std::optional<SettingsError> SettingsStore::setTempUnit(int unit)
{
    return writeValue(applicationFile(), kTempUnit, unit, sid::TempUnitKeyNotOpened,
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
