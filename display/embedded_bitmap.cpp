#include "display/embedded_bitmap.h"

#include <algorithm>
#include <cstring>

#include "resources/embedded_pictures.h"

namespace {

struct MemoryReader {
    const unsigned char *bytes;
    long size;
    long at;
};

int reader_fclose(void *) { return 0; }
int reader_getc(void *u)
{
    auto *r = static_cast<MemoryReader *>(u);
    return r->at < r->size ? r->bytes[r->at++] : EOF;
}
int reader_ungetc(int c, void *u)
{
    auto *r = static_cast<MemoryReader *>(u);
    if (r->at == 0)
        return EOF;
    r->at--;
    return c;
}
long reader_fread(void *p, long n, void *u)
{
    auto *r = static_cast<MemoryReader *>(u);
    long count = std::min(n, r->size - r->at);
    std::memcpy(p, r->bytes + r->at, count);
    r->at += count;
    return count;
}
int reader_putc(int, void *) { return EOF; }
long reader_fwrite(const void *, long, void *) { return 0; }
int reader_fseek(void *u, int offset)
{
    auto *r = static_cast<MemoryReader *>(u);
    r->at = std::min(r->size, r->at + offset);
    return 0;
}
int reader_feof(void *u)
{
    auto *r = static_cast<MemoryReader *>(u);
    return r->at >= r->size;
}
int reader_ferror(void *) { return 0; }

PACKFILE_VTABLE reader_vtable = {
    reader_fclose, reader_getc, reader_ungetc, reader_fread, reader_putc,
    reader_fwrite, reader_fseek, reader_feof, reader_ferror,
};

}  // namespace

BITMAP *load_embedded_bitmap(int resourceId)
{
    EmbeddedPicture picture = embedded_picture(resourceId);
    if (!picture.bytes)
        return nullptr;
    MemoryReader reader{picture.bytes, static_cast<long>(picture.size), 0};
    PACKFILE *f = pack_fopen_vtable(&reader_vtable, &reader);
    if (!f)
        return nullptr;
    BITMAP *bmp = load_bmp_pf(f, nullptr);
    pack_fclose(f);
    return bmp;
}
