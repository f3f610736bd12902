// calivue-cli's contract with scripts: --help everywhere, exit codes, and exactly
// one line on stderr for every failure.
#include "clitest.h"
#include "core/fileio.h"
#include "core/reportproject.h"

#include <fstream>

#include <sys/stat.h>

using namespace calivue;
using namespace calivue::clitest;

// Catches a missing subcommand in the overview or help that fails or goes to stderr.
TEST(CliHelp, ToolAndEverySubcommandHaveHelp)
{
    CliResult top = runCli({"--help"});
    EXPECT_EQ(top.code, 0);
    EXPECT_TRUE(top.err.empty());
    for (const char* sub : {"info", "csv", "render", "save-as", "scan"})
        EXPECT_NE(top.out.find(sub), std::string::npos) << sub;
#ifdef CALIVUE_CLI_THUMBNAIL
    // The numbers --language takes, in the table's order (US English is 8, Hebrew 13).
    EXPECT_NE(top.out.find("0 English (UK), 1 German (Deutsch), 2 French"), std::string::npos);
    EXPECT_NE(top.out.find("8 English (US), 9 Portuguese"), std::string::npos);
    EXPECT_NE(top.out.find("13 Hebrew"), std::string::npos);
    EXPECT_NE(top.out.find("16 Filipino"), std::string::npos);
#endif

    const std::vector<std::pair<std::string, std::vector<std::string>>> options = {
        {"info", {"SNAPSHOT", "--unit", "--area-mode", "--probe"}},
        {"csv", {"SNAPSHOT", "OUT"}},
        {"render",
         {"SNAPSHOT", "OUT", "--interp", "--palette", "--span", "--isotherms", "--orientation",
          "--blend", "--visual"}},
        {"save-as", {"SNAPSHOT", "NEW"}},
        {"scan", {"FOLDER", "--subfolders"}},
    };
    for (const auto& [sub, names] : options) {
        CliResult r = runCli({sub, "--help"});
        EXPECT_EQ(r.code, 0) << sub;
        EXPECT_TRUE(r.err.empty()) << sub;
        for (const std::string& n : names)
            EXPECT_NE(r.out.find(n), std::string::npos) << sub << " " << n;
    }
}

// Catches a missing, corrupt or non-regular snapshot that is not reported with the
// one agreed line (naming the path and the reason, and the record when a bitmap that
// exists has none, not the bitmap as "not found"), reported with exit 0, that
// leaves an output file behind, or (a FIFO) that blocks the tool forever.
TEST_F(CliTest, UnreadableSnapshotGivesErrorOpeningFileForEveryCommand)
{
    std::vector<std::uint8_t> corrupt = recordBytes([](int, int) { return 3000; });
    corrupt[4] = 'Z';
    writeAll(m_dir / "bad.qvx", corrupt);
    writeAll(m_dir / "nobmp.bmp", std::vector<std::uint8_t>{'B', 'M'});
    writeAll(m_dir / "empty.qvx", std::vector<std::uint8_t>{});
    fs::create_directory(m_dir / "dir.qvx");
    ASSERT_EQ(::mkfifo((m_dir / "fifo.qvx").c_str(), 0600), 0);

    const std::pair<std::string, std::string> cases[] = {
        {path("missing.bmp"), "not found"},
        {path("bad.bmp"), "not a snapshot record"},
        {path("bad.qvx"), "not a snapshot record"},
        {path("nobmp.bmp"), "record " + path("nobmp.qvx") + " not found"},
        {path("empty.QVX"), "not a snapshot record"},
        {path("dir.qvx"), "not a regular file"},
        {path("fifo.bmp"), "not a regular file"},
    };
    for (const auto& [snap, reason] : cases) {
        SCOPED_TRACE(snap);
        const std::vector<std::vector<std::string>> calls = {
            {"info", snap},
            {"csv", snap, path("out.csv")},
            {"render", snap, path("out.bmp")},
            {"save-as", snap, path("new.bmp")},
        };
        for (const auto& call : calls) {
            CliResult r = runCli(call);
            EXPECT_NE(r.code, 0) << call[0];
            EXPECT_EQ(r.err, "Error opening file: " + snap + ": " + reason + "\n") << call[0];
            EXPECT_TRUE(r.out.empty()) << call[0];
        }
        EXPECT_FALSE(fs::exists(m_dir / "out.csv"));
        EXPECT_FALSE(fs::exists(m_dir / "out.bmp"));
        EXPECT_FALSE(fs::exists(m_dir / "new.qvx"));
    }
}

// Catches usage errors that exit 0, print several lines, or reach a command.
TEST_F(CliTest, UsageErrorsFailWithOneLine)
{
    writeAll(m_dir / "ok.qvx", recordBytes([](int, int) { return 3000; }));
    const std::string ok = path("ok.qvx");
    const std::vector<std::vector<std::string>> calls = {
        {},
        {"bogus"},
        {"info"},
        {"info", ok, "--unit", "x"},
        {"info", ok, "--area-mode", "3"},
        {"info", ok, "--probe", "abc"},
        {"info", ok, "--probe", "70000,1"},
        {"info", ok, "--probe", "3000,"},
        {"csv", ok},
        {"render", ok, path("o.bmp"), "--interp", "9"},
        {"render", ok, path("o.bmp"), "--interp", "0"},
        {"render", ok, path("o.bmp"), "--palette", "8"},
        {"render", ok, path("o.bmp"), "--orientation", "4"},
        {"render", ok, path("o.bmp"), "--isotherms", "4"},
        {"render", ok, path("o.bmp"), "--span", "3000"},
        {"scan"},
        {"info", ok, "--no-such-option"},
    };
    for (const auto& call : calls) {
        std::string shown;
        for (const auto& a : call) shown += a + " ";
        CliResult r = runCli(call);
        EXPECT_TRUE(failsWithOneLine(r)) << shown;
        EXPECT_TRUE(r.out.empty()) << shown;
    }
    EXPECT_FALSE(fs::exists(m_dir / "o.bmp"));
}

// Catches write failures reported as success.
TEST_F(CliTest, OutputThatCannotBeWrittenFails)
{
    writeAll(m_dir / "ok.qvx", recordBytes([](int, int) { return 3000; }));
    fs::create_directories(m_dir / "dir.csv");
    fs::create_directories(m_dir / "dir.bmp");
    EXPECT_TRUE(failsWithOneLine(runCli({"csv", path("ok.qvx"), path("dir.csv")})));
    EXPECT_TRUE(failsWithOneLine(runCli({"render", path("ok.qvx"), path("dir.bmp")})));
    EXPECT_TRUE(failsWithOneLine(runCli({"csv", path("ok.qvx"), path("none/x.csv")})));
    fs::create_directories(m_dir / "blocked" / "new.qvx");
    EXPECT_TRUE(failsWithOneLine(runCli({"save-as", path("ok.qvx"), path("blocked/new.bmp")})));
    EXPECT_TRUE(failsWithOneLine(runCli({"scan", path("nowhere")})));
}
