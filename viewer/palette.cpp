#include "palette.h"

#include "geometry/records.h"
#include "glut_header.h" // IWYU pragma: keep (OpenGL)

#include <array>
#include <cstddef>
#include <optional>

namespace {

constexpr std::array<Rgb, BLACK + 1> kPalette = {{
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
}};

} // namespace

std::optional<Rgb> paletteColor(Color code)
{
    if (code < RED || code > BLACK) {
        return std::nullopt;
    }
    return kPalette[static_cast<std::size_t>(code)];
}

void applyColor(Color code)
{
    if (const auto rgb = paletteColor(code)) {
        glColor3f(rgb->r, rgb->g, rgb->b);
    }
}
