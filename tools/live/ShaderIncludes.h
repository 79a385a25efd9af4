#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// Shader sources as the engine's shader loader expands them: every
// `#include "name"` (exactly one blank) is replaced by the text of
// directory/name, one level deep. Here each line of the expanded text also
// remembers which file and line it came from, so that a driver's message
// can be shown where the user wrote the code.

// Reads a whole text file; false when it cannot.
using ReadTextFunction = std::function<bool(const std::string& path, std::string& text)>;

struct SourceLine {
    std::string path;
    int line = 0;
};

struct IncludeDirective {
    std::string name;    // as written between the quotes
    int line = 0;        // of the directive in the including file
    size_t begin = 0;    // offset of '#'
    size_t end = 0;      // offset just past the closing quote
};

// The directives of a source in order. False (with line set to the
// unclosed directive's) when a closing quote is missing.
bool FindIncludes(const std::string& source, std::vector<IncludeDirective>& out, int& unclosedLine);

// The part of a path before its last '/', "." without one.
std::string ShaderBaseDirectory(const std::string& path);

// A path compared as a key: lower case, forward slashes, "." and ".."
// folded ("data/shaders/postfx/../common.glsl" is data/shaders/common.glsl).
std::string IncludeKey(const std::string& path);

struct ExpandedShader {
    std::string text;
    std::vector<SourceLine> lines;  // lines[n - 1] is where line n came from
    // On failure: what went wrong, and where.
    std::string error;
    SourceLine errorAt;
};

// Reads path and expands its includes; false with error and errorAt set.
bool ExpandShader(const std::string& path, const ReadTextFunction& read, ExpandedShader& out);

// Where line n (from 1) of the expanded text came from; path empty when n is
// out of range.
SourceLine MapExpandedLine(const ExpandedShader& shader, int line);

// The first error of a compiler or linker log: its line in the compiled
// text (0 if the log gives none) and the message without the location.
// Knows "0:41(5): error: ..." and "0(41) : error C0000: ..." and
// "ERROR: 0:41: ...".
struct LogError {
    int line = 0;
    std::string message;
};
LogError ParseDriverLog(const std::string& log);

// Which shaders include which files, by IncludeKey of the included file.
class IncludeMap {
public:
    void Clear() { includers.clear(); }
    // Records the includes of the shader at path (spelled as it is to be
    // reloaded) from its unexpanded source.
    void AddShader(const std::string& path, const std::string& source);
    // The shaders that include path, in name order; empty for none.
    std::vector<std::string> IncludersOf(const std::string& path) const;

private:
    std::map<std::string, std::set<std::string>> includers;
};
