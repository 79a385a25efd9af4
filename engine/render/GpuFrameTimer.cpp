#include "engine/render/GpuFrameTimer.h"

#include "engine/render/GLConstants.h"

GpuFrameTimer::~GpuFrameTimer() { Shutdown(); }

bool GpuFrameTimer::Init() { return Init(nullptr); }

bool GpuFrameTimer::Init(GLProcLoader loader) {
    Shutdown();
    if (!(loader ? LoadOptionalGLEntryPoints(loader) : LoadOptionalGLEntryPoints()))
        return false;
    for (Slot& slot : slots)
        gl.glGenQueries(static_cast<GLsizei>(slot.queries.size()), slot.queries.data());
    available = true;
    return true;
}

void GpuFrameTimer::Shutdown() {
    if (available)
        for (Slot& slot : slots) {
            gl.glDeleteQueries(static_cast<GLsizei>(slot.queries.size()), slot.queries.data());
            slot = Slot();
        }
    available = false;
    inFrame = false;
    current = 0;
    lastSpans.clear();
    lastTotal = 0.0;
    begun = 0;
    arrived.clear();
}

void GpuFrameTimer::BeginFrame(const char* label) {
    if (!available)
        return;
    if (inFrame)
        EndFrame();
    current = (current + 1) % kFramesLate;
    Slot& slot = slots[current];
    // The slot's last frame began kFramesLate frames ago.
    if (slot.pending)
        Collect(slot);
    slot.labels.clear();
    slot.number = begun++;
    inFrame = true;
    Stamp(slot, label);
}

void GpuFrameTimer::Mark(const char* label) {
    if (available && inFrame)
        Stamp(slots[current], label);
}

void GpuFrameTimer::EndFrame() {
    if (!available || !inFrame)
        return;
    Slot& slot = slots[current];
    // The end stamp always has room: the marks stop one short of it.
    gl.glQueryCounter(slot.queries[slot.labels.size()], GL_TIMESTAMP);
    slot.pending = true;
    inFrame = false;
}

void GpuFrameTimer::Stamp(Slot& slot, const char* label) {
    if (slot.labels.size() >= static_cast<size_t>(kMaxMarks))
        return;
    gl.glQueryCounter(slot.queries[slot.labels.size()], GL_TIMESTAMP);
    slot.labels.push_back(label);
}

void GpuFrameTimer::Collect(Slot& slot) {
    slot.pending = false;
    const GLuint last = slot.queries[slot.labels.size()];
    GLint ready = 0;
    gl.glGetQueryObjectiv(last, GL_QUERY_RESULT_AVAILABLE, &ready);
    if (!ready) {
        ++dropped;
        return;
    }
    std::vector<GLuint64> stamps(slot.labels.size() + 1, 0);
    for (size_t i = 0; i < stamps.size(); ++i)
        gl.glGetQueryObjectui64v(slot.queries[i], GL_QUERY_RESULT, &stamps[i]);
    lastSpans.clear();
    for (size_t i = 0; i < slot.labels.size(); ++i) {
        // Stamps of one frame never run backwards; a driver that says so is ignored.
        const GLuint64 from = stamps[i];
        const GLuint64 to = stamps[i + 1] > from ? stamps[i + 1] : from;
        lastSpans.push_back({slot.labels[i], static_cast<double>(to - from) / 1e6});
    }
    lastTotal = stamps.back() > stamps.front() ? static_cast<double>(stamps.back() - stamps.front()) / 1e6 : 0.0;
    if (arrived.size() >= static_cast<size_t>(kMaxKeptFrames))
        arrived.erase(arrived.begin());
    arrived.push_back({slot.number, lastSpans});
}

std::vector<GpuFrameTimer::Frame> GpuFrameTimer::TakeFrames() {
    std::vector<Frame> taken;
    taken.swap(arrived);
    return taken;
}

void GpuFrameTimer::Flush() {
    if (!available)
        return;
    EndFrame();
    gl.glFinish();
    for (int k = 1; k <= kFramesLate; ++k) {
        Slot& slot = slots[(current + k) % kFramesLate];
        if (slot.pending)
            Collect(slot);
    }
}
