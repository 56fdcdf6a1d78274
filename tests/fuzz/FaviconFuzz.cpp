// libFuzzer target over a site's icon: any bytes a site serves are decoded
// under the icon bounds and, when they are an image, analysed into a tile.
#include "icons/FaviconAnalysis.h"
#include "icons/FaviconDecoder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto image = FaviconDecoder::decode(bytes);
    if (!image)
        return 0;
    if (image->width() > FaviconDecoder::maximumSide || image->height() > FaviconDecoder::maximumSide)
        std::abort();
    // The rail's tile: 28 points.
    FaviconAnalysis::analyze(*image, 28);
    return 0;
}
