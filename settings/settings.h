// The user's nine choices, the settings file that keeps them beside the
// program, and the paths of the clock's pictures and sounds.
#pragma once

#include <cstdint>

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

constexpr int SETTINGS_FILE_SIZE = 512;
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

extern const char SETTINGS_FILE_NAME[];   // "veltrane.cfg"
extern const char ASSET_FOLDER_NAME[];    // "morviksoft/veltrane/" with the platform's separator
extern const char SETTINGS_SECTION[];     // "saver"

// Works out the settings file and asset folder beside the program and makes
// the settings file Allegro's current configuration.
void select_settings_file();

// Reads the nine settings (missing ones are 0), clamps the resolution, seeds
// the random generator and, when allowRandom and the random switch are both
// 1, picks a style at random for this run. Resolves activeStyle and the
// asset paths. Never fails.
void load_settings(int allowRandom);

// Writes the nine settings to the settings file. The file is replaced as a
// whole (a temporary file beside it, renamed over it), so it is never left
// half-written, and then read back. Returns true only when the file on disk
// holds what was saved; on false the old file is untouched. Refuses (false)
// when the program's path was too long for its buffer, since the cut path
// names some other folder, and when the file holds bytes the library
// cannot read (it then loads as empty).
bool save_settings();
