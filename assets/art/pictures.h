// The pictures carried inside the program, and the two sounds.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/art/art.h"

// 480 x 112: the style-4 face beside the product's name, on white.
cairo_surface_t *draw_banner(const StyleArt &style4);
// 151 x 119: the style-4 face on white, for the host's preview area.
cairo_surface_t *draw_preview_window_picture(const StyleArt &style4);
// 150 x 150: style `index`'s face with its hands, for the settings dialog.
cairo_surface_t *draw_style_preview(int index, const StyleArt &art);
// 64 x 64 program icon.
cairo_surface_t *draw_icon(const StyleArt &style4);
// 56 x 8: grey (85, 85, 85) lettering on the mask colour, as 24-bit RGB.
std::vector<unsigned char> draw_brand_mark_rgb();

constexpr int BRAND_MARK_WIDTH = 56;
constexpr int BRAND_MARK_HEIGHT = 8;

constexpr int SOUND_RATE = 44100;
// Mono 16-bit samples.
std::vector<int16_t> synth_tick();
std::vector<int16_t> synth_chime();
bool write_wav(const std::vector<int16_t> &samples, int rate, const char *path);
