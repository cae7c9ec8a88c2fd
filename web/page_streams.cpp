#include "page_streams.h"

#include <emscripten.h>

#include <sys/types.h>

// The page's terminal object is Module.terminal (page.js). Reading suspends the
// program through Asyncify until the terminal has bytes or the input has ended (0).
EM_ASYNC_JS(int, pageRead, (char* buffer, int size), {
    const bytes = await Module.terminal.read(size);
    HEAPU8.set(bytes, buffer);
    return bytes.length;
});

EM_JS(void, pageWrite, (const char* data, int size), { Module.terminal.write(HEAPU8.slice(data, data + size)); });

namespace {

ssize_t readPage(void* /*cookie*/, char* buffer, size_t size) { return pageRead(buffer, static_cast<int>(size)); }

ssize_t writePage(void* /*cookie*/, const char* data, size_t size)
{
    pageWrite(data, static_cast<int>(size));
    return static_cast<ssize_t>(size);
}

} // namespace

std::FILE* openPageInput() { return fopencookie(nullptr, "r", {readPage, nullptr, nullptr, nullptr}); }

std::FILE* openPageOutput() { return fopencookie(nullptr, "w", {nullptr, writePage, nullptr, nullptr}); }
