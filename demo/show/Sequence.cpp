#include "demo/show/Sequence.h"

#include "demo/show/Scene.h"
#include "demo/show/SceneTask.h"
#include "engine/core/PrecalcQueue.h"

#include <algorithm>

Sequence::~Sequence() { Destroy(); }

Scene* Sequence::AddScene(std::unique_ptr<Scene> scene) {
    scenes.push_back(std::move(scene));
    return scenes.back().get();
}

void Sequence::Add(int32_t layer, Scene* scene, int32_t variant, double start, double end) {
    if (!scene)
        return;
    std::unique_ptr<SequenceEntry> entry(new SequenceEntry{scene, variant, start, end, end - start, layer, true});
    entries.push_back(std::move(entry));
}

bool Sequence::InitScenes() {
    for (Scene* scene : DistinctScenes()) {
        if (!scene->Init())
            return false;
    }
    return true;
}

void Sequence::AddPrecalcTasks(PrecalcQueue& queue) {
    for (Scene* scene : DistinctScenes())
        queue.AddTask(std::make_unique<SceneTask>(scene));
}

bool Sequence::UploadScenes() {
    for (Scene* scene : DistinctScenes()) {
        if (!scene->Upload())
            return false;
    }
    return true;
}

bool Sequence::Update(const DemoTime* time) {
    if (!time)
        return false;
    SelectActive(time->time);
    if (selection.empty())
        return false;
    for (SequenceEntry* entry : selection) {
        if (entry->pendingBegin) {
            entry->scene->SetVariant(entry->variant);
            entry->scene->Begin(entry->variant, time);
            entry->pendingBegin = false;
        }
        entry->scene->Update(time);
    }
    return true;
}

void Sequence::Render(double time) {
    SelectActive(time);
    for (SequenceEntry* entry : selection)
        entry->scene->Render();
}

void Sequence::Rewind() {
    for (const auto& entry : entries)
        entry->pendingBegin = true;
    for (Scene* scene : DistinctScenes())
        scene->Rewind();
    selection.clear();
}

void Sequence::Destroy() {
    for (Scene* scene : DistinctScenes())
        scene->Release();
    scenes.clear();
    selection.clear();
    entries.clear();
}

void Sequence::SelectActive(double time) {
    selection.clear();
    for (const std::unique_ptr<SequenceEntry>& entry : entries) {
        if (entry->IsActiveAt(time))
            selection.push_back(entry.get());
    }
    std::stable_sort(selection.begin(), selection.end(),
                     [](const SequenceEntry* a, const SequenceEntry* b) { return a->layer < b->layer; });
}

std::vector<Scene*> Sequence::DistinctScenes() const {
    std::vector<Scene*> distinct;
    for (const std::unique_ptr<SequenceEntry>& entry : entries) {
        if (std::find(distinct.begin(), distinct.end(), entry->scene) == distinct.end())
            distinct.push_back(entry->scene);
    }
    return distinct;
}
