// Loads the settings dialog's module from the program's own folder when the
// dialog or a message box is asked for.
#include "shell/dialog_module_linux.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>

#include "settings/program_path.h"
#include "shell/settings_dialog.h"

namespace {

// The module's entry point `name`, or nullptr with `why`.
void *module_entry(const char *name, std::string &why)
{
    char program[PATH_MAX];
    get_program_path(program, sizeof program);
    std::string path = program;
    path = path.substr(0, path.rfind('/') + 1) + DIALOG_MODULE_FILE;
    if (access(path.c_str(), F_OK) != 0) {
        why = "\"" + path + "\" is missing (a build without GTK 3 leaves the dialog out)";
        return nullptr;
    }
    // Kept loaded until the process ends: GTK cannot be unloaded.
    void *module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    void *entry = module ? dlsym(module, name) : nullptr;
    if (!entry) {
        const char *error = dlerror();
        why = error ? error : "\"" + path + "\" has no " + name;
    }
    return entry;
}

}  // namespace

int run_settings_dialog(int32_t parentWindow)
{
    std::string why;
    auto *dialog = reinterpret_cast<decltype(&veltrane_settings_dialog)>(module_entry("veltrane_settings_dialog", why));
    if (!dialog) {
        std::fprintf(stderr, "veltrane: cannot show the settings dialog: %s\n", why.c_str());
        return NO_DIALOG_MODULE;
    }
    return dialog(parentWindow);
}

bool show_message_box(const std::string &message, bool isError, std::string &why)
{
    auto *box = reinterpret_cast<decltype(&veltrane_message_box)>(module_entry("veltrane_message_box", why));
    if (box && box(message.c_str(), isError ? 1 : 0) != 0)
        why = "no X display could be opened";
    return box && why.empty();
}
