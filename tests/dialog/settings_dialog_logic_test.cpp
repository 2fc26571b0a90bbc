// The settings dialog's logic driven through fake controls and a fake save.
// Each case opens the dialog on stored settings, plays a script of user
// actions and compares the log of everything the logic did to the controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "resources/dialog_template.h"
#include "resources/resource_ids.h"
#include "shell/settings_dialog_logic.h"

namespace {

// The boxes in the order of the settings' switches.
const int BOXES[] = {IDC_SECOND_HAND, IDC_SECOND_SOUND, IDC_HOUR_CHIME, IDC_FIFTEEN_CHIME,
                     IDC_HALF_HOUR_CHIME, IDC_FORTY_FIVE_CHIME, IDC_RANDOM};
int32_t SaverSettings::*const SWITCHES[] = {&SaverSettings::secondHand, &SaverSettings::secondSound,
                                             &SaverSettings::hourSound, &SaverSettings::fifteenhourSound,
                                             &SaverSettings::halfhourSound, &SaverSettings::fortyfivehourSound,
                                             &SaverSettings::random};
int preview_marks[CLOCK_STYLE_COUNT];

// Lists behave as the Windows controls do (a position outside leaves no
// selection), a box keeps the value it was given.
struct FakeDialog final : DialogControls {
    std::map<int, int> sizes, selection, checks;
    std::string log, refusal;  // refusal: the reason a refused save gives
    bool refuse = false, noBrowser = false;

    void note(const std::string &s) { log += (log.empty() ? "" : " ") + s; }
    void add_list_text(int id, const char *) override { sizes[id]++; }
    void select_list_position(int id, int p) override
    {
        selection[id] = p >= 0 && p < sizes[id] ? p : -1;
        note((id == IDC_STYLE_LIST ? "style=" : "res=") + std::to_string(selection[id]));
    }
    int selected_list_position(int id) override { return selection.count(id) ? selection[id] : -1; }
    void show_picture(int id, PictureHandle p) override
    {
        EXPECT_EQ(id, IDC_STYLE_PICTURE);
        note(p ? "pic" + std::to_string(static_cast<const int *>(p) - preview_marks) : "pic-");
    }
    void set_check(int id, int32_t value) override { checks[id] = value; }
    int get_check(int id) override { return checks[id]; }
    void draw_picture(int id, int x, int y) override
    {
        note((id == IDB_BANNER ? "banner@" : "draw@") + std::to_string(x) + "," + std::to_string(y));
    }
    bool open_web_page(int id, const char *address) override
    {
        note("web" + std::to_string(id) + " " + address);
        return !noBrowser;
    }
    void show_message_box(const char *m) override
    {
        const std::string message = m;
        const size_t at = message.find("https://");
        note("box(" + message.substr(at, message.find(' ', at) - at) + ")");
    }
    void show_error(const char *m) override
    {
        const std::string message = m;
        EXPECT_NE(message.find("\"/x/veltrane.cfg\""), std::string::npos) << message;
        note(message.find(refusal.empty() ? "could not be written" : refusal + ".") != std::string::npos
                 ? "error(" + refusal + ")" : "error?");
    }
    void end_dialog(int code) override { note("end" + std::to_string(code)); }
};

struct Case {
    int style, resolution;
    const char *stored;  // the seven switches
    const char *script;  // sN/rN pick a list position; SN/RN select without a change; tBV box B to V;
                         // ok cancel close esc paint visit tell; cN any command; refuse[:reason];
                         // nobrowser: the pages cannot be started; failN: button N's page failed later
    const char *log;
};

const Case CASES[] = {
    {3, 2, "1012101", "ok", "style=3 pic3 res=2 save3,2,1010101 end40011"},
    {12, 1, "0000000", "cancel", "style=-1 pic- res=1 end40010"},
    {-1, 4, "0000001", "ok", "style=-1 pic- res=4 save-1,4,0000001 end40011"},
    {1, 0, "0000000", "s5 r4 S8 R1 t11 t61 t22 ok",
     "style=1 pic1 res=0 pic5 pass pass pass pass pass pass save5,4,0100001 end40011"},
    {4, 1, "1111111", "t30 t60 r0 ok", "style=4 pic4 res=1 pass save4,0,1110110 end40011"},
    {6, 0, "0000000", "esc c40014 c12345 c1019 paint visit tell close",
     "style=6 pic6 res=0 pass pass pass pass banner@10,10 web40009 https://www.morviksoft.example "
     "web1003 https://www.morviksoft.example/passonsoft.php?s=30 end0"},
    // A page that cannot be opened is told in a box, at once or when it fails; the dialog stays.
    {2, 0, "0000000", "nobrowser visit tell fail1003 fail40009 fail1013 fail40011 cancel",
     "style=2 pic2 res=0 web40009 https://www.morviksoft.example box(https://www.morviksoft.example) "
     "web1003 https://www.morviksoft.example/passonsoft.php?s=30 box(https://www.morviksoft.example/passonsoft.php?s=30) "
     "box(https://www.morviksoft.example/passonsoft.php?s=30) box(https://www.morviksoft.example) pass pass end40010"},
    {6, 0, "0000000", "refuse ok ok",
     "style=6 pic6 res=0 save6,0,0000000 error() save6,0,0000000 end40011"},
    {6, 0, "0000000", "refuse ok refuse:the_disk_is_full ok close",
     "style=6 pic6 res=0 save6,0,0000000 error() save6,0,0000000 error(the disk is full) end0"},
    {6, 0, "0000000", "refuse ok cancel", "style=6 pic6 res=0 save6,0,0000000 error() end40010"},
};

TEST(SettingsDialogLogic, DoesWhatTheUserChose)
{
    for (int i = 0; i < CLOCK_STYLE_COUNT; i++)
        style_previews[i] = &preview_marks[i];
    std::strcpy(settings_file, "/x/veltrane.cfg");
    for (const Case &c : CASES) {
        SCOPED_TRACE(c.script);
        FakeDialog d;
        SaverSettings settings;
        settings.clockType = c.style;
        settings.resolution = c.resolution;
        for (int i = 0; i < 7; i++)
            settings.*SWITCHES[i] = c.stored[i] - '0';
        const SaveSettingsFunction save = [&](const SaverSettings &s, std::string &reason) {
            std::string switches;
            for (auto field : SWITCHES)
                switches += std::to_string(s.*field);
            d.note("save" + std::to_string(s.clockType) + "," + std::to_string(s.resolution) + "," + switches);
            reason = d.refuse ? d.refusal : "";
            return !std::exchange(d.refuse, false);
        };
        auto send = [&](DialogEvent e) {
            if (!handle_dialog_event(d, settings, save, e))
                d.note("pass");
        };
        send({DialogEventType::init});
        std::istringstream script(c.script);
        for (std::string w; script >> w;) {
            const int n = std::atoi(w.c_str() + 1), list = std::tolower(w[0]) == 's' ? IDC_STYLE_LIST : IDC_RESOLUTION_LIST;
            const std::map<std::string, DialogEvent> plain = {
                {"ok", dialog_command(IDC_OK)}, {"cancel", dialog_command(IDC_CANCEL)},
                {"esc", dialog_command(ESCAPE_COMMAND_ID)}, {"visit", dialog_command(IDC_VISIT_SITE)},
                {"tell", dialog_command(IDC_TELL_A_FRIEND)}, {"close", {DialogEventType::close}},
                {"paint", {DialogEventType::paint}}};
            if (plain.count(w))
                send(plain.at(w));
            else if (w == "nobrowser")
                d.noBrowser = true;
            else if (w.rfind("fail", 0) == 0)
                send({DialogEventType::web_page_failed, std::atoi(w.c_str() + 4)});
            else if (w.rfind("refuse", 0) == 0) {
                d.refuse = true, d.refusal = w.size() > 7 ? w.substr(7) : "";
                std::replace(d.refusal.begin(), d.refusal.end(), '_', ' ');
            }
            else if (w[0] == 't')
                d.checks[BOXES[w[1] - '0']] = w[2] - '0';
            else if (w[0] == 'c')
                send(dialog_command(n));
            else if (w[0] == 's' || w[0] == 'r')
                d.selection[list] = n, send(dialog_command(list, DialogNotification::selection_changed));
            else if (w[0] == 'S' || w[0] == 'R')  // selected, but the list reports something else
                for (auto other : {DialogNotification::clicked, DialogNotification::other})
                    d.selection[list] = n, send(dialog_command(list, other));
            else
                ADD_FAILURE() << "no such step: " << w;
        }
        EXPECT_EQ(d.log, c.log);
    }
}

// 52 letters 286 pixels wide and 13 high (8 points at 96 dpi); halves round away from zero.
TEST(DialogUnits, FollowTheFontsBaseUnits)
{
    const DialogBaseUnits units = dialog_base_units(286, 13);
    EXPECT_EQ(std::make_pair(units.x, units.y), std::make_pair(6, 13));
    EXPECT_EQ(dialog_base_units(343, 13).x, 7);
    for (auto [dlu, x, y] : {std::tuple{333, 500, 541}, {1, 2, 2}, {0, 0, 0}, {95, 143, 154}, {286, 429, 465}})
        EXPECT_EQ(std::make_pair(dialog_x_to_pixels(dlu, units), dialog_y_to_pixels(dlu, units)), std::make_pair(x, y)) << dlu;
}

}  // namespace
