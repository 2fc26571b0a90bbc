// The settings dialog's procedure fed with any sequence of events: messages
// in any order, commands with any id and notification, list choices at any
// position, check boxes holding any value. The dialog must never show a
// picture from outside the ten previews, must end only with its own codes,
// and the file must afterwards hold exactly what OK saved, or be untouched.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "fuzz/fuzz_scratch.h"
#include "resources/dialog_template.h"
#include "settings/settings.h"
#include "shell/settings_dialog_logic.h"

namespace {

std::string settings_path;
int preview_marks[CLOCK_STYLE_COUNT];

// Settings files the dialog may open on, from none to odd values.
const char *const START_FILES[] = {
    nullptr,
    "",
    "[saver]\nclockType = 3\nresolution = 2\nsecondHand = 1\nrandom = 1\n",
    "[saver]\nclockType = 12\nresolution = 7\nsecondHand = 2\nhourSound = -1\n",
    "# kept\n[other]\nx = y\n[saver]\nclockType = -5\nhalfhourSound = 1\n",
    "[saver]\nclockType = 9\nresolution = 4\nsecondSound = 1\nhourSound = 1\n"
    "fifteenhourSound = 1\nhalfhourSound = 1\nfortyfivehourSound = 1\nrandom = 1\n",
};
constexpr int START_FILE_COUNT = sizeof START_FILES / sizeof START_FILES[0];

const int COMMAND_IDS[] = {
    IDC_STYLE_LIST, IDC_RESOLUTION_LIST, IDC_VISIT_SITE, IDC_TELL_A_FRIEND, IDC_CANCEL,
    IDC_OK, IDC_SECOND_HAND, IDC_SECOND_SOUND, IDC_HOUR_CHIME, IDC_FIFTEEN_CHIME,
    IDC_HALF_HOUR_CHIME, IDC_FORTY_FIVE_CHIME, IDC_RANDOM, IDC_STYLE_PICTURE,
    ESCAPE_COMMAND_ID, 0, 1, 0xffff,
};
constexpr int COMMAND_ID_COUNT = sizeof COMMAND_IDS / sizeof COMMAND_IDS[0];

struct Bytes {
    const uint8_t *data;
    size_t size;
    size_t at = 0;
    bool empty() const { return at >= size; }
    uint8_t next() { return at < size ? data[at++] : 0; }
    int16_t next16() { return static_cast<int16_t>(next() | next() << 8); }
    uint32_t next32() { return static_cast<uint32_t>(next16() & 0xffff) | static_cast<uint32_t>(next16() & 0xffff) << 16; }
};

struct FuzzControls final : DialogControls {
    std::map<int, int> listSizes;
    std::map<int, int> selection;
    std::map<int, int> checks;
    bool ended = false;
    int endCode = 0;
    unsigned endMessage = 0;
    bool initialised = false;

    void add_list_text(int listId, const char *text) override
    {
        FUZZ_REQUIRE(listId == IDC_STYLE_LIST || listId == IDC_RESOLUTION_LIST);
        FUZZ_REQUIRE(text && text[0]);
        listSizes[listId]++;
    }
    void select_list_position(int listId, int position) override
    {
        selection[listId] = position >= 0 && position < listSizes[listId] ? position : -1;
    }
    int selected_list_position(int listId) override
    {
        return selection.count(listId) ? selection[listId] : -1;
    }
    void show_picture(int controlId, PictureHandle picture) override
    {
        FUZZ_REQUIRE(controlId == IDC_STYLE_PICTURE);
        bool known = picture == nullptr;
        for (PictureHandle p : style_previews)
            known = known || p == picture;
        FUZZ_REQUIRE(known);
    }
    void set_check(int boxId, int32_t value) override { checks[boxId] = value; }
    int get_check(int boxId) override { return checks[boxId]; }
    void draw_picture(int, int, int) override {}
    void open_web_page(const char *address) override
    {
        FUZZ_REQUIRE(std::strncmp(address, MAKER_SITE_ADDRESS, std::strlen(MAKER_SITE_ADDRESS)) == 0);
    }
    void show_error(const char *message) override { FUZZ_REQUIRE(message && message[0]); }
    void end_dialog(int code) override
    {
        FUZZ_REQUIRE(!ended);
        ended = true;
        endCode = code;
    }
};

void send(FuzzControls &dialog, unsigned message, uintptr_t wParam)
{
    const int result = settings_dlg_proc(dialog, message, wParam, 0);
    FUZZ_REQUIRE(result == DIALOG_HANDLED || result == DIALOG_NOT_HANDLED);
    if (dialog.ended && !dialog.endMessage)
        dialog.endMessage = message;
}

void play_event(FuzzControls &dialog, Bytes &in)
{
    switch (in.next() % 8) {
    case 0:
        send(dialog, DIALOG_INIT, 0);
        dialog.initialised = true;
        break;
    case 1:
        send(dialog, DIALOG_PAINT, 0);
        break;
    case 2:
        send(dialog, DIALOG_CLOSE, static_cast<uint16_t>(in.next16()));
        break;
    case 3: {
        const int id = COMMAND_IDS[in.next() % COMMAND_ID_COUNT];
        send(dialog, DIALOG_COMMAND, command_parameter(id, in.next() % 3));
        break;
    }
    case 4:  // the user picks a style; the list may report any position
        dialog.selection[IDC_STYLE_LIST] = static_cast<int8_t>(in.next());
        send(dialog, DIALOG_COMMAND, command_parameter(IDC_STYLE_LIST, LIST_SELECTION_CHANGED));
        break;
    case 5:
        dialog.selection[IDC_RESOLUTION_LIST] = static_cast<int8_t>(in.next());
        send(dialog, DIALOG_COMMAND, command_parameter(IDC_RESOLUTION_LIST, LIST_SELECTION_CHANGED));
        break;
    case 6:  // a box changes to any state the platform may report
        dialog.checks[CHECK_BOX_SWITCHES[in.next() % CHECK_BOX_COUNT].controlId] = static_cast<int8_t>(in.next());
        break;
    case 7:
        send(dialog, in.next() & 1 ? DIALOG_COMMAND : in.next16() & 0x3ff, in.next32());
        break;
    }
}

bool same_settings(const SaverSettings &a, const SaverSettings &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    settings_path = start_fuzz_environment() + "/veltrane.cfg";
    for (int i = 0; i < CLOCK_STYLE_COUNT; i++)
        style_previews[i] = &preview_marks[i];
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Bytes in{data, size};
    const char *start = START_FILES[in.next() % START_FILE_COUNT];
    std::remove(settings_path.c_str());
    if (start)
        FUZZ_REQUIRE(write_whole_file(settings_path, reinterpret_cast<const uint8_t *>(start), std::strlen(start)));
    const std::string before = read_whole_file(settings_path);
    const bool existedBefore = start != nullptr;

    // Settings mode as it starts, then the events.
    saver_settings = poisoned_settings(0x5a5a5a5a);
    load_settings(0);
    FuzzControls dialog;
    while (!in.empty() && !dialog.ended)
        play_event(dialog, in);

    // The library shuts down and writes out what it still holds.
    flush_config_file();
    const bool exists = access(settings_path.c_str(), F_OK) == 0;
    FUZZ_REQUIRE(access((settings_path + ".new").c_str(), F_OK) != 0);
    // Only the OK button saves; a close message may carry any code.
    if (dialog.ended && dialog.endMessage == DIALOG_COMMAND && dialog.endCode == IDC_OK) {
        for (const CheckBoxSwitch &box : CHECK_BOX_SWITCHES)
            FUZZ_REQUIRE(saver_settings.*box.field == 0 || saver_settings.*box.field == 1);
        const SaverSettings saved = saver_settings;
        saver_settings = poisoned_settings(0x33333333);
        load_settings(0);
        SaverSettings expected = saved;
        if (expected.resolution < 0 || expected.resolution > 4)
            expected.resolution = 0;
        FUZZ_REQUIRE(same_settings(saver_settings, expected));
    } else {
        // Cancel, the close box, a refused save or no end at all: the file
        // is as it was, and a missing one stays missing.
        FUZZ_REQUIRE(exists == existedBefore);
        if (exists)
            FUZZ_REQUIRE(read_whole_file(settings_path) == before);
    }
    return 0;
}
