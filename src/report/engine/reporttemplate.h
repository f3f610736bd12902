// The report templates of the "Template" setting: which captions a report prints and where
// its blocks sit on an inspection page.
#pragma once

namespace calivue {

enum ReportTemplate : int { Maintenance = 0, Buildings = 1, Mechanical = 2, Custom = 3 };

}  // namespace calivue
