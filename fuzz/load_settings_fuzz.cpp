// Any bytes as the settings file, read through the real load_settings: the
// record must come out within its rules and the face's path beside the program;
// saving on top of that file must always succeed in a writable folder, keep
// what it saved, change nothing when repeated, and leave no temporary file.
#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fuzz/fuzz_require.h"
#include "settings/settings.h"
#include "settings/settings_table.h"
#include "tests/unit/fake_program_path.h"

namespace {

std::string settings_path;

// Every field is written by the load, whatever it held before.
void check_load(int allowRandom, int32_t poison)
{
    saver_settings = {poison, poison, poison, poison, poison, poison, poison, poison, poison};
    load_settings(allowRandom);
    const SaverSettings &s = saver_settings;
    FUZZ_REQUIRE(s.resolution >= 0 && s.resolution < SCREEN_RESOLUTION_COUNT);
    FUZZ_REQUIRE(activeStyle == &clock_style_for(s.clockType));
    FUZZ_REQUIRE(!allowRandom || s.random != 1 || is_listed_clock_type(s.clockType));
    FUZZ_REQUIRE(std::strcmp(asset_paths.facePath + std::strlen(asset_folder), activeStyle->faceFile) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FUZZ_REQUIRE(install_allegro(SYSTEM_NONE, &errno, atexit) == 0);
    // In memory when it can be: the store syncs every file it saves.
    static const std::filesystem::path root =
        place_program_in_scratch_folder(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    });
    settings_path = (root / "veltrane/veltrane.cfg").string();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FUZZ_REQUIRE(write_file(settings_path, std::string(reinterpret_cast<const char *>(data), size)));
    check_load(1, 0x5a5a5a5a);
    check_load(0, static_cast<int32_t>(0xa5a5a5a5));

    // The dialog's OK on top of this file: the nine values it saves are the
    // nine values the next start reads, and saving them again changes nothing.
    const SaverSettings saved = saver_settings;
    std::string reason;
    FUZZ_REQUIRE(save_settings(&reason) && reason.empty());
    FUZZ_REQUIRE(access((settings_path + ".new").c_str(), F_OK) != 0);
    const std::string written = read_file(settings_path);
    check_load(0, 0x33333333);
    for (const SettingRow &row : SETTING_ROWS)
        FUZZ_REQUIRE(saver_settings.*row.field == saved.*row.field);
    FUZZ_REQUIRE(save_settings() && read_file(settings_path) == written);
    return 0;
}
