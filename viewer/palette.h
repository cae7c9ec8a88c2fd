#pragma once

#include "geometry/records.h"

#include <optional>

// Red, green and blue intensities from 0 to 1.
struct Rgb {
    float r;
    float g;
    float b;
};

// The colour a code names, or nothing for codes outside RED..BLACK.
std::optional<Rgb> paletteColor(Color code);

// Makes the code's colour the current OpenGL colour; other codes leave it as it was.
void applyColor(Color code);
