#include "platform/commandids.h"
#include "qtfiles.h"
#include "platform/languagetable.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <gtest/gtest.h>

using namespace calivue;

namespace {

using calivue::test::qs;

// Restores the active table after a test that installs another.
struct ActiveTableGuard {
    ~ActiveTableGuard() { StringTable::setActive(StringTable::english()); }
};

}  // namespace

// Catches a lost or mistyped embedded table: the texts start-up and every message box need.
TEST(EnglishTable, CarriesTheShellTexts)
{
    const StringTable table = StringTable::english();
    EXPECT_FALSE(table.isModule());
    EXPECT_EQ(table.tag(), qs("ENGLISH"));
    EXPECT_EQ(table.text(sid::ProductTitle), qs("Orvane Calivue Razadi"));
    EXPECT_EQ(table.text(sid::About), qs("About"));
    EXPECT_EQ(table.text(sid::Ok), qs("OK"));
    EXPECT_EQ(table.text(sid::Cancel), qs("Cancel"));
    EXPECT_EQ(table.text(sid::Yes), qs("Yes"));
    EXPECT_EQ(table.text(sid::No), qs("No"));
    EXPECT_EQ(table.text(sid::Language), qs("Language"));
    EXPECT_EQ(table.text(sid::Open), qs("Open"));
    EXPECT_EQ(table.text(sid::ErrorLoadingModule), qs("Error loading:\n%s"));
    EXPECT_EQ(table.text(sid::RestartToApply),
              qs("Please restart the program to apply the settings."));
    EXPECT_EQ(table.text(sid::Orientation0), qs("0° Landscape"));
    EXPECT_EQ(table.text(sid::CaptionMaterialMuValue), qs("Material µ Value"));
}

// Catches a named id whose text went missing from strings_en.json, and an unknown id that
// returns something other than an empty text.
TEST(EnglishTable, EveryNamedIdHasText)
{
    const StringTable table = StringTable::english();
    for (int id : sid::kAllNamed) EXPECT_FALSE(table.text(id).isEmpty()) << "string " << id;
    for (int id = sid::EmissivityIrSource; id <= sid::EmissivityCastIron; ++id)
        EXPECT_FALSE(table.text(id).isEmpty()) << "string " << id;
    EXPECT_TRUE(table.text(4999).isEmpty());
    EXPECT_FALSE(table.contains(4999));
}

// Catches a reordered or misnumbered language list: the dialog's positions are the numbers.
TEST(EnglishTable, LanguageNamesInDialogOrder)
{
    const QStringList expected = {
        qs("English"), qs("Deutsch"), qs("Français"), qs("Español"),    qs("Italiano"),
        qs("中文"),    qs("日本語"),  qs("한국어"),   qs("US English"), qs("Português"),
        qs("Русский"), qs("Dutch"),   qs("Česky"),    qs("עברית"),      qs("Indonesian"),
        qs("Malay"),   qs("Filipino")};
    const StringTable table = StringTable::english();
    ASSERT_EQ(languageTable().size(), static_cast<size_t>(expected.size()));
    for (const LanguageInfo& info : languageTable())
        EXPECT_EQ(table.text(info.nameStringId), expected.at(languageNumber(info.language)))
            << languageNumber(info.language);
}

// Catches a menu out of step with the command handlers: titles, order, separators, ids.
TEST(EnglishTable, MenusFollowTheMainMenuLayout)
{
    const QList<MenuDef>& menus = StringTable::english().menus();
    ASSERT_EQ(menus.size(), 5);
    EXPECT_EQ(menus[0].text, qs("&File"));
    EXPECT_EQ(menus[4].text, qs("&Help"));

    QList<int> file;
    for (const MenuEntry& e : menus[0].items) file.append(e.separator ? 0 : e.command);
    EXPECT_EQ(file,
              (QList<int>{cmd::NewReportProject, cmd::FileOpen, cmd::FileSave, cmd::FileSaveAs,
                          cmd::Revert, 0, cmd::ExcelOutput, 0, cmd::Properties, 0, cmd::AppExit}));
    EXPECT_EQ(menus[2].items[6].text, qs("&Hot && Cold Cursors"));
    EXPECT_EQ(menus[2].items[6].command, cmd::HotColdCursors);

    // Dock Options has a prompt string but no place in the menu.
    for (const MenuDef& menu : menus)
        for (const MenuEntry& e : menu.items) EXPECT_NE(e.command, cmd::DockOptions);
    EXPECT_FALSE(StringTable::english().text(cmd::DockOptions).isEmpty());

    EXPECT_EQ(
        StringTable::english().toolbar(),
        (QList<int>{cmd::FileOpen, cmd::FileSave, 0, cmd::Options, 0, cmd::MeasurementCursorList,
                    cmd::MeasurementCursors, cmd::CursorTemperature, cmd::HotColdCursors,
                    cmd::AreaSelect, 0, cmd::BlueIsotherm, cmd::RedIsotherm, 0, cmd::Profiles, 0,
                    cmd::ReportWriter, 0, cmd::AppAbout}));
}

// Catches a wrong split of "prompt\ntool tip" and a tool tip showing "&&" literally.
TEST(EnglishTable, CommandPromptsAndToolTips)
{
    const StringTable table = StringTable::english();
    EXPECT_EQ(table.prompt(cmd::FileOpen), qs("Open an existing thermal image"));
    EXPECT_EQ(table.toolTip(cmd::FileOpen), qs("Open"));
    EXPECT_EQ(table.toolTip(cmd::HotColdCursors), qs("Hot & Cold Cursors"));
    EXPECT_EQ(table.prompt(cmd::PersistReportDetails), qs("Persist Report Details"));
    EXPECT_TRUE(table.toolTip(cmd::PersistReportDetails).isEmpty());
    for (const MenuDef& menu : table.menus()) {
        for (const MenuEntry& e : menu.items) {
            if (!e.separator) {
                EXPECT_FALSE(table.prompt(e.command).isEmpty()) << e.command;
            }
        }
    }
}

// Catches a module lookup that does not fall back to English, or English shadowing the module.
TEST(ModuleTable, ModuleTextsFirstThenEnglish)
{
    LanguagePack pack;
    pack.strings.insert(sid::LanguageTag, qs("GERMAN"));
    pack.strings.insert(sid::Yes, qs("Ja"));
    const StringTable table = StringTable::withModule(pack);
    EXPECT_TRUE(table.isModule());
    EXPECT_EQ(table.tag(), qs("GERMAN"));
    EXPECT_EQ(table.text(sid::Yes), qs("Ja"));
    EXPECT_TRUE(table.moduleHas(sid::Yes));
    EXPECT_EQ(table.text(sid::No), qs("No"));
    EXPECT_FALSE(table.moduleHas(sid::No));
    // A module without menus uses the program's own.
    EXPECT_EQ(table.menus().size(), StringTable::english().menus().size());
    EXPECT_EQ(table.toolbar(), StringTable::english().toolbar());
}

// Catches uiText reading a table other than the one installed at start-up.
TEST(ModuleTable, UiTextReadsTheActiveTable)
{
    ActiveTableGuard guard;
    LanguagePack pack;
    pack.strings.insert(sid::Ok, qs("D'accord"));
    StringTable::setActive(StringTable::withModule(pack));
    EXPECT_EQ(uiText(sid::Ok), qs("D'accord"));
    EXPECT_EQ(uiText(sid::Cancel), qs("Cancel"));
    StringTable::setActive(StringTable::english());
    EXPECT_EQ(uiText(sid::Ok), qs("OK"));
}

// Catches a parser that accepts malformed payloads (a module must then be refused).
TEST(LanguagePackParser, RefusesMalformedPayloads)
{
    QString why;
    EXPECT_FALSE(parseLanguagePack("not json", &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_FALSE(parseLanguagePack(R"({"format": 2, "strings": {}})"));
    EXPECT_FALSE(parseLanguagePack(R"({"format": 1, "strings": {"70000": "x"}})"));
    EXPECT_FALSE(parseLanguagePack(R"({"format": 1, "strings": {"abc": "x"}})"));
    EXPECT_FALSE(parseLanguagePack(R"({"format": 1, "strings": {"5": 5}})"));
    EXPECT_FALSE(parseLanguagePack(
        R"({"format": 1, "strings": {}, "menus": [{"text": "&File", "items": [{"text": "x"}]}]})"));

    const auto good = parseLanguagePack(
        R"({"format": 1, "strings": {"5": "five"}, "menus": [{"text": "&File", "items":
            [{"text": "&Open...", "command": 57601}, {"separator": true}]}], "toolbar": [57601, 0]})");
    ASSERT_TRUE(good);
    EXPECT_EQ(good->strings.value(5), qs("five"));
    ASSERT_EQ(good->menus.size(), 1);
    ASSERT_EQ(good->menus[0].items.size(), 2);
    EXPECT_TRUE(good->menus[0].items[1].separator);
    EXPECT_EQ(good->toolbar, (QList<int>{57601, 0}));
}

// Catches printf conversions that lose precision, order or the %% escape in table formats.
TEST(TextFormat, FillsTableFormats)
{
    EXPECT_EQ(formatText(qs("%0.01f %s to %0.01f %s"), {20.0, qs("°C"), 35.54, qs("°C")}),
              qs("20.0 °C to 35.5 °C"));
    EXPECT_EQ(formatText(qs("Save changes to %s?"), {qs("site.vrp")}),
              qs("Save changes to site.vrp?"));
    EXPECT_EQ(formatText(qs("Page %d of %d"), {3, 46}), qs("Page 3 of 46"));
    EXPECT_EQ(formatText(qs("0 %% %s"), {qs("Visible")}), qs("0 % Visible"));
    EXPECT_EQ(formatText(qs("%0.02f"), {0.95}), qs("0.95"));
    EXPECT_EQ(formatText(qs("X %d Y %d"), {319, 0}), qs("X 319 Y 0"));
    EXPECT_EQ(formatText(qs("%s: %d"), {qs("Inspections"), 0}), qs("Inspections: 0"));
    EXPECT_EQ(formatText(qs("[%5s|%-5s]"), {qs("ab"), qs("cd")}), qs("[   ab|cd   ]"));
    EXPECT_EQ(formatText(qs("%ld and %lf"), {7, 1.5}), qs("7 and 1.500000"));
}

// Catches a formatter that crashes or misreads when arguments and conversions do not match.
TEST(TextFormat, ToleratesMismatchedArguments)
{
    EXPECT_EQ(formatText(qs("%s and %s"), {qs("one")}), qs("one and "));
    EXPECT_EQ(formatText(qs("%d"), {qs("text")}), qs("0"));
    EXPECT_EQ(formatText(qs("%s"), {12}), qs("12"));
    EXPECT_EQ(formatText(qs("100%"), {}), qs("100%"));
    EXPECT_EQ(formatText(qs("%y"), {1}), qs("%y"));
    EXPECT_EQ(twoPart(qs("Internal Error"), qs("Not all reports removed")),
              qs("Internal Error\nNot all reports removed"));
}
