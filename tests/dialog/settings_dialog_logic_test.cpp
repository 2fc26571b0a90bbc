// The settings dialog's procedure driven through a fake set of controls, on
// real settings files in a scratch folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "resources/dialog_template.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "shell/settings_dialog_logic.h"
#include "tests/unit/allegro_fixture.h"
#include "tests/unit/fake_program_path.h"
#include "tests/unit/scratch_program_folder.h"

namespace fs = std::filesystem;

namespace {

// Behaves as the Windows controls do: lists hold texts in the order added, a
// position outside a list leaves no selection, a check box keeps the value
// it was given.
struct FakeControls final : DialogControls {
    std::map<int, std::vector<std::string>> lists;
    std::map<int, int> selection;
    std::map<int, int32_t> checks;
    std::vector<int> checkOrder;
    std::vector<PictureHandle> picturesShown;
    std::vector<std::string> pagesOpened;
    std::vector<std::string> errors;
    std::vector<std::vector<int>> drawn;
    std::vector<int> endCodes;

    void add_list_text(int listId, const char *text) override { lists[listId].push_back(text); }
    void select_list_position(int listId, int position) override
    {
        const int count = static_cast<int>(lists[listId].size());
        selection[listId] = position >= 0 && position < count ? position : -1;
    }
    int selected_list_position(int listId) override
    {
        return selection.count(listId) ? selection[listId] : -1;
    }
    void show_picture(int controlId, PictureHandle picture) override
    {
        EXPECT_EQ(controlId, IDC_STYLE_PICTURE);
        picturesShown.push_back(picture);
    }
    void set_check(int boxId, int32_t value) override
    {
        checks[boxId] = value;
        checkOrder.push_back(boxId);
    }
    int get_check(int boxId) override { return checks[boxId]; }
    void draw_picture(int resourceId, int x, int y) override { drawn.push_back({resourceId, x, y}); }
    void open_web_page(const char *address) override { pagesOpened.push_back(address); }
    void show_error(const char *message) override { errors.push_back(message); }
    void end_dialog(int code) override { endCodes.push_back(code); }

    // What the user does.
    int choose(int listId, int position)
    {
        selection[listId] = position;
        return command(listId, LIST_SELECTION_CHANGED);
    }
    int command(int id, int notification = BUTTON_CLICKED)
    {
        return settings_dlg_proc(*this, DIALOG_COMMAND, command_parameter(id, notification), 0);
    }
};

// Distinct stand-ins for the ten loaded previews.
int preview_marks[CLOCK_STYLE_COUNT];

class SettingsDialogLogic : public ScratchProgramFolder {
protected:
    FakeControls dialog;

    void SetUp() override
    {
        ScratchProgramFolder::SetUp();
        for (int i = 0; i < CLOCK_STYLE_COUNT; i++)
            style_previews[i] = &preview_marks[i];
    }
    // Settings mode as it starts: load without random choice, then open.
    int open_dialog()
    {
        load_settings(0);
        return settings_dlg_proc(dialog, DIALOG_INIT, 0, 0);
    }
    // Whatever the library still holds in memory goes to disk now, as it
    // would when the process shuts the library down.
    void shut_down_library() { flush_config_file(); }
};

const char ALL_ZERO_FILE[] =
    "[saver]\n"
    "clockType = 0\n"
    "resolution = 0\n"
    "secondHand = 0\n"
    "secondSound = 0\n"
    "hourSound = 0\n"
    "fifteenhourSound = 0\n"
    "halfhourSound = 0\n"
    "fortyfivehourSound = 0\n"
    "random = 0\n";

}  // namespace

TEST_F(SettingsDialogLogic, OpensWithTheStoredChoices)
{
    write_cfg("[saver]\nclockType = 3\nresolution = 2\nsecondHand = 1\nsecondSound = 0\nhourSound = 1\n"
              "fifteenhourSound = 2\nhalfhourSound = 1\nfortyfivehourSound = 0\nrandom = 1\n");
    EXPECT_EQ(open_dialog(), DIALOG_HANDLED) << "the platform gives the focus to the first tab stop";

    std::vector<std::string> styleNames;
    for (const ClockStyle &style : ClockStyleTable)
        styleNames.push_back(style.displayName);
    EXPECT_EQ(dialog.lists[IDC_STYLE_LIST], styleNames);
    EXPECT_EQ(dialog.lists[IDC_STYLE_LIST][9], "Funky Clock");
    EXPECT_EQ(dialog.selection[IDC_STYLE_LIST], 3);
    ASSERT_EQ(dialog.picturesShown.size(), 1u);
    EXPECT_EQ(dialog.picturesShown[0], &preview_marks[3]);

    EXPECT_EQ(dialog.lists[IDC_RESOLUTION_LIST],
              (std::vector<std::string>{"Current Resolution", "1680x1050", "1440x900", "1280x1024", "1024x768"}));
    EXPECT_EQ(dialog.selection[IDC_RESOLUTION_LIST], 2);

    EXPECT_EQ(dialog.checkOrder, (std::vector<int>{40014, 40013, 40023, 40019, 40022, 40021, 1001}));
    EXPECT_EQ(dialog.checks[IDC_SECOND_HAND], 1);
    EXPECT_EQ(dialog.checks[IDC_SECOND_SOUND], 0);
    EXPECT_EQ(dialog.checks[IDC_HOUR_CHIME], 1);
    EXPECT_EQ(dialog.checks[IDC_FIFTEEN_CHIME], 2) << "a stored value goes to the box unchanged";
    EXPECT_EQ(dialog.checks[IDC_HALF_HOUR_CHIME], 1);
    EXPECT_EQ(dialog.checks[IDC_FORTY_FIVE_CHIME], 0);
    EXPECT_EQ(dialog.checks[IDC_RANDOM], 1);
    EXPECT_TRUE(dialog.endCodes.empty());
}

TEST_F(SettingsDialogLogic, MissingFileOpensWithDefaults)
{
    open_dialog();
    EXPECT_EQ(dialog.selection[IDC_STYLE_LIST], 0);
    EXPECT_EQ(dialog.picturesShown.at(0), &preview_marks[0]);
    EXPECT_EQ(dialog.selection[IDC_RESOLUTION_LIST], 0);
    for (const CheckBoxSwitch &box : CHECK_BOX_SWITCHES)
        EXPECT_EQ(dialog.checks[box.controlId], 0) << box.controlId;
    EXPECT_FALSE(fs::exists(cfg()));
}

TEST_F(SettingsDialogLogic, UnlistedStyleShowsNoSelectionAndNoPreview)
{
    for (int clockType : {12, 10, -1}) {
        dialog = FakeControls{};
        write_cfg("[saver]\nclockType = " + std::to_string(clockType) + "\n");
        open_dialog();
        EXPECT_EQ(saver_settings.clockType, clockType);
        EXPECT_EQ(dialog.selection[IDC_STYLE_LIST], -1) << clockType;
        ASSERT_EQ(dialog.picturesShown.size(), 1u);
        EXPECT_EQ(dialog.picturesShown[0], nullptr) << "nothing from beyond the ten previews";
    }
}

TEST_F(SettingsDialogLogic, ResolutionOutOfRangeArrivesAsCurrentResolution)
{
    write_cfg("[saver]\nresolution = 7\n");
    open_dialog();
    EXPECT_EQ(dialog.selection[IDC_RESOLUTION_LIST], 0);
    EXPECT_EQ(dialog.command(IDC_OK), DIALOG_HANDLED);
    EXPECT_NE(read_cfg().find("resolution = 0\n"), std::string::npos);
}

TEST_F(SettingsDialogLogic, ListsChangeTheSettingsAtOnce)
{
    open_dialog();
    EXPECT_EQ(dialog.choose(IDC_STYLE_LIST, 5), DIALOG_NOT_HANDLED);
    EXPECT_EQ(saver_settings.clockType, 5);
    EXPECT_EQ(dialog.picturesShown.back(), &preview_marks[5]);

    EXPECT_EQ(dialog.choose(IDC_RESOLUTION_LIST, 4), DIALOG_NOT_HANDLED);
    EXPECT_EQ(saver_settings.resolution, 4);

    // Only a change of selection counts; other list notifications do nothing.
    const size_t shown = dialog.picturesShown.size();
    dialog.selection[IDC_STYLE_LIST] = 8;
    dialog.selection[IDC_RESOLUTION_LIST] = 1;
    EXPECT_EQ(dialog.command(IDC_STYLE_LIST, 7), DIALOG_NOT_HANDLED);
    EXPECT_EQ(dialog.command(IDC_RESOLUTION_LIST, 3), DIALOG_NOT_HANDLED);
    EXPECT_EQ(saver_settings.clockType, 5);
    EXPECT_EQ(saver_settings.resolution, 4);
    EXPECT_EQ(dialog.picturesShown.size(), shown);
    EXPECT_TRUE(dialog.endCodes.empty());
}

TEST_F(SettingsDialogLogic, OkOnMissingFileWritesNineKeysInSaveOrder)
{
    open_dialog();
    EXPECT_EQ(dialog.command(IDC_OK), DIALOG_HANDLED);
    EXPECT_EQ(dialog.endCodes, std::vector<int>{IDC_OK});
    EXPECT_TRUE(dialog.errors.empty());
    shut_down_library();
    EXPECT_EQ(read_cfg(), ALL_ZERO_FILE);
}

TEST_F(SettingsDialogLogic, OkWritesTheBoxesAndLists)
{
    write_cfg("# kept\n[other]\nx = y\n[saver]\nclockType = 1\nsecondHand = 2\nrandom = 7\n");
    open_dialog();
    dialog.choose(IDC_STYLE_LIST, 9);
    dialog.choose(IDC_RESOLUTION_LIST, 3);
    dialog.checks[IDC_SECOND_SOUND] = 1;      // ticked by the user
    dialog.checks[IDC_FORTY_FIVE_CHIME] = 1;
    dialog.command(IDC_OK);
    EXPECT_EQ(dialog.endCodes, std::vector<int>{IDC_OK});

    const SaverSettings s = saver_settings;
    EXPECT_EQ(s.clockType, 9);
    EXPECT_EQ(s.resolution, 3);
    EXPECT_EQ(s.secondHand, 0) << "a stored 2 shows unticked and goes back as 0";
    EXPECT_EQ(s.secondSound, 1);
    EXPECT_EQ(s.fortyfivehourSound, 1);
    EXPECT_EQ(s.random, 0);

    shut_down_library();
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 9);
    EXPECT_EQ(saver_settings.resolution, 3);
    EXPECT_EQ(saver_settings.secondHand, 0);
    EXPECT_EQ(saver_settings.secondSound, 1);
    EXPECT_EQ(saver_settings.fortyfivehourSound, 1);
    EXPECT_EQ(saver_settings.random, 0);
    const std::string text = read_cfg();
    EXPECT_NE(text.find("# kept\n"), std::string::npos);
    EXPECT_NE(text.find("x = y"), std::string::npos);
}

TEST_F(SettingsDialogLogic, StoredTwoTickedByTheUserIsWrittenAsOne)
{
    write_cfg("[saver]\nhourSound = 2\n");
    open_dialog();
    dialog.checks[IDC_HOUR_CHIME] = 1;
    dialog.command(IDC_OK);
    shut_down_library();
    EXPECT_NE(read_cfg().find("hourSound = 1\n"), std::string::npos);
}

TEST_F(SettingsDialogLogic, UnlistedStyleUntouchedIsWrittenBack)
{
    write_cfg("[saver]\nclockType = 12\nrandom = 1\n");
    open_dialog();
    dialog.command(IDC_OK);
    shut_down_library();
    const std::string text = read_cfg();
    EXPECT_NE(text.find("clockType = 12\n"), std::string::npos) << text;
    EXPECT_NE(text.find("random = 1\n"), std::string::npos) << text;
}

TEST_F(SettingsDialogLogic, CancelAndCloseWriteNothing)
{
    const std::string original = "# mine\n[saver]\nclockType = 2\nresolution = 1\nsecondHand = 1\n";
    for (bool missing : {true, false}) {
        for (bool byCloseBox : {false, true}) {
            dialog = FakeControls{};
            fs::remove(cfg());
            if (!missing)
                write_cfg(original);
            open_dialog();
            dialog.choose(IDC_STYLE_LIST, 7);
            dialog.choose(IDC_RESOLUTION_LIST, 4);
            dialog.checks[IDC_RANDOM] = 1;
            const int result = byCloseBox ? settings_dlg_proc(dialog, DIALOG_CLOSE, 0, 0) : dialog.command(IDC_CANCEL);
            EXPECT_EQ(result, DIALOG_HANDLED);
            EXPECT_EQ(dialog.endCodes, std::vector<int>{byCloseBox ? 0 : IDC_CANCEL});
            shut_down_library();
            if (missing)
                EXPECT_FALSE(fs::exists(cfg())) << "close box: " << byCloseBox;
            else
                EXPECT_EQ(read_cfg(), original) << "close box: " << byCloseBox;
        }
    }
}

TEST_F(SettingsDialogLogic, EscapeAndOtherCommandsLeaveTheDialogOpen)
{
    open_dialog();
    EXPECT_EQ(dialog.command(ESCAPE_COMMAND_ID), DIALOG_NOT_HANDLED);
    EXPECT_EQ(dialog.command(IDC_SECOND_HAND), DIALOG_NOT_HANDLED);
    EXPECT_EQ(dialog.command(12345), DIALOG_NOT_HANDLED);
    EXPECT_EQ(settings_dlg_proc(dialog, 0x0200, 0, 0), DIALOG_NOT_HANDLED);
    EXPECT_TRUE(dialog.endCodes.empty());
    EXPECT_FALSE(fs::exists(cfg()));
}

TEST_F(SettingsDialogLogic, WebButtonsOpenTheMakersPagesAndStayOpen)
{
    open_dialog();
    EXPECT_EQ(dialog.command(IDC_VISIT_SITE), DIALOG_HANDLED);
    EXPECT_EQ(dialog.command(IDC_TELL_A_FRIEND), DIALOG_HANDLED);
    EXPECT_EQ(dialog.command(IDC_VISIT_SITE, 5), DIALOG_HANDLED) << "any notification";
    const std::string site = MAKER_SITE_ADDRESS;
    EXPECT_EQ(dialog.pagesOpened, (std::vector<std::string>{site, site + "/passonsoft.php?s=30", site}));
    EXPECT_EQ(site.rfind("https://", 0), 0u);
    EXPECT_TRUE(dialog.endCodes.empty());
}

TEST_F(SettingsDialogLogic, PaintDrawsTheBannerAtTenTen)
{
    EXPECT_EQ(settings_dlg_proc(dialog, DIALOG_PAINT, 0, 0), DIALOG_HANDLED);
    EXPECT_EQ(dialog.drawn, (std::vector<std::vector<int>>{{IDB_BANNER, 10, 10}}));
}

// A save that does not reach the disk must not end the dialog as saved.
TEST_F(SettingsDialogLogic, FailedSaveKeepsTheDialogOpenAndCanBeRetried)
{
    write_cfg("[saver]\nclockType = 4\n");
    open_dialog();
    fs::remove(cfg());
    fs::create_directory(cfg());  // nothing can be written in its place, not even by root
    dialog.checks[IDC_SECOND_HAND] = 1;
    EXPECT_EQ(dialog.command(IDC_OK), DIALOG_HANDLED);
    EXPECT_TRUE(dialog.endCodes.empty());
    ASSERT_EQ(dialog.errors.size(), 1u);
    EXPECT_NE(dialog.errors[0].find(cfg().string()), std::string::npos) << dialog.errors[0];
    EXPECT_TRUE(fs::is_directory(cfg()));

    fs::remove(cfg());
    EXPECT_EQ(dialog.command(IDC_OK), DIALOG_HANDLED);
    EXPECT_EQ(dialog.endCodes, std::vector<int>{IDC_OK});
    EXPECT_EQ(dialog.errors.size(), 1u);
    load_settings(0);
    EXPECT_EQ(saver_settings.clockType, 4);
    EXPECT_EQ(saver_settings.secondHand, 1);
}

TEST_F(SettingsDialogLogic, CancelAfterAFailedSaveStillLeaves)
{
    write_cfg("[saver]\nclockType = 6\n");
    open_dialog();
    // The new file cannot be written where a folder of its name stands
    // (not even by root, who writes into read-only folders).
    fs::create_directories(dir / "veltrane.cfg.new" / "keep");
    dialog.choose(IDC_STYLE_LIST, 1);
    dialog.command(IDC_OK);
    EXPECT_TRUE(dialog.endCodes.empty());
    EXPECT_EQ(dialog.errors.size(), 1u);
    dialog.command(IDC_CANCEL);
    EXPECT_EQ(dialog.endCodes, std::vector<int>{IDC_CANCEL});
    shut_down_library();
    EXPECT_EQ(read_cfg(), "[saver]\nclockType = 6\n");
}

TEST(DialogUnits, FollowTheFontsBaseUnits)
{
    // An 8-point dialog font at 96 dpi: 52 letters 286 pixels wide, 13 high.
    const DialogBaseUnits units = dialog_base_units(286, 13);
    EXPECT_EQ(units.x, 6);
    EXPECT_EQ(units.y, 13);
    EXPECT_EQ(dialog_x_to_pixels(333, units), 500);
    EXPECT_EQ(dialog_y_to_pixels(286, units), 465);  // 464.75 rounds up
    EXPECT_EQ(dialog_x_to_pixels(30, units), 45);
    EXPECT_EQ(dialog_y_to_pixels(95, units), 154);   // 154.375 rounds down
    EXPECT_EQ(dialog_x_to_pixels(1, units), 2);      // 1.5 rounds away from zero
    EXPECT_EQ(dialog_x_to_pixels(0, units), 0);
    EXPECT_EQ(dialog_base_units(343, 13).x, 7);
}

TEST(DialogTemplate, TabOrderAndControlsMatchTheirUse)
{
    std::vector<int> tabStops;
    int defaultButtons = 0;
    for (const DialogControl &control : SETTINGS_CONTROLS) {
        if (has_dialog_style(control.styles, "WS_TABSTOP"))
            tabStops.push_back(control.id);
        defaultButtons += has_dialog_style(control.styles, "BS_DEFPUSHBUTTON");
    }
    EXPECT_EQ(tabStops, (std::vector<int>{1013, 1000, 40009, 1003, 40010, 40011, 40014, 40013, 40023, 40022, 40019,
                                          40021, 1001}));
    EXPECT_EQ(defaultButtons, 1);
    EXPECT_TRUE(has_dialog_style(find_dialog_control(IDC_OK)->styles, "BS_DEFPUSHBUTTON"));
    EXPECT_FALSE(has_dialog_style(find_dialog_control(IDC_OK)->styles, "BS_PUSHBUTTON"));
    EXPECT_FALSE(has_dialog_style("WS_TABSTOPX", "WS_TABSTOP"));
    EXPECT_EQ(find_dialog_control(IDC_STATIC), nullptr);

    for (const CheckBoxSwitch &box : CHECK_BOX_SWITCHES) {
        const DialogControl *control = find_dialog_control(box.controlId);
        ASSERT_NE(control, nullptr) << box.controlId;
        EXPECT_TRUE(has_dialog_style(control->styles, "BS_AUTOCHECKBOX")) << box.controlId;
    }
    EXPECT_STREQ(find_dialog_control(IDC_HALF_HOUR_CHIME)->caption, "Chime 30 minutes after");
    EXPECT_STREQ(SETTINGS_DIALOG.caption, "Veltrane Screen Saver");
    EXPECT_EQ(SETTINGS_DIALOG.width, 333);
    EXPECT_EQ(SETTINGS_DIALOG.height, 286);
}

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new AllegroEnvironment);
    return RUN_ALL_TESTS();
}
