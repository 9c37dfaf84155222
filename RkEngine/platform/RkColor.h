// Colours are 32-bit ARGB values (0xAARRGGBB), as the renderer's tints, text
// colours and pixel read-backs use them.
#pragma once

#include <cstdint>

using RkColor = uint32_t;

constexpr RkColor RK_COLOR_WHITE = 0xFFFFFFFFu;
constexpr RkColor RK_COLOR_BLACK = 0xFF000000u;
