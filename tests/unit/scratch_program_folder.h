// A test fixture that places "the program" in a fresh scratch folder that is
// also the user's settings folder ($XDG_CONFIG_HOME/veltrane), so that its
// settings file and asset folder are the test's own.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "settings/settings.h"
#include "tests/unit/fake_program_path.h"

class ScratchProgramFolder : public ::testing::Test {
public:  // the tests' tables reach them through the fixture
    std::filesystem::path root;  // $XDG_CONFIG_HOME
    std::filesystem::path dir;   // the program's folder and the user's settings folder

    void SetUp() override
    {
        char tmpl[] = "/tmp/veltrane-test-XXXXXX";
        root = mkdtemp(tmpl);
        dir = root / "veltrane";
        std::filesystem::create_directory(dir);
        setenv("XDG_CONFIG_HOME", root.c_str(), 1);
        fake_program_path = (dir / "veltrane").string();
        saver_settings = SaverSettings{};
        settings_overrides = SettingsOverrides{};
    }
    void TearDown() override
    {
        set_config_data("", 0);
        std::error_code ignored;
        for (const auto &p : {root, dir})
            std::filesystem::permissions(p, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(root, ignored);
    }
    std::filesystem::path cfg() const { return dir / "veltrane.cfg"; }
    static void write_file(const std::filesystem::path &path, const std::string &bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string read_file(const std::filesystem::path &path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void write_cfg(const std::string &text) const { write_file(cfg(), text); }
    std::string read_cfg() const { return read_file(cfg()); }
};
