// Linking an inspection to an equipment item: which record texts the item fills, the item made
// from a typed identifier, the identifier offered for a new item and the links kept through
// renames and removals.
#include "core/equipmentlink.h"
#include "core/printrules.h"

#include <gtest/gtest.h>

namespace calivue {
namespace {

using S = EquipmentStatus;

struct FillCase {
    const char* what;
    // The record's location, equipment and rated texts before, the item, whether rated is a
    // load; the three texts after and what was filled.
    std::u16string location, equipment, rated;
    EquipmentItem item;
    bool ratedLoad;
    std::u16string wantLocation, wantEquipment, wantRated;
    ItemFill want;
};

// Catches a link that overwrites typed text, fills a µ value with a load, takes a blank item
// text, or leaves a field of blanks unfilled.
TEST(EquipmentLink, FillRule)
{
    const EquipmentItem full{u"MCC-1", u"Plant room", u"Motor control centre",
                             u"400 A", S::Inspected,  u""};
    const EquipmentItem bare{u"T9", u"", u"", u"", S::NotInspected, u""};
    const EquipmentItem blanks{u"X", u"  ", u" ", u"\u00A0", S::NotInspected, u""};
    const FillCase cases[] = {
        {"all empty, load template",
         u"",
         u"",
         u"",
         full,
         true,
         u"Plant room",
         u"Motor control centre",
         u"400 A",
         {true, true, true}},
        {"all empty, rated is a µ value",
         u"",
         u"",
         u"",
         full,
         false,
         u"Plant room",
         u"Motor control centre",
         u"",
         {true, true, false}},
        {"typed texts kept",
         u"Roof",
         u"Fan",
         u"10 A",
         full,
         true,
         u"Roof",
         u"Fan",
         u"10 A",
         {false, false, false}},
        {"only the empty one filled",
         u"Roof",
         u"",
         u"10 A",
         full,
         true,
         u"Roof",
         u"Motor control centre",
         u"10 A",
         {false, true, false}},
        {"blanks count as empty",
         u"  ",
         u"\t",
         u" ",
         full,
         true,
         u"Plant room",
         u"Motor control centre",
         u"400 A",
         {true, true, true}},
        {"no description: the identifier",
         u"",
         u"",
         u"",
         bare,
         true,
         u"",
         u"T9",
         u"",
         {false, true, false}},
        {"item of blanks gives nothing but its identifier",
         u"",
         u"",
         u"",
         blanks,
         true,
         u"",
         u"X",
         u"",
         {false, true, false}},
        {"typed equipment beats the identifier",
         u"",
         u"Pump",
         u"",
         bare,
         true,
         u"",
         u"Pump",
         u"",
         {false, false, false}},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.what);
        cInspectionRecord r;
        r.location = c.location;
        r.equipment = c.equipment;
        r.rated = c.rated;
        r.comment = u"kept";
        const ItemFill filled = fillFromItem(r, c.item, c.ratedLoad);
        EXPECT_EQ(filled, c.want);
        EXPECT_EQ(filled.any(), c.want.location || c.want.equipment || c.want.rated);
        EXPECT_EQ(r.location, c.wantLocation);
        EXPECT_EQ(r.equipment, c.wantEquipment);
        EXPECT_EQ(r.rated, c.wantRated);
        EXPECT_EQ(r.comment, u"kept");
    }
}

// Catches a template whose rated field is not a load being filled with one.
TEST(EquipmentLink, RatedIsLoadOnlyInLoadTemplates)
{
    EXPECT_TRUE(ratedIsLoad(ReportTemplate::Maintenance));
    EXPECT_TRUE(ratedIsLoad(ReportTemplate::Mechanical));
    EXPECT_FALSE(ratedIsLoad(ReportTemplate::Buildings));
    EXPECT_FALSE(ratedIsLoad(ReportTemplate::Custom));
    EXPECT_FALSE(ratedIsLoad(static_cast<ReportTemplate>(7)));
}

// Catches an item added from the details page losing what the user typed, or describing
// itself by its own identifier.
TEST(EquipmentLink, ItemFromRecord)
{
    cInspectionRecord r;
    r.location = u"Roof";
    r.equipment = u"Fan 3";
    r.rated = u"0.9";
    EXPECT_EQ(itemFromRecord(u"F3", r, true),
              (EquipmentItem{u"F3", u"Roof", u"Fan 3", u"0.9", S::NotInspected, u""}));
    EXPECT_EQ(itemFromRecord(u"F3", r, false),
              (EquipmentItem{u"F3", u"Roof", u"Fan 3", u"", S::NotInspected, u""}));
    r.equipment = u"F3";
    EXPECT_EQ(itemFromRecord(u"F3", r, false).description, u"");
}

// Catches a suggested identifier that is already in use, drops leading zeros, or overflows.
TEST(EquipmentLink, NextIdentifier)
{
    auto list = [](std::initializer_list<const char16_t*> ids) {
        std::vector<EquipmentItem> items;
        for (const char16_t* id : ids) items.push_back({id, u"", u"", u"", S::NotInspected, u""});
        return items;
    };
    const std::pair<std::vector<EquipmentItem>, std::u16string> cases[] = {
        {list({}), u"1"},
        {list({u"MCC-07"}), u"MCC-08"},
        {list({u"T9"}), u"T10"},
        {list({u"MCC-10", u"MCC-09x", u"MCC-09"}), u"MCC-11"},  // the last counts up
        {list({u"A-2", u"A-3", u"A-1"}), u"A-4"},               // past those in use
        {list({u"Panel"}), u"1"},
        {list({u"1", u"2", u"Panel"}), u"3"},
        {list({u"999"}), u"1000"},
        {list({u"X999999999999999999"}), u"X1000000000000000000"},
        {list({u"X9999999999999999999"}), u"1"},  // too many digits to count on
    };
    for (const auto& [items, want] : cases) {
        SCOPED_TRACE(std::string(want.begin(), want.end()));
        EXPECT_EQ(nextEquipmentId(items), want);
    }
}

// Catches links lost on a rename, kept to a removed item, moved to a new item that took a
// removed item's identifier, or miscounted.
TEST(EquipmentLink, RelinkFollowsRenamesAndDropsRemoved)
{
    const std::vector<EquipmentItem> now = {{u"B", u"", u"", u"", S::NotInspected, u""},
                                            {u"A", u"", u"", u"", S::NotInspected, u""},
                                            {u"C2", u"", u"", u"", S::NotInspected, u""},
                                            {u"D", u"", u"", u"", S::NotInspected, u""}};
    // A and B swapped names, C became C2, D was removed and a new item took its name, E is
    // not in the fate (a link to a name the list never held), F was removed.
    const std::map<std::u16string, std::u16string> fate = {
        {u"A", u"B"}, {u"B", u"A"}, {u"C", u"C2"}, {u"D", u""}, {u"F", u""}};
    std::vector<std::u16string> links = {u"A", u"", u"B", u"C", u"D", u"E", u"F", u"A"};
    EXPECT_EQ(relinkEquipment(links, now, fate), 3u);
    EXPECT_EQ(links, (std::vector<std::u16string>{u"B", u"", u"A", u"C2", u"", u"", u"", u"B"}));

    // Without a fate, links to identifiers still held stay.
    std::vector<std::u16string> kept = {u"A", u"Z", u"D"};
    EXPECT_EQ(relinkEquipment(kept, now, {}), 1u);
    EXPECT_EQ(kept, (std::vector<std::u16string>{u"A", u"", u"D"}));
}

}  // namespace
}  // namespace calivue
