#pragma once

#include <sys/types.h>

#include <string>

// A virtual X server of its own for one test (testkit/xvfb.sh), so that window tests run
// with no display and never touch the user's. Stopped when the object goes.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // ":N", or empty when the server did not start.
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};
