#include "tools/lib/OggWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace tools {

namespace {

bool fPut(std::FILE* f, const ogg_page& page) {
    return std::fwrite(page.header, 1, page.header_len, f) == static_cast<size_t>(page.header_len) &&
           std::fwrite(page.body, 1, page.body_len, f) == static_cast<size_t>(page.body_len);
}

}  // namespace

bool OggWriter::fWrite(const std::string& path, const std::vector<float>& stereo, int rate, float quality) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 2, rate, quality) != 0) {
        vorbis_info_clear(&vi);
        return false;
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        vorbis_info_clear(&vi);
        return false;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 0x4E4F4E4F);  // fixed serial: equal input, equal bytes
    ogg_packet header, comment, code;
    vorbis_analysis_headerout(&vd, &vc, &header, &comment, &code);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comment);
    ogg_stream_packetin(&os, &code);
    ogg_page page;
    bool ok = true;
    while (ogg_stream_flush(&os, &page) != 0) ok = ok && fPut(f, page);

    const size_t frames = stereo.size() / 2;
    size_t done = 0;
    bool eos = false;
    while (!eos) {
        const int chunk = static_cast<int>(std::min<size_t>(4096, frames - done));
        if (chunk > 0) {
            float** buffer = vorbis_analysis_buffer(&vd, chunk);
            for (int i = 0; i < chunk; ++i) {
                buffer[0][i] = stereo[(done + i) * 2];
                buffer[1][i] = stereo[(done + i) * 2 + 1];
            }
            vorbis_analysis_wrote(&vd, chunk);
            done += static_cast<size_t>(chunk);
        } else {
            vorbis_analysis_wrote(&vd, 0);
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet)) {
                ogg_stream_packetin(&os, &packet);
                while (!eos && ogg_stream_pageout(&os, &page) != 0) {
                    ok = ok && fPut(f, page);
                    if (ogg_page_eos(&page)) eos = true;
                }
            }
        }
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

}  // namespace tools
