// A test fixture that places "the program" in a fresh scratch folder, so that
// its settings file and asset folder are the test's own.
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
protected:
    std::filesystem::path dir;

    void SetUp() override
    {
        char tmpl[] = "/tmp/veltrane-test-XXXXXX";
        dir = mkdtemp(tmpl);
        fake_program_path = (dir / "veltrane").string();
        saver_settings = SaverSettings{};
    }
    void TearDown() override
    {
        set_config_file("/dev/null");  // leave no configuration pointing here
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(dir);
    }
    std::filesystem::path cfg() const { return dir / "veltrane.cfg"; }
    void write_cfg(const std::string &text) const { std::ofstream(cfg()) << text; }
    std::string read_cfg() const
    {
        std::ifstream in(cfg());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};
