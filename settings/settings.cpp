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

// The whole file; false (errno set) when it cannot be read.
bool read_bytes(const char *path, std::string &bytes)
{
    bytes.clear();
    FILE *f = open_file(path, "rb");
    if (!f)
        return false;
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool write_bytes(const char *path, const std::string &bytes)
{
    FILE *f = open_file(path, "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
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
    if (!read_bytes(settings_file, bytes) && !has_entry(settings_file) && defaults[0])
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
    const std::string temp = file + ".new";
    const bool existed = has_entry(file.c_str());
    std::string old, written;
    if (settings_file_cut) {
        why = "its path is longer than " + std::to_string(SETTINGS_FILE_SIZE - 1) +
              " characters, so it could not be named in full";
    } else if (existed && !read_bytes(file.c_str(), old)) {
        why = quoted(file) + " could not be read (" + file_error_text() + ")";
    } else {
        const std::string text = with_saved_settings(old, saver_settings);
        remove_file(temp.c_str());
        if (!reads_as(text, saver_settings))
            why = "the settings would not read back from the file as saved";
        else if (!has_entry(settings_file) && !make_parent_folders(settings_file))
            why = "the folder of " + quoted(settings_file) + " could not be made (" + file_error_text() + ")";
        else if (!write_bytes(temp.c_str(), text) || (existed && !copy_permissions(file.c_str(), temp.c_str())) ||
                 !sync_file(temp.c_str()))
            why = quoted(temp) + " could not be written (" + file_error_text() + ")";
        else if (!read_bytes(temp.c_str(), written) || written != text)
            why = quoted(temp) + " did not read back as written";
        else if (!replace_file(temp.c_str(), file.c_str()))
            why = quoted(temp) + " could not take the place of " + quoted(file) + " (" + file_error_text() + ")";
        else if (!read_bytes(file.c_str(), written) || written != text)
            why = quoted(file) + " did not read back as saved";
        remove_file(temp.c_str());
    }
    use_as_configuration(why.empty() ? written : old);
    if (reason)
        *reason = why;
    return why.empty();
}
