#include "app/HandOffFrame.h"

#include <QtEndian>

#include <algorithm>
#include <cstdint>

namespace HandOffFrame {

namespace {
constexpr QByteArrayView magic("ORV1");
constexpr qsizetype numberBytes = sizeof(std::uint32_t);

void appendNumber(QByteArray &out, qsizetype value)
{
    char bytes[numberBytes];
    qToBigEndian(std::uint32_t(value), bytes);
    out.append(bytes, numberBytes);
}

std::uint32_t numberAt(QByteArrayView bytes, qsizetype offset)
{
    return qFromBigEndian<std::uint32_t>(bytes.data() + offset);
}
} // namespace

QByteArray encode(const QStringList &strings)
{
    QByteArray out(magic.data(), magic.size());
    appendNumber(out, strings.size());
    for (const QString &string : strings) {
        const QByteArray utf8 = string.toUtf8();
        if (out.size() + numberBytes + utf8.size() > maxFrameBytes)
            return {};
        appendNumber(out, utf8.size());
        out.append(utf8);
    }
    return out;
}

Decoded decode(QByteArrayView bytes)
{
    const qsizetype headerBytes = magic.size() + numberBytes;
    // A wrong beginning is refused at once rather than waited on.
    if (!magic.startsWith(bytes.first(std::min(bytes.size(), magic.size()))))
        return {Status::Invalid, {}, 0};
    if (bytes.size() < headerBytes)
        return {};
    const std::uint32_t count = numberAt(bytes, magic.size());
    // Every string costs at least its length field.
    if (count > std::uint32_t((maxFrameBytes - headerBytes) / numberBytes))
        return {Status::Invalid, {}, 0};

    Decoded decoded;
    decoded.strings.reserve(qsizetype(count));
    qsizetype offset = headerBytes;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (bytes.size() < offset + numberBytes)
            return {};
        const std::uint32_t length = numberAt(bytes, offset);
        offset += numberBytes;
        if (length > std::uint32_t(maxFrameBytes - offset))
            return {Status::Invalid, {}, 0};
        if (bytes.size() < offset + qsizetype(length))
            return {};
        decoded.strings.append(QString::fromUtf8(bytes.sliced(offset, qsizetype(length))));
        offset += qsizetype(length);
    }
    decoded.status = Status::Complete;
    decoded.frameBytes = offset;
    return decoded;
}

} // namespace HandOffFrame
