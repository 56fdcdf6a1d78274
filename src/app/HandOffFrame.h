#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// What a second start sends to the running Orvane, and what that one answers:
// the magic "ORV1", the number of strings, then each string as its length and
// its UTF-8 bytes (lengths and the count are 32-bit big-endian). Lengths keep
// every string whole, whatever characters it holds, line breaks included.
namespace HandOffFrame {

// Far above what a command line can hold (Linux allows 128 KiB per argument),
// low enough that a stray client cannot make the running instance hoard memory.
constexpr qsizetype maxFrameBytes = 8 * 1024 * 1024;

enum class Status {
    Incomplete, // a valid beginning: wait for more bytes
    Complete,
    Invalid, // not a frame, or larger than maxFrameBytes
};

struct Decoded
{
    Status status = Status::Incomplete;
    QStringList strings; // when Complete
    qsizetype frameBytes = 0; // when Complete: where the frame ends in the input
};

// Empty when the strings would not fit in maxFrameBytes.
QByteArray encode(const QStringList &strings);
// Reads the frame at the start of `bytes`; what follows it is left alone.
Decoded decode(QByteArrayView bytes);

} // namespace HandOffFrame
