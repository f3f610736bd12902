#include "platform/languagemodules.h"

#include "languagemodule.h"
#include "platform/languagetable.h"
#include "platform/stringids.h"
#include "platform/textformat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace calivue {

namespace {

constexpr int kStopIcon = 16;
constexpr int kOkButton = 0;
constexpr int kOkCancelButtons = 1;

LanguageLoad failed(LanguageLoad result, Error error)
{
    const StringTable own = StringTable::english();
    result.error = error;
    result.table = own;
    result.iconStyle = kStopIcon;
    if (error == Error::ReadFailed) {
        result.message = formatText(own.text(sid::ErrorLoadingModule),
                                    {QFileInfo(result.modulePath).fileName()});
        result.buttonStyle = kOkCancelButtons;
    } else {
        result.message = own.text(sid::ErrorLoadingDll);
        result.buttonStyle = kOkButton;
    }
    return result;
}

}  // namespace

LanguageModules::LanguageModules() : LanguageModules(defaultSearchDirs()) {}

QStringList LanguageModules::defaultSearchDirs()
{
    // Beside the executable in the build tree; lib/calivue of the prefix when installed.
    const QDir bin(QCoreApplication::applicationDirPath());
    return {bin.path(), QDir::cleanPath(bin.filePath(QStringLiteral("../lib/calivue")))};
}

LanguageModules::LanguageModules(QStringList searchDirs) : m_searchDirs(std::move(searchDirs)) {}

QString LanguageModules::moduleFileName(Language language)
{
    const LanguageInfo& info = languageInfo(language);
    if (!info.moduleName) return {};
    return QStringLiteral("KVO %1.so").arg(QLatin1String(info.moduleName));
}

QString LanguageModules::locate(const QString& fileName) const
{
    for (const QString& dir : m_searchDirs) {
        const QString candidate = QDir(dir).filePath(fileName);
        if (QFileInfo(candidate).isFile()) return candidate;
    }
    return fileName;  // a bare name: the dynamic loader searches its library path
}

LanguageLoad LanguageModules::load(Language language) const
{
    LanguageLoad result;
    result.language = language;
    if (language == Language::English) return result;

    result.modulePath = locate(moduleFileName(language));
    QLibrary library(result.modulePath);
    if (!library.load()) return failed(result, Error::ReadFailed);

    const auto initialise =
        reinterpret_cast<CalivueKvoInitialiseFn>(library.resolve(CALIVUE_KVO_INITIALISE_SYMBOL));
    if (!initialise || initialise() == 0) {
        library.unload();
        return failed(result, Error::ReadFailed);
    }

    // A module without a readable table has no tag either, which is how it is refused.
    const auto resources =
        reinterpret_cast<CalivueKvoResourcesFn>(library.resolve(CALIVUE_KVO_RESOURCES_SYMBOL));
    const char* payload = resources ? resources() : nullptr;
    std::optional<LanguagePack> pack;
    if (payload) pack = parseLanguagePack(QByteArrayView(payload));
    library.unload();

    const QString expectedTag = QLatin1String(languageInfo(language).tag);
    if (!pack || pack->strings.value(sid::LanguageTag) != expectedTag)
        return failed(result, Error::BadMagic);

    result.table = StringTable::withModule(std::move(*pack));
    return result;
}

}  // namespace calivue
