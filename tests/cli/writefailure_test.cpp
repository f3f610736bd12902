// Every writing command against a write that fails: a fault injected into the file
// layer (outright, or half the bytes then a full disk), a target whose parent is a
// file, and (where the test may mount one) a full tmpfs. For each: a non-zero exit
// with one stderr line naming the file and the system's reason, the earlier file
// byte for byte, and no temporary left beside it.
#include "clitest.h"

#include "core/fileio.h"
#include "core/reportproject.h"

#include <set>

#include <sys/mount.h>

using namespace calivue;
using namespace calivue::clitest;

namespace {

std::set<std::string> namesIn(const fs::path& dir)
{
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

// One writing command: its arguments with OUT for the output folder, and the file in
// that folder the fault is aimed at.
struct Call {
    std::vector<std::string> args;
    std::string written;
};

class CliWriteFailure : public CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        // A snapshot with a photograph and a voice note, and a project of it.
        writeAll(m_dir / "in" / "ok.qvx",
                 recordBytes([](int x, int) { return 2900 + x; },
                             [](RecordFields& f) { setText(f.textB, "ok.wav"); }));
        writeAll(m_dir / "in" / "ok.bmp", cameraBitmap({10, 20, 30}, {40, 50, 60}));
        writeAll(m_dir / "in" / "ok.wav", std::vector<std::uint8_t>(20000, 'w'));
        ReportProject project;
        project.records.emplace_back().name = u"Pump";
        project.entries.push_back(
            {(m_dir / "in" / "ok.qvx").u16string(), (m_dir / "in" / "ok.bmp").u16string(), 0});
        ASSERT_EQ(writeReportProjectFile(m_dir / "in" / "p.vrp", project), Error::None);
        const CliResult json = runCli({"project-info", in("p.vrp")});
        ASSERT_EQ(json.code, 0) << json.err;
        std::ofstream(m_dir / "in" / "p.json") << json.out;
    }
    void TearDown() override
    {
        if (m_mounted) ::umount2(m_mounted->c_str(), MNT_DETACH);
        CliTest::TearDown();
    }

    std::string in(const std::string& name) const { return (m_dir / "in" / name).string(); }

    std::vector<Call> calls() const
    {
        std::vector<Call> c = {
            {{"csv", in("ok.qvx"), "OUT/o.csv"}, "o.csv"},
            {{"render", in("ok.qvx"), "OUT/o.bmp"}, "o.bmp"},
            {{"project-write", in("p.json"), "OUT/o.vrp"}, "o.vrp"},
            {{"save-as", in("ok.qvx"), "OUT/o.bmp"}, "o.qvx"},
            {{"save-as", in("ok.qvx"), "OUT/o.bmp"}, "o.wav"},
            {{"save-as", in("ok.qvx"), "OUT/o.bmp"}, "o.bmp"},
            {{"equipment-export", in("p.vrp"), "OUT/e.csv"}, "e.csv"},
        };
#ifdef CALIVUE_CLI_THUMBNAIL
        c.push_back({{"thumbnail", in("ok.qvx"), "OUT/o.png", "64"}, "o.png"});
        c.push_back({{"report", in("p.vrp"), "OUT/o.pdf"}, "o.pdf"});
#endif
        return c;
    }

    static CliResult run(std::vector<std::string> args, const fs::path& out)
    {
        for (std::string& a : args)
            if (a.starts_with("OUT/")) a = (out / a.substr(4)).string();
        return runCli(args);
    }

    // The earlier files of every call, so a set's other files are checked too.
    static void writeEarlier(const fs::path& out)
    {
        for (const char* name :
             {"o.csv", "o.bmp", "o.vrp", "o.qvx", "o.wav", "o.png", "o.pdf", "e.csv"})
            writeAll(out / name, std::vector<std::uint8_t>{'o', 'l', 'd', ' ',
                                                           static_cast<std::uint8_t>(name[2])});
    }
    static ::testing::AssertionResult earlierKept(const fs::path& out)
    {
        for (const char* name :
             {"o.csv", "o.bmp", "o.vrp", "o.qvx", "o.wav", "o.png", "o.pdf", "e.csv"})
            if (readAll(out / name) !=
                std::vector<std::uint8_t>{'o', 'l', 'd', ' ', static_cast<std::uint8_t>(name[2])})
                return ::testing::AssertionFailure() << name << " changed";
        return ::testing::AssertionSuccess();
    }

    std::optional<fs::path> m_mounted;
};

}  // namespace

// Catches a command that takes a short write for success (exit 0 over a truncated file),
// replaces part of a set, leaves its temporary, or fails without naming the file and reason.
TEST_F(CliWriteFailure, InjectedFaultKeepsTheEarlierFiles)
{
    const fs::path out = m_dir / "out";
    const std::string reason = std::make_error_code(std::errc::no_space_on_device).message();
    for (const Call& call : calls()) {
        for (const bool shortWrite : {false, true}) {
            SCOPED_TRACE(call.args[0] + " " + call.written + (shortWrite ? " short" : " refused"));
            fs::remove_all(out);
            writeEarlier(out);
            const std::set<std::string> before = namesIn(out);
            fileio_hooks::setWriteFault(
                fileio_hooks::WriteFault{out / call.written, 1, shortWrite});
            const CliResult r = run(call.args, out);
            fileio_hooks::setWriteFault(std::nullopt);
            EXPECT_TRUE(failsWithOneLine(r));
            EXPECT_NE(r.err.find((out / call.written).string() + ": "), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
            EXPECT_TRUE(earlierKept(out));
            EXPECT_EQ(namesIn(out), before);
        }
    }
}

// The read-only folder of a test run as root: an output folder that is a file. Catches a
// command that exits 0 or names neither the file nor the reason.
TEST_F(CliWriteFailure, OutputUnderAFileIsRefused)
{
    writeAll(m_dir / "plain", std::vector<std::uint8_t>{'f'});
    const std::string reason = std::make_error_code(std::errc::not_a_directory).message();
    std::set<std::vector<std::string>> seen;
    for (const Call& call : calls()) {
        if (!seen.insert(call.args).second) continue;
        SCOPED_TRACE(call.args[0]);
        const CliResult r = run(call.args, m_dir / "plain");
        EXPECT_TRUE(failsWithOneLine(r));
        EXPECT_NE(r.err.find((m_dir / "plain" / call.written.substr(0, 2)).string()),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
        EXPECT_EQ(readAll(m_dir / "plain"), std::vector<std::uint8_t>{'f'});
    }
}

// A real full file system where the test may mount one: catches what the injected fault
// cannot, a check that misses the system's own ENOSPC.
TEST_F(CliWriteFailure, FullFileSystemKeepsTheEarlierFiles)
{
    const fs::path out = m_dir / "full";
    fs::create_directories(out);
    if (::mount("tmpfs", out.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    m_mounted = out;
    const std::string reason = std::make_error_code(std::errc::no_space_on_device).message();
    std::set<std::vector<std::string>> seen;
    for (const Call& call : calls()) {
        if (!seen.insert(call.args).second) continue;
        SCOPED_TRACE(call.args[0]);
        fs::remove(out / "filler");
        writeEarlier(out);
        {
            std::ofstream fill(out / "filler", std::ios::binary);
            const std::vector<char> block(4096, 'f');
            while (fill.write(block.data(), 4096) && fill.flush()) {
            }
        }
        const std::set<std::string> before = namesIn(out);
        const CliResult r = run(call.args, out);
        EXPECT_TRUE(failsWithOneLine(r));
        // A set may fail on any of its files: the name's stem is checked.
        EXPECT_NE(r.err.find((out / call.written.substr(0, 2)).string()), std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
        EXPECT_TRUE(earlierKept(out));
        EXPECT_EQ(namesIn(out), before);
    }
}
