#include "settings/settings.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "settings/file_ops.h"
#include "settings/program_path.h"
#include "settings/settings_location.h"
#include "settings/settings_table.h"
#include "settings/settings_text.h"

SaverSettings saver_settings;
const ClockStyle *activeStyle = &ClockStyleTable[0];
AssetPaths asset_paths;
char settings_file[SETTINGS_FILE_SIZE];
char asset_folder[ASSET_FOLDER_SIZE];
SettingsOverrides settings_overrides;

const char SETTINGS_FILE_NAME[] = "veltrane.cfg";
#ifdef _WIN32
const char ASSET_FOLDER_NAME[] = "morviksoft\\veltrane\\";
#else
const char ASSET_FOLDER_NAME[] = "morviksoft/veltrane/";
#endif
const char SETTINGS_SECTION[] = "saver";

namespace {

bool settings_file_cut = false;

// The whole file, when it is one a settings file can be; anything else
// leaves `bytes` empty.
FileRead read_bytes(const char *path, std::string &bytes)
{
    return read_regular_file(path, SETTINGS_FILE_MAX_BYTES, bytes);
}

// Makes `bytes` the library's current configuration. It has no file name,
// so the library never writes it back by itself.
void use_as_configuration(const std::string &bytes)
{
    const std::string view = library_view(bytes);
    set_config_data(view.data(), static_cast<int>(view.size()));
}

// True when the library reads the nine settings from `bytes` as `settings`.
bool reads_as(const std::string &bytes, const SaverSettings &settings)
{
    use_as_configuration(bytes);
    for (const SettingRow &row : SETTING_ROWS)
        if (get_config_int(SETTINGS_SECTION, row.key, 0) != settings.*row.field)
            return false;
    return true;
}

std::string quoted(const std::string &path)
{
    return "\"" + path + "\"";
}

}  // namespace

void select_settings_file()
{
    char programPath[SETTINGS_FILE_SIZE];
    char besideProgram[SETTINGS_FILE_SIZE];
    char defaults[SETTINGS_FILE_SIZE];
    const bool programPathWhole = get_program_path(programPath, sizeof programPath);
    replace_filename(besideProgram, programPath, SETTINGS_FILE_NAME, SETTINGS_FILE_SIZE);
    replace_filename(asset_folder, programPath, ASSET_FOLDER_NAME, ASSET_FOLDER_SIZE);
    // A cut path can name a folder above the program's own: reading there
    // does no harm, but saving must never write there. The library cuts
    // before a character that does not fit, so a cut is told by the length.
    const size_t folderLength = static_cast<size_t>(get_filename(programPath) - programPath);
    const bool besideProgramWhole =
        programPathWhole && std::strlen(besideProgram) == folderLength + std::strlen(SETTINGS_FILE_NAME);
    settings_file_cut = !locate_settings_file(besideProgram, besideProgramWhole, settings_file,
                                              sizeof settings_file, defaults, sizeof defaults);

    std::string bytes;
    if (read_bytes(settings_file, bytes) == FileRead::failed && !has_entry(settings_file) && defaults[0])
        read_bytes(defaults, bytes);
    use_as_configuration(bytes);
}

int pick_random_clock_type()
{
    return std::rand() % CLOCK_STYLE_COUNT;
}

void load_settings(int allowRandom)
{
    select_settings_file();
    for (int position = 0; position < SETTING_COUNT; position++) {
        const SettingRow &row = setting_in_load_order(position);
        saver_settings.*row.field = get_config_int(SETTINGS_SECTION, row.key, 0);
    }
    // The dialog (allowRandom 0) shows and saves what is stored.
    for (int i = 0; allowRandom == 1 && i < SETTING_COUNT; i++)
        if (settings_overrides.given[i])
            saver_settings.*SETTING_ROWS[i].field = settings_overrides.value[i];

    if (saver_settings.resolution < 0 || saver_settings.resolution >= SCREEN_RESOLUTION_COUNT)
        saver_settings.resolution = 0;

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (allowRandom == 1 && is_on(saver_settings.random))
        saver_settings.clockType = pick_random_clock_type();

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

bool save_these_settings(const SaverSettings &settings, std::string &reason)
{
    saver_settings = settings;
    return save_settings(&reason);
}

bool save_settings(std::string *reason)
{
    select_settings_file();
    std::string why;
    const std::string file = file_behind_links(settings_file);
    const bool existed = has_entry(file.c_str());
    std::string old, text;
    const FileRead read = existed ? read_bytes(file.c_str(), old) : FileRead::ok;
    if (settings_file_cut) {
        why = "its path is longer than " + std::to_string(SETTINGS_FILE_SIZE - 1) +
              " characters, so it could not be named in full";
    } else if (read != FileRead::ok) {
        why = read_refusal(read, file, SETTINGS_FILE_MAX_BYTES);
    } else {
        text = with_saved_settings(old, saver_settings);
        if (text.size() > static_cast<size_t>(SETTINGS_FILE_MAX_BYTES))
            why = "with the settings added, " + quoted(file) + " would be longer than " +
                  std::to_string(SETTINGS_FILE_MAX_BYTES / 1024 / 1024) + " MB, and so no longer read";
        else if (!reads_as(text, saver_settings))
            why = "the settings would not read back from the file as saved";
        else if (!has_entry(settings_file) && !make_parent_folders(settings_file))
            why = "the folder of " + quoted(settings_file) + " could not be made (" + file_error_text() + ")";
        else
            why = replace_file_contents(file, text, existed);
    }
    use_as_configuration(why.empty() ? text : old);
    if (reason)
        *reason = why;
    return why.empty();
}
