// The user's persisted settings: two INI files under the user's configuration folder, one per
// settings key ("Orvane/Calivue Razadi" for the application, "Orvane/Tavoro Dazare Razadi"
// for the report writer's texts). Every call opens the file, reads or
// writes one value and closes it again, so several stores on the same folder stay consistent.
// A write replaces the file whole (composed aside, then renamed over it), so a failed write
// leaves the earlier file as it was.
#pragma once

#include "core/printrules.h"
#include "core/tempunit.h"
#include "platform/languagetable.h"

#include <QAnyStringView>
#include <QString>

#include <optional>

namespace calivue {

struct SettingsError {
    enum class Code {
        KeyNotOpened,     // the settings file or its folder cannot be created or written
        ValueNotWritten,  // writing the value itself failed
    };
    Code code;
    int messageId;    // string-table number of the designed message
    QString message;  // to show: that text from the active string table, then "PATH: reason"
    QString path;     // the file or folder that could not be written
    QString reason;   // the system's words
};

// Value names under the report writer's key.
namespace reportkey {
inline constexpr QLatin1String LogoPath{"LogoPath"};
inline constexpr QLatin1String Company{"Company"};
inline constexpr QLatin1String Author{"Author"};
}  // namespace reportkey

class SettingsStore {
public:
    // Settings under $XDG_CONFIG_HOME (or ~/.config when it is not set), read at each call.
    SettingsStore();
    // Settings under `configRoot` instead of the user's configuration folder.
    explicit SettingsStore(QString configRoot);

    // Reads fall back to the defaults when a value is absent or unreadable.
    // nullopt: never chosen, or a stored value that is not a language number (0-16).
    std::optional<Language> language() const;
    ReportTemplate reportTemplate() const;  // Maintenance; also for a number outside 0-3
    bool persistReportDetails() const;  // false
    TempUnit tempUnit() const;          // Celsius; a stored number outside 0-2 reads as Fahrenheit

    // Each write returns nullopt on success, else the failure with the message to show.
    std::optional<SettingsError> setLanguage(Language language);
    std::optional<SettingsError> setReportTemplate(ReportTemplate reportTemplate);
    std::optional<SettingsError> setPersistReportDetails(bool persist);
    std::optional<SettingsError> setTempUnit(TempUnit unit);

    // The report writer's texts (captions, logo path, company, author); nullopt when absent.
    std::optional<QString> reportText(QAnyStringView name) const;
    // Whether the report writer's key exists at all (any of its values was ever written).
    bool hasReportKey() const;
    // LogoPath, Company and Author fail with messages of their own; every other value with
    // "Error writing setting to registry".
    std::optional<SettingsError> setReportText(QAnyStringView name, const QString& value);

    QString applicationFile() const;
    QString reportFile() const;

private:
    QString root() const;

    QString m_configRoot;  // empty: the user's configuration folder
};

}  // namespace calivue
