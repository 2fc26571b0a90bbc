// Any bytes as the settings file, read through the real load_settings: the
// record must come out within its rules and every path inside its buffer;
// saving on top of that file must always succeed in a writable folder, keep
// what it saved, change nothing when repeated, and leave no temporary file.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_scratch.h"
#include "settings/settings.h"
#include "settings/settings_table.h"

namespace {

std::string folder;
std::string settings_path;

void check_loaded(bool allowRandom)
{
    const SaverSettings &s = saver_settings;
    FUZZ_REQUIRE(s.resolution >= 0 && s.resolution < SCREEN_RESOLUTION_COUNT);
    FUZZ_REQUIRE(activeStyle == &clock_style_for(s.clockType));
    if (allowRandom && s.random == 1)
        FUZZ_REQUIRE(is_listed_clock_type(s.clockType));
    FUZZ_REQUIRE(settings_path == settings_file);

    const char *paths[] = {asset_paths.secondHandPath, asset_paths.minuteHandPath,
                           asset_paths.hourHandPath, asset_paths.facePath, asset_paths.tickPath,
                           asset_paths.hourChimePath, asset_paths.fifteenhourChimePath,
                           asset_paths.halfhourChimePath, asset_paths.fortyfivehourChimePath};
    for (const char *path : paths) {
        FUZZ_REQUIRE(std::memchr(path, '\0', ASSET_PATH_SIZE) != nullptr);
        FUZZ_REQUIRE(std::strncmp(path, asset_folder, std::strlen(asset_folder)) == 0);
    }
    FUZZ_REQUIRE(std::strcmp(asset_paths.facePath + std::strlen(asset_folder), activeStyle->faceFile) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    folder = start_fuzz_environment();
    settings_path = folder + "/veltrane.cfg";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FUZZ_REQUIRE(write_whole_file(settings_path, data, size));

    // Every field is written by the load, whatever it held before.
    saver_settings = poisoned_settings(0x5a5a5a5a);
    load_settings(1);
    check_loaded(true);

    saver_settings = poisoned_settings(static_cast<int32_t>(0xa5a5a5a5));
    load_settings(0);
    check_loaded(false);

    // The dialog's OK on top of this file: the nine values it saves are the
    // nine values the next start reads, and saving them again changes nothing.
    const SaverSettings saved = saver_settings;
    std::string reason;
    FUZZ_REQUIRE(save_settings(&reason) && reason.empty());
    FUZZ_REQUIRE(access((settings_path + ".new").c_str(), F_OK) != 0);
    const std::string written = read_whole_file(settings_path);
    saver_settings = poisoned_settings(0x33333333);
    load_settings(0);
    for (const SettingRow &row : SETTING_ROWS)
        FUZZ_REQUIRE(saver_settings.*row.field == saved.*row.field);
    FUZZ_REQUIRE(save_settings() && read_whole_file(settings_path) == written);
    return 0;
}
