// The settings dialog's logic fed with any sequence of events: init, paint
// and close in any order, commands with any id and notification, list
// choices at any position, check boxes holding any value, saves that succeed
// or are refused. The dialog must never show a picture from outside the ten
// previews, must end only once and only as the user chose, and must hand the
// save exactly what it shows.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "fuzz/fuzz_require.h"
#include "resources/dialog_template.h"
#include "shell/settings_dialog_logic.h"

namespace {

int preview_marks[CLOCK_STYLE_COUNT];

const int BOXES[] = {IDC_SECOND_HAND, IDC_SECOND_SOUND, IDC_HOUR_CHIME, IDC_FIFTEEN_CHIME,
                     IDC_HALF_HOUR_CHIME, IDC_FORTY_FIVE_CHIME, IDC_RANDOM};
const int COMMAND_IDS[] = {
    IDC_STYLE_LIST, IDC_RESOLUTION_LIST, IDC_VISIT_SITE, IDC_TELL_A_FRIEND, IDC_CANCEL, IDC_OK,
    IDC_SECOND_HAND, IDC_RANDOM, IDC_STYLE_PICTURE, ESCAPE_COMMAND_ID, 0, 1, 0xffff,
};
const DialogNotification NOTIFICATIONS[] = {DialogNotification::clicked, DialogNotification::selection_changed,
                                            DialogNotification::other};

struct Bytes {
    const uint8_t *data;
    size_t size;
    size_t at = 0;
    bool empty() const { return at >= size; }
    uint8_t next() { return at < size ? data[at++] : 0; }
    int32_t next32() { return static_cast<int32_t>(next() | next() << 8 | next() << 16 | static_cast<uint32_t>(next()) << 24); }
};

struct FuzzDialog final : DialogControls {
    std::map<int, int> listSizes, selection, checks;
    int endCode = -1;
    int lastCommand = -1;    // the id of the command being handled, -1 for other events
    bool saveSucceeds = true;
    bool lastSaveSucceeded = false;
    bool shownError = false;

    void add_list_text(int id, const char *text) override
    {
        FUZZ_REQUIRE(id == IDC_STYLE_LIST || id == IDC_RESOLUTION_LIST);
        FUZZ_REQUIRE(text && text[0]);
        listSizes[id]++;
    }
    void select_list_position(int id, int position) override
    {
        selection[id] = position >= 0 && position < listSizes[id] ? position : -1;
    }
    int selected_list_position(int id) override { return selection.count(id) ? selection[id] : -1; }
    void show_picture(int id, PictureHandle picture) override
    {
        FUZZ_REQUIRE(id == IDC_STYLE_PICTURE);
        bool known = picture == nullptr;
        for (PictureHandle p : style_previews)
            known = known || p == picture;
        FUZZ_REQUIRE(known);
    }
    void set_check(int id, int32_t value) override { checks[id] = value; }
    int get_check(int id) override { return checks[id]; }
    void draw_picture(int, int, int) override { FUZZ_REQUIRE(lastCommand == -1); }
    void open_web_page(const char *address) override
    {
        FUZZ_REQUIRE(lastCommand == IDC_VISIT_SITE || lastCommand == IDC_TELL_A_FRIEND);
        FUZZ_REQUIRE(std::strncmp(address, MAKER_SITE_ADDRESS, std::strlen(MAKER_SITE_ADDRESS)) == 0);
    }
    void show_error(const char *message) override
    {
        FUZZ_REQUIRE(lastCommand == IDC_OK && !lastSaveSucceeded);
        FUZZ_REQUIRE(message && message[0]);
        shownError = true;
    }
    void end_dialog(int code) override
    {
        FUZZ_REQUIRE(endCode == -1);
        // OK only after a save that succeeded, Cancel by its button, 0 by the close box.
        FUZZ_REQUIRE(code == lastCommand || (code == 0 && lastCommand == -1));
        FUZZ_REQUIRE(code != IDC_OK || lastSaveSucceeded);
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
    Bytes in{data, size};
    FuzzDialog dialog;
    SaverSettings settings;
    for (int32_t *field : {&settings.clockType, &settings.resolution, &settings.secondHand, &settings.random})
        *field = static_cast<int8_t>(in.next());
    SaverSettings shown = settings;  // what the lists show, as the save must get it
    const SaveSettingsFunction save = [&](const SaverSettings &handed, std::string &reason) {
        FUZZ_REQUIRE(dialog.lastCommand == IDC_OK);
        FUZZ_REQUIRE(handed.clockType == shown.clockType && handed.resolution == shown.resolution);
        const int32_t handedSwitches[] = {handed.secondHand, handed.secondSound, handed.hourSound,
                                          handed.fifteenhourSound, handed.halfhourSound,
                                          handed.fortyfivehourSound, handed.random};
        for (int i = 0; i < 7; i++)
            FUZZ_REQUIRE(handedSwitches[i] == (dialog.checks[BOXES[i]] == 1 ? 1 : 0));
        if (!dialog.saveSucceeds && in.next() & 1)
            reason = "the disk is full";
        dialog.lastSaveSucceeded = dialog.saveSucceeds;
        return dialog.saveSucceeds;
    };

    while (!in.empty() && dialog.endCode == -1) {
        const DialogEventType plain[] = {DialogEventType::init, DialogEventType::paint, DialogEventType::close};
        const int op = in.next() % 8;
        DialogEvent event{plain[op % 3]};
        switch (op) {
        case 3: {
            const int id = COMMAND_IDS[in.next() % std::size(COMMAND_IDS)];
            event = dialog_command(id, NOTIFICATIONS[in.next() % 3]);
            break;
        }
        case 4:  // the user picks from a list; it may report any position
        case 5: {
            const int list = op == 4 ? IDC_STYLE_LIST : IDC_RESOLUTION_LIST;
            dialog.selection[list] = static_cast<int8_t>(in.next());
            event = dialog_command(list, DialogNotification::selection_changed);
            break;
        }
        case 6:  // a box changes to any state the platform may report
            dialog.checks[BOXES[in.next() % 7]] = static_cast<int8_t>(in.next());
            continue;
        case 7:
            dialog.saveSucceeds = in.next() & 1;
            continue;
        }
        dialog.lastCommand = event.type == DialogEventType::command ? event.controlId : -1;
        dialog.lastSaveSucceeded = false;
        dialog.shownError = false;
        if (event.notification == DialogNotification::selection_changed && event.type == DialogEventType::command) {
            if (event.controlId == IDC_STYLE_LIST || event.controlId == IDC_RESOLUTION_LIST)
                (event.controlId == IDC_STYLE_LIST ? shown.clockType : shown.resolution) =
                    dialog.selected_list_position(event.controlId);
        }
        handle_dialog_event(dialog, settings, save, event);
        // A refused save leaves the dialog open with a message.
        FUZZ_REQUIRE(!(dialog.lastCommand == IDC_OK && !dialog.lastSaveSucceeded) || (dialog.shownError && dialog.endCode == -1));
    }
    return 0;
}
