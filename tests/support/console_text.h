#pragma once

#include <string>

// Everything the program writes to standard output, whatever it is answered.
inline const std::string kConsoleText = "\n\nZa koliko stepeni zelite da rotirate kvadar po X osi?\n"
                                        "\n\nZa koliko stepeni zelite da rotirate kvadar po Y osi?\n"
                                        "\n\nZa koliko stepeni zelite da rotirate kvadar po Z osi?\n"
                                        "\n\nPocetna kocka: crvena\n"
                                        "Kocka rotirana oko X-ose: plava\n"
                                        "Kocka rotirana oko Y-ose: zelena\n"
                                        "Kocka rotirana oko Z-ose: zuta";
