// The settings store on real files: what loads, what a run's overrides and
// the random choice do, where the file lives, and what a save writes.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <vector>

#include "settings/settings.h"
#include "settings/settings_table.h"
#include "tests/unit/allegro_fixture.h"
#include "tests/unit/fake_program_path.h"
#include "tests/unit/scratch_program_folder.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class SettingsStore : public ScratchProgramFolder {};

constexpr int FALLBACK = -1;

SaverSettings with(int clockType, int resolution = 0, int secondHand = 0, int hourSound = 0, int random = 0,
                   int secondSound = 0)
{
    SaverSettings s;
    s.clockType = clockType;
    s.resolution = resolution;
    s.secondHand = secondHand;
    s.hourSound = hourSound;
    s.random = random;
    s.secondSound = secondSound;
    return s;
}

void expect_settings(const SaverSettings &expected)
{
    for (const SettingRow &row : SETTING_ROWS)
        EXPECT_EQ(saver_settings.*row.field, expected.*row.field) << row.key;
}

struct LoadCase {
    const char *name;
    const char *file;  // nullptr: no file
    SaverSettings expected;
    int style;         // the active row, FALLBACK for the fallback row
};

}  // namespace

TEST_F(SettingsStore, LoadsWhatTheLibraryReadsAndClampsOnlyTheResolution)
{
    const LoadCase cases[] = {
        {"no file", nullptr, with(0), 0},
        {"every key, other sections ignored",
         "[other]\nclockType = 7\n[saver]\nresolution = 3\nclockType = 6\nsecondHand = 1\nhourSound = 2\n", with(6, 3, 1, 2), 6},
        {"resolution 4 kept", "[saver]\nresolution = 4\n", with(0, 4), 0},
        {"resolution 5 clamped", "[saver]\nresolution = 5\nclockType = twelve\nsecondHand =\n", with(0), 0},
        {"resolution -1 clamped", "[saver]\nresolution = -1\n", with(0), 0},
        {"unlisted style kept", "[saver]\nclockType = 12\n", with(12), FALLBACK},
        {"style 9", "[saver]\nclockType = 9\n", with(9), 9},
        {"keys in any case", "[SAVER]\nClocktype = 3\n", with(3), 3},
        {"random 2 is off", "[saver]\nclockType = 12\nrandom = 2\n", with(12, 0, 0, 0, 2), FALLBACK},
        {"Latin-1 comment", "# f\xfcr mich\n[saver]\nclockType = 6\n", with(6), 6},
        {"lead byte before a line break", "# caf\xe9\n[saver]\nclockType = 7\n", with(7), 7},
        {"bytes the library's decoder loops on", "# \xfd\x80\x80\x80\x80\x80\n[saver]\nclockType = 5\n# \xfe\x89\x9a\x8d\xa2\x9e\x93\n",
         with(5), 5},
    };
    for (const LoadCase &c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(cfg());
        if (c.file)
            write_cfg(c.file);
        saver_settings = with(8, 8, 8, 8, 8);
        load_settings(1);
        expect_settings(c.expected);
        EXPECT_EQ(activeStyle, c.style == FALLBACK ? &FallbackClockStyle : &ClockStyleTable[c.style]);
        EXPECT_STREQ(asset_paths.facePath, (dir / "morviksoft/veltrane" / activeStyle->faceFile).c_str());
        EXPECT_EQ(fs::exists(cfg()), c.file != nullptr) << "loading must not create the file";
    }
}

TEST_F(SettingsStore, RunOverridesComeBeforeTheClampAndTheRandomChoiceAndNeverReachTheDialog)
{
    write_cfg("[saver]\nclockType = 2\nresolution = 1\nsecondSound = 1\n");
    const SaverSettings stored = with(2, 1, 0, 0, 0, 1);
    struct Case {
        const char *name;
        std::vector<std::pair<int, int32_t>> given;  // row of SETTING_ROWS, value
        SaverSettings expected;
    } cases[] = {
        {"style 12 as a stored 12", {{0, 12}}, with(12, 1, 0, 0, 0, 1)},
        {"resolution 7 clamped", {{1, 7}}, with(2, 0, 0, 0, 0, 1)},
        {"resolution and second hand", {{1, 3}, {2, 1}}, with(2, 3, 1, 0, 0, 1)},
        {"tick off", {{3, 0}}, with(2, 1)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        settings_overrides = SettingsOverrides{};
        for (const auto &[row, value] : c.given) {
            settings_overrides.given[row] = true;
            settings_overrides.value[row] = value;
        }
        load_settings(1);
        expect_settings(c.expected);
        load_settings(0);
        expect_settings(stored);
    }
    settings_overrides = SettingsOverrides{};
    settings_overrides.given[8] = true;
    settings_overrides.value[8] = 1;
    write_cfg("[saver]\nclockType = 12\n");
    load_settings(1);
    EXPECT_TRUE(is_listed_clock_type(saver_settings.clockType)) << "--random picks a style";
}

TEST_F(SettingsStore, RandomChoiceCoversTheTenStylesAndIsNeverStored)
{
    std::set<int> seen;
    for (unsigned seed = 1; seed <= 500; seed++) {
        std::srand(seed);
        seen.insert(pick_random_clock_type());
    }
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    write_cfg("[saver]\nclockType = 12\nrandom = 1\n");
    const std::string before = read_cfg();
    load_settings(1);
    EXPECT_EQ(activeStyle, &ClockStyleTable[saver_settings.clockType]);
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 12) << "the dialog sees the stored style";
    EXPECT_EQ(read_cfg(), before);
}

TEST_F(SettingsStore, PathsAreBuiltBesideTheProgramAndCutToTheirBuffers)
{
    write_cfg("[saver]\nclockType = 3\n");
    load_settings(0);
    const std::string folder = (dir / "morviksoft/veltrane/").string();
    EXPECT_EQ(std::string(asset_folder), folder);
    const std::vector<std::string> paths = {
        asset_paths.facePath, asset_paths.hourHandPath, asset_paths.minuteHandPath, asset_paths.secondHandPath,
        asset_paths.tickPath, asset_paths.hourChimePath, asset_paths.fifteenhourChimePath,
        asset_paths.halfhourChimePath, asset_paths.fortyfivehourChimePath};
    std::vector<std::string> expected;
    for (const char *name : {"clock3.bmp", "hr3.bmp", "min3.bmp", "sec3.bmp", "tick.wav", "chime.wav",
                             "chime.wav", "chime.wav", "chime.wav"})
        expected.push_back(folder + name);
    EXPECT_EQ(paths, expected);
    for (const char *program : {"veltrane", ""}) {
        fake_program_path = program;
        load_settings(0);
        EXPECT_STREQ(asset_paths.tickPath, "morviksoft/veltrane/tick.wav");
    }
    fake_program_path = "/tmp/" + std::string(300, 'd') + "/veltrane";
    load_settings(0);
    EXPECT_EQ(std::strlen(asset_folder), 259u);
    EXPECT_EQ(std::strlen(asset_paths.facePath), 255u);
}

TEST_F(SettingsStore, TheUsersFileComesFromTheXdgRulesAndTheProgramsFileGivesTheDefaults)
{
    const fs::path home = root / "home", app = root / "app";
    fs::create_directories(app);
    fake_program_path = (app / "veltrane").string();
    setenv("HOME", home.c_str(), 1);
    const std::pair<std::string, fs::path> locations[] = {
        {(root / "xdg").string(), root / "xdg/veltrane/veltrane.cfg"},
        {"relative/xdg", home / ".config/veltrane/veltrane.cfg"},
        {"", home / ".config/veltrane/veltrane.cfg"},
    };
    for (const auto &[xdg, expected] : locations) {
        setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
        select_settings_file();
        EXPECT_EQ(fs::path(settings_file), expected) << xdg;
    }
    unsetenv("XDG_CONFIG_HOME");
    select_settings_file();
    EXPECT_EQ(fs::path(settings_file), home / ".config/veltrane/veltrane.cfg");

    // The program's file is read while the user's does not exist; the first
    // save makes the user's file and folders and leaves the program's alone.
    write_file(app / "veltrane.cfg", "# shipped\n[saver]\nclockType = 4\nrandom = 1\n");
    load_settings(0);
    expect_settings(with(4, 0, 0, 0, 1));
    saver_settings.clockType = 7;
    ASSERT_TRUE(save_settings());
    EXPECT_EQ(read_file(settings_file).find("# shipped"), std::string::npos);
    EXPECT_EQ(read_file(app / "veltrane.cfg"), "# shipped\n[saver]\nclockType = 4\nrandom = 1\n");
    EXPECT_EQ(fs::status(home / ".config/veltrane").permissions(), fs::perms::owner_all);
    write_file(app / "veltrane.cfg", "[saver]\nclockType = 1\n");
    load_settings(0);
    expect_settings(with(7, 0, 0, 0, 1));
}

TEST_F(SettingsStore, SaveWritesTheNineSettingsAndKeepsEveryOtherByte)
{
    const std::string keys = "resolution = 0\nsecondHand = 0\nsecondSound = 0\nhourSound = 0\nfifteenhourSound = 0\n"
                             "halfhourSound = 0\nfortyfivehourSound = 0\nrandom = 1\n";
    const auto keysEnding = [&keys](const std::string &lineBreak) {
        std::string text;
        for (char c : keys)
            text += c == '\n' ? lineBreak : std::string(1, c);
        return text;
    };
    const std::pair<std::string, std::string> cases[] = {
        {"", "[saver]\nclockType = 4\n" + keys},
        {"# f\xfcr mich \xff \xfd\x80\x80\x80\x80\x80\n[display]\r\nbrightness=3 \n\n[Saver]\nClocktype=12  \nextra = yes\n\n[z]\n",
         "# f\xfcr mich \xff \xfd\x80\x80\x80\x80\x80\n[display]\r\nbrightness=3 \n\n[Saver]\nClocktype=4  \nextra = yes\n" + keys + "\n[z]\n"},
        {"[saver]\r\nclockType\r\n[other]\r\nkeep = me", "[saver]\r\nclockType = 4\r\n" + keysEnding("\r\n") + "[other]\r\nkeep = me"},
        {"[saver]\n\rclockType = 1"s + '\0' + "x\n\r", "[saver]\n\rclockType = 4"s + '\0' + "x\n\r" + keysEnding("\n\r")},
        {"[other]\nx = 1", "[other]\nx = 1\n[saver]\nclockType = 4\n" + keys},
        {"[saver]\n[other]\n[saver]\nclockType = 1\nclockType = 2\n",
         "[saver]\n" + keys + "[other]\n[saver]\nclockType = 4\nclockType = 2\n"},
        {"[saver]\nrandom = 0 # on?", "[saver]\nrandom = 1\nclockType = 4\n" + keys.substr(0, keys.size() - 11)},
    };
    for (const auto &[before, after] : cases) {
        SCOPED_TRACE(before);
        fs::remove(cfg());
        if (!before.empty())
            write_cfg(before);
        saver_settings = with(4, 0, 0, 0, 1);
        std::string reason = "unset";
        ASSERT_TRUE(save_settings(&reason));
        EXPECT_EQ(reason, "");
        EXPECT_EQ(read_cfg(), after);
        EXPECT_FALSE(fs::exists(cfg().string() + ".new"));
        saver_settings = SaverSettings{};
        load_settings(0);
        expect_settings(with(4, 0, 0, 0, 1));
    }
}

TEST_F(SettingsStore, RefusedSaveSaysWhyAndLeavesTheFileAlone)
{
    const std::string old = "[saver]\nclockType = 2\n";
    struct Case {
        const char *name;
        void (*prepare)(const fs::path &dir);
        const char *reason;
    } cases[] = {
        {"a folder where the new file goes",
         [](const fs::path &d) { fs::create_directories(d / "veltrane.cfg.new/keep"); }, "could not be written"},
        {"a folder in the file's place",
         [](const fs::path &d) { fs::remove(d / "veltrane.cfg"); fs::create_directory(d / "veltrane.cfg"); },
         "could not be read (Is a directory)"},
        {"a path too long for its buffer",
         [](const fs::path &d) { setenv("XDG_CONFIG_HOME", (d / std::string(500, 'x')).c_str(), 1); },
         "longer than 511 characters"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir);
        fs::create_directory(dir);
        setenv("XDG_CONFIG_HOME", root.c_str(), 1);
        write_cfg(old);
        c.prepare(dir);
        load_settings(0);
        saver_settings.clockType = 5;
        std::string reason;
        EXPECT_FALSE(save_settings(&reason));
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        if (fs::is_regular_file(cfg())) {
            EXPECT_EQ(read_cfg(), old);
        }
        EXPECT_FALSE(fs::is_regular_file(cfg().string() + ".new"));
    }
}

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new AllegroEnvironment);
    return RUN_ALL_TESTS();
}
