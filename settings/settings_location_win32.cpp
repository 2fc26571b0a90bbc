// Windows: the settings file lies beside the program.
#include "settings/settings_location.h"

#include <cstring>

namespace {

void copy_cut(char *to, const char *from, std::size_t size)
{
    std::strncpy(to, from, size - 1);
    to[size - 1] = '\0';
}

}  // namespace

bool locate_settings_file(const char *besideProgram, bool besideProgramWhole, char *file,
                          std::size_t fileSize, char *defaults, std::size_t defaultsSize)
{
    copy_cut(file, besideProgram, fileSize);
    copy_cut(defaults, "", defaultsSize);
    return besideProgramWhole && std::strlen(besideProgram) < fileSize;
}
