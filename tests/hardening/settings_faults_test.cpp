// The settings store against a hostile or broken disk: files it may not
// read, folders it may not write, a full disk, over-long paths, symbolic
// links, and things that are no settings file (devices, a FIFO, a folder,
// a huge file), which read as empty at once. A save either holds the new
// values or says why it failed and leaves the old file as it was.
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/unit/scratch_program_folder.h"

namespace fs = std::filesystem;
using perms = fs::perms;

namespace {

const char OLD_FILE[] = "[saver]\nclockType = 5\nresolution = 2\n";

// The old file's settings and then comments up to `size` bytes.
std::string padded_old_file(size_t size)
{
    std::string text = OLD_FILE;
    while (text.size() < size)
        text += std::string(std::min<size_t>(size - text.size(), 80) - 1, '#') + "\n";
    return text;
}

class SettingsFaults : public ScratchProgramFolder {
public:
    void TearDown() override
    {
        umount2(dir.c_str(), MNT_DETACH);  // a tmpfs of a test below, if any
        ScratchProgramFolder::TearDown();
    }
    // A 64 kB tmpfs as the settings folder, holding the old file; false when
    // this process may not mount.
    bool settings_on_tmpfs()
    {
        return mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k,mode=0777") == 0 && write_file(cfg(), OLD_FILE);
    }
    bool file_is_link_to(const char *target)
    {
        return fs::remove(cfg()) && !symlink(target, cfg().c_str());
    }
    // Loads, then saves style 8: refused with `reason`, or saved when it is
    // nullptr. Returns the style loaded.
    int load_and_save(const char *reason)
    {
        load_settings(1);
        const int loaded = saver_settings.clockType;
        saver_settings.clockType = 8;
        std::string why;
        EXPECT_EQ(save_settings(&why), reason == nullptr) << why;
        EXPECT_TRUE(!reason || why.find(reason) != std::string::npos) << why;
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(cfg().string() + ".new")));
        return loaded;
    }
};

}  // namespace

TEST_F(SettingsFaults, RefusedSavesSayWhyAndKeepTheOldFile)
{
    const struct {
        const char *name;
        bool (*prepare)(SettingsFaults &);  // false: cannot be set up here
        const char *reason;
        int loads;
    } cases[] = {
        {"unreadable file", [](SettingsFaults &t) { fs::permissions(t.cfg(), perms::none); return true; },
         "Permission denied", 0},
        {"read-only folder", [](SettingsFaults &t) {
             fs::permissions(t.cfg(), perms::owner_read | perms::others_read);
             fs::permissions(t.dir, perms::owner_read | perms::owner_exec | perms::others_exec);
             return true;
         }, "Permission denied", 5},
        {"a folder where the new file goes",
         [](SettingsFaults &t) { return fs::create_directories(t.dir / "veltrane.cfg.new/keep"); }, "could not be written", 5},
        {"a folder in the file's place", [](SettingsFaults &t) { return fs::remove(t.cfg()) && fs::create_directory(t.cfg()); },
         "is not a regular file", 0},
        // Read at once as empty: never waiting for a writer, never growing.
        {"a FIFO", [](SettingsFaults &t) { return fs::remove(t.cfg()) && !mkfifo(t.cfg().c_str(), 0600); },
         "is not a regular file", 0},
        {"a link to /dev/zero", [](SettingsFaults &t) { return t.file_is_link_to("/dev/zero"); }, "\"/dev/zero\" is not a regular", 0},
        {"a link to /dev/urandom", [](SettingsFaults &t) { return t.file_is_link_to("/dev/urandom"); }, "is not a regular", 0},
        {"a file of 1 MB, read, that a save would make longer",
         [](SettingsFaults &t) { return write_file(t.cfg(), padded_old_file(SETTINGS_FILE_MAX_BYTES)); },
         "would be longer than 1 MB", 5},
        {"a file of 1 MB and a byte",
         [](SettingsFaults &t) { return write_file(t.cfg(), padded_old_file(SETTINGS_FILE_MAX_BYTES + 1)); },
         "is longer than 1 MB", 0},
        {"a path too long for its buffer",
         [](SettingsFaults &t) { return !setenv("XDG_CONFIG_HOME", (t.dir / std::string(500, 'x')).c_str(), 1); },
         "longer than 511 characters", 5},
        {"full disk", [](SettingsFaults &t) {
             return t.settings_on_tmpfs() && !write_file(t.dir / "filler", std::string(80 * 4096, 'x'));
         }, "No space left on device", 5},
        {"read-only file system", [](SettingsFaults &t) {
             return t.settings_on_tmpfs() && !mount(nullptr, t.dir.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
         }, "Read-only file system", 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        umount2(dir.c_str(), MNT_DETACH);
        fs::remove_all(dir);
        fs::create_directory(dir);
        fs::permissions(root, perms::all);
        fs::permissions(dir, perms::all);
        setenv("XDG_CONFIG_HOME", root.c_str(), 1);
        write_cfg(OLD_FILE);
        if (!c.prepare(*this)) {
            std::cout << "not run here (needs root): " << c.name << "\n";
            continue;
        }
        const std::string before = access(cfg().c_str(), R_OK) == 0 && fs::is_regular_file(cfg()) ? read_cfg() : OLD_FILE;
        // Files are checked as nobody's, without root's right to ignore
        // permission bits.
        const bool privileged = geteuid() == 0;
        if (privileged)
            setfsgid(65534), setfsuid(65534);
        EXPECT_EQ(load_and_save(c.reason), c.loads);
        if (privileged)
            setfsuid(0), setfsgid(0);
        std::error_code readOnly;
        fs::permissions(dir, perms::all, readOnly);
        fs::permissions(cfg(), perms::owner_read | perms::owner_write, readOnly);
        EXPECT_TRUE(!fs::is_regular_file(cfg()) || read_cfg() == before) << read_cfg().substr(0, 200);
    }
}

TEST_F(SettingsFaults, LinksAreFollowedToTheFileTheyLeadToWhichKeepsItsPermissionBits)
{
    const fs::path target = root / "elsewhere/real.cfg";
    fs::create_directory(root / "elsewhere");
    write_file(target, OLD_FILE);
    fs::permissions(target, perms::owner_read | perms::owner_write);
    fs::create_symlink("../elsewhere/real.cfg", dir / "middle.cfg");
    fs::create_symlink("middle.cfg", cfg());
    EXPECT_EQ(load_and_save(nullptr), 5);
    EXPECT_TRUE(fs::is_symlink(cfg()) && fs::is_symlink(dir / "middle.cfg"));
    EXPECT_EQ(fs::status(target).permissions(), perms::owner_read | perms::owner_write);
    EXPECT_EQ(read_file(target), "[saver]\nclockType = 8\nresolution = 2\nsecondHand = 0\nsecondSound = 0\n"
                                 "hourSound = 0\nfifteenhourSound = 0\nhalfhourSound = 0\nfortyfivehourSound = 0\n"
                                 "random = 0\n");
    // A link into a folder that is gone: nothing is made there. A link to a
    // file not made yet, in a folder that exists: it is made.
    fs::remove(cfg());
    fs::create_symlink(root / "gone/veltrane.cfg", cfg());
    EXPECT_EQ(load_and_save("No such file or directory"), 0);
    EXPECT_FALSE(fs::exists(root / "gone"));
    fs::remove(target);
    fs::remove(cfg());
    fs::create_symlink(target, cfg());
    EXPECT_EQ(load_and_save(nullptr), 0);
    EXPECT_TRUE(fs::is_symlink(cfg()));
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 8);
}
