#include "tools/live/LiveReloader.h"

#include "engine/core/Engine.h"
#include "engine/core/FactoryRegistry.h"
#include "engine/files/DirectoryMonitor.h"
#include "engine/files/FileSystem.h"
#include "engine/files/Image.h"
#include "engine/files/ImageCodec.h"
#include "engine/files/ImageCodecRegistry.h"
#include "engine/files/ImageLoader.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/render/TextureManager.h"
#include "tools/live/ScratchProgram.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

bool ReadText(const std::string& path, std::string& text) {
    FileSystem* files = GetEngine() ? GetEngine()->GetFileSystem() : nullptr;
    return files && files->ReadTextFile(path, text);
}

std::string Extension(const std::string& path) {
    size_t slash = path.rfind('/');
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    return path.substr(dot + 1);
}

// The shader type a file's extension names; -1 for none.
int32_t ShaderTypeOf(const std::string& path) {
    std::string extension = Extension(path);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "vs")
        return 0;
    if (extension == "fs")
        return 1;
    if (extension == "gs")
        return 2;
    return -1;
}

std::vector<std::string> SplitKey(const std::string& key) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar = key.find('|'); bar != std::string::npos; bar = key.find('|', start)) {
        parts.push_back(key.substr(start, bar - start));
        start = bar + 1;
    }
    parts.push_back(key.substr(start));
    return parts;
}

// A key's parts are its shaders in type order: vertex, fragment, geometry
// as far as the extensions do not say otherwise.
int32_t TypeAt(const std::string& path, size_t index, size_t count) {
    int32_t type = ShaderTypeOf(path);
    if (type >= 0)
        return type;
    return count == 1 ? 1 : static_cast<int32_t>(std::min<size_t>(index, 2));
}

}

LiveReloader::LiveReloader() = default;

LiveReloader::~LiveReloader() { Stop(); }

bool LiveReloader::Start(const std::string& watched) {
    if (IsWatching())
        return false;
    monitor.reset(FactoryRegistry<DirectoryMonitor>::Instance().Create(1));
    if (!monitor || !monitor->Start(watched, true)) {
        monitor.reset();
        return false;
    }
    directory = watched;
    debounce.Clear();
    blocked.clear();
    return true;
}

void LiveReloader::Stop() {
    if (monitor)
        monitor->Stop();
    monitor.reset();
    directory.clear();
    debounce.Clear();
    blocked.clear();
}

bool LiveReloader::IsWatching() const { return monitor && monitor->IsActive(); }

std::vector<ReloadReport> LiveReloader::Update(double now) {
    std::vector<ReloadReport> reports;
    if (IsWatching()) {
        ChangeSet changes;
        if (monitor->Poll(changes)) {
            for (const auto& change : changes)
                debounce.Note(change.first, now);
        } else {
            reports.push_back({directory, false, 0, "error: the directory is no longer watched"});
        }
    }
    std::vector<std::string> ready = debounce.TakeReady(now);
    if (ready.empty())
        return reports;
    Survey();
    bool reloaded = false;
    for (const std::string& path : ready) {
        if (std::optional<ReloadReport> report = Handle(path)) {
            reloaded = reloaded || report->ok;
            reports.push_back(*report);
        }
    }
    if (reloaded) {
        std::vector<std::string> waiting(blocked.begin(), blocked.end());
        for (const std::string& path : waiting) {
            if (std::find(ready.begin(), ready.end(), path) != ready.end())
                continue;
            std::optional<ReloadReport> report = Handle(path);
            if (report && report->ok)
                reports.push_back(*report);
        }
    }
    return reports;
}

std::vector<ReloadReport> LiveReloader::CheckAllShaders() {
    Survey();
    std::vector<ReloadReport> failures;
    auto add = [&failures](const std::string& shader, const std::optional<Failure>& failure) {
        if (!failure)
            return;
        ReloadReport report;
        report.ok = false;
        report.path = failure->at.path.empty() ? shader : failure->at.path;
        report.line = failure->at.line;
        report.message = failure->message;
        auto same = [&report](const ReloadReport& other) {
            return other.path == report.path && other.line == report.line && other.message == report.message;
        };
        if (std::none_of(failures.begin(), failures.end(), same))
            failures.push_back(report);
    };
    std::set<std::string> covered;
    for (const ProgramFiles& program : programs) {
        for (const auto& shader : program.shaders)
            covered.insert(IncludeKey(shader.second));
        add(program.shaders.front().second, CheckProgram(program));
    }
    // A shader whose program failed to load at the start is in no program:
    // it is compiled on its own.
    for (const auto& file : spelling) {
        if (!covered.count(file.first))
            add(file.second, CheckAlone(file.second));
    }
    return failures;
}

void LiveReloader::Survey() {
    spelling.clear();
    includes.Clear();
    if (!directory.empty()) {
        std::error_code error;
        const std::filesystem::path root(directory);
        for (std::filesystem::recursive_directory_iterator walk(root, error), end; !error && walk != end;
             walk.increment(error)) {
            if (!walk->is_regular_file(error) || ShaderTypeOf(walk->path().generic_string()) < 0)
                continue;
            std::string path = directory + "/" + walk->path().lexically_relative(root).generic_string();
            spelling[IncludeKey(path)] = path;
            std::string source;
            if (ReadText(path, source))
                includes.AddShader(path, source);
        }
    }
    programs.clear();
    ShaderProgramManager* manager = GetEngine() ? GetEngine()->GetShaderProgramManager() : nullptr;
    if (!manager)
        return;
    for (const std::string& key : manager->Keys()) {
        ProgramFiles program;
        std::vector<std::string> parts = SplitKey(key);
        for (size_t i = 0; i < parts.size(); ++i) {
            auto spelled = spelling.find(IncludeKey(parts[i]));
            const std::string& path = spelled == spelling.end() ? parts[i] : spelled->second;
            program.shaders.emplace_back(TypeAt(parts[i], i, parts.size()), path);
        }
        programs.push_back(program);
    }
}

std::optional<LiveReloader::Failure> LiveReloader::CheckAlone(const std::string& shader) const {
    ProgramFiles alone;
    alone.shaders.emplace_back(TypeAt(shader, 0, 1), shader);
    ExpandedShader expanded;
    if (!ExpandShader(shader, ReadText, expanded))
        return Failure{expanded.errorAt, "error: " + expanded.error};
    ScratchResult result = BuildScratchProgram({{alone.shaders[0].first, expanded.text}}, false);
    if (result.ok)
        return std::nullopt;
    LogError error = ParseDriverLog(result.log);
    return Failure{MapExpandedLine(expanded, error.line), error.message};
}

std::optional<LiveReloader::Failure> LiveReloader::CheckProgram(const ProgramFiles& program) const {
    std::vector<ExpandedShader> expanded(program.shaders.size());
    std::vector<ScratchShader> sources;
    for (size_t i = 0; i < program.shaders.size(); ++i) {
        if (!ExpandShader(program.shaders[i].second, ReadText, expanded[i]))
            return Failure{expanded[i].errorAt, "error: " + expanded[i].error};
        sources.push_back({program.shaders[i].first, expanded[i].text});
    }
    ScratchResult result = BuildScratchProgram(sources, true);
    if (result.ok)
        return std::nullopt;
    LogError error = ParseDriverLog(result.log);
    if (result.failedShader < 0)
        return Failure{SourceLine(), error.message.empty() ? "error: the program does not link" : error.message};
    return Failure{MapExpandedLine(expanded[static_cast<size_t>(result.failedShader)], error.line), error.message};
}

ReloadReport LiveReloader::Report(const std::string& path, const std::optional<Failure>& failure) {
    ReloadReport report;
    report.path = path;
    if (!failure) {
        blocked.erase(path);
        return report;
    }
    report.ok = false;
    if (failure->at.path.empty() || IncludeKey(failure->at.path) == IncludeKey(path)) {
        report.line = failure->at.line;
        report.message = failure->message;
        blocked.erase(path);
    } else {
        report.message = failure->at.path;
        if (failure->at.line > 0)
            report.message += ":" + std::to_string(failure->at.line);
        report.message += ": " + failure->message;
        blocked.insert(path);
    }
    return report;
}

std::optional<ReloadReport> LiveReloader::Handle(const std::string& path) {
    std::vector<std::string> includers = includes.IncludersOf(path);
    if (ShaderTypeOf(path) >= 0 || !includers.empty()) {
        std::vector<std::string> targets;
        // An included file reloads the loaded shaders that include it; when
        // none is loaded, those on disk are checked all the same.
        for (const std::string& includer : includers) {
            for (const ProgramFiles& program : programs) {
                const auto& shaders = program.shaders;
                if (std::any_of(shaders.begin(), shaders.end(), [&includer](const auto& shader) {
                        return IncludeKey(shader.second) == IncludeKey(includer);
                    })) {
                    targets.push_back(includer);
                    break;
                }
            }
        }
        if (targets.empty())
            targets = includers;
        if (ShaderTypeOf(path) >= 0)
            targets.push_back(path);
        return HandleShader(path, targets);
    }
    return HandleImage(path);
}

std::optional<ReloadReport> LiveReloader::HandleShader(const std::string& path,
                                                       const std::vector<std::string>& targets) {
    std::set<std::string> keys;
    for (const std::string& target : targets)
        keys.insert(IncludeKey(target));
    std::set<std::string> covered;
    for (const ProgramFiles& program : programs) {
        bool uses = false;
        for (const auto& shader : program.shaders) {
            if (keys.count(IncludeKey(shader.second))) {
                uses = true;
                covered.insert(IncludeKey(shader.second));
            }
        }
        if (!uses)
            continue;
        if (std::optional<Failure> failure = CheckProgram(program))
            return Report(path, failure);
    }
    for (const std::string& target : targets) {
        if (covered.count(IncludeKey(target)))
            continue;
        if (std::optional<Failure> failure = CheckAlone(target))
            return Report(path, failure);
    }
    if (ShaderManager* shaders = GetEngine() ? GetEngine()->GetShaderManager() : nullptr) {
        for (const std::string& target : targets)
            shaders->OnFileChanged(target);
    }
    return Report(path, std::nullopt);
}

std::optional<ReloadReport> LiveReloader::HandleImage(const std::string& path) {
    std::unique_ptr<ImageCodec> codec(ImageCodecRegistry::Instance().Create(Extension(path)));
    if (!codec)
        return std::nullopt;
    std::unique_ptr<Image> image(LoadImage(path));
    if (!image)
        return ReloadReport{path, false, 0, "error: the image cannot be read or decoded"};
    if (TextureManager* textures = GetEngine() ? GetEngine()->GetTextureManager() : nullptr)
        textures->OnFileChanged(path);
    return Report(path, std::nullopt);
}
