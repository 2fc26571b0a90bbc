#include "settings/settings.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <strings.h>
#include <vector>

#include "settings/file_ops.h"
#include "settings/program_path.h"

SaverSettings saver_settings;
const ClockStyle *activeStyle = &ClockStyleTable[0];
AssetPaths asset_paths;
char settings_file[SETTINGS_FILE_SIZE];
char asset_folder[ASSET_FOLDER_SIZE];

const char SETTINGS_FILE_NAME[] = "veltrane.cfg";
#ifdef _WIN32
const char ASSET_FOLDER_NAME[] = "morviksoft\\veltrane\\";
#else
const char ASSET_FOLDER_NAME[] = "morviksoft/veltrane/";
#endif
const char SETTINGS_SECTION[] = "saver";

namespace {

bool settings_file_cut = false;
bool settings_file_unreadable = false;

// The library reads a configuration as UTF-8, and its decoder loops forever
// on some sequences that start with a byte 0xF8..0xFF (such bytes never
// occur in UTF-8 text). A file holding one is treated as unreadable.
bool library_cannot_read(const char *path)
{
    FILE *f = std::fopen(path, "rb");
    if (!f)
        return false;
    unsigned char buffer[8192];
    size_t n;
    bool bad = false;
    while (!bad && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        for (size_t i = 0; i < n && !bad; i++)
            bad = buffer[i] >= 0xF8;
    std::fclose(f);
    return bad;
}

struct SettingKey {
    const char *name;
    int32_t SaverSettings::*field;
};

// The order in which the keys are read.
const SettingKey LOAD_ORDER[] = {
    {"resolution", &SaverSettings::resolution},
    {"clockType", &SaverSettings::clockType},
    {"secondHand", &SaverSettings::secondHand},
    {"secondSound", &SaverSettings::secondSound},
    {"hourSound", &SaverSettings::hourSound},
    {"fifteenhourSound", &SaverSettings::fifteenhourSound},
    {"halfhourSound", &SaverSettings::halfhourSound},
    {"fortyfivehourSound", &SaverSettings::fortyfivehourSound},
    {"random", &SaverSettings::random},
};

// The order in which they are written; a new file lists them so.
const SettingKey SAVE_ORDER[] = {
    LOAD_ORDER[1], LOAD_ORDER[0], LOAD_ORDER[2], LOAD_ORDER[3], LOAD_ORDER[4],
    LOAD_ORDER[5], LOAD_ORDER[6], LOAD_ORDER[7], LOAD_ORDER[8],
};


struct ConfigEntry {
    std::string section;  // as the library lists it: "[saver]", or "" for none
    std::string name;
    std::string value;
};

// What the library holds of a configuration: its sections in order and
// every entry; empty for a file too large to list (see below).
struct ConfigSnapshot {
    bool listed = false;
    std::vector<std::string> sections;
    std::vector<ConfigEntry> entries;
};

// The library's listings take time that grows with the square of the file
// (8,000 sections take seconds). Files this program writes are a few
// hundred bytes; over one far larger than this, a save checks the nine
// keys only, so that it cannot stall the dialog.
constexpr long LISTING_LIMIT = 16 * 1024;

// What a look-up of an entry gives when the library holds no value for it.
const char ABSENT[] = "\001absent";

bool is_saver_section(const std::string &section)
{
    const std::string saverSection = "[" + std::string(SETTINGS_SECTION) + "]";
    return strcasecmp(section.c_str(), saverSection.c_str()) == 0;
}

// The current configuration; entries come with the value that a look-up of
// them gives (some lines the library lists, such as a key without a value,
// do not look up at all).
std::vector<std::string> config_sections()
{
    std::vector<std::string> names;
    const char **sections = nullptr;
    int n = list_config_sections(&sections);
    for (int i = 0; i < n; i++)
        names.push_back(sections[i]);  // in brackets, as "[saver]"
    free_config_entries(&sections);
    return names;
}

ConfigSnapshot current_config(bool list)
{
    ConfigSnapshot config;
    if (!list)
        return config;
    config.sections = config_sections();

    auto add_section = [&](const char *section) {
        const char **names = nullptr;
        int count = list_config_entries(section, &names);
        for (int i = 0; i < count; i++) {
            const char *value = get_config_string(section, names[i], ABSENT);
            config.entries.push_back({section ? section : "", names[i], value ? value : ABSENT});
        }
        free_config_entries(&names);
    };
    add_section(nullptr);
    for (const std::string &section : config.sections)
        add_section(section.c_str());
    config.listed = true;
    return config;
}

// The sections other than the one we write, in order.
std::vector<std::string> other_sections(const std::vector<std::string> &sections)
{
    std::vector<std::string> others;
    for (const std::string &section : sections)
        if (!is_saver_section(section))
            others.push_back(section);
    return others;
}

const SettingKey *saved_key_named(const ConfigEntry &entry)
{
    // The library matches section and key names whatever their case, so a
    // hand-written "Clocktype" is the entry that a save overwrites.
    if (!is_saver_section(entry.section))
        return nullptr;
    for (const SettingKey &key : SAVE_ORDER)
        if (strcasecmp(entry.name.c_str(), key.name) == 0)
            return &key;
    return nullptr;
}

// True when the current configuration reads, through the library's own
// look-ups, as `before` with the nine settings of `settings` written over
// it: the user's other sections, keys and values survive (checked for a file
// of ordinary size), and the nine read back as saved.
bool holds_saved_settings(const ConfigSnapshot &before, const SaverSettings &settings)
{
    if (before.listed && other_sections(config_sections()) != other_sections(before.sections))
        return false;
    for (const ConfigEntry &entry : before.entries) {
        const char *section = entry.section.empty() ? nullptr : entry.section.c_str();
        const char *value = get_config_string(section, entry.name.c_str(), ABSENT);
        const SettingKey *key = saved_key_named(entry);
        const std::string expected = key ? std::to_string(settings.*key->field) : entry.value;
        if (!value || expected != value)
            return false;
    }
    for (const SettingKey &key : SAVE_ORDER) {
        const char *value = get_config_string(SETTINGS_SECTION, key.name, ABSENT);
        if (!value || std::to_string(settings.*key.field) != value)
            return false;
    }
    return true;
}

bool copy_file(const char *from, const char *to)
{
    FILE *in = std::fopen(from, "rb");
    if (!in)
        return false;
    FILE *out = std::fopen(to, "wb");
    bool ok = out != nullptr;
    char buffer[8192];
    size_t n;
    while (ok && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        ok = std::fwrite(buffer, 1, n, out) == n;
    ok = ok && !std::ferror(in);
    std::fclose(in);
    if (out)
        ok = std::fclose(out) == 0 && ok;
    return ok;
}

}  // namespace

void select_settings_file()
{
    char programPath[SETTINGS_FILE_SIZE];
    get_program_path(programPath, sizeof programPath);
    replace_filename(settings_file, programPath, SETTINGS_FILE_NAME, SETTINGS_FILE_SIZE);
    replace_filename(asset_folder, programPath, ASSET_FOLDER_NAME, ASSET_FOLDER_SIZE);
    // A path that fills its buffer may have been cut, and a cut path can
    // name a folder above the program's own: reading there does no harm,
    // but saving must never write there.
    settings_file_cut = std::strlen(programPath) >= sizeof programPath - 1 ||
                        std::strlen(settings_file) >= sizeof settings_file - 1;
    settings_file_unreadable = library_cannot_read(settings_file);
    if (settings_file_unreadable)
        set_config_data("", 0);  // reads as empty, and is never written back
    else
        set_config_file(settings_file);
}

void load_settings(int allowRandom)
{
    select_settings_file();
    for (const SettingKey &key : LOAD_ORDER)
        saver_settings.*key.field = get_config_int(SETTINGS_SECTION, key.name, 0);

    if (saver_settings.resolution < 0 || saver_settings.resolution > 4)
        saver_settings.resolution = 0;

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (allowRandom == 1 && saver_settings.random == 1)
        saver_settings.clockType = std::rand() % CLOCK_STYLE_COUNT;

    activeStyle = &clock_style_for(saver_settings.clockType);
    build_asset_paths(asset_paths, asset_folder, *activeStyle);
}

void build_asset_paths(AssetPaths &paths, const char *folder, const ClockStyle &style)
{
    const struct {
        char *dest;
        const char *file;
    } files[] = {
        {paths.secondHandPath, style.secondFile}, {paths.minuteHandPath, style.minuteFile},
        {paths.hourHandPath, style.hourFile},     {paths.facePath, style.faceFile},
        {paths.tickPath, "tick.wav"},             {paths.hourChimePath, "chime.wav"},
        {paths.fifteenhourChimePath, "chime.wav"}, {paths.halfhourChimePath, "chime.wav"},
        {paths.fortyfivehourChimePath, "chime.wav"},
    };
    for (const auto &f : files)
        append_filename(f.dest, folder, f.file, ASSET_PATH_SIZE);
}

bool save_settings()
{
    select_settings_file();
    if (settings_file_cut || settings_file_unreadable)
        return false;
    const ConfigSnapshot before = current_config(file_size_ex(settings_file) <= LISTING_LIMIT);

    // Allegro writes a configuration in place. Let it write a copy of the
    // file instead, read the copy back, and only then put it in the file's
    // place, so that the file is always either the old one or the new one.
    const std::string temp = std::string(settings_file) + ".new";
    std::remove(temp.c_str());
    bool ok = !exists(settings_file) || copy_file(settings_file, temp.c_str());
    if (ok) {
        set_config_file(temp.c_str());
        for (const SettingKey &key : SAVE_ORDER)
            set_config_int(SETTINGS_SECTION, key.name, saver_settings.*key.field);
        flush_config_file();
        set_config_file(temp.c_str());
        ok = holds_saved_settings(before, saver_settings) && sync_file(temp.c_str()) &&
             replace_file(temp.c_str(), settings_file);
    }
    if (!ok)
        std::remove(temp.c_str());
    set_config_file(settings_file);
    return ok && holds_saved_settings(before, saver_settings);
}
