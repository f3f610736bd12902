// `report` writing a Word document: the format chosen by the output's extension or --format,
// and a document that cannot be written failing with one line and no file.
#ifdef CALIVUE_CLI_THUMBNAIL
#include "clitest.h"

#include "core/reportproject.h"

using namespace calivue;
using namespace calivue::clitest;

namespace {

class CliReportFormat : public CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        writeAll(m_dir / "IR_0001.QVX", recordBytes([](int x, int) { return 2900 + x; }));
        writeAll(m_dir / "IR_0001.BMP", cameraBitmap({10, 20, 30}, {40, 50, 60}));
        ReportProject project;
        project.entries.push_back(
            {(m_dir / "IR_0001.QVX").u16string(), (m_dir / "IR_0001.BMP").u16string(), 0});
        project.records.resize(1);
        project.records[0].name = u"Pump";
        ASSERT_EQ(writeReportProjectFile(m_dir / "p.vrp", project), Error::None);
    }
};

// Catches the extension or --format ignored (a PDF named .docx, or the reverse), an upper-case
// extension missed, and an unknown format accepted.
TEST_F(CliReportFormat, TheExtensionOrFormatChoosesTheDocument)
{
    const struct {
        std::string name;
        std::vector<std::string> options;
        std::string magic, said;
    } cases[] = {
        {"a.docx", {}, "PK\x03\x04", "1 inspections"},
        {"B.DOCX", {}, "PK\x03\x04", "1 inspections"},
        {"c.pdf", {"--format", "docx"}, "PK\x03\x04", "1 inspections"},
        {"d.docx", {"--format", "pdf"}, "%PDF-", "4 pages"},
        {"e", {}, "%PDF-", "4 pages"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"report", (m_dir / "p.vrp").string(),
                                         (m_dir / c.name).string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliResult r = runCli(args);
        EXPECT_EQ(r.code, 0) << c.name << ": " << r.err;
        EXPECT_EQ(r.out, (m_dir / c.name).string() + ": " + c.said + "\n") << c.name;
        const std::vector<std::uint8_t> bytes = readAll(m_dir / c.name);
        EXPECT_TRUE(bytes.size() > c.magic.size() &&
                    std::equal(c.magic.begin(), c.magic.end(), bytes.begin()))
            << c.name;
    }
    EXPECT_NE(runCli({"report", (m_dir / "p.vrp").string(), (m_dir / "f.docx").string(), "--format",
                      "odt"})
                  .code,
              0);
    EXPECT_FALSE(fs::exists(m_dir / "f.docx"));
}

// Catches a failed document reported as written, and a message without the file or reason.
TEST_F(CliReportFormat, AnUnwritableDocumentFailsWithOneLine)
{
    writeAll(m_dir / "afile", std::vector<std::uint8_t>{1});
    const fs::path out = m_dir / "afile" / "r.docx";
    const CliResult r = runCli({"report", (m_dir / "p.vrp").string(), out.string()});
    EXPECT_TRUE(failsWithOneLine(r));
    EXPECT_NE(r.err.find("Could not write the Word document " + out.string() + ": "),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(out));
}

}  // namespace
#endif
