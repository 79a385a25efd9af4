#include "tools/live/ShowFiles.h"

#include "tools/live/ShaderIncludes.h"

#include <algorithm>

std::string ShowFiles::Key(const std::string& path) { return IncludeKey(path); }

void ShowFiles::Spell(const std::string& path) { spelling.emplace(Key(path), path); }

void ShowFiles::NoteLoaded(const std::string& path) {
    Spell(path);
    loaded.insert(Key(path));
    current.insert(Key(path));
    wanted.erase(Key(path));
}

void ShowFiles::NoteWanted(const std::string& path) {
    Spell(path);
    if (!current.count(Key(path)))
        wanted.insert(Key(path));
}

bool ShowFiles::IsUsed(const std::string& path) const {
    const std::string key = Key(path);
    return loaded.count(key) != 0 || wanted.count(key) != 0;
}

bool ShowFiles::IsUsed(const std::string& path, const std::vector<std::string>& includers) const {
    auto used = [this](const std::string& includer) { return IsUsed(includer); };
    return IsUsed(path) || std::any_of(includers.begin(), includers.end(), used);
}

std::vector<std::string> ShowFiles::PresenceChanged(const std::function<bool(const std::string&)>& exists) const {
    std::vector<std::string> changed;
    for (const auto& [key, path] : spelling) {
        if (IsUsed(path) && exists(path) == (gone.count(key) != 0))
            changed.push_back(path);
    }
    return changed;
}
