#include "core/reportstyle.h"

namespace calivue {

std::string_view reportLayoutName(ReportLayout layout)
{
    return layout == ReportLayout::Modern ? "modern" : "classic";
}

std::optional<ReportLayout> reportLayoutFromName(std::string_view name)
{
    if (name == "classic") return ReportLayout::Classic;
    if (name == "modern") return ReportLayout::Modern;
    return std::nullopt;
}

Result<ReportLayout> readReportLayout(const ReportProject& project)
{
    const ExtensionSection* section = project.extensions.find(kReportLayoutTag);
    if (section == nullptr) return ReportLayout::Classic;
    if (section->version != kReportLayoutSectionVersion) return Error::Unsupported;
    if (section->data.empty()) return Error::Truncated;
    if (section->data.size() != 1 || section->data[0] > 1) return Error::Corrupted;
    return static_cast<ReportLayout>(section->data[0]);
}

Error putReportLayout(ReportProject& project, ReportLayout layout)
{
    if (layout == ReportLayout::Classic) {
        project.extensions.erase(kReportLayoutTag);
        return Error::None;
    }
    return project.extensions.put(
        {kReportLayoutTag, kReportLayoutSectionVersion, {static_cast<std::uint8_t>(layout)}});
}

Result<std::optional<int>> readReportLanguage(const ReportProject& project)
{
    const ExtensionSection* section = project.extensions.find(kReportLanguageTag);
    if (section == nullptr) return std::optional<int>();
    if (section->version != kReportLanguageSectionVersion) return Error::Unsupported;
    if (section->data.empty()) return Error::Truncated;
    if (section->data.size() != 1) return Error::Corrupted;
    return std::optional<int>(section->data[0]);
}

Error putReportLanguage(ReportProject& project, std::optional<int> language)
{
    if (!language) {
        project.extensions.erase(kReportLanguageTag);
        return Error::None;
    }
    if (*language < 0 || *language > 255) return Error::Corrupted;
    return project.extensions.put({kReportLanguageTag,
                                   kReportLanguageSectionVersion,
                                   {static_cast<std::uint8_t>(*language)}});
}

}  // namespace calivue
