// The checks the project JSON readers share: a refusal names the key path it is about
// ("records[2].reference: expected ..."), and texts are read as UTF-8 into the model's UTF-16.
#pragma once

#include "core/textcodec.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace calivue::cli {

// Refuses the input: `where` is the key path, `what` the problem.
[[noreturn]] inline void fail(const std::string& where, const std::string& what)
{
    throw std::invalid_argument(where + ": " + what);
}

// A JSON string as UTF-16; refused when it is no string or not valid UTF-8.
inline std::u16string textAt(const nlohmann::json& j, const std::string& where)
{
    if (!j.is_string()) fail(where, "expected a string");
    std::optional<std::u16string> t = utf8ToUtf16(j.get_ref<const std::string&>());
    if (!t) fail(where, "malformed UTF-8");
    return std::move(*t);
}

// Refuses an object with a key outside `keys`, so a misspelt field is not lost.
inline void onlyKeys(const nlohmann::json& j, const std::vector<std::string_view>& keys,
                     const std::string& where)
{
    if (!j.is_object()) fail(where, "expected an object");
    for (auto it = j.begin(); it != j.end(); ++it) {
        bool known = false;
        for (std::string_view k : keys) known = known || it.key() == k;
        if (!known) fail(where + "." + it.key(), "unknown key");
    }
}

}  // namespace calivue::cli
