// The equipment data through the command line: the project JSON keys both ways (and the very
// bytes of a project without them), bad input refused by key, and equipment-import and
// equipment-export with a CSV list.
#include "clitest.h"

namespace calivue::clitest {
namespace {

using Json = nlohmann::ordered_json;

class EquipmentCli : public CliTest {
protected:
    void writeText(const std::string& rel, const std::string& text)
    {
        writeAll(path(rel), std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    CliResult write(const std::string& text, const std::string& out)
    {
        writeText("in.json", text);
        return runCli({"project-write", path("in.json"), path(out)});
    }
    Json info(const std::string& rel)
    {
        const CliResult r = runCli({"project-info", path(rel)});
        EXPECT_EQ(r.code, 0) << r.err;
        return Json::parse(r.out);
    }
};

const char* const kEntries =
    R"("entries": [{"snapshot_path": "a.qvx"}, {"snapshot_path": "b.qvx"}, {"snapshot_path": "a.qvx"}])";

std::string project(const std::string& equipment, const std::string& record2,
                    const std::string& more = "")
{
    return std::string("{") + kEntries + R"(, "records": [{}, {}, {)" + record2 + "}]" +
           (equipment.empty() ? "" : R"(, "equipment": )" + equipment) + more + "}";
}

const char* const kList = R"([
    {"id": "MCC-1", "location": "Plant room", "description": "MCC", "rated_load": "400 A",
     "status": "inspected"},
    {"id": "DB-2", "status": "not inspected", "reason": "inaccessible"}])";

// Catches a key lost or renamed either way, a link given to the wrong inspection, and the
// section also printed raw among the extensions.
TEST_F(EquipmentCli, EveryKeyBothWays)
{
    const CliResult w = write(
        project(kList, R"("equipment_id": "MCC-1")", R"(, "previous_project": "/s/2025.vrp")"),
        "p.vrp");
    ASSERT_EQ(w.code, 0) << w.err;
    const Json j = info("p.vrp");
    ASSERT_EQ(j["equipment"].size(), 2u);
    EXPECT_EQ(j["equipment"][0], Json({{"id", "MCC-1"},
                                       {"location", "Plant room"},
                                       {"description", "MCC"},
                                       {"rated_load", "400 A"},
                                       {"status", "inspected"},
                                       {"reason", nullptr}}));
    EXPECT_EQ(j["equipment"][1]["status"], "not inspected");
    EXPECT_EQ(j["equipment"][1]["reason"], "inaccessible");
    EXPECT_TRUE(j["equipment"][1]["rated_load"].is_null());
    EXPECT_EQ(j["previous_project"], "/s/2025.vrp");
    EXPECT_TRUE(j["records"][0]["equipment_id"].is_null());
    EXPECT_TRUE(j["records"][1]["equipment_id"].is_null());
    EXPECT_EQ(j["records"][2]["equipment_id"], "MCC-1");
    EXPECT_EQ(j["extensions"], Json::array());

    const std::string printed = j.dump(2);
    writeText("again.json", printed);
    ASSERT_EQ(runCli({"project-write", path("again.json"), path("again.vrp")}).code, 0);
    EXPECT_EQ(readAll(path("again.vrp")), readAll(path("p.vrp")));
}

// Catches the section read with another layout than the one written (the corpus file is built
// byte by byte by fuzz/make_reportproject_inputs.py), and info then write not giving it again.
TEST_F(EquipmentCli, CorpusFileReadsAndWritesBack)
{
    const fs::path file = fs::path(CALIVUE_TEST_DATA) / ".." / ".." / "fuzz" / "corpus" /
                          "reportproject" / "two_13_equipment";
    const CliResult r = runCli({"project-info", file.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const Json j = Json::parse(r.out);
    EXPECT_EQ(j["previous_project"], "/surveys/2025.vrp");
    EXPECT_EQ(j["equipment"][1]["description"], "Board \u00b5");
    EXPECT_EQ(j["equipment"][1]["reason"], "inaccessible");
    EXPECT_EQ(j["equipment"][0]["rated_load"], "400 A");
    EXPECT_EQ(j["records"][0]["equipment_id"], "MCC-1");
    EXPECT_EQ(j["records"][1]["equipment_id"], "DB-2");
    writeText("p.json", r.out);
    ASSERT_EQ(runCli({"project-write", path("p.json"), path("p.vrp")}).code, 0);
    EXPECT_EQ(readAll(path("p.vrp")), readAll(file));
}

// Catches a section written without equipment data: keys absent, or given as empty, write the
// bytes of a project without them.
TEST_F(EquipmentCli, NoEquipmentWritesTheSameBytes)
{
    ASSERT_EQ(write(project("", ""), "plain.vrp").code, 0);
    const Json j = info("plain.vrp");
    EXPECT_EQ(j["equipment"], Json::array());
    EXPECT_TRUE(j["previous_project"].is_null());
    ASSERT_EQ(
        write(project("[]", R"("equipment_id": null)", R"(, "previous_project": null)"), "same.vrp")
            .code,
        0);
    EXPECT_EQ(readAll(path("same.vrp")), readAll(path("plain.vrp")));
}

// Each bad value: one line naming the key, exit non-zero, no file.
TEST_F(EquipmentCli, BadInputIsRefusedByKey)
{
    const std::pair<std::string, std::string> cases[] = {
        {project(R"({"id": "A"})", ""), "equipment"},
        {project(R"([{"location": "x"}])", ""), "equipment[0].id"},
        {project(R"([{"id": 5}])", ""), "equipment[0].id"},
        {project(R"([{"id": ""}])", ""), "equipment[0].id"},
        {project(R"([{"id": "A"}, {"id": "A"}])", ""), "equipment[1].id"},
        {project(R"([{"id": "A", "status": "done"}])", ""), "equipment[0].status"},
        {project(R"([{"id": "A", "status": "inspected", "reason": "x"}])", ""),
         "equipment[0].reason"},
        {project(R"([{"id": "A", "rating": "x"}])", ""), "equipment[0].rating"},
        {project(R"([{"id": "A"}])", R"("equipment_id": "B")"), "records[2].equipment_id"},
        {project("", R"("equipment_id": "B")"), "records[2].equipment_id"},
        {project(R"([{"id": "A"}])", R"("equipment_id": 1)"), "records[2].equipment_id"},
        {project("", "", R"(, "previous_project": 3)"), "previous_project"},
        {project(kList, "", R"(, "extensions": [{"tag": "EQPT"}])"), "extensions"},
    };
    for (const auto& [text, key] : cases) {
        SCOPED_TRACE(key);
        const CliResult r = write(text, "bad.vrp");
        EXPECT_TRUE(failsWithOneLine(r));
        EXPECT_EQ(r.err.rfind("Invalid project JSON: " + path("in.json") + ": " + key + ":", 0), 0u)
            << r.err;
        EXPECT_FALSE(fs::exists(path("bad.vrp")));
    }
}

// Catches an import that drops the links or the previous project, a bad list imported in part
// or written over the project, and an export that does not read back as the list.
TEST_F(EquipmentCli, ImportAndExportWithCsv)
{
    ASSERT_EQ(
        write(project(kList, R"("equipment_id": "DB-2")", R"(, "previous_project": "old.vrp")"),
              "p.vrp")
            .code,
        0);
    writeText("list.csv",
              "\xEF\xBB\xBFid;location;description;status;reason\r\n"
              "DB-2;Roof;\"Board; east\";inspected;\r\n"
              "TX-3;Yard;Transformer;not inspected;de-energised\r\n");
    const CliResult imported = runCli({"equipment-import", path("p.vrp"), path("list.csv")});
    ASSERT_EQ(imported.code, 0) << imported.err;
    const Json j = info("p.vrp");
    ASSERT_EQ(j["equipment"].size(), 2u);
    EXPECT_EQ(j["equipment"][0]["description"], "Board; east");
    EXPECT_EQ(j["equipment"][0]["status"], "inspected");
    EXPECT_EQ(j["equipment"][1]["reason"], "de-energised");
    EXPECT_EQ(j["records"][2]["equipment_id"], "DB-2");
    EXPECT_EQ(j["previous_project"], "old.vrp");

    ASSERT_EQ(runCli({"equipment-export", path("p.vrp"), path("out.csv")}).code, 0);
    const auto out = readAll(path("out.csv"));
    EXPECT_EQ(std::string(out.begin(), out.end()),
              "\xEF\xBB\xBFid,location,description,rated_load,status,reason\r\n"
              "DB-2,Roof,\"Board; east\",,inspected,\r\n"
              "TX-3,Yard,Transformer,,not inspected,de-energised\r\n");

    const auto before = readAll(path("p.vrp"));
    const std::pair<std::string, std::string> bad[] = {
        {"id,status\nA,done\n", ": line 2: unknown status \"done\""},
        // The project's third inspection names DB-2, which this list lacks.
        {"id\nTX-3\n", "Inspection 3 names equipment \"DB-2\""},
    };
    for (const auto& [csv, message] : bad) {
        SCOPED_TRACE(message);
        writeText("bad.csv", csv);
        const CliResult r = runCli({"equipment-import", path("p.vrp"), path("bad.csv")});
        EXPECT_TRUE(failsWithOneLine(r));
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(readAll(path("p.vrp")), before);
    }

    // A project whose equipment section does not read is left alone, not overwritten.
    ASSERT_EQ(
        write(project("", "", R"(, "extensions": [{"tag": "EQPT", "data": "00"}])"), "damaged.vrp")
            .code,
        0);
    const auto damaged = readAll(path("damaged.vrp"));
    writeText("good.csv", "id\nA\n");
    const CliResult r = runCli({"equipment-import", path("damaged.vrp"), path("good.csv")});
    EXPECT_TRUE(failsWithOneLine(r));
    EXPECT_NE(r.err.find("the equipment data: "), std::string::npos) << r.err;
    EXPECT_EQ(readAll(path("damaged.vrp")), damaged);
}

}  // namespace
}  // namespace calivue::clitest
