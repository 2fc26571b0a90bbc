// The user's nine choices, the settings file that keeps them, and the paths
// of the clock's pictures and sounds.
#pragma once

#include <cstdint>
#include <string>

#include "settings/clock_styles.h"

struct SaverSettings {
    int32_t resolution = 0;
    int32_t clockType = 0;
    int32_t secondHand = 0;
    int32_t secondSound = 0;
    int32_t hourSound = 0;
    int32_t fifteenhourSound = 0;
    int32_t halfhourSound = 0;
    int32_t fortyfivehourSound = 0;
    int32_t random = 0;
};

// A switch counts as on only when it holds exactly 1.
inline bool is_on(int32_t value)
{
    return value == 1;
}

// The rows of settings/settings_table.h.
constexpr int SETTING_COUNT = 9;
constexpr int SCREEN_RESOLUTION_COUNT = 5;

// Values given for one run of the clock (on its command line), indexed as
// SETTING_ROWS; they take the place of the stored ones for that run only.
struct SettingsOverrides {
    bool given[SETTING_COUNT] = {};
    int32_t value[SETTING_COUNT] = {};
};

constexpr int SETTINGS_FILE_SIZE = 512;
// The longest settings file that is read; a longer one is read as empty and
// never saved over, since this program writes a few hundred bytes.
constexpr int SETTINGS_FILE_MAX_BYTES = 1024 * 1024;
constexpr int ASSET_FOLDER_SIZE = 260;
constexpr int ASSET_PATH_SIZE = 256;

struct AssetPaths {
    char secondHandPath[ASSET_PATH_SIZE];
    char minuteHandPath[ASSET_PATH_SIZE];
    char hourHandPath[ASSET_PATH_SIZE];
    char facePath[ASSET_PATH_SIZE];
    char tickPath[ASSET_PATH_SIZE];
    char hourChimePath[ASSET_PATH_SIZE];
    char fifteenhourChimePath[ASSET_PATH_SIZE];
    char halfhourChimePath[ASSET_PATH_SIZE];
    char fortyfivehourChimePath[ASSET_PATH_SIZE];
};

// The process-wide records, filled by load_settings.
extern SaverSettings saver_settings;
extern const ClockStyle *activeStyle;
extern AssetPaths asset_paths;
extern char settings_file[SETTINGS_FILE_SIZE];
extern char asset_folder[ASSET_FOLDER_SIZE];
extern SettingsOverrides settings_overrides;  // set by the entry for a run of the clock

extern const char SETTINGS_FILE_NAME[];   // "veltrane.cfg"
extern const char ASSET_FOLDER_NAME[];    // "morviksoft/veltrane/" with the platform's separator
extern const char SETTINGS_SECTION[];     // "saver"

// Works out the settings file and the asset folder and makes the settings
// file's text Allegro's current configuration. The asset folder is beside
// the program. The settings file is the user's own: on Linux
// $XDG_CONFIG_HOME/veltrane/veltrane.cfg (~/.config when that is not set),
// on Windows Veltrane\veltrane.cfg in the roaming application-data folder
// the system names; while it does not exist the one beside the program, if
// any, is read in its place. Paths are UTF-8. Only a regular file of at
// most SETTINGS_FILE_MAX_BYTES is read; anything else reads as empty.
void select_settings_file();

// Reads the nine settings (missing ones are 0); for a run of the clock
// (allowRandom 1) puts settings_overrides in place of the stored values;
// clamps the resolution, seeds the random generator and, when allowRandom
// and the random switch are both 1, picks a style at random for this run.
// Resolves activeStyle and the asset paths. Never fails.
void load_settings(int allowRandom);

// The nine paths of `style`'s pictures and sounds in `folder`.
void build_asset_paths(AssetPaths &paths, const char *folder, const ClockStyle &style);

// A style chosen at random from the ten, with the generator as seeded.
int pick_random_clock_type();

// Writes the nine settings into the settings file and keeps every other
// byte of it. The file is replaced as a whole (a new file beside it, renamed
// over it), so it is never left half-written, and it is read back. When the
// settings file is a symbolic link, the file it leads to is replaced, with
// the same permission bits. Returns true only when the file on disk holds
// what was saved; on false the old file is untouched and `reason`, when
// given, says why in a sentence for the user. Refuses when the settings
// file's path was too long for its buffer, since the cut path names some
// other file; when the file (or what a link leads to) is not a regular file
// or is longer than SETTINGS_FILE_MAX_BYTES; and when the saved file would
// be longer than that.
bool save_settings(std::string *reason = nullptr);

// Makes `settings` the process-wide record and saves it, as the dialog's OK
// does.
bool save_these_settings(const SaverSettings &settings, std::string &reason);
