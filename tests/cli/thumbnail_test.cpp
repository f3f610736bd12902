// `thumbnail`: the file managers' thermal thumbnail, built with the Qt layers only.
#ifdef CALIVUE_CLI_THUMBNAIL
#include "clitest.h"

#include <QImage>

using namespace calivue;
using namespace calivue::clitest;

namespace {
QImage load(const fs::path& p)
{
    return QImage(QString::fromStdString(p.string())).convertToFormat(QImage::Format_RGB888);
}
}  // namespace

// Catches a thumbnail drawn with other settings than the record's (palette, span,
// orientation) or flipped: at full size it is the `render` picture pixel for pixel; scaled
// it keeps the aspect of the turned picture.
TEST_F(CliTest, ThumbnailIsTheRecordsOwnPictureScaled)
{
    const auto scene = [](int x, int row) { return 2900 + x / 2 + row; };
    writeAll(m_dir / "IR_0001.QVX", recordBytes(scene, [](RecordFields& f) {
                 f.palette = 4;
                 f.orientation = 1;
             }));
    ASSERT_EQ(runCli({"render", path("IR_0001.QVX"), path("r.bmp")}).code, 0);
    ASSERT_EQ(runCli({"thumbnail", path("IR_0001.QVX"), path("full.png"), "320"}).code, 0);
    const QImage full = load(m_dir / "full.png");
    EXPECT_EQ(full.size(), QSize(240, 320));
    EXPECT_EQ(full, load(m_dir / "r.bmp"));

    CliResult r = runCli({"thumbnail", path("IR_0001.QVX"), path("small.png"), "128"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(load(m_dir / "small.png").size(), QSize(96, 128));
}

// Catches a failed thumbnail that exits 0, leaves a file behind or replaces an existing one.
TEST_F(CliTest, ThumbnailOfNoSnapshotFailsWithoutOutput)
{
    writeAll(m_dir / "garbage.qvx", std::vector<std::uint8_t>(5000, 0x5A));
    writeAll(m_dir / "ok.qvx", recordBytes([](int x, int) { return 2900 + x; }));
    writeAll(m_dir / "kept.png", std::vector<std::uint8_t>{1, 2, 3});
    const std::vector<std::vector<std::string>> cases = {
        {"thumbnail", path("garbage.qvx"), path("g.png"), "128"},
        {"thumbnail", path("missing.qvx"), path("g.png"), "128"},
        {"thumbnail", path("ok.qvx"), path("g.png"), "0"},
        {"thumbnail", path("ok.qvx"), path("g.png"), "100000"},
        {"thumbnail", path("ok.qvx"), path("no/such/folder/g.png"), "64"},
        {"thumbnail", path("garbage.qvx"), path("kept.png"), "128"},
    };
    for (const auto& args : cases) {
        EXPECT_TRUE(failsWithOneLine(runCli(args))) << args[1] << " " << args[3];
        EXPECT_FALSE(fs::exists(m_dir / "g.png"));
    }
    EXPECT_EQ(readAll(m_dir / "kept.png"), (std::vector<std::uint8_t>{1, 2, 3}));
}

// Catches a thumbnail of a truncated record that gives the file manager two lines (the
// record's warning and then the failure): a failure is its own single line, a success the
// warning alone.
TEST_F(CliTest, ThumbnailOfATruncatedRecordSaysOneThing)
{
    std::vector<std::uint8_t> cut = recordBytes([](int, int) { return 3000; });
    cut.resize(5000);
    writeAll(m_dir / "cut.qvx", cut);
    const CliResult failed =
        runCli({"thumbnail", path("cut.qvx"), path("no/such/folder/t.png"), "64"});
    EXPECT_TRUE(failsWithOneLine(failed));
    EXPECT_EQ(failed.err.rfind("Cannot write " + path("no/such/folder/t.png") + ": ", 0), 0u)
        << failed.err;
    const CliResult done = runCli({"thumbnail", path("cut.qvx"), path("t.png"), "64"});
    EXPECT_EQ(done.code, 0);
    EXPECT_EQ(done.err, "Warning: The snapshot record in " + path("cut.qvx") +
                            " is incomplete; the missing readings show as zero.\n");
}

// Catches a thumbnail of a real camera snapshot that differs from its rendered picture.
TEST(CliSamples, ThumbnailOfASampleMatchesItsRender)
{
    const fs::path dir = samplesDir();
    if (dir.empty()) GTEST_SKIP() << "no sample snapshots";
    const test::TempDir tmpDir("calivue_thumb_sample_");
    const fs::path& tmp = tmpDir.path();
    ASSERT_EQ(runCli({"render", (dir / "IR_0001.QVX").string(), (tmp / "r.bmp").string()}).code, 0);
    ASSERT_EQ(
        runCli({"thumbnail", (dir / "IR_0001.QVX").string(), (tmp / "t.png").string(), "320"}).code,
        0);
    EXPECT_EQ(load(tmp / "t.png"), load(tmp / "r.bmp"));
}
#endif
