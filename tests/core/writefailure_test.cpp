// Every writer of the core against a write that fails: a fault injected into the
// file layer (outright, or half the bytes then a full disk), a target whose parent
// is a file, and (where the test may mount one) a full tmpfs. For each: the earlier
// file stays byte for byte, no temporary is left beside it, and the failure names
// the file and the system's reason.
#include "files.h"
#include "images.h"
#include "core/bitmapfile.h"
#include "core/csvexport.h"
#include "core/fileio.h"
#include "core/reportproject.h"
#include "core/snapshotfiles.h"
#include "core/tolla.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <sys/mount.h>

namespace fs = std::filesystem;
using namespace calivue;
using calivue::test::bytesOf;
using calivue::test::readAll;
using calivue::test::writeAll;

namespace {

std::set<std::string> namesIn(const fs::path& dir)
{
    std::set<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        names.insert(it->path().filename().string());
    return names;
}

// One writer: what it is called, the file the fault is aimed at (as the writer
// names it), and the write itself into a folder, giving the failure it reports.
struct Writer {
    std::string name;
    std::string target;
    std::function<FileFailure(const fs::path& dir)> write;
};

class WriteFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(m_dir / "src");
        // A camera set with a voice note, the source of every snapshot save.
        cBrixa img;
        img.fields.version = {3, 0};
        test::setText(img.fields.textB, "IR_0003.WAV");
        img.setRawPixels(std::vector<std::uint16_t>(kPixels, 3000));
        writeAll(m_dir / "src" / "IR_0003.QVX", encodeRecord(img));
        writeAll(m_dir / "src" / "IR_0003.BMP", std::vector<std::uint8_t>(40000, 'b'));
        writeAll(m_dir / "src" / "IR_0003.WAV", std::vector<std::uint8_t>(30000, 'w'));
    }
    void TearDown() override
    {
        if (m_mounted) ::umount2(m_mounted->c_str(), MNT_DETACH);
    }

    FileFailure saveSnapshotAs(const fs::path& newBmp)
    {
        const fs::path current = m_dir / "src" / "IR_0003.BMP";
        cBrixa img;
        EXPECT_EQ(openSnapshot(current, img), Error::None);
        FileFailure failure;
        EXPECT_EQ(saveSnapshot(img, current, newBmp, cursorSlotsFromRecord(img.fields), nullptr,
                               &failure),
                  Error::WriteFailed);
        return failure;
    }

    std::vector<Writer> writers()
    {
        auto loaded = test::makeUniform(2932);
        std::shared_ptr<cBrixa> image(std::move(loaded));
        std::vector<std::uint8_t> photo(kTollaSize);
        std::copy_n("ZPQ", 3, photo.begin() + 54);
        photo[57] = 1;
        photo[58] = 3;
        ReportProject project;
        project.records.emplace_back().name = u"Pump";
        project.entries.push_back({u"/x/IR_1.QVX", u"/x/IR_1.BMP", 0});
        return {
            {"save as: record", "new.qvx",
             [this](const fs::path& d) { return saveSnapshotAs(d / "new.bmp"); }},
            {"save as: photograph", "new.bmp",
             [this](const fs::path& d) { return saveSnapshotAs(d / "new.bmp"); }},
            {"save as: voice note", "new.wav",
             [this](const fs::path& d) { return saveSnapshotAs(d / "new.bmp"); }},
            {"photograph alignment save", "photo.tol",
             [photo](const fs::path& d) {
                 cTolla t;
                 EXPECT_EQ(t.loadFromBytes(photo), Error::None);
                 FileFailure f;
                 EXPECT_NE(t.save(d / "photo.tol", &f), Error::None);
                 return f;
             }},
            {"csv", "out.csv",
             [image](const fs::path& d) {
                 FileFailure f;
                 EXPECT_EQ(exportCsv(*image, d / "out.csv", &f), Error::WriteFailed);
                 return f;
             }},
            {"bitmap", "out.bmp",
             [](const fs::path& d) {
                 FileFailure f;
                 const std::vector<std::uint8_t> rows(8 * 4 * 3, 0x55);
                 EXPECT_EQ(writeBmp24(d / "out.bmp", 8, 4, rows, &f), Error::WriteFailed);
                 return f;
             }},
            {"project", "p.vrp",
             [project](const fs::path& d) {
                 FileFailure f;
                 EXPECT_EQ(writeReportProjectFile(d / "p.vrp", project, &f), Error::WriteFailed);
                 return f;
             }},
        };
    }

    // A 256 KiB tmpfs at dir, filled up to the last byte; false when mounting is not permitted.
    bool mountFullTmpfs(const fs::path& dir)
    {
        fs::create_directories(dir);
        if (::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=256k") != 0) return false;
        m_mounted = dir;
        return true;
    }
    static void fillUp(const fs::path& dir)
    {
        std::ofstream fill(dir / "filler", std::ios::binary);
        const std::vector<char> block(4096, 'f');
        while (fill.write(block.data(), static_cast<std::streamsize>(block.size())) &&
               fill.flush()) {
        }
    }

    test::TempDir m_tmp{"calivue_writefail_"};
    const fs::path m_dir = m_tmp.path();
    std::optional<fs::path> m_mounted;
};

}  // namespace

// The injected fault, outright and short: catches a writer that takes a short write
// for success, renames a partial file over the earlier one, leaves its temporary, or
// reports a failure that does not name the file and the reason.
TEST_F(WriteFailure, InjectedFaultKeepsTheEarlierFileAndNamesIt)
{
    for (const Writer& w : writers()) {
        for (const bool shortWrite : {false, true}) {
            SCOPED_TRACE(w.name + (shortWrite ? ", short write" : ", refused write"));
            const fs::path dir = m_dir / "out";
            fs::remove_all(dir);
            const fs::path target = dir / w.target;
            writeAll(target, bytesOf("earlier " + w.target));
            const std::set<std::string> before = namesIn(dir);
            fileio_hooks::setWriteFault(fileio_hooks::WriteFault{target, 1, shortWrite});
            const FileFailure failure = w.write(dir);
            fileio_hooks::setWriteFault(std::nullopt);
            EXPECT_EQ(failure.path, target);
            EXPECT_EQ(failure.reason, std::make_error_code(std::errc::no_space_on_device));
            EXPECT_EQ(readAll(target), bytesOf("earlier " + w.target));
            EXPECT_EQ(namesIn(dir), before);
        }
    }
}

// A target whose folder is a file (what a read-only folder is to root, who may
// write anywhere): catches a writer that reports success or names no file.
TEST_F(WriteFailure, TargetUnderAFileIsRefusedWithItsName)
{
    writeAll(m_dir / "plain", bytesOf("a file, not a folder"));
    for (const Writer& w : writers()) {
        if (w.target != "new.qvx" && w.name.starts_with("save as"))
            continue;  // the set stops at its first file
        SCOPED_TRACE(w.name);
        const FileFailure failure = w.write(m_dir / "plain");
        EXPECT_EQ(failure.path, m_dir / "plain" / w.target);
        EXPECT_EQ(failure.reason, std::make_error_code(std::errc::not_a_directory));
        EXPECT_EQ(readAll(m_dir / "plain"), bytesOf("a file, not a folder"));
    }
}

// A real full disk, where the test may mount a tmpfs: catches what the injected
// fault cannot, a writer whose own checks miss the system's ENOSPC.
TEST_F(WriteFailure, FullFileSystemKeepsTheEarlierFile)
{
    const fs::path dir = m_dir / "full";
    if (!mountFullTmpfs(dir)) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    std::set<std::string> failed;
    for (const Writer& w : writers()) {
        SCOPED_TRACE(w.name);
        fs::remove(dir / "filler");
        for (const char* name : {"new.qvx", "new.bmp", "new.wav"})
            writeAll(dir / name, bytesOf(std::string("earlier ") + name));
        writeAll(dir / w.target, bytesOf("earlier " + w.target));
        fillUp(dir);
        const std::set<std::string> before = namesIn(dir);
        const FileFailure failure = w.write(dir);
        failed.insert(failure.path.filename().string());
        EXPECT_EQ(failure.reason, std::make_error_code(std::errc::no_space_on_device));
        EXPECT_EQ(readAll(dir / w.target), bytesOf("earlier " + w.target));
        EXPECT_EQ(namesIn(dir), before);
    }
    // The snapshot set fails at its first file on a full disk; each other writer at its own.
    EXPECT_TRUE(failed.contains("new.qvx"));
    EXPECT_TRUE(failed.contains("p.vrp"));
}
