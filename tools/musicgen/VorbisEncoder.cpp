#include "tools/musicgen/VorbisEncoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace {

const size_t kChunkFrames = 1024;

struct EncoderState {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool analysisReady = false;
    bool streamReady = false;

    EncoderState()
    {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~EncoderState()
    {
        if (streamReady)
            ogg_stream_clear(&stream);
        if (analysisReady) {
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
};

void AppendPage(const ogg_page& page, std::vector<unsigned char>& out)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

bool WriteHeaders(EncoderState& state, std::vector<unsigned char>& out)
{
    ogg_packet identification, comments, codebooks;
    if (vorbis_analysis_headerout(&state.dsp, &state.comment, &identification, &comments, &codebooks) != 0)
        return false;
    ogg_stream_packetin(&state.stream, &identification);
    ogg_stream_packetin(&state.stream, &comments);
    ogg_stream_packetin(&state.stream, &codebooks);
    // The audio must start on a page of its own.
    ogg_page page;
    while (ogg_stream_flush(&state.stream, &page) != 0)
        AppendPage(page, out);
    return true;
}

void DrainBlocks(EncoderState& state, std::vector<unsigned char>& out)
{
    while (vorbis_analysis_blockout(&state.dsp, &state.block) == 1) {
        vorbis_analysis(&state.block, nullptr);
        vorbis_bitrate_addblock(&state.block);
        ogg_packet packet;
        while (vorbis_bitrate_flushpacket(&state.dsp, &packet) == 1) {
            ogg_stream_packetin(&state.stream, &packet);
            ogg_page page;
            while (ogg_stream_pageout(&state.stream, &page) != 0)
                AppendPage(page, out);
        }
    }
}

void WriteSamples(EncoderState& state, const StereoBuffer& buffer, std::vector<unsigned char>& out)
{
    for (size_t start = 0; start < buffer.Frames(); start += kChunkFrames) {
        size_t frames = std::min(kChunkFrames, buffer.Frames() - start);
        float** channels = vorbis_analysis_buffer(&state.dsp, static_cast<int>(frames));
        std::copy_n(buffer.left.begin() + static_cast<long>(start), frames, channels[0]);
        std::copy_n(buffer.right.begin() + static_cast<long>(start), frames, channels[1]);
        vorbis_analysis_wrote(&state.dsp, static_cast<int>(frames));
        DrainBlocks(state, out);
    }
    vorbis_analysis_wrote(&state.dsp, 0);
    DrainBlocks(state, out);
    ogg_page page;
    while (ogg_stream_flush(&state.stream, &page) != 0)
        AppendPage(page, out);
}

}

bool VorbisEncoder::Encode(const StereoBuffer& buffer, int sampleRate, float quality, const std::string& title,
                           std::vector<unsigned char>& encoded)
{
    EncoderState state;
    if (vorbis_encode_init_vbr(&state.info, 2, sampleRate, quality) != 0)
        return false;
    vorbis_comment_add_tag(&state.comment, "TITLE", title.c_str());
    if (vorbis_analysis_init(&state.dsp, &state.info) != 0)
        return false;
    vorbis_block_init(&state.dsp, &state.block);
    state.analysisReady = true;
    ogg_stream_init(&state.stream, kStreamSerial);
    state.streamReady = true;
    encoded.clear();
    if (!WriteHeaders(state, encoded))
        return false;
    WriteSamples(state, buffer, encoded);
    return true;
}
