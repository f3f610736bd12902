// `report`: a report project printed as the PDF report without a window (Qt layers only).
#ifdef CALIVUE_CLI_THUMBNAIL
#include "clitest.h"

#include "core/fileio.h"
#include "core/findingscodec.h"
#include "core/reportproject.h"
#include "core/reportstyle.h"
#include "platform/languagetable.h"
#include "platform/textformat.h"

#include <QDate>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

#include <algorithm>
#include <chrono>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace calivue;
using namespace calivue::clitest;

namespace {

std::optional<std::string> pdfText(const fs::path& pdf, int page)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) return std::nullopt;
    QProcess p;
    const QString n = QString::number(page);
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-f"), n, QStringLiteral("-l"), n, QString::fromStdString(pdf.string()),
             QStringLiteral("-")});
    p.waitForFinished(60000);
    return p.readAllStandardOutput().toStdString();
}

class CliReport : public CliTest {
protected:
    // One snapshot with a cursor and its camera bitmap, in a project of one inspection.
    void SetUp() override
    {
        CliTest::SetUp();
        writeAll(m_dir / "IR_0001.QVX", recordBytes([](int x, int) { return 2900 + x; },
                                                    [](RecordFields& f) {
                                                        f.cursorCount = 1;
                                                        f.cursorX[0] = 160;
                                                        f.cursorY[0] = 120;
                                                        f.flagsA = 0x01;
                                                        f.capture = {14, 17, 0, 21, 3, 2009};
                                                    }));
        writeAll(m_dir / "IR_0001.BMP", cameraBitmap({10, 20, 30}, {40, 50, 60}));
        ReportProject project;
        project.entries.push_back(
            {(m_dir / "IR_0001.QVX").u16string(), (m_dir / "IR_0001.BMP").u16string(), 0});
        project.records.resize(1);
        project.records[0].name = u"Pump";
        project.title.company = u"Acme";
        ASSERT_EQ(writeReportProjectFile(m_dir / "p.vrp", project), Error::None);
        project.records.resize(2);
        ASSERT_EQ(writeReportProjectFile(m_dir / "uneven.vrp", project), Error::None);
    }
};

// Catches a unit, template or page count that the command does not pass on.
TEST_F(CliReport, WritesTheReportInTheChosenUnitAndTemplate)
{
    const struct {
        std::vector<std::string> options;
        std::vector<std::string> page3;
    } cases[] = {
        {{},
         {"Inspection 1 - Pump", "Operator", "Load %", "21st March 2009", "14.17",
          "\xC2\xB0"
          "C"}},
        {{"--unit", "f", "--template", "1"},
         {"Inspector", "Material Condition",
          "\xC2\xB0"
          "F"}},
        {{"--unit", "K", "--template", "2"}, {"RPM", "Cursor 1", " K\n"}},
    };
    int run = 0;
    for (const auto& c : cases) {
        const std::string out = path("r" + std::to_string(run++) + ".pdf");
        std::vector<std::string> args{"report", path("p.vrp"), out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliResult r = runCli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, out + ": 4 pages\n");
        const auto text = pdfText(out, 3);
        if (!text) GTEST_SKIP() << "poppler-utils not installed";
        for (const std::string& t : c.page3)
            EXPECT_NE(text->find(t), std::string::npos) << t << "\n" << *text;
        EXPECT_NE(pdfText(out, 1)->find("Acme"), std::string::npos);
    }
}

// Catches a failure that exits 0, says nothing or more than one line, or touches the output.
TEST_F(CliReport, FailuresGiveOneLineAndKeepTheOutput)
{
    writeAll(m_dir / "garbage.vrp", std::vector<std::uint8_t>{1, 2, 3});
    writeAll(m_dir / "kept.pdf", std::vector<std::uint8_t>{7, 7, 7});
    const std::vector<std::vector<std::string>> cases = {
        {"report", path("missing.vrp"), path("kept.pdf")},
        {"report", path("garbage.vrp"), path("kept.pdf")},
        {"report", path("uneven.vrp"), path("kept.pdf")},
        {"report", path("p.vrp"), path("kept.pdf"), "--unit", "x"},
        {"report", path("p.vrp"), path("kept.pdf"), "--template", "4"},
        {"report", path("p.vrp"), path("kept.pdf"), "--language", "17"},
        {"report", path("p.vrp"), path("no/such/folder/r.pdf")},
        {"report", path("p.vrp")},
    };
    for (const auto& args : cases) {
        const CliResult r = runCli(args);
        EXPECT_TRUE(failsWithOneLine(r)) << args[1] << " " << args.back();
        EXPECT_EQ(readAll(m_dir / "kept.pdf"), (std::vector<std::uint8_t>{7, 7, 7}));
    }
    EXPECT_FALSE(fs::exists(m_dir / "no"));
}

// Catches a failure message that blames the printer server for a folder that is not there,
// and a logo that is not a picture dropped without a word (or reported as not found).
TEST_F(CliReport, SaysWhichFolderIsMissingAndWhatIsWrongWithTheLogo)
{
    const CliResult missing = runCli({"report", path("p.vrp"), path("no/such/folder/r.pdf")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "Cannot write " + path("no/such/folder/r.pdf") +
                               ": Could not save the PDF file: the folder " +
                               path("no/such/folder") + " does not exist\n");
    // A folder on the way that is a file: the system's reason, not a printer-server failure.
    writeAll(m_dir / "afile", std::vector<std::uint8_t>{1});
    const CliResult underFile = runCli({"report", path("p.vrp"), path("afile/r.pdf")});
    EXPECT_EQ(underFile.code, 1);
    EXPECT_EQ(underFile.err, "Cannot write " + path("afile/r.pdf") +
                                 ": Could not write the PDF file " + path("afile/r.pdf") +
                                 ": Not a directory\n");

    writeAll(m_dir / "logo.jpg", std::vector<std::uint8_t>{'n', 'o', 't', ' ', 'a', ' ', 'j'});
    for (const auto& [logo, reason] :
         {std::pair{std::string("logo.jpg"), std::string("not a picture this program can read")},
          std::pair{std::string("gone.jpg"), std::string("not found")}}) {
        Result<ReportProject> project = readReportProjectFile(m_dir / "p.vrp");
        ASSERT_TRUE(project.ok());
        project.value().title.logoPath = (m_dir / logo).u16string();
        ASSERT_EQ(writeReportProjectFile(m_dir / "logo.vrp", project.value()), Error::None);
        const CliResult r = runCli({"report", path("logo.vrp"), path("logo.pdf")});
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.err, "calivue-cli: logo " + path(logo) + ": " + reason +
                             "; the report is printed without it\n");
        EXPECT_TRUE(fs::exists(m_dir / "logo.pdf"));
    }
}

// Catches a report or thumbnail that, when the disk fills up part way (one short write, or a
// refused one), exits 0, renames a truncated file over the previous one, leaves its temporary
// file, or does not say which file failed and why.
TEST_F(CliReport, AFullDiskKeepsThePreviousFile)
{
    const std::vector<std::uint8_t> earlier{'%', 'P', 'D', 'F', '-', '1', '.', '4'};
    const std::string kept = path("kept.out");
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"report", path("p.vrp"), kept},
         "Cannot write " + kept + ": Could not write the PDF file " + kept +
             ": No space left on device\n"},
        {{"thumbnail", path("IR_0001.QVX"), kept, "64"},
         "Cannot write " + kept + ": No space left on device\n"},
    };
    for (const auto& c : cases) {
        for (const bool shortWrite : {true, false}) {
            SCOPED_TRACE(c.args[0] + (shortWrite ? " short write" : " refused write"));
            writeAll(kept, earlier);
            const auto files = [&] {
                return std::distance(fs::directory_iterator(m_dir), fs::directory_iterator());
            };
            const auto before = files();
            fileio_hooks::setWriteFault(fileio_hooks::WriteFault{kept, 1, shortWrite});
            const CliResult r = runCli(c.args);
            fileio_hooks::setWriteFault(std::nullopt);
            EXPECT_TRUE(failsWithOneLine(r));
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err, c.err);
            EXPECT_EQ(readAll(kept), earlier);
            EXPECT_EQ(files(), before);
        }
    }
}

// Catches an output name that is not valid UTF-8 written under another one (byte 0xE9 turned
// into U+FFFD) by any command: each writes the name exactly as given, and nothing else.
TEST_F(CliReport, OutputNamesAreKeptByteForByte)
{
    const std::string snapshot = path("IR_0001.QVX");
    const struct {
        std::vector<std::string> args;  // "OUT" stands for the output name
        std::string out;
    } cases[] = {
        {{"csv", snapshot, "OUT"}, "Bericht\xe9.csv"},
        {{"render", snapshot, "OUT"}, "Bericht\xe9.bmp"},
        {{"thumbnail", snapshot, "OUT", "64"}, "Bericht\xe9.png"},
        {{"report", path("p.vrp"), "OUT"}, "Bericht\xe9.pdf"},
        {{"save-as", snapshot, "OUT"}, "saved\xe9.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        const fs::path folder = m_dir / ("out_" + c.args[0]);
        fs::create_directories(folder);
        std::vector<std::string> args = c.args;
        std::replace(args.begin(), args.end(), std::string("OUT"), (folder / c.out).string());
        const CliResult r = runCli(args);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_TRUE(fs::is_regular_file(folder / c.out));
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_EQ(entry.path().filename().string().find("\xEF\xBF\xBD"), std::string::npos)
                << entry.path().filename().string();
    }
}

// A language without an installed module prints in English and says so on one line.
TEST_F(CliReport, AMissingLanguageModuleFallsBackToEnglish)
{
    const fs::path noModules = m_dir / "modules";
    fs::create_directories(noModules);
    qputenv("CALIVUE_LANGUAGE_DIR", QByteArray::fromStdString(noModules.string()));
    const CliResult r = runCli({"report", path("p.vrp"), path("he.pdf"), "--language", "13"});
    qunsetenv("CALIVUE_LANGUAGE_DIR");
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "calivue-cli: no language module for language 13; the report is in English\n");
    if (const auto text = pdfText(m_dir / "he.pdf", 1)) {
        EXPECT_NE(text->find("Page 1 of 4"), std::string::npos);
    }
}

// Catches a widget library pulled into the tool at run time (a plugin or a library the report
// engine loads): after a whole report in another language, none is mapped in the process.
TEST_F(CliReport, AReportLoadsNoWidgetLibrary)
{
    const CliResult r = runCli({"report", path("p.vrp"), path("de.pdf"), "--language", "1"});
    ASSERT_EQ(r.code, 0) << r.err;
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) GTEST_SKIP() << "no /proc/self/maps";
    const QByteArray mapped = maps.readAll();
    EXPECT_TRUE(mapped.contains("libQt6Gui")) << "the report was drawn without Qt Gui?";
    EXPECT_FALSE(mapped.contains("libQt6Widgets"));
}

// Catches a report whose Chinese, Japanese, Korean or Hebrew texts are lost on paper: each
// heading is read back from the PDF, and every font the report uses is embedded in it.
TEST_F(CliReport, ReportsInOtherScriptsReadBackAndEmbedTheirFonts)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    const struct {
        const char* language;
        std::vector<std::string> page1, page2;
    } cases[] = {
        {"5", {"红外热像检测报告", "第 1 页，共 4 页"}, {"目录"}},
        {"6", {"赤外線サーモグラフィ点検報告書"}, {"目次"}},
        {"7", {"적외선 열화상 점검 보고서"}, {"목차"}},
        // Hebrew reads "page 1 of 4".
        {"13", {"דוח בדיקה תרמוגרפית", "עמוד 1 מתוך 4"}, {"תוכן עניינים"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        const std::string out = path(std::string("lang") + c.language + ".pdf");
        const CliResult r = runCli({"report", path("p.vrp"), out, "--language", c.language});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "");
        // pdftotext marks right-to-left runs with embedding controls and moves spaces around
        // them: both sides are compared without either.
        const auto bare = [](const std::string& text) {
            QString q = QString::fromStdString(text);
            q.remove(QRegularExpression(QStringLiteral("[\\x{202A}-\\x{202E}\\s]")));
            return q.toStdString();
        };
        const std::string page1 = bare(*pdfText(out, 1)), page2 = bare(*pdfText(out, 2));
        for (const std::string& t : c.page1) EXPECT_NE(page1.find(bare(t)), std::string::npos) << t;
        for (const std::string& t : c.page2) EXPECT_NE(page2.find(bare(t)), std::string::npos) << t;
        // The capture date in the language's own short form with a four-digit year, not the
        // English ordinal one.
        const std::string page3 = *pdfText(out, 3);
        const QString date =
            shortDateText(QDate(2009, 3, 21), languageLocale(Language{std::stoi(c.language)}));
        EXPECT_TRUE(date.contains(QStringLiteral("2009"))) << date.toStdString();
        EXPECT_NE(page3.find(date.toStdString()), std::string::npos) << date.toStdString();
        EXPECT_EQ(page3.find("March"), std::string::npos);

        QProcess fonts;
        fonts.start(QStringLiteral("pdffonts"), {QString::fromStdString(out)});
        ASSERT_TRUE(fonts.waitForFinished(60000));
        const QStringList rows =
            QString::fromUtf8(fonts.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_GT(rows.size(), 2);  // two heading lines, then a font a line
        // Columns: name, type, encoding, emb, sub, uni, object, id.
        for (const QString& row : rows.mid(2)) {
            const QStringList cols = row.split(u' ', Qt::SkipEmptyParts);
            ASSERT_GE(cols.size(), 6) << row.toStdString();
            EXPECT_EQ(cols[cols.size() - 5], QStringLiteral("yes")) << row.toStdString();
        }
    }
}

// Catches a report that ignores the language the project keeps (printed in English), a
// --language that does not override it (English included), and a damaged or uninstalled
// stored language that stops the report instead of printing English with a word.
TEST_F(CliReport, LanguageComesFromTheProjectOrTheOption)
{
    Result<ReportProject> project = readReportProjectFile(m_dir / "p.vrp");
    ASSERT_TRUE(project.ok());
    for (const auto& [name, language] :
         {std::pair{"de.vrp", 1}, std::pair{"ja.vrp", 6}, std::pair{"none.vrp", 200}}) {
        ASSERT_EQ(putReportLanguage(project.value(), language), Error::None);
        ASSERT_EQ(writeReportProjectFile(m_dir / name, project.value()), Error::None);
    }
    project.value().extensions.put({kReportLanguageTag, 1, {1, 2}});
    ASSERT_EQ(writeReportProjectFile(m_dir / "damaged.vrp", project.value()), Error::None);
    const std::string english = "Thermography Inspection Report",
                      german = "Thermografie-Inspektionsbericht";
    const struct {
        std::vector<std::string> args;
        std::string title, warning;
    } cases[] = {
        {{path("p.vrp")}, english, ""},
        {{path("de.vrp")}, german, ""},
        {{path("ja.vrp")}, "赤外線サーモグラフィ点検報告書", ""},
        {{path("de.vrp"), "--language", "0"}, english, ""},
        {{path("ja.vrp"), "--language", "1"}, german, ""},
        {{path("p.vrp"), "--language", "1"}, german, ""},
        {{path("none.vrp")}, english, "no language module for language 200"},
        {{path("damaged.vrp")}, english, "report language does not read"},
        {{path("damaged.vrp"), "--language", "1"}, german, ""},
    };
    int run = 0;
    for (const auto& c : cases) {
        const std::string out = path("lang" + std::to_string(run++) + ".pdf");
        std::vector<std::string> args{"report", c.args[0], out};
        args.insert(args.end(), c.args.begin() + 1, c.args.end());
        const CliResult r = runCli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        if (c.warning.empty())
            EXPECT_EQ(r.err, "") << run;
        else
            EXPECT_NE(r.err.find(c.warning), std::string::npos) << run << r.err;
        const auto text = pdfText(out, 1);
        if (!text) GTEST_SKIP() << "poppler-utils not installed";
        EXPECT_NE(text->find(c.title), std::string::npos) << run << *text;
    }
}

// Catches a --layout that is not passed on, a project's own layout ignored, and a damaged
// layout section that stops the report instead of falling back to classic with a word.
TEST_F(CliReport, LayoutComesFromTheProjectOrTheOption)
{
    Result<ReportProject> project = readReportProjectFile(m_dir / "p.vrp");
    ASSERT_TRUE(project.ok());
    ASSERT_EQ(putReportLayout(project.value(), ReportLayout::Modern), Error::None);
    ASSERT_EQ(writeReportProjectFile(m_dir / "modern.vrp", project.value()), Error::None);
    project.value().extensions.put({kReportLayoutTag, 1, {7}});
    ASSERT_EQ(writeReportProjectFile(m_dir / "damaged.vrp", project.value()), Error::None);
    const struct {
        std::vector<std::string> args;
        bool modern;
        bool warned;
    } cases[] = {
        {{path("p.vrp")}, false, false},
        {{path("p.vrp"), "--layout", "modern"}, true, false},
        {{path("modern.vrp")}, true, false},
        {{path("modern.vrp"), "--layout", "classic"}, false, false},
        {{path("damaged.vrp")}, false, true},
    };
    int run = 0;
    for (const auto& c : cases) {
        const std::string out = path("l" + std::to_string(run++) + ".pdf");
        std::vector<std::string> args{"report", c.args[0], out};
        args.insert(args.end(), c.args.begin() + 1, c.args.end());
        const CliResult r = runCli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err.find("classic layout") != std::string::npos, c.warned) << r.err;
        const auto text = pdfText(out, 3);
        if (!text) GTEST_SKIP() << "poppler-utils not installed";
        // Only the modern page heads its readings table "Marker".
        EXPECT_EQ(text->find("Marker") != std::string::npos, c.modern) << run << *text;
    }
    EXPECT_NE(runCli({"report", path("p.vrp"), path("x.pdf"), "--layout", "fancy"}).code, 0);
}

// A project whose paths name what no reader may open as a file: FIFOs (made here, git cannot
// hold them), a folder and /dev/zero, as snapshot, bitmap and logo. Catches a report that
// blocks in open() on a FIFO with no writer, reads a device without end, or drops the logo
// without a word. The time bound is about hanging, not speed; on a timeout the FIFOs are
// opened for writing so the blocked reader returns and the test can end.
TEST_F(CliReport, PathsNamingFifosFoldersAndDevicesAreRefusedWithoutWaiting)
{
    const fs::path fifo = m_dir / "fifo.jpg";
    const fs::path fifoQvx = m_dir / "FIFO.QVX";
    const fs::path fifoBmp = m_dir / "FIFO.BMP";
    for (const fs::path& f : {fifo, fifoQvx, fifoBmp}) ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0);
    const fs::path crashers = fs::path(CALIVUE_TEST_DATA) / "crashers";
    const fs::path good = m_dir / "IR_0001.QVX";
    const struct {
        std::string name;
        fs::path snapshot, bitmap, logo;  // empty: the project comes from the crasher file
        std::string logoMessage;          // stderr; empty: none
    } cases[] = {
        {"FIFO logo", good, m_dir / "IR_0001.BMP", fifo,
         "calivue-cli: logo " + fifo.string() + ": not a regular file"},
        {"FIFO snapshot", fifoQvx, fifoBmp, {}, ""},
        {"FIFO bitmap beside a good record", good, fifoBmp, {}, ""},
        {"vrp_snapshot_dev_zero", {}, {}, {}, ""},
        {"vrp_logo_dev_zero", {}, {}, {}, "calivue-cli: logo /dev/zero: not a regular file"},
        {"vrp_snapshot_and_logo_folders", {}, {}, {}, "calivue-cli: logo /: not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::path project = crashers / c.name;
        if (!c.snapshot.empty()) {
            ReportProject p;
            p.entries.push_back({c.snapshot.u16string(), c.bitmap.u16string(), 0});
            p.records.resize(1);
            p.title.logoPath = c.logo.u16string();
            project = m_dir / "hostile.vrp";
            ASSERT_EQ(writeReportProjectFile(project, p), Error::None);
        }
        auto running = std::async(std::launch::async, [&] {
            return runCli({"report", project.string(), path("hostile.pdf")});
        });
        if (running.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
            for (const fs::path& f : {fifo, fifoQvx, fifoBmp}) {
                const int fd = ::open(f.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) ::close(fd);
            }
            ADD_FAILURE() << "report did not return: blocked on a FIFO or reading a device";
        }
        const CliResult r = running.get();
        EXPECT_EQ(r.code, 0) << r.err;
        if (c.logoMessage.empty())
            EXPECT_EQ(r.err, "");
        else
            EXPECT_EQ(r.err.rfind(c.logoMessage + "; ", 0), 0u) << r.err;
        EXPECT_TRUE(fs::exists(m_dir / "hostile.pdf"));
        fs::remove(m_dir / "hostile.pdf");
    }
}

// A project may hold texts of megabytes; a box shows a few hundred characters of one. Catches
// a report that lays out and writes whole texts only to clip them (a 64 MB project took
// minutes): the PDF of texts twenty times longer is no larger.
TEST_F(CliReport, TextsLongerThanTheirBoxesCostNoMore)
{
    std::vector<std::uintmax_t> sizes;
    for (const std::size_t words : {4000u, 80000u}) {
        Result<ReportProject> project = readReportProjectFile(m_dir / "p.vrp");
        ASSERT_TRUE(project.ok());
        std::u16string text;
        for (std::size_t i = 0; i < words; ++i) text += u"word ";
        cInspectionRecord& r = project.value().records[0];
        r.name = r.comment = r.faultAction = r.location = text;
        project.value().title.comments = text;
        ASSERT_EQ(writeReportProjectFile(m_dir / "long.vrp", project.value()), Error::None);
        const CliResult run = runCli({"report", path("long.vrp"), path("long.pdf")});
        ASSERT_EQ(run.code, 0) << run.err;
        sizes.push_back(fs::file_size(m_dir / "long.pdf"));
    }
    EXPECT_LE(sizes[1], sizes[0] + sizes[0] / 100) << sizes[0] << " then " << sizes[1];
}

// Catches findings data the command does not print (band, appendix, page count), and a
// findings section that does not read failing the report or warned about more than once.
TEST_F(CliReport, PrintsTheFindingsAndWarnsOnceAboutASectionThatDoesNotRead)
{
    Result<ReportProject> read = readReportProjectFile(m_dir / "p.vrp");
    ASSERT_TRUE(read.ok());
    ReportProject project = read.value();
    project.records[0].measured = u"30 A";
    project.records[0].rated = u"100 A";
    ProjectFindings findings;
    findings.records.resize(1);
    findings.settings.criteria = Criteria::NetaAmbient;
    findings.settings.ambient = 20.0;
    findings.settings.conditions.thermographer = u"J. Doe";
    findings.records[0].reference = ReferenceKind::Ambient;
    ASSERT_EQ(putProjectFindings(project, findings), Error::None);
    ASSERT_EQ(writeReportProjectFile(m_dir / "f.vrp", project), Error::None);
    project.extensions.put({kFindingsTag, kFindingsSectionVersion, {7}});
    ASSERT_EQ(writeReportProjectFile(m_dir / "bad.vrp", project), Error::None);

    const CliResult good = runCli({"report", path("f.vrp"), path("f.pdf")});
    ASSERT_EQ(good.code, 0) << good.err;
    EXPECT_EQ(good.err, "");
    EXPECT_EQ(good.out, path("f.pdf") + ": 5 pages\n");
    const CliResult bad = runCli({"report", path("bad.vrp"), path("bad.pdf")});
    ASSERT_EQ(bad.code, 0) << bad.err;
    EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 1) << bad.err;
    EXPECT_EQ(bad.err.rfind("calivue-cli: findings ", 0), 0u) << bad.err;
    EXPECT_NE(bad.err.find("the report is printed without findings"), std::string::npos);
    EXPECT_EQ(bad.out, path("bad.pdf") + ": 4 pages\n");

    const auto page3 = pdfText(path("f.pdf"), 3);
    if (!page3) GTEST_SKIP() << "poppler-utils not installed";
    for (const char* t : {"against Ambient air 20.0 \xC2\xB0"
                          "C",
                          "Load 30 %", "(n = 2.0)", "The load is below the minimum of 40 %"})
        EXPECT_NE(page3->find(t), std::string::npos) << t << "\n" << *page3;
    const std::string last = *pdfText(path("f.pdf"), 5);
    for (const char* t :
         {"Severity criteria", "NETA, against ambient air", "J. Doe", "Page 5 of 5"})
        EXPECT_NE(last.find(t), std::string::npos) << t << "\n" << last;
    EXPECT_EQ(pdfText(path("bad.pdf"), 3)->find("Ambient air"), std::string::npos);
}

// Catches a PNG logo refused or dropped from the title page of either layout.
TEST_F(CliReport, APngLogoPrintsOnTheTitlePage)
{
    QImage logo(400, 100, QImage::Format_RGB32);
    logo.fill(qRgb(10, 120, 200));
    ASSERT_TRUE(logo.save(QString::fromStdString(path("logo.png")), "PNG"));
    Result<ReportProject> project = readReportProjectFile(m_dir / "p.vrp");
    ASSERT_TRUE(project.ok());
    project.value().title.logoPath = (m_dir / "logo.png").u16string();
    ASSERT_EQ(writeReportProjectFile(m_dir / "logo.vrp", project.value()), Error::None);
    for (const std::string layout : {"classic", "modern"}) {
        const std::string out = path(layout + ".pdf");
        const CliResult r = runCli({"report", path("logo.vrp"), out, "--layout", layout});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "");
        if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
            GTEST_SKIP() << "poppler-utils not installed";
        QProcess images;
        images.start(QStringLiteral("pdfimages"),
                     {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                      QStringLiteral("1"), QStringLiteral("-list"), QString::fromStdString(out)});
        images.waitForFinished(60000);
        EXPECT_TRUE(QString::fromUtf8(images.readAllStandardOutput())
                        .contains(QRegularExpression(QStringLiteral("image\\s+400\\s+100\\s"))))
            << layout;
    }
}

}  // namespace
#endif
