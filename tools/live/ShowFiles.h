#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// The files of the data tree that the show uses, as the live tool learns
// them: what its programs and textures were loaded from while it ran, and
// what it asked for and could not load. A file stays used once learnt: the
// show's code, which picks its files, does not change while it runs. Paths
// compare as IncludeKey compares them; each keeps the spelling it was
// learnt with.
class ShowFiles {
public:
    // A look at what is loaded now begins: NoteLoaded follows for each file.
    void NewSurvey() { current.clear(); }
    // A program's shader or a texture's image, loaded now.
    void NoteLoaded(const std::string& path);
    // A file the show asked for and could not load; loading it is owed.
    void NoteWanted(const std::string& path);

    bool IsUsed(const std::string& path) const;
    // Used, or included by one of includers that is.
    bool IsUsed(const std::string& path, const std::vector<std::string>& includers) const;
    // Wanted, and not loaded now: only a rebuild loads it.
    bool IsOwed(const std::string& path) const { return wanted.count(Key(path)) != 0; }

    // What is known of a used file's presence on disk.
    void NoteGone(const std::string& path) { gone.insert(Key(path)); }
    void NotePresent(const std::string& path) { gone.erase(Key(path)); }
    bool IsGone(const std::string& path) const { return gone.count(Key(path)) != 0; }
    // The used files whose presence differs from what is known: gone
    // without a report yet, or back after one.
    std::vector<std::string> PresenceChanged(const std::function<bool(const std::string&)>& exists) const;

private:
    static std::string Key(const std::string& path);
    void Spell(const std::string& path);

    std::set<std::string> loaded, current, wanted, gone;
    std::map<std::string, std::string> spelling;
};
