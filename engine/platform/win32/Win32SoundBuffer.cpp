#include "engine/platform/win32/Win32SoundBuffer.h"

#include "engine/platform/RingCursor.h"

std::unique_ptr<Win32SoundBuffer> Win32SoundBuffer::Create(std::shared_ptr<Win32DirectSoundSession> session,
                                                           const PcmFormat& format, uint32_t bytes) {
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = format.channels;
    wave.nSamplesPerSec = format.samplesPerSecond;
    wave.nAvgBytesPerSec = format.averageBytesPerSecond;
    wave.nBlockAlign = format.blockAlign;
    wave.wBitsPerSample = format.bitsPerSample;
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    // The play cursor is the demo's clock: the accurate one, also where the
    // device is emulated.
    description.dwFlags = DSBCAPS_GETCURRENTPOSITION2;
    description.dwBufferBytes = bytes;
    description.lpwfxFormat = &wave;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(session->Device()->CreateSoundBuffer(&description, &buffer, nullptr)) || !buffer)
        return nullptr;
    return std::unique_ptr<Win32SoundBuffer>(new Win32SoundBuffer(std::move(session), buffer, bytes));
}

Win32SoundBuffer::Win32SoundBuffer(std::shared_ptr<Win32DirectSoundSession> session, IDirectSoundBuffer* buffer,
                                   uint32_t bytes)
    : session(std::move(session)), buffer(buffer), ringBytes(bytes) {}

Win32SoundBuffer::~Win32SoundBuffer() { buffer->Release(); }

// A buffer can lose its memory to another program; once restored it takes a
// lock again, and the caller's fill puts sound back in.
bool Win32SoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* size1, void** region2,
                            uint32_t* size2, uint32_t flags) {
    if (!region1 || !size1)
        return false;
    // DirectSound cuts a wrapping range at the end of the buffer when there
    // is no second region to take the rest, and reports success.
    if ((!region2 || !size2) && RangeWraps(offset, bytes, flags))
        return false;
    HRESULT result = LockOnce(offset, bytes, region1, size1, region2, size2, flags);
    if (result == DSERR_BUFFERLOST && SUCCEEDED(buffer->Restore()))
        result = LockOnce(offset, bytes, region1, size1, region2, size2, flags);
    return SUCCEEDED(result);
}

bool Win32SoundBuffer::RangeWraps(uint32_t offset, uint32_t bytes, uint32_t flags) const {
    RingRange range;
    return !(flags & kLockEntireBuffer) && SplitRingRange(ringBytes, offset, bytes, &range) && range.second.size > 0;
}

HRESULT Win32SoundBuffer::LockOnce(uint32_t offset, uint32_t bytes, void** region1, uint32_t* size1, void** region2,
                                   uint32_t* size2, uint32_t flags) {
    DWORD firstSize = 0;
    DWORD secondSize = 0;
    const bool wantsSecond = region2 && size2;
    HRESULT result = buffer->Lock(offset, bytes, region1, &firstSize, wantsSecond ? region2 : nullptr,
                                  wantsSecond ? &secondSize : nullptr, flags);
    if (FAILED(result))
        return result;
    *size1 = firstSize;
    if (wantsSecond)
        *size2 = secondSize;
    return result;
}

bool Win32SoundBuffer::Unlock(void* region1, uint32_t size1, void* region2, uint32_t size2) {
    return SUCCEEDED(buffer->Unlock(region1, size1, region2, size2));
}

bool Win32SoundBuffer::Play() { return SUCCEEDED(buffer->Play(0, 0, DSBPLAY_LOOPING)); }

bool Win32SoundBuffer::Stop() { return SUCCEEDED(buffer->Stop()); }

bool Win32SoundBuffer::GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) {
    DWORD play = 0;
    DWORD write = 0;
    if (FAILED(buffer->GetCurrentPosition(&play, &write)))
        return false;
    if (playCursor)
        *playCursor = play;
    if (writeCursor)
        *writeCursor = write;
    return true;
}

bool Win32SoundBuffer::SetCurrentPosition(uint32_t playCursor) {
    return playCursor < ringBytes && SUCCEEDED(buffer->SetCurrentPosition(playCursor));
}

// Lock restores a lost buffer as it writes; one that cannot be restored, or
// whose device no longer answers, is gone.
bool Win32SoundBuffer::IsLost() {
    DWORD status = 0;
    if (FAILED(buffer->GetStatus(&status)))
        return true;
    return (status & DSBSTATUS_BUFFERLOST) && FAILED(buffer->Restore());
}
