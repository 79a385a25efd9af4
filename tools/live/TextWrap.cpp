#include "tools/live/TextWrap.h"

namespace {

// The pieces between places a line may break: each ends after a space or a '/'.
std::vector<std::string> Pieces(const std::string& line) {
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : line) {
        if (c != ' ' && !piece.empty() && piece.back() == ' ') {
            pieces.push_back(piece);
            piece.clear();
        }
        piece += c;
        if (c == '/') {
            pieces.push_back(piece);
            piece.clear();
        }
    }
    if (!piece.empty())
        pieces.push_back(piece);
    return pieces;
}

std::string TrimEnd(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
        text.pop_back();
    return text;
}

void WrapLine(const std::string& line, float width, const MeasureText& measure, std::vector<std::string>& out) {
    std::string current;
    for (const std::string& piece : Pieces(line)) {
        if (!current.empty() && measure(TrimEnd(current + piece)) > width) {
            out.push_back(TrimEnd(current));
            current.clear();
        }
        current += piece;
    }
    out.push_back(TrimEnd(current));
}

}

std::vector<std::string> WrapText(const std::string& text, float width, const MeasureText& measure) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find('\n'); ; end = text.find('\n', start)) {
        WrapLine(text.substr(start, end == std::string::npos ? std::string::npos : end - start), width, measure, lines);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    while (lines.size() > 1 && lines.back().empty())
        lines.pop_back();
    return lines;
}
