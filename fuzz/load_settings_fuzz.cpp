// Any bytes as the settings file beside the program, read through the real
// load_settings: the record must come out within its rules, every path must
// stay inside its buffer, and saving on top of that file must keep what it
// saved and leave no temporary file behind.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_scratch.h"
#include "settings/settings.h"

namespace {

std::string folder;
std::string settings_path;

bool is_terminated(const char *text, size_t size)
{
    return std::memchr(text, '\0', size) != nullptr;
}

void check_loaded(bool allowRandom)
{
    const SaverSettings &s = saver_settings;
    FUZZ_REQUIRE(s.resolution >= 0 && s.resolution <= 4);
    FUZZ_REQUIRE(activeStyle == &clock_style_for(s.clockType));
    if (allowRandom && s.random == 1)
        FUZZ_REQUIRE(is_listed_clock_type(s.clockType));
    FUZZ_REQUIRE(settings_path == settings_file);

    const char *paths[] = {asset_paths.secondHandPath, asset_paths.minuteHandPath,
                           asset_paths.hourHandPath, asset_paths.facePath, asset_paths.tickPath,
                           asset_paths.hourChimePath, asset_paths.fifteenhourChimePath,
                           asset_paths.halfhourChimePath, asset_paths.fortyfivehourChimePath};
    for (const char *path : paths) {
        FUZZ_REQUIRE(is_terminated(path, ASSET_PATH_SIZE));
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
    // nine values the next start reads.
    const SaverSettings saved = saver_settings;
    const bool ok = save_settings();
    FUZZ_REQUIRE(access((settings_path + ".new").c_str(), F_OK) != 0);
    if (ok) {
        saver_settings = poisoned_settings(0x33333333);
        load_settings(0);
        FUZZ_REQUIRE(saver_settings.clockType == saved.clockType);
        FUZZ_REQUIRE(saver_settings.resolution == saved.resolution);
        FUZZ_REQUIRE(saver_settings.secondHand == saved.secondHand);
        FUZZ_REQUIRE(saver_settings.secondSound == saved.secondSound);
        FUZZ_REQUIRE(saver_settings.hourSound == saved.hourSound);
        FUZZ_REQUIRE(saver_settings.fifteenhourSound == saved.fifteenhourSound);
        FUZZ_REQUIRE(saver_settings.halfhourSound == saved.halfhourSound);
        FUZZ_REQUIRE(saver_settings.fortyfivehourSound == saved.fortyfivehourSound);
        FUZZ_REQUIRE(saver_settings.random == saved.random);
    } else {
        // A refused save leaves the file exactly as it was.
        FUZZ_REQUIRE(read_whole_file(settings_path) ==
                     std::string(reinterpret_cast<const char *>(data), size));
    }
    return 0;
}
