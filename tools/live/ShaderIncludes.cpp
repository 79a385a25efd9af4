#include "tools/live/ShaderIncludes.h"

#include "engine/render/ResourceManager.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>

namespace {

const char kDirective[] = "#include \"";
constexpr size_t kDirectiveLength = sizeof kDirective - 1;

int CountLines(const std::string& text, size_t from, size_t to) {
    return static_cast<int>(std::count(text.begin() + static_cast<std::ptrdiff_t>(from),
                                       text.begin() + static_cast<std::ptrdiff_t>(to), '\n'));
}

// Builds the expanded text; each line belongs to the file that gave its
// first character (a line break included).
class Splicer {
public:
    explicit Splicer(ExpandedShader& out) : out(out) {}

    void Append(const std::string& text, size_t from, size_t to, const std::string& path, int line) {
        for (size_t i = from; i < to; ++i) {
            if (atLineStart) {
                out.lines.push_back({path, line});
                atLineStart = false;
            }
            out.text += text[i];
            if (text[i] == '\n') {
                ++line;
                atLineStart = true;
            }
        }
    }

private:
    ExpandedShader& out;
    bool atLineStart = true;
};

}

bool FindIncludes(const std::string& source, std::vector<IncludeDirective>& out, int& unclosedLine) {
    out.clear();
    size_t last = 0;
    int line = 1;
    for (size_t at = source.find(kDirective); at != std::string::npos; at = source.find(kDirective, last)) {
        line += CountLines(source, last, at);
        size_t quote = source.find('"', at + kDirectiveLength);
        if (quote == std::string::npos) {
            unclosedLine = line;
            return false;
        }
        out.push_back({source.substr(at + kDirectiveLength, quote - at - kDirectiveLength), line, at, quote + 1});
        line += CountLines(source, at, quote + 1);
        last = quote + 1;
    }
    return true;
}

std::string ShaderBaseDirectory(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string IncludeKey(const std::string& path) {
    return std::filesystem::path(NormalizePath(path)).lexically_normal().generic_string();
}

bool ExpandShader(const std::string& path, const ReadTextFunction& read, ExpandedShader& out) {
    out = ExpandedShader();
    std::string source;
    if (!read(path, source)) {
        out.error = "cannot read the file";
        out.errorAt = {path, 0};
        return false;
    }
    std::vector<IncludeDirective> directives;
    int unclosedLine = 0;
    if (!FindIncludes(source, directives, unclosedLine)) {
        out.error = "the include has no closing quote";
        out.errorAt = {path, unclosedLine};
        return false;
    }
    Splicer splicer(out);
    const std::string directory = ShaderBaseDirectory(path);
    size_t last = 0;
    int line = 1;
    for (const IncludeDirective& directive : directives) {
        splicer.Append(source, last, directive.begin, path, line);
        line += CountLines(source, last, directive.end);
        const std::string includePath = directory + "/" + directive.name;
        std::string included;
        if (!read(includePath, included)) {
            out.error = "cannot read the included file " + includePath;
            out.errorAt = {path, directive.line};
            return false;
        }
        splicer.Append(included, 0, included.size(), includePath, 1);
        last = directive.end;
    }
    splicer.Append(source, last, source.size(), path, line);
    return true;
}

SourceLine MapExpandedLine(const ExpandedShader& shader, int line) {
    if (line < 1 || static_cast<size_t>(line) > shader.lines.size())
        return {};
    return shader.lines[static_cast<size_t>(line) - 1];
}

LogError ParseDriverLog(const std::string& log) {
    static const std::regex kMesa(R"(^\s*\d+:(\d+)\(\d+\):\s*(.*)$)");
    static const std::regex kNvidia(R"(^\s*\d+\((\d+)\)\s*:\s*(.*)$)");
    static const std::regex kPlain(R"(^\s*ERROR:\s*\d+:(\d+):\s*(.*)$)");
    LogError first;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos)
            end = log.size();
        std::string text = log.substr(start, end - start);
        while (!text.empty() && (text.back() == '\r' || text.back() == ' '))
            text.pop_back();
        start = end + 1;
        if (text.empty())
            continue;
        std::smatch match;
        bool located = std::regex_match(text, match, kMesa) || std::regex_match(text, match, kNvidia);
        bool plain = !located && std::regex_match(text, match, kPlain);
        LogError found;
        if (located || plain) {
            found.line = std::atoi(match[1].str().c_str());
            found.message = plain ? "error: " + match[2].str() : match[2].str();
        } else {
            found.message = text;
        }
        std::string lower = found.message;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (lower.find("error") != std::string::npos)
            return found;
        if (first.message.empty())
            first = found;
    }
    return first;
}

void IncludeMap::AddShader(const std::string& path, const std::string& source) {
    std::vector<IncludeDirective> directives;
    int unclosedLine = 0;
    FindIncludes(source, directives, unclosedLine);  // the complete ones count even so
    const std::string directory = ShaderBaseDirectory(path);
    for (const IncludeDirective& directive : directives)
        includers[IncludeKey(directory + "/" + directive.name)].insert(path);
}

std::vector<std::string> IncludeMap::IncludersOf(const std::string& path) const {
    auto found = includers.find(IncludeKey(path));
    if (found == includers.end())
        return {};
    return std::vector<std::string>(found->second.begin(), found->second.end());
}
