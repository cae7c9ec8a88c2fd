#pragma once

#include <cstdio>

// Standard input and output of the program in its web page: streams over the page's console
// pane (page.js). Reading waits, without blocking the page, until the user sends a line
// or ends the input; writing shows the bytes at once, exactly as written.
std::FILE* openPageInput();
std::FILE* openPageOutput();
