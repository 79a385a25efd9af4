#pragma once

class FrameListener {
public:
    virtual ~FrameListener() = default;
    virtual void OnFrame() = 0;
};
