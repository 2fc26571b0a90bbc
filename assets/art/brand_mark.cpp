#include "assets/art/pictures.h"

#include <cstring>

namespace {

// 5 x 7 letters, one string per row, '#' for a mark.
struct Glyph {
    char letter;
    const char *rows[7];
};

const Glyph GLYPHS[] = {
    {'V', {"#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
};

const Glyph *glyph_for(char c)
{
    for (const Glyph &g : GLYPHS)
        if (g.letter == c)
            return &g;
    return nullptr;
}

}  // namespace

std::vector<unsigned char> draw_brand_mark_rgb()
{
    const char *word = "VELTRANE";
    const int advance = 6;
    const int left = (BRAND_MARK_WIDTH - (static_cast<int>(std::strlen(word)) * advance - 1)) / 2;
    std::vector<unsigned char> rgb(BRAND_MARK_WIDTH * BRAND_MARK_HEIGHT * 3);
    for (size_t i = 0; i < rgb.size(); i += 3) {
        rgb[i] = MASK_COLOUR.r;
        rgb[i + 1] = MASK_COLOUR.g;
        rgb[i + 2] = MASK_COLOUR.b;
    }
    for (int n = 0; word[n]; n++) {
        const Glyph *g = glyph_for(word[n]);
        for (int y = 0; y < 7; y++)
            for (int x = 0; x < 5; x++) {
                if (g->rows[y][x] != '#')
                    continue;
                unsigned char *p = &rgb[((y) * BRAND_MARK_WIDTH + left + n * advance + x) * 3];
                p[0] = p[1] = p[2] = 85;
            }
    }
    return rgb;
}
