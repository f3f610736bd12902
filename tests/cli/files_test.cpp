// `csv`, `save-as` and `scan` through the command line.
#include "clitest.h"

#include "core/csvexport.h"
#include "core/snapshotfiles.h"

#include <fstream>

using namespace calivue;
using namespace calivue::clitest;

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

std::string fileText(const fs::path& p)
{
    const std::vector<std::uint8_t> b = readAll(p);
    return {b.begin(), b.end()};
}

}  // namespace

// Catches the csv command writing anything but the Excel Output text.
TEST_F(CliTest, CsvWritesExcelOutputOfSnapshot)
{
    writeAll(m_dir / "u.QVX", recordBytes([](int, int) { return 2932; }));
    CliResult r = runCli({"csv", path("u.qvx"), path("u.csv")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    std::string line;
    for (int i = 0; i < 320; ++i) line += "20.000, ";
    line += "\n";
    std::string expected;
    for (int i = 0; i < 240; ++i) expected += line;
    EXPECT_EQ(fileText(m_dir / "u.csv"), expected);
}

// Catches a CSV of a real scene that differs from the core's export or breaks the
// line structure (negative readings of the wind-turbine scene included).
TEST(CliSamples, CsvOfSamplesMatchesCoreExport)
{
    const fs::path dir = samplesDir();
    if (dir.empty()) GTEST_SKIP() << "no sample snapshots in " << CALIVUE_SAMPLES;
    const test::TempDir tmpDir("calivue_cli_csv_");
    const fs::path out = tmpDir / "out.csv";
    for (const char* name : {"IR_0001.BMP", "IR_0008.QVX"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(runCli({"csv", (dir / name).string(), out.string()}).code, 0);
        cBrixa img;
        ASSERT_EQ(openSnapshot(dir / name, img), Error::None);
        const std::string text = fileText(out);
        EXPECT_EQ(text, csvText(img));
        const std::vector<std::string> rows = lines(text);
        ASSERT_EQ(rows.size(), 240u);
        for (const std::string& row : rows) {
            std::size_t commas = 0;
            for (char c : row) commas += c == ',';
            ASSERT_EQ(commas, 320u);
            ASSERT_EQ(row.substr(row.size() - 2), ", ");
        }
    }
    const std::string turbine = fileText(out);
    EXPECT_NE(turbine.find("-3"), std::string::npos);  // a cold night sky
}

// Catches a save-as that loses the upper-case voice note, keeps the old name in
// text B, or changes the cursors it should carry over.
TEST_F(CliTest, SaveAsCarriesVoiceNoteBitmapAndCursors)
{
    writeAll(m_dir / "card" / "IR_0009.QVX", recordBytes([](int x, int) { return 2900 + x; },
                                                         [](RecordFields& f) {
                                                             setText(f.textB, "IR_0009.WAV");
                                                             f.cursorCount = 2;
                                                             f.cursorX = {5, 6};
                                                             f.cursorY = {7, 8};
                                                         }));
    writeAll(m_dir / "card" / "IR_0009.BMP", cameraBitmap({1, 2, 3}, {4, 5, 6}));
    writeAll(m_dir / "card" / "IR_0009.WAV", std::vector<std::uint8_t>{'R', 'I', 'F', 'F'});
    fs::create_directories(m_dir / "out");

    CliResult r = runCli({"save-as", path("card/IR_0009.qvx"), path("out/new.bmp")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    EXPECT_EQ(readAll(m_dir / "out" / "new.wav"), readAll(m_dir / "card" / "IR_0009.WAV"));
    EXPECT_EQ(readAll(m_dir / "out" / "new.bmp"), readAll(m_dir / "card" / "IR_0009.BMP"));

    const nlohmann::json j = nlohmann::json::parse(runCli({"info", path("out/new.bmp")}).out);
    EXPECT_EQ(j["voice"], "new.wav");
    EXPECT_EQ(j["cursors"], nlohmann::json({{5, 7}, {6, 8}}));
}

// The real panel sample with its voice note, saved under a new name.
TEST(CliSamples, SaveAsOfPanelSampleKeepsItsVoiceNote)
{
    const fs::path dir = samplesDir();
    if (dir.empty()) GTEST_SKIP() << "no sample snapshots in " << CALIVUE_SAMPLES;
    const test::TempDir tmpDir("calivue_cli_saveas_");
    const fs::path& tmp = tmpDir.path();
    for (const char* ext : {".BMP", ".QVX", ".WAV"})
        fs::copy_file(dir / (std::string("IR_0003") + ext), tmp / (std::string("IR_0003") + ext));
    CliResult r = runCli({"save-as", (tmp / "IR_0003.BMP").string(), (tmp / "panel.bmp").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readAll(tmp / "panel.wav"), readAll(dir / "IR_0003.WAV"));
    EXPECT_EQ(readAll(tmp / "panel.bmp"), readAll(dir / "IR_0003.BMP"));
    const nlohmann::json before =
        nlohmann::json::parse(runCli({"info", (dir / "IR_0003.BMP").string()}).out);
    const nlohmann::json after =
        nlohmann::json::parse(runCli({"info", (tmp / "panel.bmp").string()}).out);
    EXPECT_EQ(after["voice"], "panel.wav");
    for (const char* key :
         {"cursors", "comments", "caption", "span", "capture", "stats", "isotherms"})
        EXPECT_EQ(after[key], before[key]) << key;
    // The four cursors in use keep their emissivity and reading; the unused record
    // slots are cleared to emissivity 1.00 by the save, as the record layout demands.
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(after["cursor_emissivity"][i],
                  i < 4 ? before["cursor_emissivity"][i] : nlohmann::json(100));
    for (std::size_t i : {0u, 1u, 2u, 3u, 10u, 11u})
        EXPECT_EQ(after["markers"][i], before["markers"][i]) << i;
}

// Catches scan output in enumeration order, relative paths, hidden files listed,
// or subfolders walked without --subfolders.
TEST_F(CliTest, ScanListsSnapshotsInOrderWithOptionalSubfolders)
{
    const auto record = recordBytes([](int, int) { return 3000; });
    for (const char* rel : {"b.bmp", "A.BMP", "sub/c.bmp", ".hid/d.bmp", ".e.bmp"}) {
        const fs::path bmp = m_dir / rel;
        writeAll(bmp, std::vector<std::uint8_t>{'B', 'M'});
        writeAll(recordPathOf(bmp), record);
    }
    writeAll(m_dir / "lonely.bmp", std::vector<std::uint8_t>{'B', 'M'});

    CliResult flat = runCli({"scan", m_dir.string()});
    ASSERT_EQ(flat.code, 0) << flat.err;
    EXPECT_EQ(lines(flat.out), (std::vector<std::string>{path("A.BMP"), path("b.bmp")}));

    CliResult deep = runCli({"scan", m_dir.string(), "--subfolders"});
    ASSERT_EQ(deep.code, 0) << deep.err;
    EXPECT_EQ(lines(deep.out), (std::vector<std::string>{path("A.BMP"), path("b.bmp"),
                                                         path(".hid/d.bmp"), path("sub/c.bmp")}));
    for (const std::string& l : lines(deep.out)) EXPECT_TRUE(fs::path(l).is_absolute()) << l;
}

// The sample folder lists its eight snapshots in name order.
TEST(CliSamples, ScanOfSampleFolderListsEightSnapshots)
{
    const fs::path dir = samplesDir();
    if (dir.empty()) GTEST_SKIP() << "no sample snapshots in " << CALIVUE_SAMPLES;
    CliResult r = runCli({"scan", dir.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> got = lines(r.out);
    ASSERT_EQ(got.size(), 8u);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(fs::path(got[static_cast<std::size_t>(i)]).filename(),
                  fs::path("IR_000" + std::to_string(i + 1) + ".BMP"));
}

// Catches save-as writing a stored palette above 7 (the document saves 1, Ironbow)
// and a record without a span saved without the span it was shown with.
TEST_F(CliTest, SaveAsKeepsThePaletteAndSpanTheDocumentShows)
{
    for (int stored : {8, 9, 5}) {
        SCOPED_TRACE(stored);
        writeAll(m_dir / "p.qvx", recordBytes([](int, int) { return 3000; },
                                              [&](RecordFields& f) {
                                                  f.palette = static_cast<std::uint8_t>(stored);
                                                  f.spanLow = f.spanHigh = 0;
                                                  f.fallbackLow = 2800;
                                                  f.fallbackHigh = 3200;
                                              }));
        ASSERT_EQ(runCli({"save-as", path("p.qvx"), path("s.bmp")}).code, 0);
        cBrixa saved;
        ASSERT_EQ(openSnapshot(m_dir / "s.bmp", saved), Error::None);
        EXPECT_EQ(saved.fields.palette, stored > 7 ? 1 : stored);
        EXPECT_EQ(saved.fields.spanLow, 2800);
        EXPECT_EQ(saved.fields.spanHigh, 3200);
    }
}

// Catches a truncated record that opens without a word, or whose warning turns the
// command into a failure.
TEST_F(CliTest, TruncatedRecordWarnsAndStillSucceeds)
{
    std::vector<std::uint8_t> whole = recordBytes([](int, int) { return 3000; });
    whole.resize(5000);
    writeAll(m_dir / "cut.qvx", whole);
    const std::string warning = "Warning: The snapshot record in " + path("cut.qvx") +
                                " is incomplete; the missing readings show as zero.\n";
    for (const std::vector<std::string>& call : {std::vector<std::string>{"info", path("cut.qvx")},
                                                 {"csv", path("cut.qvx"), path("c.csv")},
                                                 {"render", path("cut.qvx"), path("c.bmp")}}) {
        const CliResult r = runCli(call);
        EXPECT_EQ(r.code, 0) << call[0];
        EXPECT_EQ(r.err, warning) << call[0];
    }
    writeAll(m_dir / "whole.qvx", recordBytes([](int, int) { return 3000; }));
    EXPECT_EQ(runCli({"info", path("whole.qvx")}).err, "");
}

// Catches save-as exiting 0 when its bitmap copy fails (a short write, a folder
// of the new .bmp name) and a message that does not say which file and why.
TEST_F(CliTest, SaveAsFailureNamesTheFileAndKeepsTheOldSet)
{
    writeAll(m_dir / "card" / "IR_0009.QVX",
             recordBytes([](int x, int) { return 2900 + x; },
                         [](RecordFields& f) { setText(f.textB, "IR_0009.WAV"); }));
    writeAll(m_dir / "card" / "IR_0009.BMP", cameraBitmap({1, 2, 3}, {4, 5, 6}));
    writeAll(m_dir / "card" / "IR_0009.WAV", std::vector<std::uint8_t>{'R', 'I', 'F', 'F'});
    const std::vector<std::uint8_t> previous = {'o', 'l', 'd'};
    writeAll(m_dir / "out" / "new.bmp", previous);
    writeAll(m_dir / "out" / "new.qvx", previous);

    fileio_hooks::setWriteFault(fileio_hooks::WriteFault{m_dir / "out" / "new.bmp", 1, true});
    CliResult r = runCli({"save-as", path("card/IR_0009.qvx"), path("out/new.bmp")});
    fileio_hooks::setWriteFault(std::nullopt);
    EXPECT_TRUE(failsWithOneLine(r));
    EXPECT_NE(r.err.find(path("out/new.bmp") + ": " +
                         std::make_error_code(std::errc::no_space_on_device).message()),
              std::string::npos)
        << r.err;
    EXPECT_EQ(readAll(m_dir / "out" / "new.bmp"), previous);
    EXPECT_EQ(readAll(m_dir / "out" / "new.qvx"), previous);
    EXPECT_FALSE(fs::exists(m_dir / "out" / "new.wav"));

    fs::create_directories(m_dir / "dir" / "new.bmp");
    r = runCli({"save-as", path("card/IR_0009.qvx"), path("dir/new.bmp")});
    EXPECT_TRUE(failsWithOneLine(r));
    EXPECT_NE(r.err.find(std::make_error_code(std::errc::is_a_directory).message()),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(m_dir / "dir" / "new.qvx"));
}
