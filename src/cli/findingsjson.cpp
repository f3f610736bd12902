#include "findingsjson.h"

#include "jsonread.h"

#include "core/textcodec.h"

#include <cmath>
#include <stdexcept>
#include <vector>

namespace calivue::cli {

namespace {

using OJson = nlohmann::ordered_json;
using Json = nlohmann::json;

OJson ambientJson(const std::optional<double>& a)
{
    return a ? OJson(*a) : OJson(nullptr);
}

double numberAt(const Json& j, const std::string& where)
{
    if (!j.is_number()) fail(where, "expected a number");
    return j.get<double>();
}

std::optional<double> ambientAt(const Json& j, const std::string& where)
{
    if (j.is_null()) return std::nullopt;
    if (!j.is_number()) fail(where, "expected a number or null");
    return j.get<double>();
}

bool boolAt(const Json& j, const std::string& where)
{
    if (!j.is_boolean()) fail(where, "expected true or false");
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

FindingsSettings findingsSettingsFromJson(const Json& j, const std::string& where)
{
    onlyKeys(j,
             {"criteria", "custom_bands", "load_exponent", "classify_corrected", "min_load_percent",
              "ambient", "frsi_threshold", "conditions"},
             where);
    FindingsSettings s;
    if (j.contains("criteria")) {
        const Json& c = j["criteria"];
        if (!c.is_string()) fail(where + ".criteria", "expected a string");
        const std::optional<Criteria> criteria = criteriaFromName(c.get_ref<const std::string&>());
        if (!criteria)
            fail(where + ".criteria", "unknown criteria \"" + c.get<std::string>() +
                                          "\" (neta-similar, neta-ambient, neta-worst or custom)");
        s.criteria = *criteria;
    }
    if (j.contains("custom_bands")) {
        const Json& list = j["custom_bands"];
        if (!list.is_array()) fail(where + ".custom_bands", "expected an array");
        if (list.size() > kMaxCustomBands) fail(where + ".custom_bands", "more than six bands");
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::string at = where + ".custom_bands[" + std::to_string(i) + "]";
            const Json& b = list[i];
            onlyKeys(b, {"from", "class", "priority"}, at);
            SeverityBand band;
            if (!b.contains("from")) fail(at + ".from", "missing");
            band.from = numberAt(b["from"], at + ".from");
            if (b.contains("class")) band.text = textAt(b["class"], at + ".class");
            if (!b.contains("priority") || !b["priority"].is_number_integer())
                fail(at + ".priority", "expected an integer 1 to 5");
            const auto priority = b["priority"].get<std::int64_t>();
            if (priority < 1 || priority > 5) fail(at + ".priority", "expected an integer 1 to 5");
            band.priority = static_cast<int>(priority);
            s.customBands.push_back(std::move(band));
        }
    }
    if (j.contains("load_exponent"))
        s.loadExponent = numberAt(j["load_exponent"], where + ".load_exponent");
    if (j.contains("classify_corrected"))
        s.classifyCorrected = boolAt(j["classify_corrected"], where + ".classify_corrected");
    if (j.contains("min_load_percent"))
        s.minLoadPercent = numberAt(j["min_load_percent"], where + ".min_load_percent");
    if (j.contains("ambient")) s.ambient = ambientAt(j["ambient"], where + ".ambient");
    if (j.contains("frsi_threshold"))
        s.frsiThreshold = numberAt(j["frsi_threshold"], where + ".frsi_threshold");
    if (j.contains("conditions")) {
        const Json& c = j["conditions"];
        onlyKeys(c, std::vector<std::string_view>(kConditionKeys.begin(), kConditionKeys.end()),
                 where + ".conditions");
        const auto texts = conditionTexts(s.conditions);
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (c.contains(kConditionKeys[i]))
                *texts[i] =
                    textAt(c[kConditionKeys[i]], where + ".conditions." + kConditionKeys[i]);
    }
    if (const std::optional<std::string> problem = settingsProblem(s))
        throw std::invalid_argument(where + "." + *problem);
    return s;
}

RecordFindings recordFindingsFromJson(const Json& r, const std::string& where, RecordFindings f)
{
    if (r.contains("reference")) {
        const Json& ref = r["reference"];
        if (ref == "ambient")
            f.reference = ReferenceKind::Ambient;
        else if (ref != "marker")
            fail(where + ".reference", "expected \"marker\" or \"ambient\"");
    }
    if (r.contains("ambient")) f.ambient = ambientAt(r["ambient"], where + ".ambient");
    if (f.ambient && !std::isfinite(*f.ambient)) fail(where + ".ambient", "expected a number");
    if (r.contains("priority_manual"))
        f.priorityManual = boolAt(r["priority_manual"], where + ".priority_manual");
    return f;
}

}  // namespace calivue::cli
