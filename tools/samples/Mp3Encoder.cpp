#include "Mp3Encoder.h"

#include <lame/lame.h>

#include <algorithm>

namespace samples {

bool encodeMp3(const std::vector<float>& frames, int sampleRate, std::vector<unsigned char>& out)
{
    lame_t lame = lame_init();
    if (!lame)
        return false;
    lame_set_in_samplerate(lame, sampleRate);
    lame_set_out_samplerate(lame, sampleRate);
    lame_set_num_channels(lame, 1);
    lame_set_mode(lame, MONO);
    lame_set_brate(lame, 96);
    lame_set_quality(lame, 5);
    lame_set_bWriteVbrTag(lame, 1);
    lame_set_write_id3tag_automatic(lame, 0);
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        return false;
    }
    const int frameCount = static_cast<int>(frames.size());
    out.resize(static_cast<size_t>(1.25 * frameCount + 7200 + 7200));
    int used = lame_encode_buffer_ieee_float(lame, frames.data(), frames.data(), frameCount,
                                             out.data(), static_cast<int>(out.size()));
    int flushed =
        used < 0 ? -1
                 : lame_encode_flush(lame, out.data() + used, static_cast<int>(out.size()) - used);
    bool ok = used >= 0 && flushed >= 0;
    if (ok) {
        out.resize(static_cast<size_t>(used) + static_cast<size_t>(flushed));
        // The encoder left an empty first frame for the info tag: fill it in.
        unsigned char tag[2880];
        size_t tagSize = lame_get_lametag_frame(lame, tag, sizeof tag);
        ok = tagSize > 0 && tagSize <= sizeof tag && tagSize <= out.size();
        if (ok)
            std::copy(tag, tag + tagSize, out.begin());
    }
    lame_close(lame);
    return ok;
}

} // namespace samples
