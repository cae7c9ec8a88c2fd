#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#if defined(_WIN32)
#include <filesystem>

#include <process.h>
#endif

// Streams of given bytes that work on every C runtime: the Windows one has neither fmemopen
// nor open_memstream.

// A new temporary stream, opened for update in binary mode and gone once closed.
inline std::FILE* temporaryStream()
{
#if defined(_WIN32)
    // Windows' tmpfile names a file, frees the name and opens it again, so two test programs
    // running side by side can end up sharing one file. A name with the process id in it
    // cannot be shared; "D" deletes the file when it is closed.
    static unsigned count = 0;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("cube-rotation-" + std::to_string(_getpid()) + "-" + std::to_string(count++) + ".tmp");
    std::FILE* stream = std::fopen(path.string().c_str(), "w+bD");
#else
    std::FILE* stream = std::tmpfile();
#endif
    if (stream == nullptr) {
        std::perror("temporary stream");
        std::abort();
    }
    return stream;
}

// A stream positioned at the start of exactly `bytes`; the caller closes it.
inline std::FILE* streamHolding(const std::string& bytes)
{
    std::FILE* stream = temporaryStream();
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::rewind(stream);
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
