// calivue-cli project-info and project-write with extension sections: the
// JSON round trip byte for byte, the shape of a section, and refused input.
#include "clitest.h"
#include "cli/projectcommands.h"

namespace calivue::clitest {
namespace {

using Json = nlohmann::ordered_json;

const fs::path kCorpus =
    fs::path(CALIVUE_TEST_DATA) / ".." / ".." / "fuzz" / "corpus" / "reportproject";

class ProjectExtCli : public CliTest {
protected:
    void writeText(const std::string& rel, const std::string& text)
    {
        writeAll(path(rel), std::vector<std::uint8_t>(text.begin(), text.end()));
    }
};

// Catches a section dropped, reordered or altered on the way through JSON, and
// ignored bytes written back: info then write gives the file again.
TEST_F(ProjectExtCli, InfoThenWriteReproducesTheFile)
{
    for (const auto& [file, ignored] : std::vector<std::pair<const char*, std::size_t>>{
             {"two_13", 0}, {"two_13_ext", 0}, {"empty_13_ext_trailing", 2}}) {
        const CliResult info = runCli({"project-info", (kCorpus / file).string()});
        ASSERT_EQ(info.code, 0) << file << ": " << info.err;
        EXPECT_EQ(Json::parse(info.out)["ignored_trailing_bytes"], ignored) << file;
        writeText("p.json", info.out);
        const CliResult write = runCli({"project-write", path("p.json"), path("p.vrp")});
        ASSERT_EQ(write.code, 0) << file << ": " << write.err;
        const auto original = readAll(kCorpus / file);
        EXPECT_EQ(readAll(path("p.vrp")),
                  std::vector<std::uint8_t>(original.begin(), original.end() - ignored))
            << file;
    }
}

// Catches another shape of a section: tag, version and lower-case hex data.
TEST_F(ProjectExtCli, InfoPrintsSectionsInFileOrder)
{
    const Json j = Json::parse(runCli({"project-info", (kCorpus / "two_13_ext").string()}).out);
    ASSERT_EQ(j["extensions"].size(), 4u);
    EXPECT_EQ(j["extensions"][2], Json({{"tag", "EMPT"}, {"version", 0}, {"data", ""}}));
    EXPECT_EQ(j["extensions"][1]["tag"], "zq01");
    EXPECT_EQ(j["extensions"][1]["data"].get<std::string>().substr(0, 8), "00010203");
    EXPECT_EQ(j["extensions"][1]["data"].get<std::string>().substr(504), "fcfdfeff");
    EXPECT_EQ(j["extensions"][3]["version"], 65535);
    const Json plain = Json::parse(runCli({"project-info", (kCorpus / "two_13").string()}).out);
    EXPECT_EQ(plain["extensions"], Json::array());
}

// Catches a missing version not defaulted, upper-case hex refused, and a
// damaged block read as no block.
TEST_F(ProjectExtCli, WriteDefaultsAndDamagedBlocks)
{
    writeText("in.json", R"({"extensions": [{"tag": "ABCD", "data": "0A0b"}, {"tag": "zz99"}]})");
    ASSERT_EQ(runCli({"project-write", path("in.json"), path("p.vrp")}).code, 0);
    const Json j = Json::parse(runCli({"project-info", path("p.vrp")}).out);
    EXPECT_EQ(j["extensions"][0], Json({{"tag", "ABCD"}, {"version", 1}, {"data", "0a0b"}}));
    EXPECT_EQ(j["extensions"][1], Json({{"tag", "zz99"}, {"version", 1}, {"data", ""}}));

    for (const char* crasher :
         {"vrp_ext_version_2", "vrp_ext_tag_twice", "vrp_ext_signature_only"}) {
        const std::string crasherPath =
            (fs::path(CALIVUE_TEST_DATA) / "crashers" / crasher).string();
        const CliResult r = runCli({"project-info", crasherPath});
        EXPECT_EQ(r.err.rfind("Error reading VRP file: " + crasherPath + ": ", 0), 0u) << r.err;
    }
}

// Each malformed section is refused with one line and no file; catches a tag,
// version or data the reader would refuse (or misread) getting into a file.
TEST_F(ProjectExtCli, WriteRefusesBadSections)
{
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"not an array", R"({"extensions": {}})"},
        {"section not an object", R"({"extensions": ["FIND"]})"},
        {"unknown key", R"({"extensions": [{"tag": "FIND", "size": 1}]})"},
        {"no tag", R"({"extensions": [{"data": ""}]})"},
        {"short tag", R"({"extensions": [{"tag": "FIN"}]})"},
        {"tag outside the set", R"({"extensions": [{"tag": "FI-D"}]})"},
        {"tag twice", R"({"extensions": [{"tag": "FIND"}, {"tag": "FIND"}]})"},
        {"version over 16 bits", R"({"extensions": [{"tag": "FIND", "version": 65536}]})"},
        {"negative version", R"({"extensions": [{"tag": "FIND", "version": -1}]})"},
        {"fractional version", R"({"extensions": [{"tag": "FIND", "version": 1.5}]})"},
        {"odd hex", R"({"extensions": [{"tag": "FIND", "data": "abc"}]})"},
        {"not hex", R"({"extensions": [{"tag": "FIND", "data": "zz"}]})"},
        {"signed hex", R"({"extensions": [{"tag": "FIND", "data": "+1"}]})"},
        {"data not a string", R"({"extensions": [{"tag": "FIND", "data": [1]}]})"},
    };
    for (const auto& [what, text] : bad) {
        writeText("bad.json", text);
        const CliResult r = runCli({"project-write", path("bad.json"), path("bad.vrp")});
        EXPECT_TRUE(failsWithOneLine(r)) << what;
        EXPECT_NE(r.err.find("extensions"), std::string::npos) << what << ": " << r.err;
        EXPECT_FALSE(fs::exists(path("bad.vrp"))) << what;
    }
}

}  // namespace
}  // namespace calivue::clitest
