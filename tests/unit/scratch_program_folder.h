// The settings tests' fixture: Allegro's configuration routines, "the
// program" in a fresh scratch folder, and no settings or overrides left over.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include "settings/settings.h"
#include "settings/settings_table.h"
#include "tests/unit/allegro_fixture.h"
#include "tests/unit/fake_program_path.h"

class ScratchProgramFolder : public ::testing::Test {
public:  // the tests' tables reach them through the fixture
    std::filesystem::path root, dir;  // $XDG_CONFIG_HOME, and the program's and settings' folder

    void SetUp() override
    {
        root = place_program_in_scratch_folder();
        dir = root / "veltrane";
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
    void write_cfg(const std::string &text) const { write_file(cfg(), text); }
    std::string read_cfg() const { return read_file(cfg()); }
};

// The nine values in the table's order, so that a mismatch shows them all.
inline std::vector<int32_t> fields(const SaverSettings &s)
{
    std::vector<int32_t> v;
    for (const SettingRow &row : SETTING_ROWS)
        v.push_back(s.*row.field);
    return v;
}

// Each settings test program is this header and its tests.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new AllegroEnvironment);
    return RUN_ALL_TESTS();
}
