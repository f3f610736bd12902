// The rows of the equipment appendix: each outcome and its words, pages of several
// inspections, and the count line.
#include "core/equipmentappendix.h"

#include <gtest/gtest.h>

namespace calivue {
namespace {

using S = EquipmentStatus;

// Catches an item given the wrong outcome (a linked item read as not inspected, a status
// overriding an inspection, an exception page lost or given to another item) and counts that
// disagree with the rows.
TEST(EquipmentAppendix, OutcomesPagesAndCounts)
{
    ProjectEquipment e;
    e.items = {{u"A", u"", u"", u"", S::NotInspected, u""},  // two inspections, one exception
               {u"B", u"", u"", u"", S::Inspected, u""},     // inspected without a picture
               {u"C", u"", u"", u"", S::NotInspected, u"inaccessible"},
               {u"D", u"", u"", u"", S::NotInspected, u""},
               {u"E", u"", u"", u"", S::Inspected, u""},                  // two exceptions
               {u"F", u"", u"", u"", S::NotInspected, u"de-energised"}};  // linked, no exception
    e.recordItems = {u"A", u"E", u"", u"A", u"E", u"F"};
    const std::vector<InspectionOnPage> pages = {{3, false}, {4, true}, {5, true},
                                                 {6, true},  {8, true}, {9, false}};
    const EquipmentAppendix a = equipmentAppendix(e, pages);
    ASSERT_EQ(a.rows.size(), 6u);
    const std::u16string expected[] = {u"exception, see page 6",       u"no exception",
                                       u"not inspected: inaccessible", u"not inspected",
                                       u"exception, see pages 4, 8",   u"no exception"};
    for (std::size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(a.rows[i].item, &e.items[i]);
        EXPECT_EQ(englishText(a.rows[i]), expected[i]);
    }
    EXPECT_EQ(a.counts, (EquipmentCounts{6, 4, 2, 2}));
    EXPECT_EQ(englishText(a.counts), u"6 items, 4 inspected, 2 with exceptions, 2 not inspected");

    // Fewer inspection marks than links: the unmarked inspection has no exception.
    const EquipmentAppendix fewer = equipmentAppendix(e, std::span(pages).first(2));
    EXPECT_EQ(englishText(fewer.rows[0]), u"no exception");
    EXPECT_EQ(englishText(fewer.rows[4]), u"exception, see page 4");
    EXPECT_EQ(englishText(equipmentAppendix({}, {}).counts),
              u"0 items, 0 inspected, 0 with exceptions, 0 not inspected");
}

}  // namespace
}  // namespace calivue
