#pragma once

#include "demo/show/SequenceEntry.h"
#include "engine/core/DemoTime.h"

#include <cstdint>
#include <memory>
#include <vector>

class PrecalcQueue;
class Scene;

// The time line: which scenes play when, and in which order they draw. The
// operations that walk "the scenes" visit every distinct scene of the entries
// once, in the order of their first entry.
class Sequence {
public:
    Sequence() = default;
    Sequence(const Sequence&) = delete;
    Sequence& operator=(const Sequence&) = delete;
    ~Sequence();

    // Takes a scene into the sequence's care, to be deleted by Destroy, and
    // returns it for Add.
    Scene* AddScene(std::unique_ptr<Scene> scene);
    // Appends an entry active for start <= t < end.
    void Add(int32_t layer, Scene* scene, int32_t variant, double start, double end);

    // Init on every scene; the first false stops and is returned.
    bool InitScenes();
    // One task per scene.
    void AddPrecalcTasks(PrecalcQueue& queue);
    // Upload on every scene; the first false stops and is returned.
    bool UploadScenes();

    // Begins the entries that start playing and updates every active one.
    // False when no entry is active: the show is over.
    bool Update(const DemoTime* time);
    // Draws the active entries' scenes, lower layers first.
    void Render(double time);
    // Every entry begins again when next active, and every scene rewinds.
    void Rewind();

    // Releases the scenes, deletes those in the sequence's care and forgets
    // every entry.
    void Destroy();

    const std::vector<std::unique_ptr<SequenceEntry>>& GetEntries() const { return entries; }

private:
    void SelectActive(double time);
    std::vector<Scene*> DistinctScenes() const;

    std::vector<std::unique_ptr<SequenceEntry>> entries;
    std::vector<std::unique_ptr<Scene>> scenes;
    std::vector<SequenceEntry*> selection;
};
