#pragma once

#include <string>

// What the page asks of the show, from its address's query: the words
// "writelog", "capture=SECONDS" and "size=WIDTHxHEIGHT", joined by blanks.
struct WebOptions {
    bool writeLog = false;
    bool capture = false;
    double captureTime = 0.0;
    int width = 1024;
    int height = 768;
    std::string error;  // empty when every word was understood
};

WebOptions ParseWebOptions(const std::string& commandLine);
