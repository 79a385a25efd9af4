#pragma once

#include <functional>
#include <string>
#include <vector>

// The width of a piece of text as it would be drawn.
using MeasureText = std::function<float(const std::string&)>;

// Breaks text into lines no wider than width: at its line breaks, at spaces
// and after each '/' of a path, never inside a name. A name wider than the
// line keeps a line of its own.
std::vector<std::string> WrapText(const std::string& text, float width, const MeasureText& measure);
