// Pictures built into the program at build time, looked up by resource number.
#pragma once

#include <cstddef>

struct EmbeddedPicture {
    const unsigned char *bytes;  // a whole BMP (or PNG for the icon) file
    std::size_t size;
};

// The picture with this number, or {nullptr, 0} when there is none.
EmbeddedPicture embedded_picture(int resourceId);
