#include "engine/audio/MusicFailover.h"

#include "engine/audio/MusicPlayer.h"

#include <utility>

MusicFailover::MusicFailover(MusicPlayer& player, SoundOutputOpener::Factory openOutput)
    : player(player), opener(std::move(openOutput)) {}

SoundOutputOpener::Factory MusicFailover::DefaultOutput(void* window, const PcmFormat& format) {
    return [window, format] {
        SoundOutput output;
        output.device = platform::CreateSoundDevice(window);
        if (!output.device)
            return SoundOutput();
        output.device->SetCooperativeLevel(window, CooperativeLevel::Priority);
        output.buffer = output.device->CreateSoundBuffer(format, MusicPlayer::kBufferBytes);
        if (!output.buffer)
            return SoundOutput();
        return output;
    };
}

double MusicFailover::Update(double wallTime, MusicFailoverEvent& event) {
    player.Update();
    if (SoundOutput opened = opener.TakeOpened()) {
        if (!player.HasOutput())
            player.AdoptOutput(opened);
        opener.Retire(std::move(opened)); // whatever the player did not take
    }
    MusicReading reading;
    reading.wallTime = wallTime;
    reading.position = player.GetPosition();
    reading.hasOutput = player.HasOutput();
    reading.outputLost = player.IsOutputLost();
    const MusicClockStep step = clock.Step(reading);
    switch (step.action) {
    case MusicClockAction::ReleaseOutput:
        opener.Retire(player.ReleaseOutput());
        break;
    case MusicClockAction::TryOpen:
        opener.RequestOpen();
        break;
    case MusicClockAction::SeekMusic:
        player.Seek(step.showTime);
        event.back = true;
        event.backAt = step.showTime;
        break;
    case MusicClockAction::None:
        break;
    }
    event.lost = step.lost;
    return step.showTime;
}

void MusicFailover::Restart(double wallTime, double showTime) { clock.Restart(wallTime, showTime); }
