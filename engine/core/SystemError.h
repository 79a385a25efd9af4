#pragma once

#include <cstdint>
#include <string>

// The calling thread's last OS error, captured when the record is made.
struct SystemError {
    SystemError();

    uint32_t code;
    std::string message;  // the system's text, with its line break
};
