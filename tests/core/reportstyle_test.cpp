// The report's page layout and language as project settings: what each section holds reads
// back, the defaults write no section (the file stays the designed writer's), and sections
// that are not what this program writes are refused by name, never guessed at.
#include "core/reportstyle.h"

#include <gtest/gtest.h>

using namespace calivue;

namespace {

// Catches a default that writes a section (a project without the choice changing bytes), a
// choice that does not read back, and a section of another version or length taken for one.
TEST(ReportStyle, LanguageAndLayoutReadBackAndDefaultsWriteNothing)
{
    ReportProject p;
    EXPECT_EQ(readReportLanguage(p).value(), std::nullopt);
    EXPECT_EQ(readReportLayout(p).value(), ReportLayout::Classic);
    for (const int language : {0, 1, 13, 16, 255}) {
        ASSERT_EQ(putReportLanguage(p, language), Error::None);
        EXPECT_EQ(readReportLanguage(p).value(), std::optional<int>(language));
    }
    ASSERT_EQ(putReportLayout(p, ReportLayout::Modern), Error::None);
    EXPECT_EQ(readReportLayout(p).value(), ReportLayout::Modern);
    EXPECT_EQ(readReportLanguage(p).value(), std::optional<int>(255));  // each its own section
    ASSERT_EQ(putReportLanguage(p, std::nullopt), Error::None);
    ASSERT_EQ(putReportLayout(p, ReportLayout::Classic), Error::None);
    EXPECT_TRUE(p.extensions.empty());
    // Out of the byte's range: refused, the project unchanged.
    for (const int bad : {-1, 256}) EXPECT_EQ(putReportLanguage(p, bad), Error::Corrupted) << bad;
    EXPECT_TRUE(p.extensions.empty());

    const struct {
        std::uint16_t version;
        std::vector<std::uint8_t> data;
        Error error;
    } broken[] = {
        {2, {1}, Error::Unsupported},
        {1, {}, Error::Truncated},
        {1, {1, 0}, Error::Corrupted},
    };
    for (const auto& b : broken) {
        ReportProject q;
        ASSERT_EQ(q.extensions.put({kReportLanguageTag, b.version, b.data}), Error::None);
        EXPECT_EQ(readReportLanguage(q).error(), b.error) << b.version << " " << b.data.size();
    }
}

}  // namespace
