// The atomic writer and every core writer under injected write failures: the
// previous file survives byte for byte, no temporary is left, the failure names
// the file and the reason.
#include "core/bitmapfile.h"
#include "core/csvexport.h"
#include "core/fileio.h"
#include "core/reportproject.h"
#include "core/snapshotfiles.h"
#include "files.h"
#include "images.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace calivue;
using calivue::test::bytesOf;
using calivue::test::readAll;
using calivue::test::writeAll;

namespace {

// Every entry of the folder, so a left temporary shows by name.
std::vector<std::string> entries(const fs::path& dir)
{
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

class FileIoTest : public ::testing::Test {
protected:
    void TearDown() override { fileio_hooks::setWriteFault(std::nullopt); }
    test::TempDir m_tmp{"calivue_fileio_"};
    const fs::path m_dir = m_tmp.path();
};

}  // namespace

// Catches a replace that widens a private file's permissions, turns a symbolic
// link into a plain file (leaving the file it names stale), or leaves a temporary.
TEST_F(FileIoTest, ReplaceKeepsModeAndWritesThroughLinks)
{
    const fs::path file = m_dir / "private.vrp";
    writeAll(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    ASSERT_EQ(writeFileAtomically(file, bytesOf("new")), Error::None);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    fs::create_directories(m_dir / "real");
    writeAll(m_dir / "real" / "target.csv", "old");
    fs::create_symlink(fs::path("real") / "target.csv", m_dir / "link.csv");  // relative link
    fs::create_symlink(m_dir / "link.csv", m_dir / "chain.csv");
    for (const char* name : {"link.csv", "chain.csv"}) {
        ASSERT_EQ(writeFileAtomically(m_dir / name, bytesOf(name)), Error::None) << name;
        EXPECT_TRUE(fs::is_symlink(m_dir / name)) << name;
        EXPECT_EQ(readAll(m_dir / "real" / "target.csv"), bytesOf(name));
    }
    EXPECT_EQ(entries(m_dir),
              (std::vector<std::string>{"chain.csv", "link.csv", "private.vrp", "real"}));
    EXPECT_EQ(entries(m_dir / "real"), std::vector<std::string>{"target.csv"});
}

// Catches a failure reported without the file or the reason, and a target that
// is a folder refused only at the rename.
TEST_F(FileIoTest, FailuresNameFileAndReason)
{
    struct Case {
        const char* name;
        fs::path target;
        std::errc reason;
    };
    fs::create_directories(m_dir / "folder.bmp");
    writeAll(m_dir / "plain", "x");
    const Case cases[] = {
        {"target is a folder", m_dir / "folder.bmp", std::errc::is_a_directory},
        {"parent is a file", m_dir / "plain" / "x.csv", std::errc::not_a_directory},
        {"parent is missing", m_dir / "none" / "x.csv", std::errc::no_such_file_or_directory},
    };
    for (const Case& c : cases) {
        FileFailure failure;
        EXPECT_EQ(writeFileAtomically(c.target, bytesOf("x"), &failure), Error::WriteFailed)
            << c.name;
        EXPECT_EQ(failure.path, c.target) << c.name;
        EXPECT_EQ(failure.reason, std::make_error_code(c.reason)) << c.name;
        EXPECT_NE(describe(failure).find(c.target.string()), std::string::npos) << c.name;
    }
    EXPECT_EQ(entries(m_dir), (std::vector<std::string>{"folder.bmp", "plain"}));
}

// Every core writer with a write that fails outright or stores half its bytes:
// catches a short write taken for a whole one, a failed write reported as
// success, a temporary left behind and a previous file touched.
TEST_F(FileIoTest, EveryWriterSurvivesFailedWrites)
{
    const auto img = test::makeImage([](int x, int row) { return 2900 + x + row; });
    const std::vector<std::uint8_t> pixels(8 * 4 * 3, 0x5A);
    ReportProject project;
    project.records.emplace_back().name = std::u16string(5000, u'n');
    project.entries.push_back({u"/x/IR_1.QVX", u"/x/IR_1.BMP", 0});
    struct Writer {
        const char* name;
        const char* file;
        std::function<Error(const fs::path&, FileFailure*)> write;
    };
    const Writer writers[] = {
        {"csv", "out.csv", [&](auto& p, auto* f) { return exportCsv(*img, p, f); }},
        {"project", "out.vrp",
         [&](auto& p, auto* f) { return writeReportProjectFile(p, project, f); }},
        {"bitmap", "out.bmp", [&](auto& p, auto* f) { return writeBmp24(p, 8, 4, pixels, f); }},
    };
    for (const Writer& w : writers) {
        for (const bool shortWrite : {false, true}) {
            SCOPED_TRACE(std::string(w.name) + (shortWrite ? " short" : " failing"));
            const fs::path target = m_dir / w.file;
            writeAll(target, "previous");
            ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
            fileio_hooks::setWriteFault(fileio_hooks::WriteFault{target, 1, shortWrite});
            FileFailure failure;
            EXPECT_EQ(w.write(target, &failure), Error::WriteFailed);
            EXPECT_EQ(failure.path, target);
            EXPECT_EQ(failure.reason, std::make_error_code(std::errc::no_space_on_device));
            EXPECT_EQ(readAll(target), bytesOf("previous"));
            EXPECT_EQ(entries(m_dir), std::vector<std::string>{w.file});
            // The fault fired once: the next write replaces the file, mode kept.
            ASSERT_EQ(w.write(target, nullptr), Error::None);
            EXPECT_NE(readAll(target), bytesOf("previous"));
            struct stat st {};
            ASSERT_EQ(::stat(target.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, 0640u);
            fs::remove(target);
        }
    }
}
