#include "app/HandOffFrame.h"

#include <gtest/gtest.h>

namespace {

using HandOffFrame::Status;

struct RoundTrip { const char *name; QStringList strings; };

class HandOffFrameRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(HandOffFrameRoundTrip, EveryStringComesBackWhole)
{
    const QByteArray frame = HandOffFrame::encode(GetParam().strings);
    ASSERT_FALSE(frame.isEmpty());
    const HandOffFrame::Decoded decoded = HandOffFrame::decode(frame);
    EXPECT_EQ(decoded.status, Status::Complete);
    EXPECT_EQ(decoded.strings, GetParam().strings);
    EXPECT_EQ(decoded.frameBytes, frame.size());
}

INSTANTIATE_TEST_SUITE_P(
    Strings, HandOffFrameRoundTrip,
    ::testing::Values(
        RoundTrip{"no_urls_asks_for_the_panel", {}},
        RoundTrip{"one_url", {QStringLiteral("orvane://toggle")}},
        RoundTrip{"a_line_break_inside_one_argument_stays_one_argument",
                  {QStringLiteral("orvane://toggle\norvane://open?url=http://127.0.0.1/x")}},
        RoundTrip{"carriage_returns_and_nul_bytes", {QStringLiteral("a\r\nb"), QString(QChar(0)) + QStringLiteral("c")}},
        RoundTrip{"empty_and_blank_arguments_keep_their_places",
                  {QString(), QStringLiteral("  "), QStringLiteral("orvane://pin")}},
        RoundTrip{"text_beyond_ascii", {QStringLiteral("orvane://shelf?text=café ✓ 日本 🚀")}}), rowName);

TEST(HandOffFrame, ArrivingInPiecesItWaitsForTheWholeFrameAndLeavesWhatFollowsAndNoFrameIsTooLarge)
{
    const QStringList strings{QStringLiteral("orvane://pin"), QStringLiteral("orvane://width?val=500")};
    const QByteArray frame = HandOffFrame::encode(strings);
    for (qsizetype length = 0; length < frame.size(); ++length)
        ASSERT_EQ(HandOffFrame::decode(QByteArrayView(frame).first(length)).status, Status::Incomplete) << length;
    const HandOffFrame::Decoded decoded = HandOffFrame::decode(frame + "ORV1 and more");
    EXPECT_EQ(decoded.status, Status::Complete);
    EXPECT_EQ(decoded.strings, strings);
    EXPECT_EQ(decoded.frameBytes, frame.size());

    QStringList large(8, QString(1024 * 1024, QLatin1Char('x')));
    EXPECT_TRUE(HandOffFrame::encode(large).isEmpty()) << "beyond the largest frame";
    large.removeLast();
    EXPECT_FALSE(HandOffFrame::encode(large).isEmpty());
}

struct Refused { const char *name; QByteArray bytes; };

class HandOffFrameRefusal : public ::testing::TestWithParam<Refused> {};

TEST_P(HandOffFrameRefusal, IsInvalidAtOnce)
{
    EXPECT_EQ(HandOffFrame::decode(GetParam().bytes).status, Status::Invalid);
}

QByteArray number(quint32 value)
{
    return QByteArray::fromHex(QByteArray::number(value, 16).rightJustified(8, '0'));
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, HandOffFrameRefusal,
    ::testing::Values(
        Refused{"lines_of_text_from_an_older_orvane", "orvane://toggle\n"},
        Refused{"a_wrong_first_byte", "X"}, Refused{"a_count_that_cannot_fit", "ORV1" + number(0xFFFFFFFFu)},
        Refused{"a_length_beyond_the_largest_frame", "ORV1" + number(1) + number(HandOffFrame::maxFrameBytes)},
        Refused{"a_length_that_wraps_around", "ORV1" + number(2) + number(0) + number(0xFFFFFFFFu)}), rowName);

} // namespace
