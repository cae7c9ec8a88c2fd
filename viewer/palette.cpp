#include "palette.h"

#include <GL/gl.h>

namespace {

constexpr Rgb kPalette[] = {
    {1.0f, 0.0f, 0.0f}, // RED
    {0.0f, 1.0f, 0.0f}, // GREEN
    {0.0f, 0.0f, 1.0f}, // BLUE
    {1.0f, 1.0f, 0.0f}, // YELLOW
    {1.0f, 0.5f, 0.0f}, // ORANGE
    {1.0f, 0.0f, 1.0f}, // MAGENTA
    {0.0f, 1.0f, 1.0f}, // CYAN
    {0.5f, 0.0f, 0.5f}, // PURPLE
    {1.0f, 1.0f, 1.0f}, // WHITE
    {0.0f, 0.0f, 0.0f}, // BLACK
};

static_assert(sizeof kPalette / sizeof kPalette[0] == BLACK + 1);

} // namespace

std::optional<Rgb> paletteColor(Color code)
{
    if (code < RED || code > BLACK) {
        return std::nullopt;
    }
    return kPalette[code];
}

void applyColor(Color code)
{
    if (const auto rgb = paletteColor(code)) {
        glColor3f(rgb->r, rgb->g, rgb->b);
    }
}
