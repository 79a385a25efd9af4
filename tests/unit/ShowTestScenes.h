#pragma once

#include "demo/show/Scene.h"

#include <string>
#include <vector>

// What the recording scenes did, in call order, shared by the scenes of a test.
struct SceneCalls {
    std::vector<std::string> calls;
    int deleted = 0;

    int Count(const std::string& call) const {
        int count = 0;
        for (const std::string& made : calls)
            count += made == call;
        return count;
    }
};

// A scene that notes every operation as "<name> <operation>".
class RecordingScene : public Scene {
public:
    RecordingScene(const std::string& name, SceneCalls& record) : name(name), record(record) {}
    ~RecordingScene() override { ++record.deleted; }

    bool Init() override { return Note("Init", initResult); }
    int32_t PrecalcWorkUnits() override { return workUnits; }
    bool Upload() override { return Note("Upload", uploadResult); }
    void Release() override { Note("Release", true); }
    void Begin(int32_t beginVariant, const DemoTime* time) override {
        // The variant member must already hold the entry's variant.
        Note("Begin " + std::to_string(beginVariant) + " member " + std::to_string(GetVariant()), true);
        beginTimes.push_back(time->time);
    }
    void Update(const DemoTime*) override { Note("Update", true); }
    void Render() override { Note("Render", true); }

    bool initResult = true;
    bool uploadResult = true;
    int32_t workUnits = 0;
    std::vector<double> beginTimes;

private:
    bool Note(const std::string& operation, bool result) {
        record.calls.push_back(name + " " + operation);
        return result;
    }

    std::string name;
    SceneCalls& record;
};
