// Tests decide where "the program" lives: a scratch folder that is also the
// user's settings folder ($XDG_CONFIG_HOME/veltrane), so that its settings
// file and asset folder are the test's own.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern std::string fake_program_path;

// Makes <base>/veltrane-test-XXXXXX/veltrane, the program's folder, and
// returns the outer folder, which becomes $XDG_CONFIG_HOME.
inline std::filesystem::path place_program_in_scratch_folder(const char *base = "/tmp")
{
    std::string root = std::string(base) + "/veltrane-test-XXXXXX";
    if (!mkdtemp(root.data()))
        abort();
    std::filesystem::create_directory(root + "/veltrane");
    setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    fake_program_path = root + "/veltrane/veltrane";
    return root;
}

inline bool write_file(const std::filesystem::path &path, const std::string &bytes)
{
    return static_cast<bool>(std::ofstream(path, std::ios::binary) << bytes);
}

inline std::string read_file(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
