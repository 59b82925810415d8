#pragma once
// MP3 streams as an ordinary encoder makes them: LAME, mono, at any sample
// rate it takes.
#include <lame/lame.h>

#include <cmath>
#include <vector>

namespace audiotest {

// A 440 Hz tone of the given number of frames, encoded at sampleRate; empty
// when the encoder refuses.
inline std::vector<unsigned char> lameMp3(int sampleRate, int frames)
{
    std::vector<short> pcm(static_cast<size_t>(frames));
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = static_cast<short>(8000 *
                                    std::sin(2 * M_PI * 440 * static_cast<double>(i) / sampleRate));
    std::vector<unsigned char> out;
    lame_t lame = lame_init();
    if (!lame)
        return out;
    lame_set_in_samplerate(lame, sampleRate);
    lame_set_out_samplerate(lame, sampleRate);
    lame_set_num_channels(lame, 1);
    lame_set_mode(lame, MONO);
    lame_set_write_id3tag_automatic(lame, 0);
    if (lame_init_params(lame) >= 0) {
        out.resize(pcm.size() * 5 / 4 + 2 * 7200);
        const int used = lame_encode_buffer(lame, pcm.data(), nullptr, frames, out.data(),
                                            static_cast<int>(out.size()));
        const int flushed = used < 0 ? -1
                                     : lame_encode_flush(lame, out.data() + used,
                                                         static_cast<int>(out.size()) - used);
        out.resize(used < 0 || flushed < 0 ? 0 : static_cast<size_t>(used + flushed));
    }
    lame_close(lame);
    return out;
}

} // namespace audiotest
