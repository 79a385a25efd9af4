#pragma once

#include <string>

// Programs that save safely write ".<name>.tmp" beside the file and rename it
// over the file once every byte is written. Such a file is never content:
// the pak leaves it out and whoever watches the tree passes over it.

// Whether the last component of a path ('/' or '\\' separated) is such a
// temporary file: it starts with '.', ends with ".tmp" and names something
// in between.
bool IsTemporaryFileName(const std::string& path);

// The temporary file to write before replacing `path`: "data/sync/glow.track"
// gives "data/sync/.glow.track.tmp".
std::string TemporaryFileNameOf(const std::string& path);
