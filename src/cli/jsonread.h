// The checks the project JSON readers share: a refusal names the key path it is about
// ("records[2].reference: expected ..."), and texts are read as UTF-8 into the model's UTF-16.
// No reader throws: each check that refuses records the refusal and returns false (or an empty
// value), and its caller stops reading that value.
#pragma once

#include "core/textcodec.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calivue::cli {

// The first refusal of one read; later ones follow from it and are not kept.
class JsonRefusal {
public:
    // Records "where: what" unless a refusal is already recorded; always false, so a check
    // can `return r.fail(...)`.
    bool fail(const std::string& where, const std::string& what)
    {
        if (m_text.empty()) m_text = where + ": " + what;
        return false;
    }
    // Records a refusal already worded ("key: what").
    bool fail(std::string text)
    {
        if (m_text.empty()) m_text = std::move(text);
        return false;
    }
    bool refused() const { return !m_text.empty(); }
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

// A JSON string as UTF-16; refused (empty) when it is no string or not valid UTF-8.
inline std::u16string textAt(JsonRefusal& r, const nlohmann::json& j, const std::string& where)
{
    if (!j.is_string()) return r.fail(where, "expected a string"), std::u16string();
    std::optional<std::u16string> t = utf8ToUtf16(j.get_ref<const std::string&>());
    if (!t) return r.fail(where, "malformed UTF-8"), std::u16string();
    return std::move(*t);
}

// Refuses an object with a key outside `keys`, so a misspelt field is not lost.
inline bool onlyKeys(JsonRefusal& r, const nlohmann::json& j,
                     const std::vector<std::string_view>& keys, const std::string& where)
{
    if (!j.is_object()) return r.fail(where, "expected an object");
    for (auto it = j.begin(); it != j.end(); ++it) {
        bool known = false;
        for (std::string_view k : keys) known = known || it.key() == k;
        if (!known) return r.fail(where + "." + it.key(), "unknown key");
    }
    return true;
}

}  // namespace calivue::cli
