#include "report/reorder.h"
#include "report/engine/reporttext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace calivue {
namespace {

struct Drop {
    int source, target;
    std::string after;  // the rows "abc" after the drop
};

TEST(InspectionsDrop, RowsMoveAsTheListDropsThem)
{
    for (const Drop& d : std::vector<Drop>{{0, 2, "bca"},
                                           {0, -1, "bca"},
                                           {2, 0, "cab"},
                                           {1, 1, "abc"},
                                           {2, -1, "abc"},
                                           {1, 0, "bac"},
                                           {0, 1, "bac"},
                                           {3, 0, "abc"},
                                           {0, 3, "abc"},
                                           {-1, 0, "abc"}}) {
        std::vector<char> rows{'a', 'b', 'c'};
        moveByDrop(rows, d.source, d.target);
        EXPECT_EQ(std::string(rows.begin(), rows.end()), d.after) << d.source << " -> " << d.target;
    }
}

TEST(StoredDateTime, RoundTripsAndRefusesWhatIsNoDate)
{
    const QDateTime noon(QDate(2024, 3, 1), QTime(12, 30, 15));
    const cDateTime stored = fromQDateTime(noon);
    EXPECT_EQ(stored.status, cDateTime::Valid);
    EXPECT_DOUBLE_EQ(stored.days, 45352.0 + (12 * 3600 + 30 * 60 + 15) / 86400.0);
    EXPECT_EQ(toQDateTime(stored), noon);
    // Before the epoch the fraction still counts forwards from midnight.
    EXPECT_EQ(toQDateTime({cDateTime::Valid, -1.25}), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(fromQDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))).days, -1.25);
    for (const cDateTime& bad :
         {cDateTime{cDateTime::Null, 1.0}, cDateTime{cDateTime::Invalid, 1.0},
          cDateTime{cDateTime::Valid, 1e300}, cDateTime{cDateTime::Valid, std::nan("")}})
        EXPECT_FALSE(toQDateTime(bad).isValid());
    EXPECT_EQ(fromQDateTime(QDateTime()).status, cDateTime::Invalid);
}

}  // namespace
}  // namespace calivue
