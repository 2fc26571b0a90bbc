// The settings store against a hostile or broken disk: files it may not
// read, folders it may not write, a full disk and symbolic links. Loading falls back to the defaults; saving either holds the
// new values or says why it failed and leaves the old file.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "settings/settings.h"
#include "tests/unit/allegro_fixture.h"
#include "tests/unit/scratch_program_folder.h"

namespace fs = std::filesystem;

namespace {

constexpr uid_t NOBODY = 65534;
const char OLD_FILE[] = "[saver]\nclockType = 5\nresolution = 2\n";

class SettingsFaults : public ScratchProgramFolder {
public:
    std::vector<fs::path> mounts;

    void SetUp() override
    {
        ScratchProgramFolder::SetUp();
        fs::permissions(root, fs::perms::all);
        fs::permissions(dir, fs::perms::all);
    }
    void TearDown() override
    {
        for (auto it = mounts.rbegin(); it != mounts.rend(); ++it)
            umount2(it->c_str(), MNT_DETACH);
        ScratchProgramFolder::TearDown();
    }
    // A small tmpfs as the settings folder, or false when this process may
    // not mount.
    bool settings_on_tmpfs()
    {
        if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k,mode=0777") != 0)
            return false;
        mounts.push_back(dir);
        return true;
    }
    // Runs `body` without root's right to ignore permission bits.
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
            _exit(::testing::Test::HasFailure() ? 1 : 0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status)) << "the unprivileged run crashed";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the unprivileged run failed its checks (see above)";
    }
    // Loads, then saves style 8: refused with `reason`, or saved when it is
    // nullptr. Returns the style loaded.
    int load_and_save(const char *reason)
    {
        load_settings(1);
        const int loaded = saver_settings.clockType;
        saver_settings.clockType = 8;
        std::string why;
        const bool saved = save_settings(&why);
        EXPECT_EQ(saved, reason == nullptr) << why;
        if (reason) {
            EXPECT_NE(why.find(reason), std::string::npos) << why;
        }
        return loaded;
    }
};

}  // namespace

TEST_F(SettingsFaults, RefusedSavesSayWhyAndKeepTheOldFile)
{
    struct Case {
        const char *name;
        std::function<bool(SettingsFaults &)> prepare;  // false: cannot be set up here
        const char *reason;
        int loads;
        bool unprivileged;
    } cases[] = {
        {"unreadable file", [](SettingsFaults &t) { fs::permissions(t.cfg(), fs::perms::none); return true; },
         "Permission denied", 0, true},
        {"read-only folder",
         [](SettingsFaults &t) {
             fs::permissions(t.cfg(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
             fs::permissions(t.dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_exec);
             return true;
         },
         "Permission denied", 5, true},
        {"full disk",
         [](SettingsFaults &t) {
             if (!t.settings_on_tmpfs())
                 return false;
             t.write_cfg(OLD_FILE);
             std::ofstream filler(t.dir / "filler", std::ios::binary);
             for (int i = 0; i < 80 && filler.write(std::string(4096, 'x').data(), 4096); i++) {
             }
             return true;
         },
         "No space left on device", 5, false},
        {"read-only file system",
         [](SettingsFaults &t) {
             if (!t.settings_on_tmpfs())
                 return false;
             t.write_cfg(OLD_FILE);
             return mount(nullptr, t.dir.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
         },
         "Read-only file system", 5, false},
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (auto it = mounts.rbegin(); it != mounts.rend(); ++it)
            umount2(it->c_str(), MNT_DETACH);
        mounts.clear();
        fs::permissions(dir, fs::perms::all);
        write_cfg(OLD_FILE);
        if (!c.prepare(*this)) {
            std::cout << "not run here (needs root): " << c.name << "\n";
            continue;
        }
        const auto check = [&] {
            EXPECT_EQ(load_and_save(c.reason), c.loads);
            EXPECT_FALSE(fs::exists(cfg().string() + ".new"));
        };
        if (c.unprivileged)
            as_unprivileged(check);
        else
            check();
        std::error_code readOnly;
        fs::permissions(dir, fs::perms::all, readOnly);
        fs::permissions(cfg(), fs::perms::owner_read | fs::perms::owner_write, readOnly);
        EXPECT_EQ(read_cfg(), OLD_FILE);
    }
}

TEST_F(SettingsFaults, LinksAreFollowedToTheFileTheyLeadToWhichKeepsItsPermissionBits)
{
    const fs::path elsewhere = root / "elsewhere", target = elsewhere / "real.cfg";
    fs::create_directory(elsewhere);
    write_file(target, OLD_FILE);
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("../elsewhere/real.cfg", dir / "middle.cfg");
    fs::create_symlink("middle.cfg", cfg());
    EXPECT_EQ(load_and_save(nullptr), 5);
    EXPECT_TRUE(fs::is_symlink(cfg()));
    EXPECT_TRUE(fs::is_symlink(dir / "middle.cfg"));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(read_file(target), "[saver]\nclockType = 8\nresolution = 2\nsecondHand = 0\nsecondSound = 0\n"
                                 "hourSound = 0\nfifteenhourSound = 0\nhalfhourSound = 0\nfortyfivehourSound = 0\n"
                                 "random = 0\n");
    EXPECT_FALSE(fs::exists(dir / "veltrane.cfg.new"));

    // A link into a folder that is gone: nothing is made there.
    fs::remove(cfg());
    fs::create_symlink(root / "gone" / "veltrane.cfg", cfg());
    EXPECT_EQ(load_and_save("No such file or directory"), 0);
    EXPECT_FALSE(fs::exists(root / "gone"));
    // A link to a file not made yet, in a folder that exists: it is made.
    fs::remove(target);
    fs::remove(cfg());
    fs::create_symlink(target, cfg());
    EXPECT_EQ(load_and_save(nullptr), 0);
    EXPECT_TRUE(fs::is_symlink(cfg()));
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 8);
}

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new AllegroEnvironment);
    return RUN_ALL_TESTS();
}
