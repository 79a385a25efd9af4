#include "engine/files/MemoryStream.h"

#include "engine/platform/DirectoryListing.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <utility>

MemoryStream::MemoryStream(const MemoryStream& other)
    : Stream(other), InputStream(other), OutputStream(other), data(other.data) {}

MemoryStream& MemoryStream::operator=(const MemoryStream& other) {
    if (this != &other) {
        Stream::operator=(other);
        good = other.good;
        data = other.data;
        position = 0;
    }
    return *this;
}

MemoryStream::MemoryStream(MemoryStream&& other) noexcept
    : Stream(other), InputStream(other), OutputStream(other), data(std::move(other.data)) {
    other.data.clear();
    other.position = 0;
}

MemoryStream& MemoryStream::operator=(MemoryStream&& other) noexcept {
    if (this != &other) {
        Stream::operator=(other);
        good = other.good;
        data = std::move(other.data);
        position = 0;
        other.data.clear();
        other.position = 0;
    }
    return *this;
}

int32_t MemoryStream::Read(void* dst, uint32_t count) {
    if (position >= Length()) {
        good = false;
        return -1;
    }
    const uint32_t n = std::min(count, Length() - position);
    std::copy_n(data.begin() + position, n, static_cast<uint8_t*>(dst));
    position += n;
    good = n == count;
    return static_cast<int32_t>(n);
}

int32_t MemoryStream::Write(const void* src, uint32_t count) {
    // Lengths and positions are 32-bit: a stream never grows beyond them.
    if (count > std::numeric_limits<uint32_t>::max() - Length())
        return 0;
    const uint8_t* bytes = static_cast<const uint8_t*>(src);
    data.insert(data.end(), bytes, bytes + count);
    return static_cast<int32_t>(count);
}

bool MemoryStream::Seek(int32_t offset, SeekOrigin origin) {
    int64_t target = 0;
    switch (origin) {
    case SeekOrigin::Begin: target = offset; break;
    case SeekOrigin::Current: target = static_cast<int64_t>(position) + offset; break;
    case SeekOrigin::End: target = static_cast<int64_t>(Length()) - 1 + offset; break;
    default: return false;
    }
    if (target < 0 || target >= static_cast<int64_t>(Length()))
        return false;
    position = static_cast<uint32_t>(target);
    return true;
}

void MemoryStream::Resize(uint32_t size) {
    data.resize(size, 0);
    if (position > size)
        position = size == 0 ? 0 : size - 1;
}

bool MemoryStream::LoadFromFile(const std::string& path) {
    data.clear();
    position = 0;
    bool opened = false;
    return LoadFromFile(path, opened);
}

bool MemoryStream::LoadFromFile(const std::string& path, bool& opened) {
    // Directories open on some systems and report a meaningless size.
    opened = false;
    if (!platform::IsRegularFile(path))
        return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    opened = true;
    data.clear();
    position = 0;
    bool complete = false;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size >= 0 && static_cast<unsigned long>(size) <= std::numeric_limits<uint32_t>::max() &&
            std::fseek(file, 0, SEEK_SET) == 0) {
            data.resize(static_cast<size_t>(size));
            complete = std::fread(data.data(), 1, data.size(), file) == data.size();
        }
    }
    std::fclose(file);
    return complete;
}
