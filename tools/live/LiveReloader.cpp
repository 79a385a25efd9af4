#include "tools/live/LiveReloader.h"

#include "engine/core/Engine.h"
#include "engine/core/FactoryRegistry.h"
#include "engine/files/DirectoryMonitor.h"
#include "engine/files/FileSystem.h"
#include "engine/files/Image.h"
#include "engine/files/ImageCodec.h"
#include "engine/files/ImageCodecRegistry.h"
#include "engine/files/ImageLoader.h"
#include "engine/files/MemoryStream.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/render/TextureManager.h"
#include "tools/live/DataFileKind.h"
#include "tools/live/ImageTrouble.h"
#include "tools/live/ReloadDecision.h"
#include "tools/live/ScratchProgram.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

bool ReadText(const std::string& path, std::string& text) {
    FileSystem* files = GetEngine() ? GetEngine()->GetFileSystem() : nullptr;
    return files && files->ReadTextFile(path, text);
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// What the tool can learn of an image file that did not decode.
ImageFileFacts ImageFacts(const std::string& path) {
    ImageFileFacts facts;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    facts.exists = std::filesystem::exists(status);
    facts.regular = std::filesystem::is_regular_file(status);
    FileSystem* files = GetEngine() ? GetEngine()->GetFileSystem() : nullptr;
    MemoryStream bytes;
    facts.readable = files && files->ReadFile(path, bytes);
    if (bytes.Length() > 0)
        facts.bytes.assign(reinterpret_cast<const char*>(bytes.Data()), bytes.Length());
    return facts;
}

bool IsImage(const std::string& path) {
    return std::unique_ptr<ImageCodec>(ImageCodecRegistry::Instance().Create(Extension(path))) != nullptr;
}

constexpr double kPresenceLookSeconds = 0.5;

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

void LiveReloader::SetShowBuilt(bool built) {
    if (built && !showBuilt)
        Survey();  // the show's textures are loaded by now
    showBuilt = built;
}

bool LiveReloader::TakeRebuildWanted() {
    const bool wanted = rebuildWanted;
    rebuildWanted = false;
    return wanted;
}

std::vector<ReloadReport> LiveReloader::Update(double now) {
    std::vector<ReloadReport> reports;
    if (IsWatching()) {
        ChangeSet changes;
        if (monitor->Poll(changes)) {
            for (const auto& change : changes)
                debounce.Note(change.first, now);
        } else {
            reports.push_back({directory, false, 0, "error: the directory is no longer watched", ReloadFate::Checked});
        }
        NoteChanges(now);
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

// A folder renamed or moved away tells nothing of the files in it: the used
// files are looked for now and then, and one that went or came back is
// handled as a change.
void LiveReloader::NoteChanges(double now) {
    if (lastPresenceLook >= 0.0 && now - lastPresenceLook < kPresenceLookSeconds)
        return;
    lastPresenceLook = now;
    for (const std::string& path : showFiles.PresenceChanged(Exists))
        debounce.Note(path, now);
}

ReloadReport LiveReloader::Explain(const ReloadReport& logged) {
    ReloadReport report = logged;
    // The music and the mesh are read again by F5 alone: their errors stay
    // in the history, not in the list of broken files.
    if (ShaderTypeOf(logged.path) < 0 && includes.IncludersOf(logged.path).empty() && !IsImage(logged.path)) {
        report.path.clear();
        return report;
    }
    showFiles.NoteWanted(logged.path);
    if (!Exists(logged.path)) {
        showFiles.NoteGone(logged.path);
        ReloadReport gone = GoneReport(logged.path);
        gone.message = "the file is missing";
        return gone;
    }
    if (IsImage(logged.path))
        report.message = DescribeImageTrouble(ImageFacts(logged.path));
    return report;
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
        if (covered.count(file.first))
            continue;
        std::optional<Failure> failure = CheckAlone(file.second);
        if (failure)
            showFiles.NoteWanted(file.second);
        add(file.second, failure);
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
    showFiles.NewSurvey();
    Engine* engine = GetEngine();
    if (ShaderProgramManager* manager = engine ? engine->GetShaderProgramManager() : nullptr) {
        for (const std::string& key : manager->Keys()) {
            ProgramFiles program;
            for (const auto& [type, part] : ProgramShaders(key)) {
                auto spelled = spelling.find(IncludeKey(part));
                program.shaders.emplace_back(type, spelled == spelling.end() ? part : spelled->second);
                showFiles.NoteLoaded(program.shaders.back().second);
            }
            programs.push_back(program);
        }
    }
    // Render targets' textures have names, not paths in the tree.
    if (TextureManager* textures = engine ? engine->GetTextureManager() : nullptr) {
        for (const std::string& key : textures->Keys())
            if (!directory.empty() && key.rfind(IncludeKey(directory) + "/", 0) == 0)
                showFiles.NoteLoaded(key);
    }
    trackFiles.NoteUsedFiles(showFiles, Exists);
}

std::optional<LiveReloader::Failure> LiveReloader::CheckAlone(const std::string& shader) const {
    ExpandedShader expanded;
    if (!ExpandShader(shader, ReadText, expanded))
        return Failure{expanded.errorAt, "error: " + expanded.error};
    ScratchResult result = BuildScratchProgram({{ProgramShaders(shader).front().first, expanded.text}}, false);
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
    if (TrackFileReloader::IsTrackFile(path))
        return trackFiles.Handle(path, showFiles, showBuilt);
    const std::vector<std::string> includers = includes.IncludersOf(path);
    const bool shader = ShaderTypeOf(path) >= 0 || !includers.empty();
    if (!shader && !IsImage(path))
        return std::nullopt;  // the music, the mesh: F5 reads them
    switch (DecideReload({Exists(path), showFiles.IsUsed(path, includers), showBuilt})) {
    case ReloadStep::Ignore: return std::nullopt;
    case ReloadStep::Gone:
        if (showFiles.IsGone(path))
            return std::nullopt;
        showFiles.NoteGone(path);
        blocked.erase(path);
        return GoneReport(path);
    case ReloadStep::NotUsed: showFiles.NotePresent(path); return NotUsedReport(path);
    case ReloadStep::Check: break;
    }
    showFiles.NotePresent(path);
    ReloadReport report = shader ? HandleShader(path, TargetsOf(path, includers)) : HandleImage(path);
    if (report.ok && showFiles.IsOwed(path))
        rebuildWanted = true;
    return report;
}

// An included file reloads the loaded shaders that include it; when none is
// loaded, those on disk are checked all the same.
std::vector<std::string> LiveReloader::TargetsOf(const std::string& path,
                                                 const std::vector<std::string>& includers) const {
    std::vector<std::string> targets;
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
    return targets;
}

ReloadReport LiveReloader::HandleShader(const std::string& path, const std::vector<std::string>& targets) {
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

ReloadReport LiveReloader::HandleImage(const std::string& path) {
    std::unique_ptr<Image> image(LoadImage(path));
    if (!image)
        return {path, false, 0, DescribeImageTrouble(ImageFacts(path)), ReloadFate::Checked};
    if (TextureManager* textures = GetEngine() ? GetEngine()->GetTextureManager() : nullptr)
        textures->OnFileChanged(path);
    return Report(path, std::nullopt);
}
