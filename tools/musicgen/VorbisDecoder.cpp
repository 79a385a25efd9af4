#include "tools/musicgen/VorbisDecoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

namespace {

struct MemorySource {
    const std::vector<unsigned char>* bytes;
    size_t position;
};

size_t ReadMemory(void* destination, size_t size, size_t count, void* source)
{
    MemorySource& memory = *static_cast<MemorySource*>(source);
    size_t wanted = size * count;
    size_t available = memory.bytes->size() - memory.position;
    size_t taken = std::min(wanted, available);
    if (taken > 0)
        std::memcpy(destination, memory.bytes->data() + memory.position, taken);
    memory.position += taken;
    return size > 0 ? taken / size : 0;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence)
{
    MemorySource& memory = *static_cast<MemorySource*>(source);
    long long base = 0;
    if (whence == SEEK_CUR)
        base = static_cast<long long>(memory.position);
    else if (whence == SEEK_END)
        base = static_cast<long long>(memory.bytes->size());
    else if (whence != SEEK_SET)
        return -1;
    long long target = base + offset;
    if (target < 0 || target > static_cast<long long>(memory.bytes->size()))
        return -1;
    memory.position = static_cast<size_t>(target);
    return 0;
}

long TellMemory(void* source)
{
    return static_cast<long>(static_cast<MemorySource*>(source)->position);
}

bool ReadAll(OggVorbis_File& file, int channels, StereoBuffer& samples)
{
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        long frames = ov_read_float(&file, &pcm, 4096, &section);
        if (frames == 0)
            return true;
        if (frames < 0)
            return false;
        const float* right = pcm[channels == 2 ? 1 : 0];
        samples.left.insert(samples.left.end(), pcm[0], pcm[0] + frames);
        samples.right.insert(samples.right.end(), right, right + frames);
    }
}

}

bool VorbisDecoder::Decode(const std::vector<unsigned char>& encoded, Stream& stream)
{
    MemorySource source{&encoded, 0};
    ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
    OggVorbis_File file;
    if (ov_open_callbacks(&source, &file, nullptr, 0, callbacks) != 0)
        return false;
    vorbis_info* info = ov_info(&file, -1);
    stream = Stream();
    stream.sampleRate = static_cast<int>(info->rate);
    stream.channels = info->channels;
    bool decoded = (stream.channels == 1 || stream.channels == 2) && ReadAll(file, stream.channels, stream.samples);
    ov_clear(&file);
    return decoded;
}
