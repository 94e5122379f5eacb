// The INI reader on arbitrary bytes: it must neither crash nor lose its fixed point (what it
// writes reads back the same), every value text it accepts must survive being written and
// read again, and a configuration loaded from the same bytes must stay within its limits.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

#include "app/config/config_key_table.h"
#include "app/config/configuration.h"
#include "app/config/ini_file.h"

namespace {

using namespace pax;

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "ini_reader_fuzz: %s\n", what);
    __builtin_trap();
}

void CheckValueTexts(std::string_view value) {
    if (auto number = ParseIniInteger(value))
        Check(ParseIniInteger(std::to_string(*number)) == number, "integer text round trip");
    if (auto colour = ParseIniHex(value))
        Check(ParseIniHex(FormatIniHex(*colour)) == colour, "hex text round trip");
    if (auto real = ParseIniFloat(value))
        Check(ParseIniFloat(FormatIniFloat(*real)) == real, "float text round trip");
    ParseIniBool(value);
}

void CheckFile(std::string_view text) {
    IniFile ini;
    ini.Parse(text);
    const std::string once = ini.ToText();
    IniFile again;
    again.Parse(once);
    Check(again.ToText() == once, "written text parses to itself");

    IniFile copy;
    for (const std::string& section : ini.SectionNames()) {
        for (const std::string& key : ini.KeyNames(section)) {
            std::string_view value = *ini.Find(section, key);
            CheckValueTexts(value);
            copy.WriteString(section, key, value);
            Check(copy.Find(section, key) == value, "a written value reads back");
        }
    }
}

void CheckConfiguration(std::string_view text) {
    // In memory where possible: rewriting a truncated file on ext4 forces it to the disk.
    static const std::string path = [] {
        std::string directory = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string name = directory + "/ini_reader_fuzz_" + std::to_string(::getpid()) + ".INI";
        static std::string removeAtExit = name;
        std::atexit([] { std::remove(removeAtExit.c_str()); });
        return name;
    }();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);

    tConfigValues values;
    tSwitches switches = DefaultSwitches();
    values.ConfigFileName = path;
    SettingsRef settings{values, switches};
    SetAllDefaults(settings);
    LoadConfiguration(settings);
    for (const ConfigKey& key : ConfigKeyTable()) {
        if (auto field = std::get_if<int32_t tConfigValues::*>(&key.Target))
            Check(values.**field >= key.Min && values.**field <= key.Max, "integer within its limits");
        if (auto vector = std::get_if<tConfigVector tConfigValues::*>(&key.Target)) {
            const tConfigVector& v = values.**vector;
            for (long double c : {v.x, v.y, v.z}) Check(c >= key.Min && c <= key.Max, "vector within its limits");
        }
    }
    Check(values.PictureList.size() <= MaxPictures, "at most eight pictures");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckFile(text);
    CheckConfiguration(text);
    return 0;
}
