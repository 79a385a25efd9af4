#include "engine/render/ShaderSource.h"

#include "engine/core/Engine.h"
#include "engine/core/Message.h"
#include "engine/files/FileSystem.h"

namespace {

const char kIncludeDirective[] = "#include \"";
constexpr size_t kIncludeDirectiveLength = sizeof kIncludeDirective - 1;

bool ReadText(const std::string& path, std::string& text) {
    FileSystem* fileSystem = GetEngine() ? GetEngine()->GetFileSystem() : nullptr;
    return fileSystem && fileSystem->ReadTextFile(path, text);
}

std::string BaseDirectory(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

}

bool ProcessIncludes(const std::string& directory, const std::string& source, std::string& out) {
    std::string expanded;
    size_t last = 0;
    size_t directive = source.find(kIncludeDirective, 0);
    while (directive != std::string::npos) {
        expanded.append(source, last, directive - last);
        size_t nameStart = directive + kIncludeDirectiveLength;
        size_t closingQuote = source.find('"', nameStart);
        if (closingQuote == std::string::npos) {
            Message(LOG_ERROR, "Closing include tag is missing.");
            return false;
        }
        std::string includePath = directory + "/" + source.substr(nameStart, closingQuote - nameStart);
        last = closingQuote + 1;
        std::string included;
        if (!ReadText(includePath, included)) {
            Message(LOG_ERROR, "Cannot load shader source from include file '%s'.", includePath.c_str());
            return false;
        }
        expanded += included;
        directive = source.find(kIncludeDirective, last);
    }
    expanded.append(source, last, std::string::npos);
    out = expanded;
    return true;
}

bool LoadShaderSource(const std::string& path, std::string& text) {
    std::string source;
    if (!ReadText(path, source)) {
        Message(LOG_ERROR, "Cannot load shader source from file '%s'.", path.c_str());
        return false;
    }
    if (!ProcessIncludes(BaseDirectory(path), source, text)) {
        Message(LOG_ERROR, "Failed to process shader includes.");
        return false;
    }
    return true;
}
