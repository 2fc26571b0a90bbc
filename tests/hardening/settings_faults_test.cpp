// The settings store against a hostile or broken disk: a settings file that
// cannot be read, is a directory or a dangling link, a full disk, a
// read-only folder, a program path longer than its buffers, odd hand-edited
// files and very large ones. Loading must fall back to the defaults; saving
// must either hold the new values or say it failed and leave the old file.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "settings/settings.h"
#include "tests/unit/allegro_fixture.h"
#include "tests/unit/fake_program_path.h"

namespace fs = std::filesystem;

namespace {

constexpr uid_t NOBODY = 65534;

const char OLD_FILE[] =
    "[saver]\nclockType = 5\nresolution = 2\nsecondHand = 1\nsecondSound = 0\nhourSound = 1\n"
    "fifteenhourSound = 0\nhalfhourSound = 0\nfortyfivehourSound = 0\nrandom = 0\n";

std::string read_file(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_file(const fs::path &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

SaverSettings new_values()
{
    SaverSettings s;
    s.clockType = 8;
    s.resolution = 4;
    s.secondSound = 1;
    s.random = 1;
    return s;
}

void expect_defaults()
{
    EXPECT_EQ(saver_settings.clockType, 0);
    EXPECT_EQ(saver_settings.resolution, 0);
    EXPECT_EQ(saver_settings.secondHand, 0);
    EXPECT_EQ(saver_settings.hourSound, 0);
    EXPECT_EQ(activeStyle, &ClockStyleTable[0]);
}

class SettingsFaults : public ::testing::Test {
protected:
    fs::path dir;
    std::vector<fs::path> mounts;

    void SetUp() override
    {
        char tmpl[] = "/tmp/veltrane-faults-XXXXXX";
        dir = mkdtemp(tmpl);
        fs::permissions(dir, fs::perms::all);
        use_folder(dir);
        saver_settings = SaverSettings{};
    }
    void TearDown() override
    {
        set_config_file("/dev/null");
        for (auto it = mounts.rbegin(); it != mounts.rend(); ++it)
            umount2(it->c_str(), MNT_DETACH);
        std::error_code ignored;
        fs::permissions(dir, fs::perms::all, ignored);
        fs::remove_all(dir, ignored);
    }
    void use_folder(const fs::path &folder) { fake_program_path = (folder / "veltrane").string(); }
    fs::path cfg() const { return fs::path(fake_program_path).parent_path() / "veltrane.cfg"; }

    // A small tmpfs at `where`, or false when this process may not mount.
    bool mount_tmpfs(const fs::path &where, const char *options)
    {
        fs::create_directories(where);
        if (mount("tmpfs", where.c_str(), "tmpfs", 0, options) != 0)
            return false;
        mounts.push_back(where);
        return true;
    }

    // Runs `body` in a child process without root's right to ignore
    // permission bits; its failures fail the test.
    void as_unprivileged(const std::function<void()> &body)
    {
        if (geteuid() != 0) {
            body();
            return;
        }
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            if (setgid(NOBODY) != 0 || setuid(NOBODY) != 0)
                _exit(3);
            body();
            set_config_file("/dev/null");
            _exit(::testing::Test::HasFailure() ? 1 : 0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status)) << "the unprivileged run crashed";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the unprivileged run failed its checks (see above)";
    }

    // Saving new values must be refused and leave `before` in place.
    void expect_refused_save(const std::string &before)
    {
        saver_settings = new_values();
        EXPECT_FALSE(save_settings());
        EXPECT_EQ(read_file(cfg()), before);
        EXPECT_FALSE(fs::exists(cfg().string() + ".new"));
    }
};

}  // namespace

TEST_F(SettingsFaults, UnreadableFileLoadsDefaultsAndRefusesToSave)
{
    write_file(cfg(), OLD_FILE);
    fs::permissions(cfg(), fs::perms::none);
    as_unprivileged([&] {
        load_settings(1);
        expect_defaults();
        saver_settings = new_values();
        EXPECT_FALSE(save_settings()) << "a file that could not be read must not be replaced";
        EXPECT_FALSE(fs::exists(cfg().string() + ".new"));
    });
    EXPECT_EQ(read_file(cfg()), OLD_FILE);
}

TEST_F(SettingsFaults, DirectoryInItsPlaceLoadsDefaultsAndRefusesToSave)
{
    fs::create_directory(cfg());
    load_settings(1);
    expect_defaults();
    saver_settings = new_values();
    EXPECT_FALSE(save_settings());
    EXPECT_TRUE(fs::is_directory(cfg()));
    EXPECT_FALSE(fs::exists(cfg().string() + ".new"));
}

TEST_F(SettingsFaults, DanglingLinkLoadsDefaultsAndSavesBesideTheProgram)
{
    fs::create_symlink(dir / "gone" / "veltrane.cfg", cfg());
    load_settings(1);
    expect_defaults();
    saver_settings = new_values();
    EXPECT_TRUE(save_settings());
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(cfg())));
    EXPECT_FALSE(fs::exists(dir / "gone")) << "nothing is created where the link pointed";
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 8);
}

TEST_F(SettingsFaults, LinkToAFileElsewhereIsNeverWrittenThrough)
{
    const fs::path app = dir / "app", elsewhere = dir / "elsewhere.cfg";
    fs::create_directory(app);
    use_folder(app);
    write_file(elsewhere, OLD_FILE);
    fs::create_symlink(elsewhere, cfg());
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 5) << "the link is read";
    saver_settings = new_values();
    EXPECT_TRUE(save_settings());
    EXPECT_EQ(read_file(elsewhere), OLD_FILE) << "the file outside the program's folder is untouched";
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 8);
}

TEST_F(SettingsFaults, FullDiskKeepsTheOldFile)
{
    const fs::path disk = dir / "disk";
    if (!mount_tmpfs(disk, "size=64k,mode=0777"))
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): full-disk case not run";
    use_folder(disk);
    write_file(cfg(), OLD_FILE);
    // Fill every last block.
    {
        std::ofstream filler(disk / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        for (int i = 0; i < 64 && filler.write(block.data(), block.size()); i++) {
        }
    }
    { std::ofstream(disk / "filler2", std::ios::binary) << std::string(4096, 'y'); }
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 5);
    expect_refused_save(OLD_FILE);
    fs::remove(disk / "filler");
    fs::remove(disk / "filler2");
    saver_settings = new_values();
    EXPECT_TRUE(save_settings()) << "with room again the save goes through";
}

TEST_F(SettingsFaults, ReadOnlyFolderKeepsTheOldFile)
{
    const fs::path disk = dir / "ro";
    if (!mount_tmpfs(disk, "size=64k,mode=0777"))
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root): read-only folder case not run";
    use_folder(disk);
    write_file(cfg(), OLD_FILE);
    ASSERT_EQ(mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 5);
    expect_refused_save(OLD_FILE);
}

TEST_F(SettingsFaults, ReadOnlyFolderByPermissionsKeepsTheOldFile)
{
    write_file(cfg(), OLD_FILE);
    const fs::perms readOnly = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(cfg(), readOnly & ~fs::perms::owner_exec);
    fs::permissions(dir, readOnly);
    as_unprivileged([&] {
        // The file is not ours to change, nor is its folder.
        load_settings(0);
        EXPECT_EQ(saver_settings.clockType, 5);
        saver_settings = new_values();
        EXPECT_FALSE(save_settings());
    });
    EXPECT_EQ(read_file(cfg()), OLD_FILE);
    EXPECT_FALSE(fs::exists(cfg().string() + ".new"));
}

TEST_F(SettingsFaults, ProgramPathLongerThanItsBufferWritesNothingAnywhere)
{
    // dir/aaa…/bbb…/veltrane: cut to 511 bytes inside "bbb…", whose last
    // separator then names the folder above the program's.
    const fs::path upper = dir / std::string(200, 'a');
    const fs::path program = upper / std::string(250, 'b') / std::string(100, 'c');
    fs::create_directories(program);
    use_folder(program);
    ASSERT_GT(fake_program_path.size(), static_cast<size_t>(SETTINGS_FILE_SIZE));
    load_settings(1);
    expect_defaults();
    EXPECT_LT(std::strlen(settings_file), static_cast<size_t>(SETTINGS_FILE_SIZE));
    EXPECT_LT(std::strlen(asset_folder), static_cast<size_t>(ASSET_FOLDER_SIZE));
    EXPECT_LT(std::strlen(asset_paths.facePath), static_cast<size_t>(ASSET_PATH_SIZE));
    saver_settings = new_values();
    EXPECT_FALSE(save_settings());
    for (const auto &entry : fs::recursive_directory_iterator(dir))
        EXPECT_FALSE(entry.is_regular_file()) << "written: " << entry.path();
}

TEST_F(SettingsFaults, HandEditedKeysAreSavedOverAndOtherLinesKept)
{
    write_file(cfg(), "# mine\n[saver]\nClocktype = 3\nnote to self\n\n[other]\nkeep = me\n");
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 3) << "the library reads keys whatever their case";
    saver_settings = new_values();
    ASSERT_TRUE(save_settings()) << "a hand-edited file must not block saving";
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 8);
    EXPECT_EQ(saver_settings.random, 1);
    EXPECT_EQ(std::string(get_config_string("other", "keep", "")), "me");
}

TEST_F(SettingsFaults, SaveThatTheLibraryWouldMisplaceIsRefused)
{
    // The library adds a missing key before the first blank line after its
    // section, or else at the very end of the file: here that is inside
    // "[other]", so the new keys would not read back as the saver's.
    const std::string before = "[saver]\nclockType = 3\n[other]\nkeep = me\n";
    write_file(cfg(), before);
    load_settings(0);
    expect_refused_save(before);
}

TEST_F(SettingsFaults, BytesTheLibraryCannotDecodeReadAsEmptyInsteadOfHanging)
{
    // Seven bytes that send the library's UTF-8 decoder into an endless
    // loop, found by fuzzing.
    const std::string before = "[saver]\nclockType = 5\n# \xfe\x89\x9a\x8d\xa2\x9e\x93\n";
    write_file(cfg(), before);
    load_settings(1);
    expect_defaults();
    expect_refused_save(before);
}

TEST_F(SettingsFaults, HugeFileWithThousandsOfSectionsLoadsAndSaves)
{
    std::string text;
    for (int i = 0; i < 20000; i++)
        text += "[section" + std::to_string(i) + "]\nkey = " + std::to_string(i) + "\n";
    text += "[long]\nline = " + std::string(4 * 1024 * 1024, 'z') + "\n";
    text += std::string("binary = \x01\x02\x80\xc3") + std::string(3, '\0') + "\n";
    while (text.size() < 10 * 1024 * 1024)
        text += "# " + std::string(1000, '#') + "\n";
    text += "[saver]\nclockType = 4\nresolution = 3\n";
    write_file(cfg(), text);
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 4);
    EXPECT_EQ(saver_settings.resolution, 3);
    saver_settings = new_values();
    EXPECT_TRUE(save_settings());
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 8);
    EXPECT_EQ(std::string(get_config_string("section19999", "key", "")), "19999");
}

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new AllegroEnvironment);
    return RUN_ALL_TESTS();
}
