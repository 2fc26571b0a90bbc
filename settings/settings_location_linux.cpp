// Linux: the settings are the user's own, in the folder the XDG base
// directory rules name, so that a program installed for everyone can keep
// them; the file beside the program gives the defaults.
#include "settings/settings_location.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string config_home()
{
    // A relative XDG_CONFIG_HOME is to be ignored, as an unset one is.
    const char *xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        return xdg;
    const char *home = std::getenv("HOME");
    if (!home || !home[0]) {
        const passwd *user = getpwuid(getuid());
        home = user && user->pw_dir ? user->pw_dir : "";
    }
    return std::string(home) + "/.config";
}

bool copy_whole(char *to, const std::string &from, std::size_t size)
{
    std::strncpy(to, from.c_str(), size - 1);
    to[size - 1] = '\0';
    return from.size() < size - 1;
}

}  // namespace

bool locate_settings_file(const char *besideProgram, bool besideProgramWhole, char *file,
                          std::size_t fileSize, char *defaults, std::size_t defaultsSize)
{
    // A cut path names some other file: better no defaults than those.
    copy_whole(defaults, besideProgramWhole ? besideProgram : "", defaultsSize);
    return copy_whole(file, config_home() + "/veltrane/veltrane.cfg", fileSize);
}
