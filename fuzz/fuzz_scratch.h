// What the settings-file fuzz targets share: Allegro started without a
// display, and "the program" placed in a scratch folder of its own, so that
// its settings file is a real file that the real code reads and writes.
#pragma once

#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/fuzz_require.h"
#include "settings/settings.h"
#include "tests/unit/fake_program_path.h"

// The scratch folder lives in memory when it can: the settings store syncs
// every file it saves, which costs nothing there.
inline std::string make_scratch_folder()
{
    const char *base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/veltrane-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("veltrane fuzz: mkdtemp");
        std::abort();
    }
    return pattern;
}

inline std::string start_fuzz_environment()
{
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "veltrane fuzz: cannot start Allegro\n");
        std::abort();
    }
    // The program's folder is also the user's settings folder, so that
    // the settings file beside the program is the one saved.
    static std::string root = make_scratch_folder();
    const std::string folder = root + "/veltrane";
    std::filesystem::create_directory(folder);
    setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    fake_program_path = folder + "/veltrane";
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    });
    return folder;
}

inline bool write_whole_file(const std::string &path, const uint8_t *data, size_t size)
{
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

inline std::string read_whole_file(const std::string &path)
{
    std::string text;
    FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        return text;
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    std::fclose(f);
    return text;
}

// Settings with every field set to `value`, so that a check can tell which
// fields a load really wrote.
inline SaverSettings poisoned_settings(int32_t value)
{
    return {value, value, value, value, value, value, value, value, value};
}
