#include "LocalHttpServer.h"
#include "TestFiles.h"
#include "icons/FaviconAnalysis.h"
#include "icons/FaviconCache.h"
#include "icons/FaviconCandidates.h"
#include "icons/FaviconDecoder.h"
#include "icons/FaviconLoader.h"

#include <QNetworkAccessManager>
#include <QPainter>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

namespace {

QImage filled(int side, const QColor &color)
{
    QImage image(side, side, QImage::Format_RGBA8888);
    image.fill(color);
    return image;
}

// A PNG of any size that stays small: one bit per pixel, all one colour.
QByteArray largePng(int side)
{
    QImage image(side, side, QImage::Format_Mono);
    image.fill(0);
    return pngOf(image);
}

void appendLittleEndian(QByteArray &bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.append(char((value >> (8 * i)) & 0xff));
}

// An .ico file of one image, whose directory entry says 256 × 256 (the most
// one byte can say) whatever the image really is.
QByteArray icoHolding(const QByteArray &image)
{
    QByteArray ico;
    for (const quint32 field : {0, 1, 1}) // reserved, type icon, one image
        appendLittleEndian(ico, field, 2);
    ico.append(char(0)).append(char(0)).append(char(0)).append(char(0)); // 256 × 256, no palette
    appendLittleEndian(ico, 1, 2);  // planes
    appendLittleEndian(ico, 32, 2); // bits per pixel
    appendLittleEndian(ico, quint32(image.size()), 4);
    appendLittleEndian(ico, 22, 4); // the image follows the directory
    return ico + image;
}

// A bitmap's info header that claims `width` × `height` pixels, with no pixels after it.
QByteArray bitmapHeader(quint32 width, quint32 height)
{
    QByteArray header;
    for (const quint32 field : {40u, width, 2 * height}) // the height counts the mask too
        appendLittleEndian(header, field, 4);
    appendLittleEndian(header, 1, 2);
    appendLittleEndian(header, 32, 2);
    header.append(24, '\0');
    return header;
}

TEST(FaviconSources, CandidatesKeyAndLetter)
{
    const FaviconServices services{QUrl(QStringLiteral("http://127.0.0.1:1")), QUrl(QStringLiteral("http://127.0.0.1:2"))};
    const FaviconSources full = FaviconCandidates::sources(QStringLiteral("github"), QUrl(QStringLiteral("https://github.com/orvane?tab=1")),
                                                           QUrl(QStringLiteral("https://github.com/fav.png")), services);
    ASSERT_EQ(full.candidates.size(), 4);
    EXPECT_EQ(full.candidates.at(0), QUrl(QStringLiteral("https://github.com/fav.png")));
    EXPECT_EQ(full.candidates.at(1), QUrl(QStringLiteral("https://github.com/apple-touch-icon.png")));
    EXPECT_EQ(full.candidates.at(2).toString(QUrl::FullyEncoded),
              QStringLiteral("http://127.0.0.1:1/faviconV2?client=SOCIAL&type=FAVICON&fallback_opts=TYPE,SIZE,URL"
                             "&url=https://github.com/orvane?tab=1&size=128"));
    EXPECT_EQ(full.candidates.at(3).toString(QUrl::FullyEncoded),
              QStringLiteral("http://127.0.0.1:2/s2/favicons?domain=github.com&sz=128"));
    EXPECT_EQ(full.cacheKey, QStringLiteral("https://github.com/fav.png"));
    EXPECT_EQ(full.initial, QStringLiteral("G"));

    const FaviconSources byHost = FaviconCandidates::sources(QString(), QUrl(QStringLiteral("https://example.com/a")), QUrl(), services);
    EXPECT_EQ(byHost.candidates.size(), 3);
    EXPECT_EQ(byHost.cacheKey, QStringLiteral("example.com"));
    EXPECT_EQ(byHost.initial, QStringLiteral("E"));

    const FaviconSources noHost = FaviconCandidates::sources(QStringLiteral("notes"), QUrl(QStringLiteral("about:blank")), QUrl(), services);
    EXPECT_TRUE(noHost.candidates.isEmpty());
    EXPECT_EQ(noHost.cacheKey, QStringLiteral("about:blank"));
    EXPECT_EQ(noHost.initial, QStringLiteral("N"));
    EXPECT_EQ(FaviconCandidates::sources(QString(), QUrl(), QUrl(), services).initial, QStringLiteral("W"));
    EXPECT_EQ(FaviconCandidates::sources(QStringLiteral("Tab"), QUrl(), QUrl(), services).cacheKey, QStringLiteral("Tab"));
}

TEST(FaviconAnalysisTest, FullBleedIconsFillTheTileWithTheirCornerColour)
{
    const FaviconAnalysis dark = FaviconAnalysis::analyze(filled(64, QColor(10, 30, 120)), 28);
    EXPECT_TRUE(dark.isFullBleed);
    EXPECT_TRUE(dark.isDarkBackground);
    EXPECT_EQ(dark.backgroundColor.rgb(), QColor(10, 30, 120).rgb());
    EXPECT_EQ(dark.image.size(), QSize(56, 56)) << "rendered at twice the point size";
    EXPECT_EQ(dark.image.pixelColor(28, 28).rgb(), QColor(10, 30, 120).rgb());
    EXPECT_EQ(dark.image.pixelColor(0, 0).alpha(), 0) << "the 16 px corner radius clips the corner";

    const FaviconAnalysis white = FaviconAnalysis::analyze(filled(64, Qt::white), 28);
    EXPECT_FALSE(white.isDarkBackground);
}

TEST(FaviconAnalysisTest, OtherIconsSitOnABackdropChosenByCoverage)
{
    // A thin glyph: a 2-pixel cross on a transparent 64 px square.
    QImage thin(64, 64, QImage::Format_RGBA8888);
    thin.fill(Qt::transparent);
    QPainter glyph(&thin);
    glyph.fillRect(31, 0, 2, 64, Qt::black);
    glyph.fillRect(0, 31, 64, 2, Qt::black);
    glyph.end();
    const FaviconAnalysis sparse = FaviconAnalysis::analyze(thin, 28);
    EXPECT_FALSE(sparse.isFullBleed);
    EXPECT_EQ(sparse.backgroundColor.alpha(), 0);
    EXPECT_EQ(sparse.image.pixelColor(28, 6).rgb(), QColor(32, 36, 44).rgb()) << "dark backdrop at 0.72";

    // A solid disc with transparent corners covers more than 45 % of its box.
    QImage disc(64, 64, QImage::Format_RGBA8888);
    disc.fill(Qt::transparent);
    QPainter round(&disc);
    round.setRenderHint(QPainter::Antialiasing);
    round.setBrush(QColor(200, 0, 0));
    round.setPen(Qt::NoPen);
    round.drawEllipse(0, 0, 64, 64);
    round.end();
    const FaviconAnalysis solid = FaviconAnalysis::analyze(disc, 28);
    EXPECT_FALSE(solid.isFullBleed);
    EXPECT_EQ(solid.image.pixelColor(28, 28).rgb(), QColor(200, 0, 0).rgb());
    EXPECT_EQ(solid.image.pixelColor(4, 28).red(), 200) << "at 1.16 the disc overflows the tile";
}

TEST(FaviconAnalysisTest, TrimsOnlyMarginsWiderThanFourPixels)
{
    const auto bordered = [](int border) {
        QImage image(32, 32, QImage::Format_RGBA8888);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.fillRect(border, border, 32 - 2 * border, 32 - 2 * border, QColor(0, 120, 0));
        return image;
    };
    // A 1-pixel transparent border keeps the whole image: its corners are clear, so not full-bleed.
    EXPECT_FALSE(FaviconAnalysis::analyze(bordered(1), 16).isFullBleed);
    // A 3-pixel border is trimmed away and the green square fills the tile.
    const FaviconAnalysis trimmed = FaviconAnalysis::analyze(bordered(3), 16);
    EXPECT_TRUE(trimmed.isFullBleed);
    EXPECT_EQ(trimmed.backgroundColor.rgb(), QColor(0, 120, 0).rgb());

    QImage clear(16, 16, QImage::Format_RGBA8888);
    clear.fill(Qt::transparent);
    const FaviconAnalysis nothing = FaviconAnalysis::analyze(clear, 16);
    EXPECT_EQ(nothing.image.size(), QSize(16, 16)) << "a fully clear icon is returned as it came";
    EXPECT_TRUE(nothing.isDarkBackground);
}

struct DecodeCase
{
    const char *name;
    std::function<QByteArray()> body;
    // The decoded size, or an invalid size for none.
    QSize expected;
};

class FaviconDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(FaviconDecoding, KeepsWithinTheBounds)
{
    const auto image = FaviconDecoder::decode(GetParam().body());
    if (!GetParam().expected.isValid()) {
        EXPECT_FALSE(image) << image.value_or(QImage()).width();
        return;
    }
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), GetParam().expected);
}

// .ico files report their directory's size (at most 256) but decode an
// embedded PNG at its own size: 5000 × 5000 was 95 MiB from a 110 kB icon.
INSTANTIATE_TEST_SUITE_P(
    Rows, FaviconDecoding,
    ::testing::Values(
        DecodeCase{"png", [] { return pngOf(filled(32, Qt::red)); }, QSize(32, 32)},
        DecodeCase{"png_at_the_bound", [] { return largePng(2048); }, QSize(2048, 2048)},
        DecodeCase{"png_beyond_the_bound", [] { return largePng(3000); }, QSize()},
        DecodeCase{"ico_with_a_small_png", [] { return icoHolding(pngOf(filled(64, Qt::blue))); }, QSize(64, 64)},
        DecodeCase{"ico_with_a_png_beyond_the_bound", [] { return icoHolding(largePng(3000)); }, QSize()},
        DecodeCase{"ico_with_a_bitmap_claiming_to_be_huge", [] { return icoHolding(bitmapHeader(30000, 30000)); }, QSize()},
        DecodeCase{"ico_cut_short", [] { return icoHolding(pngOf(filled(16, Qt::blue))).left(10); }, QSize()},
        DecodeCase{"body_over_a_mebibyte", [] { return pngOf(filled(16, Qt::red)) + QByteArray(1 << 20, '\0'); }, QSize()},
        DecodeCase{"not_an_image", [] { return QByteArray("GIF89a garbage"); }, QSize()}), rowName);

TEST(FaviconLoading, SkipsFailuresAndOversizedBodiesAndGivesNothingWhenAllFail)
{
    LocalHttpServer server;
    server.setReply(QStringLiteral("/missing.png"), {404, pngOf(filled(8, Qt::red)), "image/png", {}, 0});
    server.setReply(QStringLiteral("/page.png"), {200, "<html>not an icon</html>", "text/html", {}, 0});
    server.setReply(QStringLiteral("/huge.png"), {200, QByteArray(2 << 20, 'x'), "image/png", {}, 0});
    server.setReply(QStringLiteral("/giant.png"), {200, pngOf(filled(3000, Qt::blue)), "image/png", {}, 0});
    server.setReply(QStringLiteral("/giant.ico"), {200, icoHolding(largePng(3000)), "image/x-icon", {}, 0});
    server.setReply(QStringLiteral("/icon.png"), {200, pngOf(filled(32, QColor(10, 30, 120))), "image/png", {}, 0});

    FaviconSources sources;
    sources.cacheKey = QStringLiteral("loader-test");
    for (const char *path : {"/missing.png", "/page.png", "/huge.png", "/giant.png", "/giant.ico", "/icon.png"})
        sources.candidates.append(server.address().resolved(QUrl(QString::fromLatin1(path))));

    QNetworkAccessManager network;
    FaviconLoader loader(network);
    QSignalSpy finished(&loader, &FaviconLoader::finished);
    loader.load(sources, 28);
    ASSERT_TRUE(finished.wait(15000));
    const auto analysis = finished.first().first().value<std::optional<FaviconAnalysis>>();
    ASSERT_TRUE(analysis);
    EXPECT_EQ(analysis->backgroundColor.rgb(), QColor(10, 30, 120).rgb());
    EXPECT_EQ(server.requestCount(QStringLiteral("/giant.png")), 1);
    EXPECT_EQ(server.requestCount(QStringLiteral("/giant.ico")), 1);
    EXPECT_TRUE(server.lastRequest(QStringLiteral("/icon.png")).contains("User-Agent: Orvane/1.0 (Macintosh; Intel Mac OS X)"));
    EXPECT_TRUE(FaviconCache::shared().get(QStringLiteral("loader-test")));

    // Cached now: a second load answers without the network.
    FaviconLoader again(network);
    QSignalSpy cached(&again, &FaviconLoader::finished);
    again.load(sources, 28);
    EXPECT_EQ(cached.size(), 1);
    EXPECT_EQ(server.requestCount(QStringLiteral("/icon.png")), 1);

    FaviconSources failing{sources.candidates.mid(0, 5), QStringLiteral("nothing-test"), {}};
    FaviconLoader nothing(network);
    QSignalSpy none(&nothing, &FaviconLoader::finished);
    nothing.load(failing, 28);
    ASSERT_TRUE(none.wait(15000));
    EXPECT_FALSE(none.first().first().value<std::optional<FaviconAnalysis>>()) << "every candidate fails";
}

} // namespace
