// The settings dialog's logic driven through fake controls and a fake save:
// what it shows, what OK hands to the save, how each way out ends it. The
// web pages and the banner need the real program (dialog_test.sh).
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "resources/dialog_template.h"
#include "shell/settings_dialog_logic.h"

namespace {

using Checks = std::vector<int32_t>;
// The boxes in the order they are set and read, and their switches.
const std::vector<int> BOXES = {40014, 40013, 40023, 40019, 40022, 40021, 1001};
int32_t SaverSettings::*const SWITCHES[] = {&SaverSettings::secondHand, &SaverSettings::secondSound,
                                             &SaverSettings::hourSound, &SaverSettings::fifteenhourSound,
                                             &SaverSettings::halfhourSound, &SaverSettings::fortyfivehourSound,
                                             &SaverSettings::random};
Checks switches_of(const SaverSettings &s)
{
    Checks values;
    for (auto field : SWITCHES)
        values.push_back(s.*field);
    return values;
}
SaverSettings with(int clockType, int resolution, Checks switches = Checks(7, 0))
{
    SaverSettings s;
    s.clockType = clockType;
    s.resolution = resolution;
    for (int i = 0; i < 7; i++)
        s.*SWITCHES[i] = switches[i];
    return s;
}

int preview_marks[CLOCK_STYLE_COUNT];

// Behaves as the Windows controls do: lists hold texts in the order added, a
// position outside a list leaves no selection, a box keeps the value it was
// given. The save records what it was handed and answers as told.
struct FakeDialog final : DialogControls {
    std::map<int, std::vector<std::string>> lists;
    std::map<int, int> selection;
    std::map<int, int32_t> checks;
    std::vector<int> checkOrder;
    std::vector<PictureHandle> pictures;
    std::vector<std::string> errors;
    std::vector<int> endCodes;

    SaverSettings settings;
    std::vector<SaverSettings> saved;  // every settings handed to the save
    std::vector<const char *> saveAnswers;  // nullptr: saved; otherwise the reason of a refusal
    bool save(const SaverSettings &s, std::string &reason)
    {
        saved.push_back(s);
        const char *answer = saved.size() <= saveAnswers.size() ? saveAnswers[saved.size() - 1] : nullptr;
        if (answer)
            reason = answer;
        return answer == nullptr;
    }

    void add_list_text(int id, const char *text) override { lists[id].push_back(text); }
    void select_list_position(int id, int position) override
    {
        selection[id] = position >= 0 && position < static_cast<int>(lists[id].size()) ? position : -1;
    }
    int selected_list_position(int id) override { return selection.count(id) ? selection[id] : -1; }
    void show_picture(int id, PictureHandle picture) override
    {
        EXPECT_EQ(id, IDC_STYLE_PICTURE);
        pictures.push_back(picture);
    }
    void set_check(int id, int32_t value) override
    {
        checks[id] = value;
        checkOrder.push_back(id);
    }
    int get_check(int id) override { return checks[id]; }
    // The web pages and the banner are seen end to end.
    void draw_picture(int, int, int) override {}
    void open_web_page(const char *) override {}
    void show_error(const char *message) override { errors.push_back(message); }
    void end_dialog(int code) override { endCodes.push_back(code); }

    bool send(DialogEvent event)
    {
        return handle_dialog_event(*this, settings, [this](const SaverSettings &s, std::string &r) { return save(s, r); },
                                   event);
    }
    bool open(const SaverSettings &s)
    {
        settings = s;
        return send({DialogEventType::init});
    }
    bool command(int id, DialogNotification n = DialogNotification::clicked) { return send(dialog_command(id, n)); }
    bool choose(int list, int position)
    {
        selection[list] = position;
        return command(list, DialogNotification::selection_changed);
    }
};

class SettingsDialogLogic : public ::testing::Test {
protected:
    FakeDialog dialog;
    void SetUp() override
    {
        for (int i = 0; i < CLOCK_STYLE_COUNT; i++)
            style_previews[i] = &preview_marks[i];
    }
};

}  // namespace

TEST_F(SettingsDialogLogic, OpensWithTheStoredChoices)
{
    struct Case {
        SaverSettings stored;
        int styleSelected;
        int preview;  // -1: no picture
    };
    const Case cases[] = {
        {with(3, 2, {1, 0, 1, 2, 1, 0, 1}), 3, 3},  // a stored 2 goes to its box unchanged
        {with(0, 0), 0, 0},
        {with(9, 4, Checks(7, 1)), 9, 9},
        {with(12, 1), -1, -1},  // an unlisted style: no selection, nothing from beyond the ten
        {with(10, 3), -1, -1},
        {with(-1, 0), -1, -1},
    };
    std::vector<std::string> styleNames;
    for (const ClockStyle &style : ClockStyleTable)
        styleNames.push_back(style.displayName);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored.clockType);
        dialog = FakeDialog{};
        EXPECT_TRUE(dialog.open(c.stored)) << "the platform gives the focus to the first tab stop";
        EXPECT_EQ(dialog.lists[IDC_STYLE_LIST], styleNames);
        EXPECT_EQ(dialog.selection[IDC_STYLE_LIST], c.styleSelected);
        EXPECT_EQ(dialog.pictures, std::vector<PictureHandle>{c.preview < 0 ? nullptr : &preview_marks[c.preview]});
        EXPECT_EQ(dialog.lists[IDC_RESOLUTION_LIST],
                  (std::vector<std::string>{"Current Resolution", "1680x1050", "1440x900", "1280x1024", "1024x768"}));
        EXPECT_EQ(dialog.selection[IDC_RESOLUTION_LIST], c.stored.resolution);
        EXPECT_EQ(dialog.checkOrder, BOXES);
        Checks shown;
        for (int box : BOXES)
            shown.push_back(dialog.checks[box]);
        EXPECT_EQ(shown, switches_of(c.stored));
        EXPECT_TRUE(dialog.endCodes.empty() && dialog.saved.empty());
    }
}

TEST_F(SettingsDialogLogic, ListsChangeTheSettingsAtOnceOnlyOnASelectionChange)
{
    dialog.open(with(1, 0));
    EXPECT_FALSE(dialog.choose(IDC_STYLE_LIST, 5));
    EXPECT_FALSE(dialog.choose(IDC_RESOLUTION_LIST, 4));
    EXPECT_EQ(dialog.settings.clockType, 5);
    EXPECT_EQ(dialog.settings.resolution, 4);
    EXPECT_EQ(dialog.pictures.back(), &preview_marks[5]);

    const size_t shown = dialog.pictures.size();
    dialog.selection[IDC_STYLE_LIST] = 8;
    dialog.selection[IDC_RESOLUTION_LIST] = 1;
    for (DialogNotification other : {DialogNotification::clicked, DialogNotification::other}) {
        EXPECT_FALSE(dialog.command(IDC_STYLE_LIST, other));
        EXPECT_FALSE(dialog.command(IDC_RESOLUTION_LIST, other));
    }
    EXPECT_EQ(dialog.settings.clockType, 5);
    EXPECT_EQ(dialog.settings.resolution, 4);
    EXPECT_EQ(dialog.pictures.size(), shown);
    EXPECT_TRUE(dialog.endCodes.empty());
}

// What OK hands to the save: the lists as last chosen, each box as 1 when
// ticked and 0 otherwise, whatever was stored.
TEST_F(SettingsDialogLogic, OkHandsTheShownChoicesToTheSave)
{
    struct Case {
        SaverSettings stored;
        std::vector<std::pair<int, int>> chosen;  // list, position
        std::map<int, int32_t> ticked;            // box, state the user left
        SaverSettings expected;
    };
    const Case cases[] = {
        {with(0, 0), {}, {}, with(0, 0)},
        {with(1, 0, {2, 0, 2, 0, 0, 0, 7}), {{IDC_STYLE_LIST, 9}, {IDC_RESOLUTION_LIST, 3}},
         {{IDC_SECOND_SOUND, 1}, {IDC_FORTY_FIVE_CHIME, 1}, {IDC_HOUR_CHIME, 1}},
         with(9, 3, {0, 1, 1, 0, 0, 1, 0})},
        {with(12, 2, {0, 0, 0, 0, 0, 0, 1}), {}, {}, with(12, 2, {0, 0, 0, 0, 0, 0, 1})},
        {with(4, 1, Checks(7, 1)), {{IDC_RESOLUTION_LIST, 0}}, {{IDC_FIFTEEN_CHIME, 0}, {IDC_RANDOM, 0}},
         with(4, 0, {1, 1, 1, 0, 1, 1, 0})},
    };
    for (const Case &c : cases) {
        dialog = FakeDialog{};
        dialog.open(c.stored);
        for (auto [list, position] : c.chosen)
            dialog.choose(list, position);
        for (auto [box, state] : c.ticked)
            dialog.checks[box] = state;
        EXPECT_TRUE(dialog.command(IDC_OK));
        ASSERT_EQ(dialog.saved.size(), 1u);
        const SaverSettings &s = dialog.saved[0];
        EXPECT_EQ(s.clockType, c.expected.clockType);
        EXPECT_EQ(s.resolution, c.expected.resolution);
        EXPECT_EQ(switches_of(s), switches_of(c.expected)) << "stored clockType " << c.stored.clockType;
        EXPECT_EQ(dialog.endCodes, std::vector<int>{IDC_OK});
        EXPECT_TRUE(dialog.errors.empty());
    }
}

// Each way out, and the commands that are no way out.
TEST_F(SettingsDialogLogic, EndsOnlyAsTheUserChose)
{
    struct Case {
        const char *what;
        std::vector<DialogEvent> events;
        std::vector<const char *> saveAnswers;
        std::vector<int> endCodes;
        size_t saves;
        std::vector<std::string> errorParts;  // one entry per message shown, a part of its text
    };
    const DialogEvent ok = dialog_command(IDC_OK), cancel = dialog_command(IDC_CANCEL);
    const DialogEvent close{DialogEventType::close};
    const char *const fallback = "could not be written. Check that its folder can be written to";
    const Case cases[] = {
        {"Cancel", {cancel}, {}, {IDC_CANCEL}, 0, {}},
        {"close box", {close}, {}, {0}, 0, {}},
        {"Escape and other ids", {dialog_command(ESCAPE_COMMAND_ID), dialog_command(IDC_SECOND_HAND),
                                  dialog_command(12345), dialog_command(IDC_STYLE_PICTURE)}, {}, {}, 0, {}},
        {"a refused save, then OK again", {ok, ok}, {""}, {IDC_OK}, 2, {fallback}},
        {"a refused save, then Cancel", {ok, cancel}, {""}, {IDC_CANCEL}, 1, {fallback}},
        {"a refused save, then the close box", {ok, ok, close}, {"", "the disk is full"}, {0}, 2,
         {fallback, "\"/x/veltrane.cfg\": the disk is full. Press OK to try again, or Cancel"}},
    };
    std::strcpy(settings_file, "/x/veltrane.cfg");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        dialog = FakeDialog{};
        dialog.saveAnswers = c.saveAnswers;
        dialog.open(with(6, 0));
        for (const DialogEvent &event : c.events) {
            const bool endsOrSaves = event.type == DialogEventType::close ||
                                     event.controlId == IDC_OK || event.controlId == IDC_CANCEL;
            EXPECT_EQ(dialog.send(event), endsOrSaves) << event.controlId;
        }
        EXPECT_EQ(dialog.endCodes, c.endCodes);
        EXPECT_EQ(dialog.saved.size(), c.saves);
        ASSERT_EQ(dialog.errors.size(), c.errorParts.size());
        for (size_t i = 0; i < c.errorParts.size(); i++) {
            EXPECT_NE(dialog.errors[i].find(c.errorParts[i]), std::string::npos) << dialog.errors[i];
            EXPECT_NE(dialog.errors[i].find("/x/veltrane.cfg"), std::string::npos) << dialog.errors[i];
        }
    }
}

TEST(DialogUnits, FollowTheFontsBaseUnitsRoundingHalvesAway)
{
    // An 8-point dialog font at 96 dpi: 52 letters 286 pixels wide, 13 high.
    const DialogBaseUnits units = dialog_base_units(286, 13);
    EXPECT_EQ(units.x, 6);
    EXPECT_EQ(units.y, 13);
    EXPECT_EQ(dialog_base_units(343, 13).x, 7);
    const int xs[][2] = {{333, 500}, {30, 45}, {1, 2}, {0, 0}};  // 1.5 rounds away from zero
    for (auto [dlu, pixels] : xs)
        EXPECT_EQ(dialog_x_to_pixels(dlu, units), pixels) << dlu;
    const int ys[][2] = {{286, 465}, {95, 154}};  // 464.75 up, 154.375 down
    for (auto [dlu, pixels] : ys)
        EXPECT_EQ(dialog_y_to_pixels(dlu, units), pixels) << dlu;
}
