#include "cli/findingsjson.h"

#include "cli/jsonread.h"

#include "core/textcodec.h"

#include <cmath>
#include <vector>

namespace calivue::cli {

namespace {

using OJson = nlohmann::ordered_json;
using Json = nlohmann::json;

OJson ambientJson(const std::optional<double>& a)
{
    return a ? OJson(*a) : OJson(nullptr);
}

double numberAt(JsonRefusal& r, const Json& j, const std::string& where)
{
    if (!j.is_number()) return r.fail(where, "expected a number"), 0.0;
    return j.get<double>();
}

std::optional<double> ambientAt(JsonRefusal& r, const Json& j, const std::string& where)
{
    if (j.is_null()) return std::nullopt;
    if (!j.is_number()) return r.fail(where, "expected a number or null"), std::nullopt;
    return j.get<double>();
}

bool boolAt(JsonRefusal& r, const Json& j, const std::string& where)
{
    if (!j.is_boolean()) return r.fail(where, "expected true or false");
    return j.get<bool>();
}

}  // namespace

OJson findingsSettingsToJson(const FindingsSettings& s)
{
    OJson bands = OJson::array();
    for (const SeverityBand& b : s.customBands)
        bands.push_back(
            {{"from", b.from}, {"class", utf16ToUtf8(b.text)}, {"priority", b.priority}});
    OJson conditions = OJson::object();
    const auto texts = conditionTexts(s.conditions);
    for (std::size_t i = 0; i < texts.size(); ++i)
        conditions[kConditionKeys[i]] = utf16ToUtf8(*texts[i]);
    return {{"criteria", std::string(criteriaName(s.criteria))},
            {"custom_bands", std::move(bands)},
            {"load_exponent", s.loadExponent},
            {"classify_corrected", s.classifyCorrected},
            {"min_load_percent", s.minLoadPercent},
            {"ambient", ambientJson(s.ambient)},
            {"frsi_threshold", s.frsiThreshold},
            {"conditions", std::move(conditions)}};
}

void addRecordFindings(OJson& record, const RecordFindings& r)
{
    record["reference"] = r.reference == ReferenceKind::Ambient ? "ambient" : "marker";
    record["ambient"] = ambientJson(r.ambient);
    record["priority_manual"] = r.priorityManual;
}

bool isRecordFindingsKey(const std::string& key)
{
    return key == "reference" || key == "ambient" || key == "priority_manual";
}

FindingsSettings findingsSettingsFromJson(JsonRefusal& r, const Json& j, const std::string& where)
{
    FindingsSettings s;
    if (!onlyKeys(r, j,
                  {"criteria", "custom_bands", "load_exponent", "classify_corrected",
                   "min_load_percent", "ambient", "frsi_threshold", "conditions"},
                  where))
        return s;
    if (j.contains("criteria")) {
        const Json& c = j["criteria"];
        if (!c.is_string()) return r.fail(where + ".criteria", "expected a string"), s;
        const std::optional<Criteria> criteria = criteriaFromName(c.get_ref<const std::string&>());
        if (!criteria)
            return r.fail(where + ".criteria",
                          "unknown criteria \"" + c.get<std::string>() +
                              "\" (neta-similar, neta-ambient, neta-worst or custom)"),
                   s;
        s.criteria = *criteria;
    }
    if (j.contains("custom_bands")) {
        const Json& list = j["custom_bands"];
        if (!list.is_array()) return r.fail(where + ".custom_bands", "expected an array"), s;
        if (list.size() > kMaxCustomBands)
            return r.fail(where + ".custom_bands", "more than six bands"), s;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::string at = where + ".custom_bands[" + std::to_string(i) + "]";
            const Json& b = list[i];
            if (!onlyKeys(r, b, {"from", "class", "priority"}, at)) return s;
            SeverityBand band;
            if (!b.contains("from")) return r.fail(at + ".from", "missing"), s;
            band.from = numberAt(r, b["from"], at + ".from");
            if (b.contains("class")) band.text = textAt(r, b["class"], at + ".class");
            if (r.refused()) return s;
            if (!b.contains("priority") || !b["priority"].is_number_integer())
                return r.fail(at + ".priority", "expected an integer 1 to 5"), s;
            const auto priority = b["priority"].get<std::int64_t>();
            if (priority < 1 || priority > 5)
                return r.fail(at + ".priority", "expected an integer 1 to 5"), s;
            band.priority = static_cast<int>(priority);
            s.customBands.push_back(std::move(band));
        }
    }
    if (j.contains("load_exponent"))
        s.loadExponent = numberAt(r, j["load_exponent"], where + ".load_exponent");
    if (j.contains("classify_corrected"))
        s.classifyCorrected = boolAt(r, j["classify_corrected"], where + ".classify_corrected");
    if (j.contains("min_load_percent"))
        s.minLoadPercent = numberAt(r, j["min_load_percent"], where + ".min_load_percent");
    if (j.contains("ambient")) s.ambient = ambientAt(r, j["ambient"], where + ".ambient");
    if (j.contains("frsi_threshold"))
        s.frsiThreshold = numberAt(r, j["frsi_threshold"], where + ".frsi_threshold");
    if (r.refused()) return s;
    if (j.contains("conditions")) {
        const Json& c = j["conditions"];
        if (!onlyKeys(r, c,
                      std::vector<std::string_view>(kConditionKeys.begin(), kConditionKeys.end()),
                      where + ".conditions"))
            return s;
        const auto texts = conditionTexts(s.conditions);
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (c.contains(kConditionKeys[i]))
                *texts[i] =
                    textAt(r, c[kConditionKeys[i]], where + ".conditions." + kConditionKeys[i]);
        if (r.refused()) return s;
    }
    // settingsProblem names the key under `where` and the problem ("key: what").
    if (const std::optional<std::string> problem = settingsProblem(s))
        r.fail(where + "." + *problem);
    return s;
}

RecordFindings recordFindingsFromJson(JsonRefusal& r, const Json& rec, const std::string& where,
                                      RecordFindings f)
{
    if (rec.contains("reference")) {
        const Json& ref = rec["reference"];
        if (ref == "ambient")
            f.reference = ReferenceKind::Ambient;
        else if (ref != "marker")
            return r.fail(where + ".reference", "expected \"marker\" or \"ambient\""), f;
    }
    if (rec.contains("ambient")) f.ambient = ambientAt(r, rec["ambient"], where + ".ambient");
    if (r.refused()) return f;
    if (f.ambient && !std::isfinite(*f.ambient))
        return r.fail(where + ".ambient", "expected a number"), f;
    if (rec.contains("priority_manual"))
        f.priorityManual = boolAt(r, rec["priority_manual"], where + ".priority_manual");
    return f;
}

}  // namespace calivue::cli
