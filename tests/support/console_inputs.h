#pragma once

#include <fstream>
#include <string>
#include <vector>

// The console inputs every build is checked on (tests/inputs/console.txt): one a line in
// printf %b escapes, "repeat N C REST" for N copies of the character C, then REST.
inline std::vector<std::string> consoleInputs(const std::string& path)
{
    std::vector<std::string> inputs;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with('#')) {
            continue;
        }
        std::string input;
        if (line.starts_with("repeat ")) {
            const std::size_t count = std::stoul(line.substr(7));
            const std::size_t character = line.find(' ', 7) + 1;
            input.assign(count, line[character]);
            line.erase(0, character + 2);
        }
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '\\' || i + 1 == line.size()) {
                input += line[i];
                continue;
            }
            const char escaped = line[++i];
            input += escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped == 't' ? '\t' : escaped;
        }
        inputs.push_back(input);
    }
    return inputs;
}
