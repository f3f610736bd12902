#include "platform/fspath.h"
#include "qtfiles.h"
#include "platform/settingsstore.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include "core/fileio.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <functional>
#include <system_error>
#include <vector>

#include <sys/mount.h>

using namespace calivue;

namespace {

using calivue::test::qs;

class SettingsTest : public ::testing::Test {
protected:
    // Puts a value into the application file the way an older or hand-edited file holds it.
    void writeRaw(const QString& key, const QVariant& value)
    {
        QSettings raw(store.applicationFile(), QSettings::IniFormat);
        raw.setValue(key, value);
    }

    // Makes the settings folder impossible to create: a plain file sits where it should be.
    void blockSettingsFolder()
    {
        QFile blocker(QDir(root.path()).filePath(qs("Orvane")));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }

    QTemporaryDir root;
    SettingsStore store{root.path()};
};

}  // namespace

// Catches wrong defaults when nothing was ever stored.
TEST_F(SettingsTest, DefaultsWhenNothingStored)
{
    EXPECT_EQ(store.language(), std::nullopt);
    EXPECT_EQ(store.reportTemplate(), ReportTemplate::Maintenance);
    EXPECT_FALSE(store.persistReportDetails());
    EXPECT_EQ(store.tempUnit(), TempUnit::Celsius);
    EXPECT_FALSE(store.reportText(reportkey::Company).has_value());
    EXPECT_FALSE(store.hasReportKey());
}

// Catches values written to one place and read from another, or lost between runs.
TEST_F(SettingsTest, ValuesSurviveANewStore)
{
    EXPECT_FALSE(store.setLanguage(Language::Spanish));
    EXPECT_FALSE(store.setReportTemplate(ReportTemplate::Mechanical));
    EXPECT_FALSE(store.setPersistReportDetails(true));
    EXPECT_FALSE(store.setTempUnit(TempUnit::Kelvin));
    EXPECT_TRUE(QFile::exists(root.path() + qs("/Orvane/Calivue Razadi.ini")));

    const SettingsStore later(root.path());
    EXPECT_EQ(later.language(), Language::Spanish);
    EXPECT_EQ(later.reportTemplate(), ReportTemplate::Mechanical);
    EXPECT_TRUE(later.persistReportDetails());
    EXPECT_EQ(later.tempUnit(), TempUnit::Kelvin);
    EXPECT_FALSE(later.hasReportKey());  // the report writer's key is a file of its own
}

// Catches out-of-range temperature units reaching the report writer.
TEST_F(SettingsTest, TempUnitBeyondKelvinReadsAsFahrenheit)
{
    writeRaw(qs("TempUnit"), 5);
    EXPECT_EQ(store.tempUnit(), TempUnit::Fahrenheit);
    writeRaw(qs("TempUnit"), 3);
    EXPECT_EQ(store.tempUnit(), TempUnit::Fahrenheit);
    writeRaw(qs("TempUnit"), -1);  // stored unsigned, as older settings files may hold it
    EXPECT_EQ(store.tempUnit(), TempUnit::Fahrenheit);
    writeRaw(qs("TempUnit"), qs("Celsius"));  // unreadable: the default
    EXPECT_EQ(store.tempUnit(), TempUnit::Celsius);
    writeRaw(qs("TempUnit"), 2);
    EXPECT_EQ(store.tempUnit(), TempUnit::Kelvin);
}

// Catches a unit written as another number than the one older files and the readers hold.
TEST_F(SettingsTest, TempUnitIsStoredAsItsNumber)
{
    const std::pair<TempUnit, int> units[] = {
        {TempUnit::Kelvin, 2}, {TempUnit::Fahrenheit, 1}, {TempUnit::Celsius, 0}};
    for (auto [unit, number] : units) {
        ASSERT_FALSE(store.setTempUnit(unit));
        const QSettings raw(store.applicationFile(), QSettings::IniFormat);
        EXPECT_EQ(raw.value(qs("TempUnit")).toInt(), number);
    }
}

// Catches an unreadable or unknown Language value being taken as a language.
TEST_F(SettingsTest, UnreadableLanguageMeansNotChosen)
{
    writeRaw(qs("Calivue Razadi/Language"), qs("German"));
    EXPECT_EQ(store.language(), std::nullopt);
    writeRaw(qs("Calivue Razadi/Language"), 17);  // a number no language has
    EXPECT_EQ(store.language(), std::nullopt);
}

// One setter of the store: its designed messages when the file cannot be reached and when the
// write fails, and the file it writes.
struct Setter {
    const char* name;
    int keyFailId, writeFailId;
    bool reportFile;
    std::function<std::optional<SettingsError>(SettingsStore&)> set;
};

const std::vector<Setter>& setters()
{
    static const std::vector<Setter> all = {
        {"language", sid::ErrorWritingSetting, sid::ErrorWritingSetting, false,
         [](SettingsStore& s) { return s.setLanguage(Language::French); }},
        {"template", sid::ErrorWritingSetting, sid::ErrorWritingSetting, false,
         [](SettingsStore& s) { return s.setReportTemplate(ReportTemplate::Buildings); }},
        {"persist details", sid::ErrorWritingSetting, sid::ErrorWritingSetting, false,
         [](SettingsStore& s) { return s.setPersistReportDetails(true); }},
        {"unit", sid::TempUnitKeyNotOpened, sid::TempUnitNotWritten, false,
         [](SettingsStore& s) { return s.setTempUnit(TempUnit::Fahrenheit); }},
        {"logo", sid::LogoKeyNotOpened, sid::LogoNotWritten, true,
         [](SettingsStore& s) { return s.setReportText(reportkey::LogoPath, qs("/x.jpg")); }},
        {"company", sid::CompanyKeyNotOpened, sid::CompanyNotWritten, true,
         [](SettingsStore& s) { return s.setReportText(reportkey::Company, qs("Acme")); }},
        {"author", sid::AuthorKeyNotOpened, sid::AuthorNotWritten, true,
         [](SettingsStore& s) { return s.setReportText(reportkey::Author, qs("Ann")); }},
        {"caption", sid::ErrorWritingSetting, sid::ErrorWritingSetting, true,
         [](SettingsStore& s) { return s.setReportText(qs("TitleDateEdit"), qs("Date")); }},
    };
    return all;
}

QString reasonText(std::errc e)
{
    return QString::fromStdString(std::make_error_code(e).message());
}

QByteArray contentsOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

// Catches failed writes reported as success, the wrong designed message, or a message that does
// not say which folder failed and why.
TEST_F(SettingsTest, FailedWritesCarryTheirMessages)
{
    blockSettingsFolder();
    const QString folder = root.path() + qs("/Orvane");
    for (const Setter& s : setters()) {
        SCOPED_TRACE(s.name);
        const auto e = s.set(store);
        ASSERT_TRUE(e.has_value());
        EXPECT_EQ(e->code, SettingsError::Code::KeyNotOpened);
        EXPECT_EQ(e->messageId, s.keyFailId);
        EXPECT_EQ(e->path, folder);
        EXPECT_EQ(e->reason, reasonText(std::errc::not_a_directory));
        EXPECT_EQ(e->message, uiText(s.keyFailId) + qs("\n") + folder + qs(": ") + e->reason);
    }
    EXPECT_EQ(uiText(sid::TempUnitKeyNotOpened),
              qs("Could not open registry key to save the temperature unit"));
    // Reads of the unreachable files fall back to the defaults.
    EXPECT_EQ(store.language(), std::nullopt);
    EXPECT_EQ(store.tempUnit(), TempUnit::Celsius);
}

// The write-failure harness for the settings: a fault injected into the file layer (outright,
// or half the bytes then a full disk) on each setter's file. Catches a failed write reported as
// done, an earlier settings file cut short or emptied, a temporary left beside it, and a
// message without the file and the reason.
TEST_F(SettingsTest, InjectedFaultKeepsTheSettingsFileAndNamesIt)
{
    ASSERT_FALSE(store.setLanguage(Language::Chinese));
    ASSERT_FALSE(store.setReportText(reportkey::Company, qs("Earlier")));
    const QString folder = root.path() + qs("/Orvane");
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const Setter& s : setters()) {
        for (const bool shortWrite : {false, true}) {
            SCOPED_TRACE(std::string(s.name) + (shortWrite ? ", short write" : ", refused write"));
            const QString file = s.reportFile ? store.reportFile() : store.applicationFile();
            const QByteArray before = contentsOf(file);
            fileio_hooks::setWriteFault(fileio_hooks::WriteFault{toFsPath(file), 1, shortWrite});
            const auto e = s.set(store);
            fileio_hooks::setWriteFault(std::nullopt);
            ASSERT_TRUE(e.has_value());
            EXPECT_EQ(e->code, SettingsError::Code::ValueNotWritten);
            EXPECT_EQ(e->messageId, s.writeFailId);
            EXPECT_EQ(e->message, uiText(s.writeFailId) + qs("\n") + file + qs(": ") +
                                      reasonText(std::errc::no_space_on_device));
            EXPECT_EQ(contentsOf(file), before);
            EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), names);
        }
    }
    EXPECT_EQ(store.language(), Language::Chinese);
    EXPECT_EQ(store.reportText(reportkey::Company), qs("Earlier"));
}

// Catches a settings file that is itself unusable (a folder in its place) passing as written.
TEST_F(SettingsTest, SettingsFileReplacedByFolderFails)
{
    ASSERT_TRUE(QDir(root.path()).mkpath(qs("Orvane/Calivue Razadi.ini")));
    const auto result = store.setLanguage(Language::German);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->messageId, sid::ErrorWritingSetting);
    EXPECT_EQ(result->path, store.applicationFile());
    EXPECT_EQ(result->reason, reasonText(std::errc::is_a_directory));
}

// Catches report texts losing characters, or an empty logo path read back as absent.
TEST_F(SettingsTest, ReportTextsRoundTrip)
{
    EXPECT_FALSE(store.setReportText(reportkey::Company, qs("Müller & Søn ©")));
    EXPECT_FALSE(store.setReportText(qs("DetailsCondEdit"), qs("Load %")));
    EXPECT_FALSE(store.setReportText(reportkey::LogoPath, QString()));
    EXPECT_TRUE(store.hasReportKey());
    EXPECT_TRUE(QFile::exists(root.path() + qs("/Orvane/Tavoro Dazare Razadi.ini")));

    const SettingsStore later(root.path());
    EXPECT_EQ(later.reportText(reportkey::Company), qs("Müller & Søn ©"));
    EXPECT_EQ(later.reportText(qs("DetailsCondEdit")), qs("Load %"));
    ASSERT_TRUE(later.reportText(reportkey::LogoPath).has_value());
    EXPECT_TRUE(later.reportText(reportkey::LogoPath)->isEmpty());
    EXPECT_FALSE(later.reportText(reportkey::Author).has_value());
}

// Catches the default store ignoring $XDG_CONFIG_HOME (and so writing into the real home).
TEST(SettingsLocation, DefaultStoreFollowsXdgConfigHome)
{
    QTemporaryDir configHome;
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    SettingsStore store;
    EXPECT_FALSE(store.setLanguage(Language::Italian));
    EXPECT_TRUE(QFile::exists(configHome.path() + qs("/Orvane/Calivue Razadi.ini")));
    EXPECT_EQ(SettingsStore(configHome.path()).language(), Language::Italian);
    qputenv("XDG_CONFIG_HOME", previous);
}

// A settings write into a full file system (a tmpfs, where the test may mount one): catches a
// write reported as done, a settings file cut short or emptied, and a temporary left beside it.
TEST_F(SettingsTest, AFullDiskKeepsTheSettingsFileAndSaysSo)
{
    ASSERT_FALSE(store.setLanguage(Language::Spanish));
    const QString folder = root.path() + qs("/Orvane");
    const QString file = store.applicationFile();
    QFile stored(file);
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QByteArray before = stored.readAll();
    stored.close();
    // The folder moves aside and a full tmpfs takes its place, holding the same file.
    ASSERT_TRUE(QDir().rename(folder, folder + qs(".saved")));
    ASSERT_TRUE(QDir().mkpath(folder));
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    struct Unmount {
        QByteArray at;
        ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
    } unmount{QFile::encodeName(folder)};
    ASSERT_TRUE(QFile::copy(folder + qs(".saved/Calivue Razadi.ini"), file));
    {
        QFile fill(folder + qs("/filler"));
        ASSERT_TRUE(fill.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (fill.write(block) == block.size() && fill.flush()) {
        }
    }
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);

    const auto failed = store.setReportTemplate(ReportTemplate::Mechanical);
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(failed->messageId, sid::ErrorWritingSetting);
    EXPECT_EQ(failed->path, file);
    EXPECT_EQ(failed->reason, reasonText(std::errc::no_space_on_device));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll(), before);
    stored.close();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), names);
}
