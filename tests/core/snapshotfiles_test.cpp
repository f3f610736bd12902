// The snapshot file set: record and bitmap paths, opening by either name with
// camera-style upper-case companions, the cursor list, and Save / Save As.
#include "core/cursorlist.h"
#include "core/errorreason.h"
#include "core/fileio.h"
#include "core/folderscan.h"
#include "core/record.h"
#include "core/snapshotfiles.h"
#include "files.h"
#include "images.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace calivue;
using calivue::test::bytesOf;
using calivue::test::readAll;
using calivue::test::setText;
using calivue::test::writeAll;

namespace {

// Record bytes of a small synthetic snapshot: a gradient, three cursors, a voice note.
std::vector<std::uint8_t> recordBytes(const std::function<void(RecordFields&)>& setup = {})
{
    auto img = test::makeImage([](int x, int row) { return 2900 + x / 4 + row / 3; },
                               [&](RecordFields& f) {
                                   f.version = {3, 0};
                                   f.capture.year = 2011;
                                   f.cursorCount = 3;
                                   f.cursorX = {10, 20, 30};
                                   f.cursorY = {0, 239, 100};
                                   f.emissivity[0] = 91;
                                   f.emissivity[1] = 92;
                                   f.emissivity[2] = 93;
                                   // Stored bands, so a load does not derive new ones.
                                   f.blueLower = 2950;
                                   f.blueUpper = 2960;
                                   f.redLower = 3000;
                                   f.redUpper = 3010;
                                   if (setup) setup(f);
                               });
    return encodeRecord(*img);
}

class SnapshotFilesTest : public ::testing::Test {
protected:
    test::TempDir m_tmp{"calivue_snapfiles_"};
    const fs::path m_dir = m_tmp.path();

    // A camera-style set NAME.BMP, NAME.QVX and (when voice) NAME.WAV named in text B.
    void makeCameraSet(const fs::path& dir, const std::string& name, bool voice)
    {
        fs::create_directories(dir);
        writeAll(dir / (name + ".QVX"), recordBytes([&](RecordFields& f) {
                     if (voice) setText(f.textB, name + ".WAV");
                 }));
        writeAll(dir / (name + ".BMP"), "bitmap of " + name);
        if (voice) writeAll(dir / (name + ".WAV"), "voice of " + name);
    }

    std::size_t fileCount(const fs::path& dir)
    {
        std::size_t n = 0;
        for (const auto& e : fs::directory_iterator(dir)) n += e.is_regular_file() ? 1 : 0;
        return n;
    }
};

}  // namespace

// Catches cutting at a dot in a folder name, or losing the dot before the extension.
TEST(SnapshotPaths, CompanionNamesReplaceOnlyTheFileExtension)
{
    EXPECT_EQ(recordPathOf("/a/pic.bmp"), fs::path("/a/pic.qvx"));
    EXPECT_EQ(recordPathOf("/a/IR_0001.BMP"), fs::path("/a/IR_0001.qvx"));
    EXPECT_EQ(recordPathOf("/a/x.y.bmp"), fs::path("/a/x.y.qvx"));
    EXPECT_EQ(recordPathOf("/a.b/pic"), fs::path("/a.b/pic.qvx"));
    EXPECT_EQ(recordPathOf("pic."), fs::path("pic.qvx"));
    EXPECT_EQ(bitmapPathOf("/c/d/old.qvx"), fs::path("/c/d/old.bmp"));
    EXPECT_EQ(voicePathOf("/c/d/old.BMP"), fs::path("/c/d/old.wav"));
}

// Catches a case-sensitive suffix test, or a hook that changes the rest of the path.
TEST(SnapshotPaths, OpenHookTurnsAnyCaseQvxIntoUpperCaseBmp)
{
    EXPECT_EQ(openPathHook("/A/Pic.qvx"), fs::path("/A/Pic.BMP"));
    EXPECT_EQ(openPathHook("/a/pic.QvX"), fs::path("/a/pic.BMP"));
    EXPECT_EQ(openPathHook("/a/pic.bmp"), fs::path("/a/pic.bmp"));
    EXPECT_EQ(openPathHook("/a/picqvx"), fs::path("/a/picqvx"));
}

// Catches a text read past its first zero byte or one that stops early.
TEST(SnapshotPaths, RecordTextEndsAtFirstZero)
{
    const std::array<std::uint8_t, 6> t{'a', 0xB0, 'b', 0, 'z', 0};
    EXPECT_EQ(recordText(t), std::string("a\xB0"
                                         "b"));
    const std::array<std::uint8_t, 3> full{'x', 'y', 'z'};
    EXPECT_EQ(recordText(full), "xyz");
}

// Catches upper-case camera names that fail to open on a case-sensitive file system.
TEST_F(SnapshotFilesTest, OpensCameraSetByAnySpellingOfBmpOrQvxName)
{
    makeCameraSet(m_dir, "IR_0001", false);
    for (const char* name :
         {"IR_0001.BMP", "IR_0001.bmp", "IR_0001.qvx", "IR_0001.QVX", "ir_0001.Bmp"}) {
        SCOPED_TRACE(name);
        cBrixa img;
        ASSERT_EQ(openSnapshot(m_dir / name, img), Error::None);
        EXPECT_NE(img.hasImage(), nullptr);
        EXPECT_EQ(img.fields.capture.year, 2011);
        EXPECT_EQ(img.filePath(), m_dir / "IR_0001.QVX");
    }
}

// Catches a case-insensitive match taking precedence over the exact name.
TEST_F(SnapshotFilesTest, ExactRecordNameWinsOverOtherSpelling)
{
    writeAll(m_dir / "pic.qvx", recordBytes([](RecordFields& f) { f.capture.year = 2013; }));
    writeAll(m_dir / "PIC.QVX", recordBytes([](RecordFields& f) { f.capture.year = 2014; }));
    cBrixa img;
    ASSERT_EQ(openSnapshot(m_dir / "pic.bmp", img), Error::None);
    EXPECT_EQ(img.fields.capture.year, 2013);
    ASSERT_EQ(openSnapshot(m_dir / "PIC.BMP", img), Error::None);
    EXPECT_EQ(img.fields.capture.year, 2014);
}

// Catches a failed open that reports success or leaves a half-loaded image behind.
TEST_F(SnapshotFilesTest, MissingEmptyOrCorruptRecordFailsAndLeavesNoImage)
{
    cBrixa img;
    EXPECT_EQ(openSnapshot(m_dir / "none.bmp", img), Error::NotFound);
    EXPECT_EQ(img.hasImage(), nullptr);

    writeAll(m_dir / "empty.qvx", "");
    EXPECT_NE(openSnapshot(m_dir / "empty.bmp", img), Error::None);
    EXPECT_EQ(img.hasImage(), nullptr);

    std::vector<std::uint8_t> bad = recordBytes();
    bad[6] = 'W';  // "QVW"
    writeAll(m_dir / "bad.qvx", bad);
    ASSERT_EQ(openSnapshot(m_dir / "good.bmp", img), Error::NotFound);
    EXPECT_NE(openSnapshot(m_dir / "bad.bmp", img), Error::None);
    EXPECT_EQ(img.hasImage(), nullptr);

    fs::create_directories(m_dir / "dir.qvx");
    EXPECT_EQ(openSnapshot(m_dir / "dir.bmp", img), Error::NotRegular);
    EXPECT_EQ(img.hasImage(), nullptr);
}

// Catches a FIFO named like a record being opened (the read would wait for a writer
// forever), in the open and in a folder scan's record check, and the reasons the user is
// told for each kind of failure.
TEST_F(SnapshotFilesTest, NonRegularRecordIsRefusedWithoutBlocking)
{
    ASSERT_EQ(::mkfifo((m_dir / "fifo.qvx").c_str(), 0600), 0);
    cBrixa img;
    EXPECT_EQ(openSnapshot(m_dir / "fifo.bmp", img), Error::NotRegular);
    EXPECT_EQ(img.hasImage(), nullptr);
    EXPECT_EQ(readFilePrefix(m_dir / "fifo.qvx", 10).error(), Error::NotRegular);
    EXPECT_FALSE(hasSnapshotRecord(m_dir / "fifo.bmp"));

    const auto reason = [](Error e) { return errorReason(e, FileKind::SnapshotRecord).english; };
    EXPECT_EQ(reason(Error::NotFound), "not found");
    EXPECT_EQ(reason(Error::ReadFailed), "not readable");
    EXPECT_EQ(reason(Error::NotRegular), "not a regular file");
    for (Error e : {Error::Empty, Error::BadMagic, Error::BadVersion, Error::Corrupted})
        EXPECT_EQ(reason(e), "not a snapshot record");
}

// Catches a cut record that opens as whole: it decodes (zeros in the missing bytes) and
// says it is incomplete; a whole record and a reset image do not.
TEST_F(SnapshotFilesTest, ShortRecordOpensMarkedIncomplete)
{
    std::vector<std::uint8_t> bytes = recordBytes();
    writeAll(m_dir / "whole.qvx", bytes);
    bytes.resize(5000);
    writeAll(m_dir / "cut.qvx", bytes);
    cBrixa img;
    ASSERT_EQ(openSnapshot(m_dir / "cut.bmp", img), Error::None);
    EXPECT_TRUE(img.isIncomplete());
    ASSERT_EQ(openSnapshot(m_dir / "whole.bmp", img), Error::None);
    EXPECT_FALSE(img.isIncomplete());
    ASSERT_EQ(openSnapshot(m_dir / "cut.bmp", img), Error::None);
    img.reset();
    EXPECT_FALSE(img.isIncomplete());
}

// Catches y not turned into an array row, emissivities taken from the wrong entry,
// or a corrupt cursor count overrunning the ten slots.
TEST(CursorList, SlotsFollowRecordCursorsAndCountIsLimitedToTen)
{
    RecordFields f;
    f.cursorCount = 3;
    f.cursorX = {10, 20, 30, 40};
    f.cursorY = {0, 239, 100, 7};
    f.emissivity = {91, 92, 93, 94, 95, 96, 97, 98, 99, 90, 50};
    CursorSlots s = cursorSlotsFromRecord(f);
    EXPECT_EQ(s[0], (CursorSlot{true, 10, 239, 91}));
    EXPECT_EQ(s[1], (CursorSlot{true, 20, 0, 92}));
    EXPECT_EQ(s[2], (CursorSlot{true, 30, 139, 93}));
    for (std::size_t i = 3; i < s.size(); ++i) EXPECT_FALSE(s[i].inUse) << i;

    f.cursorCount = 200;
    s = cursorSlotsFromRecord(f);
    for (const CursorSlot& slot : s) EXPECT_TRUE(slot.inUse);
    EXPECT_EQ(s[9].emissivity, 90);
}

// Catches slots kept at their own index, stale cursors left behind, or the image
// emissivity (entry 10) being reset together with the cursor emissivities.
TEST(CursorList, SlotsTwoFiveNineBecomeRecordCursorsOneToThree)
{
    RecordFields f;
    f.cursorCount = 7;
    f.cursorX.fill(99);
    f.cursorY.fill(98);
    f.emissivity.fill(42);
    CursorSlots slots{};
    slots[2] = {true, 5, 239, 80};
    slots[5] = {true, 6, 0, 81};
    slots[9] = {true, 319, 100, 82};
    applyCursorSlots(f, slots);
    EXPECT_EQ(f.cursorCount, 3);
    EXPECT_EQ(f.cursorX, (std::array<std::uint16_t, 10>{5, 6, 319, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(f.cursorY, (std::array<std::uint16_t, 10>{0, 239, 139, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(f.emissivity,
              (std::array<std::uint8_t, 11>{80, 81, 82, 100, 100, 100, 100, 100, 100, 100, 42}));
}

// Catches a Save As that loses the camera's upper-case voice note, leaves the old
// name (or its tail) in text B, or forgets to carry the bitmap along.
TEST_F(SnapshotFilesTest, SaveAsRenamesVoiceNoteAndCopiesWavAndBmp)
{
    makeCameraSet(m_dir / "card", "IR_0003", true);
    cBrixa img;
    const fs::path current = m_dir / "card" / "IR_0003.BMP";
    ASSERT_EQ(openSnapshot(current, img), Error::None);
    // A long old name makes sure the whole 32-byte field is replaced.
    setText(img.fields.textB, "IR_0003_with_a_long_tail_xx.WAV");
    const CursorSlots slots = cursorSlotsFromRecord(img.fields);

    fs::create_directories(m_dir / "out");
    SavedSnapshot saved;
    ASSERT_EQ(saveSnapshot(img, current, m_dir / "out" / "new.bmp", slots, &saved), Error::None);
    EXPECT_EQ(saved.bitmap, m_dir / "out" / "new.bmp");
    EXPECT_EQ(saved.record, m_dir / "out" / "new.qvx");
    EXPECT_EQ(saved.voice, m_dir / "out" / "new.wav");
    EXPECT_EQ(img.filePath(), m_dir / "out" / "new.qvx");

    std::array<std::uint8_t, 32> expected{};
    setText(expected, "new.wav");
    EXPECT_EQ(img.fields.textB, expected);

    cBrixa back;
    ASSERT_EQ(openSnapshot(m_dir / "out" / "new.bmp", back), Error::None);
    EXPECT_EQ(back.fields.textB, expected);
    EXPECT_EQ(back.fields.cursorCount, 3);
    EXPECT_EQ(back.fields.cursorY[2], 100);
    EXPECT_EQ(readAll(m_dir / "out" / "new.wav"), readAll(m_dir / "card" / "IR_0003.WAV"));
    EXPECT_EQ(readAll(m_dir / "out" / "new.bmp"), readAll(current));
    EXPECT_EQ(fileCount(m_dir / "out"), 3u);
}

// Catches a .wav copied for a snapshot without a voice note, or text B rewritten
// when it does not name a .wav file.
TEST_F(SnapshotFilesTest, NoVoiceNoteMeansNoWavCopyAndTextBUntouched)
{
    makeCameraSet(m_dir / "card", "IR_0001", false);
    writeAll(m_dir / "card" / "IR_0001.WAV", "stray voice file");
    for (const char* textB : {"", "notes.txt"}) {
        SCOPED_TRACE(textB);
        cBrixa img;
        const fs::path current = m_dir / "card" / "IR_0001.BMP";
        ASSERT_EQ(openSnapshot(current, img), Error::None);
        setText(img.fields.textB, textB);
        const auto before = img.fields.textB;
        const fs::path out = m_dir / ("out" + std::to_string(std::strlen(textB)));
        fs::create_directories(out);
        SavedSnapshot saved;
        ASSERT_EQ(
            saveSnapshot(img, current, out / "new.bmp", cursorSlotsFromRecord(img.fields), &saved),
            Error::None);
        EXPECT_EQ(img.fields.textB, before);
        EXPECT_FALSE(fs::exists(out / "new.wav"));
        EXPECT_TRUE(saved.voice.empty());
        EXPECT_TRUE(fs::exists(out / "new.bmp"));
    }
}

// Catches a voice note lost because its file is not named after the snapshot.
TEST_F(SnapshotFilesTest, SaveAsFindsVoiceNoteByItsRecordedName)
{
    makeCameraSet(m_dir, "IR_0007", false);
    writeAll(m_dir / "MEMO0001.WAV", "memo");
    cBrixa img;
    ASSERT_EQ(openSnapshot(m_dir / "IR_0007.BMP", img), Error::None);
    setText(img.fields.textB, "memo0001.wav");
    fs::create_directories(m_dir / "out");
    ASSERT_EQ(saveSnapshot(img, m_dir / "IR_0007.BMP", m_dir / "out" / "kept.bmp",
                           cursorSlotsFromRecord(img.fields)),
              Error::None);
    EXPECT_EQ(readAll(m_dir / "out" / "kept.wav"), readAll(m_dir / "MEMO0001.WAV"));
    EXPECT_EQ(recordText(img.fields.textB), "kept.wav");
}

// Catches cursors saved at their slot index instead of packed, and y not turned
// back from the array row.
TEST_F(SnapshotFilesTest, SaveRebuildsRecordCursorsFromSlots)
{
    makeCameraSet(m_dir, "IR_0002", false);
    cBrixa img;
    ASSERT_EQ(openSnapshot(m_dir / "IR_0002.BMP", img), Error::None);
    CursorSlots slots{};
    slots[2] = {true, 11, 239, 70};
    slots[5] = {true, 12, 0, 71};
    slots[9] = {true, 13, 200, 72};
    ASSERT_EQ(saveSnapshot(img, m_dir / "IR_0002.BMP", m_dir / "moved.bmp", slots), Error::None);
    cBrixa back;
    ASSERT_EQ(openSnapshot(m_dir / "moved.bmp", back), Error::None);
    EXPECT_EQ(back.fields.cursorCount, 3);
    EXPECT_EQ(back.fields.cursorX[0], 11);
    EXPECT_EQ(back.fields.cursorY[0], 0);
    EXPECT_EQ(back.fields.cursorY[1], 239);
    EXPECT_EQ(back.fields.cursorY[2], 39);
    EXPECT_EQ(back.fields.emissivity[2], 72);
    for (int i = 3; i < 10; ++i) {
        EXPECT_EQ(back.fields.cursorX[static_cast<std::size_t>(i)], 0);
        EXPECT_EQ(back.fields.emissivity[static_cast<std::size_t>(i)], 100);
    }
    const CursorSlots reread = cursorSlotsFromRecord(back.fields);
    EXPECT_EQ(reread[0], slots[2]);
    EXPECT_EQ(reread[2], slots[9]);
}

// Catches a save that changes record bytes it has no business touching: with the
// cursor list as loaded, only the modified time (16–22) may differ.
TEST_F(SnapshotFilesTest, SaveKeepsEveryOtherRecordByte)
{
    makeCameraSet(m_dir, "IR_0004", true);
    const std::vector<std::uint8_t> original = readAll(m_dir / "IR_0004.QVX");
    cBrixa img;
    ASSERT_EQ(openSnapshot(m_dir / "IR_0004.BMP", img), Error::None);
    ASSERT_EQ(saveSnapshot(img, m_dir / "IR_0004.BMP", m_dir / "IR_0004.BMP",
                           cursorSlotsFromRecord(img.fields)),
              Error::None);
    const std::vector<std::uint8_t> saved = readAll(m_dir / "IR_0004.QVX");
    ASSERT_EQ(saved.size(), original.size());
    for (std::size_t i = 0; i < saved.size(); ++i)
        if (i < 16 || i > 22) {
            ASSERT_EQ(saved[i], original[i]) << "byte " << i;
        }
}

// Catches Save under the same camera name creating lower-case duplicates beside
// the upper-case files, or damaging the files copied onto themselves.
TEST_F(SnapshotFilesTest, SaveOntoItselfRewritesRecordInPlaceAndKeepsFiles)
{
    makeCameraSet(m_dir, "IR_0005", true);
    const auto bmp = readAll(m_dir / "IR_0005.BMP");
    const auto wav = readAll(m_dir / "IR_0005.WAV");
    cBrixa img;
    ASSERT_EQ(openSnapshot(m_dir / "IR_0005.BMP", img), Error::None);
    img.fields.palette = 4;
    SavedSnapshot saved;
    ASSERT_EQ(saveSnapshot(img, m_dir / "IR_0005.BMP", m_dir / "IR_0005.BMP",
                           cursorSlotsFromRecord(img.fields), &saved),
              Error::None);
    EXPECT_EQ(fileCount(m_dir), 3u);
    EXPECT_EQ(saved.record, m_dir / "IR_0005.QVX");
    EXPECT_EQ(saved.voice, m_dir / "IR_0005.WAV");
    EXPECT_EQ(readAll(m_dir / "IR_0005.BMP"), bmp);
    EXPECT_EQ(readAll(m_dir / "IR_0005.WAV"), wav);
    EXPECT_EQ(recordText(img.fields.textB), "IR_0005.WAV");
    cBrixa back;
    ASSERT_EQ(openSnapshot(m_dir / "IR_0005.BMP", back), Error::None);
    EXPECT_EQ(back.fields.palette, 4);
}

// Catches a failed write reported as success, copies made after a failed write,
// text B left renamed, or the previous files damaged.
TEST_F(SnapshotFilesTest, FailedSaveReportsFailureCopiesNothingAndKeepsOldFiles)
{
    makeCameraSet(m_dir / "card", "IR_0003", true);
    const fs::path current = m_dir / "card" / "IR_0003.BMP";
    const auto oldRecord = readAll(m_dir / "card" / "IR_0003.QVX");
    cBrixa img;
    ASSERT_EQ(openSnapshot(current, img), Error::None);
    const auto textB = img.fields.textB;

    // A directory where the record should go.
    fs::create_directories(m_dir / "blocked" / "new.qvx");
    EXPECT_EQ(saveSnapshot(img, current, m_dir / "blocked" / "new.bmp",
                           cursorSlotsFromRecord(img.fields)),
              Error::WriteFailed);
    EXPECT_FALSE(fs::exists(m_dir / "blocked" / "new.bmp"));
    EXPECT_FALSE(fs::exists(m_dir / "blocked" / "new.wav"));
    EXPECT_TRUE(fs::is_directory(m_dir / "blocked" / "new.qvx"));

    // A target folder that cannot exist: its parent is a file.
    writeAll(m_dir / "plainfile", "x");
    EXPECT_EQ(saveSnapshot(img, current, m_dir / "plainfile" / "new.bmp",
                           cursorSlotsFromRecord(img.fields)),
              Error::WriteFailed);

    EXPECT_EQ(img.fields.textB, textB);
    EXPECT_EQ(readAll(m_dir / "card" / "IR_0003.QVX"), oldRecord);
    EXPECT_EQ(fileCount(m_dir / "card"), 3u);
    EXPECT_EQ(fileCount(m_dir / "blocked"), 0u);
}

// Catches a save into a read-only folder that claims success (needs a non-root user).
TEST_F(SnapshotFilesTest, SaveIntoReadOnlyFolderFails)
{
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    makeCameraSet(m_dir, "IR_0001", false);
    cBrixa img;
    ASSERT_EQ(openSnapshot(m_dir / "IR_0001.BMP", img), Error::None);
    fs::create_directories(m_dir / "locked");
    fs::permissions(m_dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(saveSnapshot(img, m_dir / "IR_0001.BMP", m_dir / "locked" / "new.bmp",
                           cursorSlotsFromRecord(img.fields)),
              Error::WriteFailed);
    EXPECT_FALSE(fs::exists(m_dir / "locked" / "new.bmp"));
}

// Catches saving an image that holds no record (it would write an empty file).
TEST_F(SnapshotFilesTest, SavingWithoutRecordIsRefused)
{
    cBrixa img;
    EXPECT_EQ(saveSnapshot(img, {}, m_dir / "x.bmp", CursorSlots{}), Error::NotLoaded);
    EXPECT_FALSE(fs::exists(m_dir / "x.qvx"));
}

// Save As writes its files as one set. Every write of the set is made to fail in
// turn, outright or short: catches a failed copy reported as success (a truncated
// .bmp or .wav over the old one), a set half replaced, a temporary left behind,
// text B left renamed, or a failure that does not name its file.
TEST_F(SnapshotFilesTest, SaveAsIsOneOperationWhateverWriteFails)
{
    makeCameraSet(m_dir / "card", "IR_0003", true);
    const fs::path current = m_dir / "card" / "IR_0003.BMP";
    const fs::path out = m_dir / "out";
    const std::vector<fs::path> targets = {out / "new.qvx", out / "new.wav", out / "new.bmp"};
    for (const bool shortWrite : {false, true}) {
        std::set<fs::path> failedFiles;
        for (int nth = 1; nth < 20; ++nth) {
            SCOPED_TRACE(std::to_string(nth) + (shortWrite ? " short" : " failing"));
            fs::remove_all(out);
            fs::create_directories(out);
            for (const fs::path& t : targets) writeAll(t, "previous " + t.filename().string());
            cBrixa img;
            ASSERT_EQ(openSnapshot(current, img), Error::None);
            const auto textB = img.fields.textB;
            fileio_hooks::setWriteFault(fileio_hooks::WriteFault{{}, nth, shortWrite});
            FileFailure failure;
            const Error e = saveSnapshot(img, current, out / "new.bmp",
                                         cursorSlotsFromRecord(img.fields), nullptr, &failure);
            fileio_hooks::setWriteFault(std::nullopt);
            if (e == Error::None) {  // nth is past the last write of the set
                EXPECT_EQ(readAll(out / "new.bmp"), readAll(current));
                EXPECT_EQ(readAll(out / "new.wav"), readAll(m_dir / "card" / "IR_0003.WAV"));
                break;
            }
            EXPECT_EQ(e, Error::WriteFailed);
            EXPECT_EQ(failure.reason, std::make_error_code(std::errc::no_space_on_device));
            failedFiles.insert(failure.path);
            EXPECT_EQ(img.fields.textB, textB);
            for (const fs::path& t : targets)
                EXPECT_EQ(readAll(t), bytesOf("previous " + t.filename().string())) << t;
            EXPECT_EQ(fileCount(out), 3u) << "a temporary was left";
        }
        EXPECT_EQ(failedFiles, std::set<fs::path>(targets.begin(), targets.end()));
    }
}

// Catches a Save As whose .bmp name is a folder writing the record and voice
// note and reporting success without the bitmap.
TEST_F(SnapshotFilesTest, SaveAsOntoFolderNamedLikeTheBitmapChangesNothing)
{
    makeCameraSet(m_dir / "card", "IR_0003", true);
    const fs::path current = m_dir / "card" / "IR_0003.BMP";
    fs::create_directories(m_dir / "out" / "new.bmp");
    writeAll(m_dir / "out" / "new.qvx", "previous record");
    cBrixa img;
    ASSERT_EQ(openSnapshot(current, img), Error::None);
    FileFailure failure;
    EXPECT_EQ(saveSnapshot(img, current, m_dir / "out" / "new.bmp",
                           cursorSlotsFromRecord(img.fields), nullptr, &failure),
              Error::WriteFailed);
    EXPECT_EQ(failure.path, m_dir / "out" / "new.bmp");
    EXPECT_EQ(failure.reason, std::make_error_code(std::errc::is_a_directory));
    EXPECT_EQ(readAll(m_dir / "out" / "new.qvx"), bytesOf("previous record"));
    EXPECT_FALSE(fs::exists(m_dir / "out" / "new.wav"));
    EXPECT_EQ(fileCount(m_dir / "out"), 1u);
}
