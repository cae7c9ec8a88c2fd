#pragma once

#include <cstdio>
#include <string>

// Streams of given bytes that work on every C runtime: the Windows one has neither fmemopen
// nor open_memstream, but all have tmpfile, which is opened in binary mode.

// A stream positioned at the start of exactly `bytes`; the caller closes it.
inline std::FILE* streamHolding(const std::string& bytes)
{
    std::FILE* stream = std::tmpfile();
    if (stream != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
        std::rewind(stream);
    }
    return stream;
}

// Everything from the stream's position to its end.
inline std::string restOf(std::FILE* stream)
{
    std::string bytes;
    for (int c; (c = std::fgetc(stream)) != EOF;) {
        bytes.push_back(static_cast<char>(c));
    }
    return bytes;
}
