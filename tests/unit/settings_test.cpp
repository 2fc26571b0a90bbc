// The settings store on real files: what loads, what a run's overrides and
// the random choice do, where the file lives, and what a save writes.
#include <cstring>
#include <set>

#include "tests/unit/scratch_program_folder.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

class SettingsStore : public ScratchProgramFolder {};

// Fields in declaration order: resolution, clockType, secondHand, secondSound,
// hourSound, the three quarter chimes, random.
TEST_F(SettingsStore, LoadReadsTheFileAppliesTheRunsOverridesThenClampsAndTheDialogSeesOnlyTheFile)
{
    const struct {
        const char *file;  // nullptr: no file
        std::vector<std::pair<int, int32_t>> given;  // row of SETTING_ROWS, value: options of the run
        SaverSettings run;
        int style;  // the active row, -1 for the fallback
    } cases[] = {
        {nullptr, {}, {}, 0},
        {"[other]\nclockType = 7\n[saver]\nresolution = 3\nclockType = 6\nsecondHand = 1\nhourSound = 2\n", {},
         {3, 6, 1, 0, 2}, 6},
        {"[saver]\nresolution = 4\n", {}, {4}, 0},
        {"[saver]\nresolution = 5\nclockType = twelve\nsecondHand =\n", {}, {}, 0},
        {"[saver]\nresolution = -1\nclockType = 9\n", {}, {0, 9}, 9},
        {"[SAVER]\nClocktype = 3\n", {}, {0, 3}, 3},
        {"[saver]\nclockType = 12\nrandom = 2\n", {}, {0, 12, 0, 0, 0, 0, 0, 0, 2}, -1},
        {"# f\xfcr mich\n[saver]\nclockType = 6\n# caf\xe9\n", {}, {0, 6}, 6},
        {"# \xfd\x80\x80\x80\x80\x80\n[saver]\nclockType = 5\n# \xfe\x89\x9a\x8d\xa2\x9e\x93\n", {}, {0, 5}, 5},
        {"[saver]\nclockType = 2\nresolution = 1\n", {{0, 12}, {3, 1}}, {1, 12, 0, 1}, -1},
        {"[saver]\nclockType = 2\nresolution = 1\n", {{1, 7}, {2, 1}}, {0, 2, 1}, 2},
        {"[saver]\nresolution = 7\nsecondSound = 1\n", {{1, 3}, {3, 0}}, {3}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file ? c.file : "no file");
        c.file ? write_cfg(c.file) : (void)fs::remove(cfg());
        saver_settings = {8, 8, 8, 8, 8, 8, 8, 8, 8};
        settings_overrides = {};
        load_settings(0);
        const SaverSettings stored = saver_settings;
        for (const auto &[row, value] : c.given) {
            settings_overrides.given[row] = true;
            settings_overrides.value[row] = value;
        }
        load_settings(1);
        EXPECT_EQ(fields(saver_settings), fields(c.run));
        EXPECT_EQ(activeStyle, c.style < 0 ? &FallbackClockStyle : &ClockStyleTable[c.style]);
        load_settings(0);
        EXPECT_EQ(fields(saver_settings), fields(stored)) << "the dialog sees the file alone";
        EXPECT_EQ(fs::exists(cfg()), c.file != nullptr) << "loading must not create the file";
    }
}

TEST_F(SettingsStore, RandomChoiceCoversTheTenStylesAndIsNeverStored)
{
    std::set<int> seen;
    for (unsigned seed = 1; seed <= 500; seed++) {
        std::srand(seed);
        seen.insert(pick_random_clock_type());
    }
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    for (bool option : {false, true}) {
        const std::string text = option ? "[saver]\nclockType = 12\n" : "[saver]\nclockType = 12\nrandom = 1\n";
        write_cfg(text);
        settings_overrides.given[8] = option;
        settings_overrides.value[8] = 1;
        load_settings(1);
        EXPECT_TRUE(is_listed_clock_type(saver_settings.clockType));
        EXPECT_EQ(activeStyle, &ClockStyleTable[saver_settings.clockType]);
        load_settings(0);
        EXPECT_EQ(saver_settings.clockType, 12) << "the dialog sees the stored style";
        EXPECT_EQ(read_cfg(), text);
    }
}

TEST_F(SettingsStore, PathsAreBuiltBesideTheProgramAndCutToTheirBuffers)
{
    write_cfg("[saver]\nclockType = 3\n");
    load_settings(0);
    const std::string folder = (dir / "morviksoft/veltrane/").string();
    EXPECT_EQ(asset_folder, folder);
    std::string paths, expected;
    for (const char *p : {asset_paths.facePath, asset_paths.hourHandPath, asset_paths.minuteHandPath,
                          asset_paths.secondHandPath, asset_paths.tickPath, asset_paths.hourChimePath,
                          asset_paths.fifteenhourChimePath, asset_paths.halfhourChimePath,
                          asset_paths.fortyfivehourChimePath})
        paths += p + " "s;
    for (const char *name : {"clock3.bmp", "hr3.bmp", "min3.bmp", "sec3.bmp", "tick.wav", "chime.wav", "chime.wav",
                             "chime.wav", "chime.wav"})
        expected += folder + name + " ";
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
    for (const char *xdg : {"/xdg", "relative/xdg", "", "unset"}) {
        const std::string value = root.string() + xdg;
        if (xdg == "unset"s)
            unsetenv("XDG_CONFIG_HOME");
        else
            setenv("XDG_CONFIG_HOME", xdg[0] == '/' ? value.c_str() : xdg, 1);
        select_settings_file();
        EXPECT_EQ(fs::path(settings_file), (xdg[0] == '/' ? fs::path(value) : home / ".config") / "veltrane/veltrane.cfg");
    }
    // The program's file is read while the user's does not exist; the first
    // save makes the user's file and its folders (the user's alone) and
    // leaves the program's alone.
    const std::string shipped = "# shipped\n[saver]\nclockType = 4\nrandom = 1\n";
    write_file(app / "veltrane.cfg", shipped);
    load_settings(0);
    EXPECT_EQ(fields(saver_settings), fields({0, 4, 0, 0, 0, 0, 0, 0, 1}));
    saver_settings.clockType = 7;
    ASSERT_TRUE(save_settings());
    EXPECT_EQ(read_file(settings_file).find("# shipped"), std::string::npos);
    EXPECT_EQ(read_file(app / "veltrane.cfg"), shipped);
    EXPECT_EQ(fs::status(home / ".config/veltrane").permissions(), fs::perms::owner_all);
    write_file(app / "veltrane.cfg", "[saver]\nclockType = 1\n");
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 7);
}

TEST_F(SettingsStore, SaveWritesTheNineSettingsAndKeepsEveryOtherByte)
{
    const std::string keys = "resolution = 0\nsecondHand = 0\nsecondSound = 0\nhourSound = 0\nfifteenhourSound = 0\n"
                             "halfhourSound = 0\nfortyfivehourSound = 0\nrandom = 1\n";
    const auto ending = [&keys](const std::string &lineBreak) {
        std::string text;
        for (char c : keys)
            text += c == '\n' ? lineBreak : std::string(1, c);
        return text;
    };
    const std::pair<std::string, std::string> cases[] = {
        {"", "[saver]\nclockType = 4\n" + keys},
        {"# f\xfcr mich \xff \xfd\x80\x80\x80\x80\x80\n[display]\r\nbrightness=3 \n\n[Saver]\nClocktype=12  \nextra = yes\n\n[z]\n",
         "# f\xfcr mich \xff \xfd\x80\x80\x80\x80\x80\n[display]\r\nbrightness=3 \n\n[Saver]\nClocktype=4  \nextra = yes\n" + keys + "\n[z]\n"},
        {"[saver]\r\nclockType\r\n[other]\r\nkeep = me", "[saver]\r\nclockType = 4\r\n" + ending("\r\n") + "[other]\r\nkeep = me"},
        {"[saver]\n\rclockType = 1"s + '\0' + "x\n\r", "[saver]\n\rclockType = 4"s + '\0' + "x\n\r" + ending("\n\r")},
        {"[other]\nx = 1", "[other]\nx = 1\n[saver]\nclockType = 4\n" + keys},
        {"[saver]\n[other]\n[saver]\nclockType = 1\nclockType = 2\n", "[saver]\n" + keys + "[other]\n[saver]\nclockType = 4\nclockType = 2\n"},
        {"[saver]\nrandom = 0 # on?", "[saver]\nrandom = 1\nclockType = 4\n" + keys.substr(0, keys.size() - 11)},
    };
    for (const auto &[before, after] : cases) {
        SCOPED_TRACE(before);
        before.empty() ? (void)fs::remove(cfg()) : write_cfg(before);
        saver_settings = {0, 4, 0, 0, 0, 0, 0, 0, 1};
        std::string reason = "unset";
        ASSERT_TRUE(save_settings(&reason));
        EXPECT_EQ(reason, "");
        EXPECT_EQ(read_cfg(), after);
        EXPECT_FALSE(fs::exists(cfg().string() + ".new"));
        saver_settings = {};
        load_settings(0);
        EXPECT_EQ(fields(saver_settings), fields({0, 4, 0, 0, 0, 0, 0, 0, 1}));
    }
}
