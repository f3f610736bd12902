// The number texts of the option pages: what the fields show and how typed text is read.
#include "panels/pagetext.h"

#include <gtest/gtest.h>

using namespace calivue;

// Catches a locale-dependent or unit-swallowing reader: "25.5 °C" is 25.5, the unit ignored.
TEST(PageText, LeadingNumberReadsLikeAtofWithAPoint)
{
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("25.5 \u00B0C")), 25.5);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("  -300")), -300.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("+.5x")), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("1e2K")), 100.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("7.")), 7.0);
    // The decimal comma a German, French or Russian field shows reads back the same way.
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("80,5 \u00B0C")), 80.5);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("-,25")), -0.25);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("1,5,7")), 1.5);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("abc")), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QString()), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("1e999")), 0.0);  // not finite
}

// Catches truncation (0.95 × 100 = 94.999…) and overflow for absurd values.
TEST(PageText, HundredthsRoundAndStayInRange)
{
    EXPECT_EQ(hundredthsOf(0.95), 95);
    EXPECT_EQ(hundredthsOf(0.29), 29);
    EXPECT_EQ(hundredthsOf(1.5), 150);
    EXPECT_EQ(hundredthsOf(0.0), 0);
    EXPECT_EQ(hundredthsOf(1e300), 1000000);
    EXPECT_EQ(hundredthsOf(-1e300), -1000000);
}

TEST(PageText, FieldFormats)
{
    EXPECT_EQ(formatTemperature(20.04, QStringLiteral("\u00B0C")), QStringLiteral("20.0 \u00B0C"));
    EXPECT_EQ(formatTemperature(-4.0, QStringLiteral("\u00B0F")), QStringLiteral("-4.0 \u00B0F"));
    EXPECT_EQ(formatEmissivity(0.5), QStringLiteral("0.50"));
}
