#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/settings.h"
#include "tests/unit/allegro_fixture.h"
#include "tests/unit/fake_program_path.h"
#include "tests/unit/scratch_program_folder.h"

namespace fs = std::filesystem;

namespace {

class SettingsStore : public ScratchProgramFolder {};

}  // namespace

TEST_F(SettingsStore, MissingFileGivesAllZero)
{
    saver_settings.clockType = 5;
    saver_settings.random = 1;
    load_settings(1);
    EXPECT_EQ(saver_settings.resolution, 0);
    EXPECT_EQ(saver_settings.clockType, 0);
    EXPECT_EQ(saver_settings.secondHand, 0);
    EXPECT_EQ(saver_settings.random, 0);
    EXPECT_EQ(activeStyle, &ClockStyleTable[0]);
    EXPECT_FALSE(fs::exists(cfg())) << "loading must not create the file";
}

TEST_F(SettingsStore, ReadsEveryKeyOfTheSaverSection)
{
    write_cfg("[other]\nclockType = 7\n[saver]\nresolution = 3\nclockType = 6\nsecondHand = 1\n"
              "secondSound = 1\nhourSound = 2\nfifteenhourSound = 1\nhalfhourSound = 0\n"
              "fortyfivehourSound = 1\nrandom = 0\n");
    load_settings(1);
    EXPECT_EQ(saver_settings.resolution, 3);
    EXPECT_EQ(saver_settings.clockType, 6);
    EXPECT_EQ(saver_settings.secondHand, 1);
    EXPECT_EQ(saver_settings.secondSound, 1);
    EXPECT_EQ(saver_settings.hourSound, 2) << "switches are kept as stored; only 1 counts as on";
    EXPECT_EQ(saver_settings.fifteenhourSound, 1);
    EXPECT_EQ(saver_settings.fortyfivehourSound, 1);
    EXPECT_EQ(activeStyle, &ClockStyleTable[6]);
}

TEST_F(SettingsStore, BadValuesFallBack)
{
    write_cfg("[saver]\nresolution = 5\nclockType = twelve\nsecondHand =\n");
    load_settings(1);
    EXPECT_EQ(saver_settings.resolution, 0);
    EXPECT_EQ(saver_settings.clockType, 0);
    EXPECT_EQ(saver_settings.secondHand, 0);

    write_cfg("[saver]\nresolution = -1\n");
    load_settings(1);
    EXPECT_EQ(saver_settings.resolution, 0);

    write_cfg("[saver]\nresolution = 4\n");
    load_settings(1);
    EXPECT_EQ(saver_settings.resolution, 4);
}

TEST_F(SettingsStore, UnlistedStyleIsKeptAndSelectsTheFallback)
{
    write_cfg("[saver]\nclockType = 12\n");
    load_settings(1);
    EXPECT_EQ(saver_settings.clockType, 12);
    EXPECT_EQ(activeStyle, &FallbackClockStyle);
    EXPECT_STREQ(asset_paths.facePath, (dir / "morviksoft/veltrane/clock0.bmp").c_str());
}

TEST_F(SettingsStore, AssetPathsBesideTheProgram)
{
    write_cfg("[saver]\nclockType = 3\n");
    load_settings(0);
    const std::string folder = (dir / "morviksoft/veltrane/").string();
    EXPECT_EQ(std::string(settings_file), (dir / "veltrane.cfg").string());
    EXPECT_EQ(std::string(asset_folder), folder);
    EXPECT_EQ(std::string(asset_paths.facePath), folder + "clock3.bmp");
    EXPECT_EQ(std::string(asset_paths.hourHandPath), folder + "hr3.bmp");
    EXPECT_EQ(std::string(asset_paths.minuteHandPath), folder + "min3.bmp");
    EXPECT_EQ(std::string(asset_paths.secondHandPath), folder + "sec3.bmp");
    EXPECT_EQ(std::string(asset_paths.tickPath), folder + "tick.wav");
    for (const char *chime : {asset_paths.hourChimePath, asset_paths.fifteenhourChimePath,
                              asset_paths.halfhourChimePath, asset_paths.fortyfivehourChimePath})
        EXPECT_EQ(std::string(chime), folder + "chime.wav");
}

TEST_F(SettingsStore, ProgramPathWithoutFolderGivesRelativeNames)
{
    fake_program_path = "veltrane";
    load_settings(0);
    EXPECT_STREQ(settings_file, "veltrane.cfg");
    EXPECT_STREQ(asset_folder, "morviksoft/veltrane/");
    EXPECT_STREQ(asset_paths.tickPath, "morviksoft/veltrane/tick.wav");
    fake_program_path = "";
    load_settings(0);
    EXPECT_STREQ(settings_file, "veltrane.cfg");
}

TEST_F(SettingsStore, LongPathsAreCutToTheirBuffers)
{
    fake_program_path = "/tmp/" + std::string(300, 'd') + "/veltrane";
    load_settings(0);
    EXPECT_EQ(std::strlen(asset_folder), 259u);
    EXPECT_EQ(std::strlen(asset_paths.facePath), 255u);
    EXPECT_EQ(std::string(settings_file), "/tmp/" + std::string(300, 'd') + "/veltrane.cfg");

    fake_program_path = "/tmp/" + std::string(495, 'e') + "/veltrane";
    load_settings(0);
    EXPECT_EQ(std::strlen(settings_file), 511u);
    EXPECT_EQ(std::string(settings_file), "/tmp/" + std::string(495, 'e') + "/veltrane.c");
}

TEST_F(SettingsStore, RandomStyleIsChosenForTheRunButNeverStored)
{
    write_cfg("[saver]\nclockType = 12\nrandom = 1\n");
    const std::string before = read_cfg();
    for (int i = 0; i < 20; i++) {
        load_settings(1);
        EXPECT_GE(saver_settings.clockType, 0);
        EXPECT_LE(saver_settings.clockType, 9);
        EXPECT_EQ(activeStyle, &ClockStyleTable[saver_settings.clockType]);
    }
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 12) << "the dialog sees the stored style";
    EXPECT_EQ(read_cfg(), before);
}

TEST_F(SettingsStore, SaveOnMissingFileWritesTheNineKeysInOrder)
{
    load_settings(0);
    saver_settings.clockType = 4;
    saver_settings.resolution = 2;
    saver_settings.secondHand = 1;
    ASSERT_TRUE(save_settings());
    EXPECT_EQ(read_cfg(),
              "[saver]\nclockType = 4\nresolution = 2\nsecondHand = 1\nsecondSound = 0\n"
              "hourSound = 0\nfifteenhourSound = 0\nhalfhourSound = 0\nfortyfivehourSound = 0\n"
              "random = 0\n");
    EXPECT_FALSE(fs::exists(dir / "veltrane.cfg.new"));
}

TEST_F(SettingsStore, SaveKeepsOtherSectionsKeysAndComments)
{
    write_cfg("# my notes\n[display]\nbrightness = 3\n\n[saver]\nclockType = 12\nextra = yes\n");
    load_settings(0);
    saver_settings.random = 1;
    ASSERT_TRUE(save_settings());
    const std::string after = read_cfg();
    EXPECT_NE(after.find("# my notes"), std::string::npos);
    EXPECT_NE(after.find("brightness = 3"), std::string::npos);
    EXPECT_NE(after.find("extra = yes"), std::string::npos);
    EXPECT_NE(after.find("clockType = 12"), std::string::npos);
    EXPECT_NE(after.find("random = 1"), std::string::npos);
    load_settings(0);
    EXPECT_EQ(saver_settings.random, 1);
}

TEST_F(SettingsStore, FailedSaveIsReportedAndLeavesTheFileAlone)
{
    // The new file cannot be written where a folder of that name stands
    // (this holds for root too, unlike a read-only folder).
    write_cfg("[saver]\nclockType = 2\n");
    fs::create_directories(dir / "veltrane.cfg.new" / "keep");
    load_settings(0);
    saver_settings.clockType = 5;
    EXPECT_FALSE(save_settings());
    EXPECT_EQ(read_cfg(), "[saver]\nclockType = 2\n");
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 2);
}

TEST_F(SettingsStore, SettingsFileThatIsADirectoryFailsToSave)
{
    fs::create_directory(cfg());
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 0);
    saver_settings.clockType = 5;
    EXPECT_FALSE(save_settings());
    EXPECT_TRUE(fs::is_directory(cfg()));
}

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new AllegroEnvironment);
    return RUN_ALL_TESTS();
}
