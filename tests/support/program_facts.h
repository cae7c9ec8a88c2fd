#pragma once

#include "x_window.h"

#include <string>

// What the program shows the outside world, whatever it is answered.

inline const std::string kConsoleText = "\n\nZa koliko stepeni zelite da rotirate kvadar po X osi?\n"
                                        "\n\nZa koliko stepeni zelite da rotirate kvadar po Y osi?\n"
                                        "\n\nZa koliko stepeni zelite da rotirate kvadar po Z osi?\n"
                                        "\n\nPocetna kocka: crvena\n"
                                        "Kocka rotirana oko X-ose: plava\n"
                                        "Kocka rotirana oko Y-ose: zelena\n"
                                        "Kocka rotirana oko Z-ose: zuta";

inline const std::string kTitle = "Geometrija - prikaz zadatka";

// The clear colour 0.9, 0.9, 0.8 as the 8-bit framebuffer holds it.
inline constexpr Rgb8 kBackground{230, 230, 204};
