#include "engine/files/PakBuilder.h"

#include "engine/files/Compression.h"
#include "engine/files/MemoryStream.h"
#include "engine/files/PakArchive.h"
#include "engine/files/TemporaryFileName.h"
#include "engine/platform/DirectoryListing.h"

#include <cstdio>

namespace {

// Appends each file's gzip stream to blob and records where it lies.
bool CompressFiles(PakBuildEntries& entries, MemoryStream& blob) {
    for (const auto& entry : entries) {
        std::printf("%s\n", entry->path.c_str());
        entry->offset = blob.Length();
        MemoryStream contents;
        if (!contents.LoadFromFile(entry->path)) {
            std::printf("ERROR: ReadFileContents() failed.\n");
            return false;
        }
        if (!CompressToStream(contents.Data(), contents.Length(), blob)) {
            std::printf("ERROR: zlib_compress() failed.\n");
            return false;
        }
        entry->size = blob.Length() - entry->offset;
    }
    return true;
}

MemoryStream BuildFileList(const PakBuildEntries& entries) {
    MemoryStream list;
    list.WriteUInt32(static_cast<uint32_t>(entries.size()));
    for (const auto& entry : entries) {
        const std::string name = LowercasePakName(entry->path);
        list.WriteUInt32(static_cast<uint32_t>(name.size()));
        list.Write(name.data(), static_cast<uint32_t>(name.size()));
        list.WriteUInt32(entry->offset);
        list.WriteUInt32(entry->size);
    }
    return list;
}

bool WriteAll(std::FILE* file, const MemoryStream& stream) {
    if (stream.Length() == 0)
        return true;  // an empty vector may hand out no buffer at all
    return std::fwrite(stream.Data(), 1, stream.Length(), file) == stream.Length();
}

// Writes beside the output and swaps it in only when every byte is on disk,
// so a failed build never damages the archive that was there.
bool WriteArchive(const std::string& outputPath, const MemoryStream& header, const MemoryStream& blob) {
    const std::string temporaryPath = outputPath + ".tmp";
    std::FILE* file = std::fopen(temporaryPath.c_str(), "wb");
    if (!file)
        return false;
    const bool written = WriteAll(file, header) && WriteAll(file, blob);
    if (std::fclose(file) != 0 || !written) {
        std::printf("ERROR: fwrite() failed.\n");
        std::remove(temporaryPath.c_str());
        return false;
    }
    if (!platform::ReplaceFile(temporaryPath, outputPath)) {
        std::remove(temporaryPath.c_str());
        return false;
    }
    return true;
}

bool SameTarget(const platform::PathTarget& a, const platform::PathTarget& b) {
    return a.volume == b.volume && a.fileId == b.fileId;
}

void AddFile(PakBuildEntries& entries, const std::string& path, uint64_t size) {
    auto entry = std::make_unique<PakBuildEntry>();
    entry->path = path;
    entry->size = static_cast<uint32_t>(size);
    std::printf("%s\n", path.c_str());
    entries.push_back(std::move(entry));
}

// walking holds the directories from the root down to this one: links are
// followed, and one that leads back into any of them would never end.
void WalkDirectory(PakBuildEntries& entries, const std::string& directory, std::vector<platform::PathTarget>& walking);

void EnterDirectory(PakBuildEntries& entries, const std::string& directory, const platform::PathTarget& target,
                    std::vector<platform::PathTarget>& walking) {
    for (const platform::PathTarget& walked : walking) {
        if (SameTarget(walked, target)) {
            std::printf("WARNING: skipping '%s', a link back into a directory being walked.\n", directory.c_str());
            return;
        }
    }
    walking.push_back(target);
    WalkDirectory(entries, directory, walking);
    walking.pop_back();
}

void WalkDirectory(PakBuildEntries& entries, const std::string& directory, std::vector<platform::PathTarget>& walking) {
    std::vector<platform::DirectoryEntry> listing;
    if (!platform::ListDirectory(directory, listing))
        return;
    for (const platform::DirectoryEntry& item : listing) {
        if (item.name == "." || item.name == ".." || (!item.isDirectory && IsTemporaryFileName(item.name)))
            continue;
        const std::string path = directory + "/" + item.name;
        if (!item.isDirectory && !item.isLink) {
            AddFile(entries, path, item.size);
            continue;
        }
        platform::PathTarget target;
        if (!platform::DescribeTarget(path, target)) {
            // A dangling link stays a file: reading it fails the build.
            if (item.isDirectory)
                WalkDirectory(entries, path, walking);
            else
                AddFile(entries, path, item.size);
        } else if (target.isDirectory) {
            EnterDirectory(entries, path, target, walking);
        } else {
            AddFile(entries, path, target.size);
        }
    }
}

}

void EnumerateFiles(PakBuildEntries& entries, const std::string& directory) {
    std::vector<platform::PathTarget> walking;
    platform::PathTarget root;
    if (platform::DescribeTarget(directory, root))
        walking.push_back(root);
    WalkDirectory(entries, directory, walking);
}

bool BuildPak(PakBuildEntries& entries, const std::string& rootDirectory, const std::string& outputPath) {
    std::printf("PAK BUILDER\n\n");
    entries.clear();
    std::printf("Enumerating files...\n");
    EnumerateFiles(entries, rootDirectory);

    std::printf("\nCompressing files...\n");
    MemoryStream blob;
    if (!CompressFiles(entries, blob))
        return false;

    std::printf("\nBuilding file list...\n");
    const MemoryStream list = BuildFileList(entries);
    std::printf("Compressing file list...\n");
    MemoryStream packedList;
    if (!CompressToStream(list.Data(), list.Length(), packedList)) {
        std::printf("ERROR: zlib_compress() failed.\n");
        return false;
    }
    std::printf("Building header...\n");
    MemoryStream header;
    header.Write(kPakMagic, kPakMagicSize);
    header.WriteUInt32(packedList.Length());
    header.Write(packedList.Data(), packedList.Length());

    std::printf("Writing pak file...\n");
    if (!WriteArchive(outputPath, header, blob))
        return false;
    std::printf("\nFinished.\n");
    return true;
}
