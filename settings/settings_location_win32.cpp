// Windows: the settings are the user's own, in the roaming application-data
// folder the system names for the user, since a program installed where
// the screen-saver list looks for it (the system folder) may not write
// beside itself; the file beside the program gives the defaults.
#include "settings/settings_location.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <string>

#include "settings/wide_text_win32.h"

namespace {

// The folder as the system has it for this user, even where it does not
// exist yet (a save makes it); "" when the system cannot say.
std::string roaming_app_data()
{
    PWSTR folder = nullptr;
    std::string path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DONT_VERIFY, nullptr, &folder)))
        path = utf8_of(folder);
    CoTaskMemFree(folder);
    return path;
}

}  // namespace

bool locate_settings_file(const char *besideProgram, bool besideProgramWhole, char *file,
                          std::size_t fileSize, char *defaults, std::size_t defaultsSize)
{
    // A cut path names some other file: better no defaults than those.
    copy_utf8(defaults, besideProgramWhole ? besideProgram : "", defaultsSize);
    const std::string folder = roaming_app_data();
    // Without a profile folder the file beside the program is all there is.
    if (folder.empty())
        return copy_utf8(file, besideProgram, fileSize) && besideProgramWhole;
    return copy_utf8(file, folder + "\\Veltrane\\veltrane.cfg", fileSize);
}
