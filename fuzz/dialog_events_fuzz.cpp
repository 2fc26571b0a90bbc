// The settings dialog's logic fed with any sequence of events: init, paint
// and close in any order, commands with any id and notification, list
// choices at any position, boxes holding any value, saves that succeed or are
// refused, web pages that cannot be opened. It must show no picture outside
// the ten previews, end once and only as the user chose, hand the save
// exactly what it shows, and tell of a page only when one failed.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <map>
#include <string>

#include "fuzz/fuzz_require.h"
#include "resources/dialog_template.h"
#include "settings/settings_table.h"
#include "shell/settings_dialog_logic.h"

namespace {

int preview_marks[CLOCK_STYLE_COUNT];
const int COMMAND_IDS[] = {IDC_STYLE_LIST, IDC_RESOLUTION_LIST, IDC_VISIT_SITE, IDC_TELL_A_FRIEND, IDC_CANCEL,
                           IDC_OK, IDC_SECOND_HAND, IDC_RANDOM, IDC_STYLE_PICTURE, ESCAPE_COMMAND_ID, 0, 1, 0xffff};

struct FuzzDialog final : DialogControls {
    std::map<int, int> sizes, selection, checks;
    int endCode = -1, command = -1;  // command: the id being handled, -1 for other events
    int failedId = -1;  // the control of a web_page_failed event being handled
    bool saveSucceeds = true, saved = false, errorShown = false, browserStarts = true;

    void add_list_text(int id, const char *text) override
    {
        FUZZ_REQUIRE((id == IDC_STYLE_LIST || id == IDC_RESOLUTION_LIST) && text && text[0]);
        sizes[id]++;
    }
    void select_list_position(int id, int p) override { selection[id] = p >= 0 && p < sizes[id] ? p : -1; }
    int selected_list_position(int id) override { return selection.count(id) ? selection[id] : -1; }
    void show_picture(int id, PictureHandle picture) override
    {
        const auto *mark = static_cast<const int *>(picture);
        FUZZ_REQUIRE(id == IDC_STYLE_PICTURE && (!mark || (mark >= preview_marks && mark < preview_marks + CLOCK_STYLE_COUNT)));
    }
    void set_check(int id, int32_t value) override { checks[id] = value; }
    int get_check(int id) override { return checks[id]; }
    void draw_picture(int, int, int) override { FUZZ_REQUIRE(command == -1); }
    bool open_web_page(int id, const char *address) override
    {
        FUZZ_REQUIRE((command == IDC_VISIT_SITE || command == IDC_TELL_A_FRIEND) && id == command);
        FUZZ_REQUIRE(std::strncmp(address, MAKER_SITE_ADDRESS, std::strlen(MAKER_SITE_ADDRESS)) == 0);
        return browserStarts;
    }
    // Only for a page that failed: at once, or later as the event of a web button.
    void show_message_box(const char *message) override
    {
        const bool web = failedId == IDC_VISIT_SITE || failedId == IDC_TELL_A_FRIEND;
        FUZZ_REQUIRE(web || ((command == IDC_VISIT_SITE || command == IDC_TELL_A_FRIEND) && !browserStarts));
        FUZZ_REQUIRE(std::strstr(message, MAKER_SITE_ADDRESS));
    }
    void show_error(const char *message) override
    {
        FUZZ_REQUIRE(command == IDC_OK && !saved && message && message[0]);
        errorShown = true;
    }
    void end_dialog(int code) override
    {
        // Once; OK only after a save that succeeded, Cancel by its button, 0 by the close box.
        FUZZ_REQUIRE(endCode == -1 && (code == command || (code == 0 && command == -1)) && (code != IDC_OK || saved));
        endCode = code;
    }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    for (int i = 0; i < CLOCK_STYLE_COUNT; i++)
        style_previews[i] = &preview_marks[i];
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    size_t at = 0;
    auto next = [&] { return at < size ? data[at++] : 0; };
    FuzzDialog d;
    SaverSettings settings;
    for (int32_t *field : {&settings.clockType, &settings.resolution, &settings.secondHand, &settings.random})
        *field = static_cast<int8_t>(next());
    SaverSettings shown = settings;  // what the lists show, as the save must get it
    const SaveSettingsFunction save = [&](const SaverSettings &handed, std::string &reason) {
        FUZZ_REQUIRE(d.command == IDC_OK && handed.clockType == shown.clockType && handed.resolution == shown.resolution);
        for (const SettingRow &row : SETTING_ROWS)
            FUZZ_REQUIRE(!row.isSwitch || handed.*row.field == (d.checks[row.controlId] == 1 ? 1 : 0));
        if (!d.saveSucceeds && next() & 1)
            reason = "the disk is full";
        return d.saved = d.saveSucceeds;
    };
    while (at < size && d.endCode == -1) {
        const DialogEventType plain[] = {DialogEventType::init, DialogEventType::paint, DialogEventType::close};
        const int op = next() % 9;
        DialogEvent event{plain[op % 3]};
        if (op == 3) {
            event = dialog_command(COMMAND_IDS[next() % std::size(COMMAND_IDS)]);
            event.notification = static_cast<DialogNotification>(next() % 3);
        } else if (op == 4 || op == 5) {  // the user picks from a list; it may report any position
            const int list = op == 4 ? IDC_STYLE_LIST : IDC_RESOLUTION_LIST;
            d.selection[list] = static_cast<int8_t>(next());
            event = dialog_command(list, DialogNotification::selection_changed);
        } else if (op == 6) {  // a box changes to any state the platform may report
            d.checks[SETTING_ROWS[2 + next() % 7].controlId] = static_cast<int8_t>(next());  // past the lists
            continue;
        } else if (op == 7) {
            d.saveSucceeds = next() & 1;
            d.browserStarts = next() & 1;
            continue;
        } else if (op == 8) {  // a page failed after it was started, perhaps of no web button
            event = {DialogEventType::web_page_failed, COMMAND_IDS[next() % std::size(COMMAND_IDS)]};
        }
        d.command = event.type == DialogEventType::command ? event.controlId : -1;
        d.failedId = event.type == DialogEventType::web_page_failed ? event.controlId : -1;
        d.saved = d.errorShown = false;
        if (event.type == DialogEventType::command && event.notification == DialogNotification::selection_changed &&
            (d.command == IDC_STYLE_LIST || d.command == IDC_RESOLUTION_LIST))
            (d.command == IDC_STYLE_LIST ? shown.clockType : shown.resolution) = d.selected_list_position(d.command);
        handle_dialog_event(d, settings, save, event);
        // A refused save leaves the dialog open with a message.
        FUZZ_REQUIRE(d.command != IDC_OK || d.saved || (d.errorShown && d.endCode == -1));
    }
    return 0;
}
