#include "settings/settings.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <map>

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

void build_asset_path(char *dest, const char *fileName)
{
    append_filename(dest, asset_folder, fileName, ASSET_PATH_SIZE);
}

using ConfigEntries = std::map<std::string, std::string>;

// Every "[section]key" of the current configuration, with its value.
ConfigEntries current_entries()
{
    ConfigEntries entries;
    auto add_section = [&](const char *section) {
        const char **names = nullptr;
        int n = list_config_entries(section, &names);
        for (int i = 0; i < n; i++) {
            const char *value = get_config_string(section, names[i], "");
            entries.emplace(std::string(section ? section : "[]") + names[i], value ? value : "");
        }
        free_config_entries(&names);
    };
    add_section(nullptr);
    const char **sections = nullptr;
    int n = list_config_sections(&sections);
    for (int i = 0; i < n; i++)
        add_section(sections[i]);  // listed in brackets, as "[saver]"
    free_config_entries(&sections);
    return entries;
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

    build_asset_path(asset_paths.secondHandPath, activeStyle->secondFile);
    build_asset_path(asset_paths.minuteHandPath, activeStyle->minuteFile);
    build_asset_path(asset_paths.hourHandPath, activeStyle->hourFile);
    build_asset_path(asset_paths.facePath, activeStyle->faceFile);
    build_asset_path(asset_paths.tickPath, "tick.wav");
    build_asset_path(asset_paths.hourChimePath, "chime.wav");
    build_asset_path(asset_paths.fifteenhourChimePath, "chime.wav");
    build_asset_path(asset_paths.halfhourChimePath, "chime.wav");
    build_asset_path(asset_paths.fortyfivehourChimePath, "chime.wav");
}

bool save_settings()
{
    select_settings_file();
    ConfigEntries wanted = current_entries();
    for (const SettingKey &key : SAVE_ORDER)
        wanted["[" + std::string(SETTINGS_SECTION) + "]" + key.name] = std::to_string(saver_settings.*key.field);

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
        ok = current_entries() == wanted && sync_file(temp.c_str()) &&
             replace_file(temp.c_str(), settings_file);
    }
    if (!ok)
        std::remove(temp.c_str());
    set_config_file(settings_file);
    return ok && current_entries() == wanted;
}
