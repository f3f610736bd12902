// Report projects for the codec tests. Header-only: the executables that include it link core.
#pragma once

#include "core/reportproject.h"

#include <cstdint>
#include <initializer_list>

namespace calivue::test {

// A project with one inspection per snapshot path, in order, each with an empty record and
// no bitmap.
inline ReportProject projectOf(std::initializer_list<const char16_t*> paths)
{
    ReportProject p;
    for (const char16_t* path : paths) {
        p.entries.push_back({path, u"", static_cast<std::int32_t>(p.entries.size())});
        p.records.emplace_back();
    }
    return p;
}

}  // namespace calivue::test
