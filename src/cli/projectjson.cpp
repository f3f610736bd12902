// The report project as JSON and back, for `project-info` and `project-write`.
#include "cli/projectcommands.h"

#include "cli/equipmentjson.h"
#include "cli/findingsjson.h"
#include "cli/jsonread.h"

#include "core/equipmentcodec.h"
#include "core/findingscodec.h"
#include "core/reportstyle.h"
#include "core/textcodec.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <variant>

namespace calivue::cli {

namespace {

using OJson = nlohmann::ordered_json;
using Json = nlohmann::json;
using R = cInspectionRecord;

// One field of the record, by its name and its member, in file order.
using Member = std::variant<std::u16string R::*, std::int32_t R::*, bool R::*, cDateTime R::*>;
struct Field {
    const char* key;
    Member member;
};
const std::array<Field, 27> kRecordFields = {{
    {"name", &R::name},
    {"operatorName", &R::operatorName},
    {"location", &R::location},
    {"equipment", &R::equipment},
    {"comment", &R::comment},
    {"measured", &R::measured},
    {"rated", &R::rated},
    {"condition", &R::condition},
    {"repairPriority", &R::repairPriority},
    {"faultAction", &R::faultAction},
    {"inspectedDate", &R::inspectedDate},
    {"repairedDate", &R::repairedDate},
    {"reinspectedDate", &R::reinspectedDate},
    {"inspectedDated", &R::inspectedDated},
    {"repairedDated", &R::repairedDated},
    {"reinspectedDated", &R::reinspectedDated},
    {"inspectedInitials", &R::inspectedInitials},
    {"repairedInitials", &R::repairedInitials},
    {"reinspectedInitials", &R::reinspectedInitials},
    {"firstMeasurement", &R::firstMeasurement},
    {"secondMeasurement", &R::secondMeasurement},
    {"indoor", &R::indoor},
    {"outdoor", &R::outdoor},
    {"humidity", &R::humidity},
    {"wind", &R::wind},
    {"pressure", &R::pressure},
    {"conditionChoice", &R::conditionChoice},
}};

// A float as the shortest decimal that reads back to it (1.3, not 1.2999999523).
OJson number(float f)
{
    if (!std::isfinite(f)) return nullptr;
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf - 1, f);
    *r.ptr = '\0';
    return std::strtod(buf, nullptr);
}

OJson number(double d)
{
    if (!std::isfinite(d)) return nullptr;
    return d;
}

OJson text(const std::u16string& t)
{
    return utf16ToUtf8(t);
}

OJson dateJson(const cDateTime& d)
{
    return {{"status", d.status}, {"days", number(d.days)}};
}

std::string hex(const std::vector<std::uint8_t>& bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string s;
    s.reserve(2 * bytes.size());
    for (std::uint8_t b : bytes) {
        s += kDigits[b >> 4];
        s += kDigits[b & 0x0F];
    }
    return s;
}

// The sections as hex; the findings, layout and equipment sections are left out when they are
// printed as their own keys.
OJson extensionsJson(const ProjectExtensions& x, bool findingsPrinted, bool layoutPrinted,
                     bool equipmentPrinted)
{
    OJson list = OJson::array();
    for (const ExtensionSection& s : x.sections())
        if ((!findingsPrinted || s.tag != kFindingsTag) &&
            (!layoutPrinted || s.tag != kReportLayoutTag) &&
            (!equipmentPrinted || s.tag != kEquipmentTag))
            list.push_back({{"tag", std::string(s.tag.view())},
                            {"version", s.version},
                            {"data", hex(s.data)}});
    return list;
}

// --- reading ------------------------------------------------------------------
// Each reader records its refusal in r and returns false (or leaves the value as it was).

bool isObject(JsonRefusal& r, const Json& j, const std::string& where)
{
    return j.is_object() || r.fail(where, "expected an object");
}

bool read(JsonRefusal& r, const Json& j, std::u16string& into, const std::string& where)
{
    into = textAt(r, j, where);
    return !r.refused();
}

bool read(JsonRefusal& r, const Json& j, std::int32_t& into, const std::string& where)
{
    if (!j.is_number_integer()) return r.fail(where, "expected an integer");
    if (j.is_number_unsigned()) {
        if (j.get<std::uint64_t>() > std::numeric_limits<std::int32_t>::max())
            return r.fail(where, "outside 32 bits");
    } else {
        const auto v = j.get<std::int64_t>();
        if (v < std::numeric_limits<std::int32_t>::min() ||
            v > std::numeric_limits<std::int32_t>::max())
            return r.fail(where, "outside 32 bits");
    }
    into = j.get<std::int32_t>();
    return true;
}

bool read(JsonRefusal& r, const Json& j, bool& into, const std::string& where)
{
    if (!j.is_boolean()) return r.fail(where, "expected true or false");
    into = j.get<bool>();
    return true;
}

bool read(JsonRefusal& r, const Json& j, cDateTime& into, const std::string& where)
{
    if (!isObject(r, j, where) || !onlyKeys(r, j, {"status", "days"}, where)) return false;
    if (j.contains("status") && !read(r, j["status"], into.status, where + ".status")) return false;
    if (j.contains("days")) {
        const Json& d = j["days"];
        if (d.is_null())
            into.days = std::numeric_limits<double>::quiet_NaN();
        else if (d.is_number())
            into.days = d.get<double>();
        else
            return r.fail(where + ".days", "expected a number or null");
    }
    return true;
}

// Reads j[key] into the value when the key is present.
template <typename T>
bool optionalField(JsonRefusal& r, const Json& j, const char* key, T& into,
                   const std::string& where)
{
    return !j.contains(key) || read(r, j[key], into, where + "." + key);
}

// Either case of hex digits; an odd count or another character is refused.
std::vector<std::uint8_t> readHex(JsonRefusal& r, const Json& j, const std::string& where)
{
    if (!j.is_string())
        return r.fail(where, "expected a string of hex digits"), std::vector<std::uint8_t>();
    const std::string& s = j.get_ref<const std::string&>();
    if (s.size() % 2 != 0)
        return r.fail(where, "odd number of hex digits"), std::vector<std::uint8_t>();
    std::vector<std::uint8_t> bytes(s.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = std::from_chars(s.data() + 2 * i, s.data() + 2 * i + 2, bytes[i], 16);
        if (c.ec != std::errc{} || c.ptr != s.data() + 2 * i + 2)
            return r.fail(where, "not a hex digit"), std::vector<std::uint8_t>();
    }
    return bytes;
}

bool readExtensions(JsonRefusal& r, const Json& list, ProjectExtensions& into)
{
    if (!list.is_array()) return r.fail("extensions", "expected an array");
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string where = "extensions[" + std::to_string(i) + "]";
        const Json& e = list[i];
        if (!isObject(r, e, where) || !onlyKeys(r, e, {"tag", "version", "data"}, where))
            return false;
        if (!e.contains("tag") || !e["tag"].is_string())
            return r.fail(where + ".tag", "expected a string");
        const std::optional<ExtensionTag> tag =
            ExtensionTag::parse(e["tag"].get_ref<const std::string&>());
        if (!tag) return r.fail(where + ".tag", "expected four characters of 0-9 A-Z a-z");
        if (into.find(*tag)) return r.fail(where + ".tag", "given twice");
        ExtensionSection s{*tag, 1, {}};
        if (e.contains("version")) {
            const Json& v = e["version"];
            if (!v.is_number_integer() || v.get<std::int64_t>() < 0 ||
                v.get<std::int64_t>() > 65535)
                return r.fail(where + ".version", "expected an integer from 0 to 65535");
            s.version = v.get<std::uint16_t>();
        }
        if (e.contains("data")) s.data = readHex(r, e["data"], where + ".data");
        if (r.refused()) return false;
        if (into.put(std::move(s)) != Error::None)
            return r.fail(where, "the extension data is too large");
    }
    return true;
}

template <std::size_t N>
bool readTexts(JsonRefusal& r, const Json& j, std::array<std::u16string, N>& into,
               const std::string& where)
{
    if (!j.is_array() || j.size() != N)
        return r.fail(
            where, N == 4 ? "expected an array of 4 strings" : "expected an array of 13 strings");
    for (std::size_t i = 0; i < N; ++i)
        if (!read(r, j[i], into[i], where + "[" + std::to_string(i) + "]")) return false;
    return true;
}

// The whole project; false at the first refusal.
bool readProject(JsonRefusal& r, const Json& j, ReportProject& p)
{
    ProjectFindings findings;
    ProjectEquipment equipment;
    if (!isObject(r, j, "project") ||
        !onlyKeys(r, j,
                  {"version", "title", "entries", "records", "captions", "findings_settings",
                   "report_layout", "equipment", "previous_project", "extensions",
                   "ignored_trailing_bytes"},
                  "project"))
        return false;
    if (j.contains("title")) {
        const Json& t = j["title"];
        if (!isObject(r, t, "title") ||
            !onlyKeys(r, t,
                      {"logo_path", "company", "author", "date_shown", "title_date", "comments"},
                      "title"))
            return false;
        if (!optionalField(r, t, "logo_path", p.title.logoPath, "title") ||
            !optionalField(r, t, "company", p.title.company, "title") ||
            !optionalField(r, t, "author", p.title.author, "title") ||
            !optionalField(r, t, "date_shown", p.title.dateShown, "title") ||
            !optionalField(r, t, "title_date", p.title.titleDate, "title") ||
            !optionalField(r, t, "comments", p.title.comments, "title"))
            return false;
    }
    if (j.contains("entries")) {
        const Json& list = j["entries"];
        if (!list.is_array()) return r.fail("entries", "expected an array");
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::string where = "entries[" + std::to_string(i) + "]";
            const Json& e = list[i];
            if (!isObject(r, e, where) ||
                !onlyKeys(r, e, {"snapshot_path", "bitmap_path", "thumbnail_index"}, where))
                return false;
            cInspectionImage& img = p.entries.emplace_back();
            img.thumbnailIndex = static_cast<std::int32_t>(i);
            if (!optionalField(r, e, "snapshot_path", img.snapshotPath, where) ||
                !optionalField(r, e, "bitmap_path", img.bitmapPath, where) ||
                !optionalField(r, e, "thumbnail_index", img.thumbnailIndex, where))
                return false;
        }
    }
    if (j.contains("records")) {
        const Json& list = j["records"];
        if (!list.is_array()) return r.fail("records", "expected an array");
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::string where = "records[" + std::to_string(i) + "]";
            const Json& rj = list[i];
            if (!isObject(r, rj, where)) return false;
            for (auto it = rj.begin(); it != rj.end(); ++it) {
                const Field* field = nullptr;
                for (const Field& f : kRecordFields)
                    if (it.key() == f.key) field = &f;
                if (!field && !isRecordFindingsKey(it.key()) && it.key() != "equipment_id")
                    return r.fail(where + "." + it.key(), "unknown key");
            }
            cInspectionRecord& rec = p.records.emplace_back();
            for (const Field& f : kRecordFields)
                std::visit([&](auto member) { optionalField(r, rj, f.key, rec.*member, where); },
                           f.member);
            if (r.refused()) return false;
            findings.records.push_back(
                recordFindingsFromJson(r, rj, where, defaultRecordFindings(rec)));
            equipment.recordItems.push_back(
                rj.contains("equipment_id")
                    ? optionalTextFromJson(r, rj["equipment_id"], where + ".equipment_id")
                    : std::u16string());
            if (r.refused()) return false;
        }
    }
    if (j.contains("captions") && !j["captions"].is_null()) {
        const Json& c = j["captions"];
        if (!isObject(r, c, "captions") || !onlyKeys(r, c, {"title", "details"}, "captions"))
            return false;
        // A missing or null half keeps the default captions.
        ReportCaptions& captions = p.captions.emplace(defaultReportCaptions());
        if (c.contains("title") && !c["title"].is_null() &&
            !readTexts(r, c["title"], captions.title, "captions.title"))
            return false;
        if (c.contains("details") && !c["details"].is_null() &&
            !readTexts(r, c["details"], captions.details, "captions.details"))
            return false;
    }
    const bool settingsGiven = j.contains("findings_settings") && !j["findings_settings"].is_null();
    if (settingsGiven)
        findings.settings =
            findingsSettingsFromJson(r, j["findings_settings"], "findings_settings");
    if (r.refused()) return false;
    if (j.contains("equipment") && !j["equipment"].is_null())
        equipment.items = equipmentFromJson(r, j["equipment"], "equipment");
    if (r.refused()) return false;
    if (j.contains("previous_project"))
        equipment.previousProject =
            optionalTextFromJson(r, j["previous_project"], "previous_project");
    if (r.refused()) return false;
    if (j.contains("extensions") && !readExtensions(r, j["extensions"], p.extensions)) return false;
    if (!equipment.isDefault()) {
        if (p.extensions.find(kEquipmentTag))
            return r.fail("extensions",
                          "the EQPT section is written from equipment, previous_project and the "
                          "records' equipment_id; give one or the other");
        for (std::size_t i = 0; i < equipment.recordItems.size(); ++i) {
            if (equipment.recordItems[i].empty()) continue;
            const std::string where = "records[" + std::to_string(i) + "].equipment_id";
            if (!equipment.find(equipment.recordItems[i]))
                return r.fail(where, "not an id of the equipment list");
            if (i >= p.entries.size())
                return r.fail(where, "the record has no entry to name it by");
        }
        if (putProjectEquipment(p, equipment) != Error::None)
            return r.fail("equipment", "the equipment data are too large");
    }
    if (settingsGiven || !findings.isDefaultFor(p.records)) {
        if (p.extensions.find(kFindingsTag))
            return r.fail("extensions",
                          "the FIND section is written from findings_settings and the records' "
                          "findings keys; give one or the other");
        if (putProjectFindings(p, findings) != Error::None)
            return r.fail("findings_settings", "the findings data are too large");
    }
    if (j.contains("report_layout") && !j["report_layout"].is_null()) {
        const Json& name = j["report_layout"];
        const std::optional<ReportLayout> layout =
            name.is_string() ? reportLayoutFromName(name.get<std::string>()) : std::nullopt;
        if (!layout) return r.fail("report_layout", "expected \"classic\" or \"modern\"");
        if (p.extensions.find(kReportLayoutTag))
            return r.fail("extensions",
                          "the RLAY section is written from report_layout; give one or the other");
        if (putReportLayout(p, *layout) != Error::None)
            return r.fail("report_layout", "the extension block is too large");
    }
    return true;
}

}  // namespace

OJson projectToJson(const ReportProject& p)
{
    OJson j;
    j["version"] = number(p.version);
    const ReportTitle& t = p.title;
    j["title"] = {{"logo_path", text(t.logoPath)},
                  {"company", text(t.company)},
                  {"author", text(t.author)},
                  {"date_shown", t.dateShown},
                  {"title_date", dateJson(t.titleDate)},
                  {"comments", text(t.comments)}};
    OJson entries = OJson::array();
    for (const cInspectionImage& e : p.entries)
        entries.push_back({{"snapshot_path", text(e.snapshotPath)},
                           {"bitmap_path", text(e.bitmapPath)},
                           {"thumbnail_index", e.thumbnailIndex}});
    j["entries"] = std::move(entries);
    // A findings section this program cannot read stays in `extensions` as it is, the keys
    // then showing the defaults (and the settings null), so a write of this JSON keeps it.
    const Result<ProjectFindings> findings = readProjectFindings(p);
    // Likewise an equipment section that does not read: the equipment keys are then null.
    const Result<ProjectEquipment> equipment = readProjectEquipment(p);
    OJson records = OJson::array();
    for (std::size_t i = 0; i < p.records.size(); ++i) {
        const cInspectionRecord& rec = p.records[i];
        OJson r = OJson::object();
        for (const Field& f : kRecordFields)
            std::visit(
                [&](auto member) {
                    const auto& v = rec.*member;
                    using V = std::decay_t<decltype(v)>;
                    if constexpr (std::is_same_v<V, std::u16string>)
                        r[f.key] = text(v);
                    else if constexpr (std::is_same_v<V, cDateTime>)
                        r[f.key] = dateJson(v);
                    else
                        r[f.key] = v;
                },
                f.member);
        addRecordFindings(r, findings && i < findings->records.size() ? findings->records[i]
                                                                      : defaultRecordFindings(rec));
        r["equipment_id"] = equipment && i < equipment->recordItems.size()
                                ? optionalText(equipment->recordItems[i])
                                : OJson(nullptr);
        records.push_back(std::move(r));
    }
    j["records"] = std::move(records);
    OJson captions = {{"title", nullptr}, {"details", nullptr}};
    if (p.captions) {
        captions["title"] = OJson::array();
        for (const auto& c : p.captions->title) captions["title"].push_back(text(c));
        captions["details"] = OJson::array();
        for (const auto& c : p.captions->details) captions["details"].push_back(text(c));
    }
    j["captions"] = std::move(captions);
    j["findings_settings"] = findings ? findingsSettingsToJson(findings->settings) : OJson(nullptr);
    // A layout section this program cannot read stays in `extensions`, the key then null.
    const Result<ReportLayout> layout = readReportLayout(p);
    j["report_layout"] =
        layout ? OJson(std::string(reportLayoutName(layout.value()))) : OJson(nullptr);
    j["equipment"] = equipment ? equipmentToJson(equipment->items) : OJson(nullptr);
    j["previous_project"] = equipment ? optionalText(equipment->previousProject) : OJson(nullptr);
    j["extensions"] = extensionsJson(p.extensions, findings.ok(), layout.ok(), equipment.ok());
    j["ignored_trailing_bytes"] = p.ignoredTrailingBytes;
    return j;
}

Result<ReportProject> projectFromJson(const Json& j, std::string* refusal)
{
    JsonRefusal r;
    ReportProject p;
    if (!readProject(r, j, p)) {
        if (refusal) *refusal = r.text();
        return Error::Corrupted;
    }
    return p;
}

}  // namespace calivue::cli
