#pragma once

// The header's ready-made callback sets are unused here and would warn.
#ifndef OV_EXCLUDE_STATIC_CALLBACKS
#define OV_EXCLUDE_STATIC_CALLBACKS
#endif
#include <vorbis/vorbisfile.h>

// vorbisfile's reads over a MemoryStream given as the data source. Closing
// leaves the stream to its owner, who deletes it after the decoder is cleared.
extern const ov_callbacks kMemoryStreamCallbacks;
