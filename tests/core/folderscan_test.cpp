// Folder scans for snapshot bitmaps: which files count, in which order, and how
// errors and odd entries are handled.
#include "core/folderscan.h"
#include "core/record.h"
#include "files.h"
#include "images.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace calivue;
using calivue::test::writeAll;

namespace {

const std::vector<std::uint8_t>& validRecord()
{
    static const std::vector<std::uint8_t> bytes = [] {
        auto img = test::makeUniform(2932);
        return encodeRecord(*img);
    }();
    return bytes;
}

class FolderScanTest : public ::testing::Test {
protected:
    test::TempDir m_tmp{"calivue_scan_"};
    const fs::path m_dir = m_tmp.path();

    // A bitmap (content irrelevant to the scan) and a record named recordName beside it.
    void snapshot(const fs::path& bmp, const std::string& recordName)
    {
        writeAll(bmp, "BM");
        writeAll(bmp.parent_path() / recordName, validRecord());
    }

    std::vector<std::string> names(const ScanResult& r)
    {
        std::vector<std::string> out;
        for (const fs::path& p : r.paths) out.push_back(p.lexically_relative(m_dir).string());
        return out;
    }
};

using Names = std::vector<std::string>;

}  // namespace

// Catches separators not honoured, empty entries kept, or a leading dot doubled.
TEST(FolderScanExtensions, SplitAtCommaSemicolonAndHash)
{
    EXPECT_EQ(splitExtensions("bmp;jpg,png#tif"), (Names{"bmp", "jpg", "png", "tif"}));
    EXPECT_EQ(splitExtensions("bmp;;,"), (Names{"bmp"}));
    EXPECT_EQ(splitExtensions(" .BMP "), (Names{"BMP"}));
    EXPECT_TRUE(splitExtensions("").empty());
}

// Catches bitmaps listed without a decodable record beside them, and companions
// or extensions that must match in exact case.
TEST_F(FolderScanTest, OnlyBitmapsWithDecodableRecordAreListed)
{
    snapshot(m_dir / "A.bmp", "A.qvx");
    writeAll(m_dir / "B.bmp", "BM");  // no record
    writeAll(m_dir / "C.bmp", "BM");
    std::vector<std::uint8_t> corrupt = validRecord();
    corrupt[4] = 'X';
    writeAll(m_dir / "C.qvx", corrupt);
    writeAll(m_dir / "E.bmp", "BM");
    writeAll(m_dir / "E.qvx", "");  // empty record file
    snapshot(m_dir / "IR_0001.BMP", "IR_0001.QVX");
    snapshot(m_dir / "mixed.Bmp", "MIXED.qVx");
    snapshot(m_dir / "notes.txt", "notes.qvx");

    EXPECT_EQ(names(scanFolder(m_dir, "bmp")), (Names{"A.bmp", "IR_0001.BMP", "mixed.Bmp"}));
    EXPECT_EQ(names(scanFolder(m_dir, "BMP")), (Names{"A.bmp", "IR_0001.BMP", "mixed.Bmp"}));
}

// Catches enumeration order leaking through, lower-case folding ("_" before
// letters, unlike Windows), or an unstable order of names equal but for case.
TEST_F(FolderScanTest, FilesSortedByUpperCasedNameThenExactName)
{
    for (const char* n : {"b", "a", "A", "C", "_x", "10", "9", "Ab", "aB"})
        snapshot(m_dir / (std::string(n) + ".bmp"), std::string(n) + ".qvx");
    EXPECT_EQ(names(scanFolder(m_dir, "bmp")), (Names{"10.bmp", "9.bmp", "A.bmp", "a.bmp", "Ab.bmp",
                                                      "aB.bmp", "b.bmp", "C.bmp", "_x.bmp"}));
}

// Catches directories or hidden files treated as snapshots.
TEST_F(FolderScanTest, DirectoriesAndHiddenFilesAreSkipped)
{
    snapshot(m_dir / ".hidden.bmp", ".hidden.qvx");
    fs::create_directories(m_dir / "folder.bmp");
    writeAll(m_dir / "folder.qvx", validRecord());
    snapshot(m_dir / "shown.bmp", "shown.qvx");
    EXPECT_EQ(names(scanFolder(m_dir, "bmp")), (Names{"shown.bmp"}));
}

// Catches extensions visited in sorted rather than list order, and a file listed
// twice when two list entries match it.
TEST_F(FolderScanTest, ExtensionsInListOrderEachFileOnce)
{
    snapshot(m_dir / "a.bmp", "a.qvx");
    snapshot(m_dir / "z.jpg", "z.qvx");
    EXPECT_EQ(names(scanFolder(m_dir, "jpg;bmp")), (Names{"z.jpg", "a.bmp"}));
    EXPECT_EQ(names(scanFolder(m_dir, "bmp#BMP,Bmp")), (Names{"a.bmp"}));
}

// Catches a walk that lists subfolders before the folder's own files, skips hidden
// folders, sorts subfolders by exact case, or lists hidden files inside them.
TEST_F(FolderScanTest, WalkListsOwnFilesThenSubfoldersDepthFirst)
{
    snapshot(m_dir / "b.bmp", "b.qvx");
    snapshot(m_dir / "A.BMP", "A.QVX");
    snapshot(m_dir / "sub2" / "x.bmp", "x.qvx");
    snapshot(m_dir / "Sub1" / "y.bmp", "y.qvx");
    snapshot(m_dir / "Sub1" / "deep" / "z.bmp", "z.qvx");
    snapshot(m_dir / "Sub1" / "deep" / ".z.bmp", ".z.qvx");
    snapshot(m_dir / ".hidden" / "h.bmp", "h.qvx");
    snapshot(m_dir / "Sub1" / "w.jpg", "w.qvx");  // only bitmaps in a walk

    const ScanResult r = walkFolderTree(m_dir);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(names(r), (Names{"A.BMP", "b.bmp", ".hidden/h.bmp", "Sub1/y.bmp", "Sub1/deep/z.bmp",
                               "sub2/x.bmp"}));
    EXPECT_EQ(names(scanFolder(m_dir, "bmp")), (Names{"A.BMP", "b.bmp"}));
}

// Catches a missing folder reported as an error (it just holds no snapshots) or a throw.
TEST_F(FolderScanTest, MissingFolderGivesEmptyListWithoutError)
{
    for (const ScanResult& r :
         {scanFolder(m_dir / "nope", "bmp"), walkFolderTree(m_dir / "nope")}) {
        EXPECT_TRUE(r.paths.empty());
        EXPECT_TRUE(r.ok());
    }
}

// Catches an endless walk through a link loop, files listed twice through a link
// to a folder, and enumeration errors that throw or are dropped.
TEST_F(FolderScanTest, LinksToFoldersAreNotWalkedAndListingErrorsAreReported)
{
    snapshot(m_dir / "a.bmp", "a.qvx");
    fs::create_directory_symlink(m_dir, m_dir / "again");
    fs::create_symlink(m_dir / "loop", m_dir / "loop");  // a link to itself
    snapshot(m_dir / "real.bmp", "real.qvx");
    fs::create_symlink(m_dir / "real.bmp", m_dir / "link.bmp");  // links to files count
    fs::create_symlink(m_dir / "real.qvx", m_dir / "link.qvx");

    const ScanResult r = walkFolderTree(m_dir);
    EXPECT_EQ(names(r), (Names{"a.bmp", "link.bmp", "real.bmp"}));
    EXPECT_TRUE(r.ok());

    const ScanResult broken = scanFolder(m_dir / "loop", "bmp");
    EXPECT_TRUE(broken.paths.empty());
    ASSERT_EQ(broken.errors.size(), 1u);
    EXPECT_EQ(broken.errors[0].folder, m_dir / "loop");
    EXPECT_TRUE(broken.errors[0].code);
    EXPECT_FALSE(walkFolderTree(m_dir / "loop").ok());
}

// Catches an unreadable subfolder that aborts the whole walk (needs a non-root user).
TEST_F(FolderScanTest, UnreadableSubfolderIsReportedAndTheRestStillListed)
{
    if (::geteuid() == 0) GTEST_SKIP() << "root can read any folder";
    snapshot(m_dir / "a.bmp", "a.qvx");
    snapshot(m_dir / "locked" / "l.bmp", "l.qvx");
    snapshot(m_dir / "z" / "z.bmp", "z.qvx");
    fs::permissions(m_dir / "locked", fs::perms::none);
    const ScanResult r = walkFolderTree(m_dir);
    EXPECT_EQ(names(r), (Names{"a.bmp", "z/z.bmp"}));
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0].folder, m_dir / "locked");
}
