// libFuzzer target over the frames a second start hands to the running
// Orvane: any bytes a local client sends must be read without crashing,
// hanging or hoarding memory, and a frame that reads as whole must read the
// same after being written out again.
#include "app/HandOffFrame.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const HandOffFrame::Decoded decoded = HandOffFrame::decode(bytes);
    if (decoded.status != HandOffFrame::Status::Complete)
        return 0;
    if (decoded.frameBytes > bytes.size())
        std::abort();
    // The socket delivers a frame in pieces: every beginning of it must ask for more.
    for (qsizetype cut : {qsizetype(0), decoded.frameBytes / 2, decoded.frameBytes - 1}) {
        if (cut >= 0 && HandOffFrame::decode(bytes.first(cut)).status != HandOffFrame::Status::Incomplete)
            std::abort();
    }
    const QByteArray written = HandOffFrame::encode(decoded.strings);
    // Bytes that are not UTF-8 read as U+FFFD and take more room written out.
    if (written.isEmpty())
        return 0;
    const HandOffFrame::Decoded reread = HandOffFrame::decode(written);
    if (reread.status != HandOffFrame::Status::Complete || reread.strings != decoded.strings
        || reread.frameBytes != written.size())
        std::abort();
    return 0;
}
