#pragma once

#include <string>

// What the tool found of an image file that did not decode.
struct ImageFileFacts {
    bool exists = true;
    bool regular = true;   // a plain file, not a directory or device
    bool readable = true;  // its bytes could be read
    std::string bytes;     // all of them
};

// Why such a file cannot be used, in words for whoever saved it. The codec
// decides what it reads; this only names the reason, from the TGA header.
std::string DescribeImageTrouble(const ImageFileFacts& file);
