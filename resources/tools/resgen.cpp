// resgen: turns the JSON string tables and menus into a C++ source that embeds one resource
// payload (see languagemodule.h), either as the program's own English resources or as the
// exported functions of a language module. Every input is checked here, at build time, so a
// broken table fails the build instead of showing blank texts at run time.
//
//   resgen --strings strings_en.json --menu menu_en.json [--overlay lang.json] [--tag TAG]
//          --mode module|embedded --out file.cpp
//
// A language's overlay file holds {"strings": {...}, "menus": [...]}; its strings replace the
// English ones of the same number and its menus, when present, replace the English menus.
// In module mode string 1156 is set to TAG, so a module's tag always matches its build line.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using nlohmann::json;

namespace {

constexpr const char* kTagId = "1156";

struct Options {
    std::string strings, menu, overlay, tag, mode, out;
};

[[noreturn]] void fail(const std::string& what)
{
    throw std::runtime_error(what);
}

// Parses a JSON file and refuses duplicate keys, which a plain parse would silently collapse.
json readJson(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(path + ": cannot open");
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::vector<std::set<std::string>> keys;
    std::string duplicate;
    auto check = [&](int, json::parse_event_t event, json& parsed) {
        if (event == json::parse_event_t::object_start)
            keys.emplace_back();
        else if (event == json::parse_event_t::object_end)
            keys.pop_back();
        else if (event == json::parse_event_t::key && !keys.empty()) {
            const auto key = parsed.get<std::string>();
            if (!keys.back().insert(key).second && duplicate.empty()) duplicate = key;
        }
        return true;
    };
    json result;
    try {
        result = json::parse(buffer.str(), check);
    } catch (const json::exception& e) {
        fail(path + ": " + e.what());
    }
    if (!duplicate.empty()) fail(path + ": duplicate key \"" + duplicate + "\"");
    return result;
}

bool isCanonicalId(const std::string& key)
{
    if (key.empty() || key.size() > 5 || (key.size() > 1 && key[0] == '0')) return false;
    for (char c : key)
        if (c < '0' || c > '9') return false;
    return std::stol(key) <= 65535;
}

void checkStrings(const json& strings, const std::string& where)
{
    if (!strings.is_object()) fail(where + ": \"strings\" must be an object of id -> text");
    for (const auto& [key, value] : strings.items()) {
        if (!isCanonicalId(key))
            fail(where + ": string id \"" + key + "\" is not a number in 0..65535");
        if (!value.is_string()) fail(where + ": string " + key + " is not a text");
    }
}

void checkMenus(const json& menus, const json& strings, const std::string& where)
{
    if (!menus.is_array() || menus.empty()) fail(where + ": \"menus\" must be a non-empty array");
    for (const auto& menu : menus) {
        if (!menu.is_object() || !menu.contains("text") || !menu["text"].is_string() ||
            !menu.contains("items") || !menu["items"].is_array())
            fail(where + ": each menu needs \"text\" and \"items\"");
        for (const auto& item : menu["items"]) {
            if (item.is_object() && item.size() == 1 && item.value("separator", false)) continue;
            if (!item.is_object() || !item.contains("text") || !item["text"].is_string() ||
                !item.contains("command") || !item["command"].is_number_integer())
                fail(where + ": menu item needs \"text\" and an integer \"command\"");
            const auto command = item["command"].get<long>();
            if (command <= 0 || command > 65535)
                fail(where + ": command " + std::to_string(command) + " out of range");
            // Every command's status prompt and tool tip live in the string of the same number.
            if (!strings.contains(std::to_string(command)))
                fail(where + ": command " + std::to_string(command) + " has no prompt string");
        }
    }
}

void checkToolbar(const json& toolbar, const json& strings, const std::string& where)
{
    if (!toolbar.is_array()) fail(where + ": \"toolbar\" must be an array of command numbers");
    for (const auto& entry : toolbar) {
        if (!entry.is_number_integer() || entry.get<long>() < 0 || entry.get<long>() > 65535)
            fail(where + ": toolbar entries are command numbers, 0 for a separator");
        if (entry.get<long>() != 0 && !strings.contains(std::to_string(entry.get<long>())))
            fail(where + ": toolbar command " + std::to_string(entry.get<long>()) +
                 " has no prompt string");
    }
}

json buildPayload(const Options& options)
{
    json strings = readJson(options.strings);
    checkStrings(strings, options.strings);
    const json menuFile = readJson(options.menu);
    if (!menuFile.is_object() || !menuFile.contains("menus"))
        fail(options.menu + ": needs \"menus\"");
    json menus = menuFile["menus"];
    const json toolbar = menuFile.value("toolbar", json::array());

    if (!options.overlay.empty()) {
        const json overlay = readJson(options.overlay);
        if (!overlay.is_object()) fail(options.overlay + ": must be an object");
        for (const auto& [key, value] : overlay.items())
            if (key != "strings" && key != "menus")
                fail(options.overlay + ": unknown section \"" + key + "\"");
        if (overlay.contains("strings")) {
            checkStrings(overlay["strings"], options.overlay);
            for (const auto& [key, value] : overlay["strings"].items()) strings[key] = value;
        }
        if (overlay.contains("menus")) menus = overlay["menus"];
    }

    if (options.mode == "module") {
        if (options.tag.empty()) fail("a language module needs --tag");
        strings[kTagId] = options.tag;
    } else if (!strings.contains(kTagId)) {
        fail(options.strings + ": the program's own table needs its tag, string 1156");
    } else if (!options.tag.empty() && strings[kTagId] != options.tag) {
        fail(options.strings + ": string 1156 is not " + options.tag);
    }

    checkMenus(menus, strings, options.menu);
    checkToolbar(toolbar, strings, options.menu);
    return json{{"format", 1}, {"strings", strings}, {"menus", menus}, {"toolbar", toolbar}};
}

void writeSource(const Options& options, const std::string& payload)
{
    std::ostringstream out;
    out << "// Generated by resgen from " << options.strings;
    if (!options.overlay.empty()) out << " and " << options.overlay;
    out << ". Do not edit.\n#include \""
        << (options.mode == "module" ? "languagemodule.h" : "embeddedresources.h")
        << "\"\n\nnamespace {\n"
        << "const unsigned char kPayload[] = {";
    for (std::size_t i = 0; i < payload.size(); ++i) {
        if (i % 16 == 0) out << "\n   ";
        char hex[8];
        std::snprintf(hex, sizeof hex, " 0x%02x,", static_cast<unsigned char>(payload[i]));
        out << hex;
    }
    out << "\n    0x00};\n}\n\n";
    if (options.mode == "module") {
        out << "extern \"C\" CALIVUE_KVO_EXPORT int kvoInitialise(void)\n{\n    return 1;\n}\n\n"
            << "extern \"C\" CALIVUE_KVO_EXPORT const char *kvoResources(void)\n{\n"
            << "    return reinterpret_cast<const char *>(kPayload);\n}\n";
    } else {
        out << "namespace calivue::resources {\nconst char *englishPayload()\n{\n"
            << "    return reinterpret_cast<const char *>(kPayload);\n}\n}\n";
    }
    std::ofstream file(options.out, std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file) fail(options.out + ": cannot write");
}

Options parseArguments(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) fail("missing value after " + arg);
        const std::string value = argv[++i];
        if (arg == "--strings")
            options.strings = value;
        else if (arg == "--menu")
            options.menu = value;
        else if (arg == "--overlay")
            options.overlay = value;
        else if (arg == "--tag")
            options.tag = value;
        else if (arg == "--mode")
            options.mode = value;
        else if (arg == "--out")
            options.out = value;
        else
            fail("unknown option " + arg);
    }
    if (options.strings.empty() || options.menu.empty() || options.out.empty() ||
        (options.mode != "module" && options.mode != "embedded"))
        fail(
            "usage: resgen --strings F --menu F [--overlay F] [--tag T] "
            "--mode module|embedded --out F");
    return options;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        const Options options = parseArguments(argc, argv);
        writeSource(options, buildPayload(options).dump());
    } catch (const std::exception& e) {
        std::cerr << "resgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
