#include "CapturedWarnings.h"
#include "FakePorts.h"
#include "TestFiles.h"
#include "shelf/ByteCount.h"
#include "shelf/DropItem.h"
#include "shelf/DropShelfStorage.h"
#include "shelf/SampleDropShelf.h"
#include "shelf/TextStats.h"
#include "state/AppState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString readFile(const QUrl &url)
{
    return QString::fromUtf8(contentsOf(url.toLocalFile()));
}

QUrl makeFile(const QTemporaryDir &dir, const QString &name, qint64 size)
{
    EXPECT_TRUE(writeFile(dir.filePath(name), QByteArray(size, 'x')));
    return QUrl::fromLocalFile(dir.filePath(name));
}

TEST(DropItems, FilesAreImagesByExtensionAndCarryTheirSizeAndLinksShowTheirHostOrWholeAddress)
{
    QTemporaryDir dir;
    const DropItem photo = DropItem::fromUrl(makeFile(dir, QStringLiteral("Photo.JPG"), 2400000));
    EXPECT_EQ(photo.kind, DropItemKind::Image);
    EXPECT_EQ(photo.title, QStringLiteral("Photo.JPG"));
    EXPECT_EQ(photo.fileSizeString, QStringLiteral("2.4 MB"));
    EXPECT_FALSE(photo.textContent);

    const DropItem notes = DropItem::fromFileUrl(makeFile(dir, QStringLiteral("notes.txt"), 18000));
    EXPECT_EQ(notes.kind, DropItemKind::File);
    EXPECT_EQ(notes.fileSizeString, QStringLiteral("18 KB"));

    EXPECT_EQ(DropItem::fromFileUrl(makeFile(dir, QStringLiteral("archive"), 10)).kind, DropItemKind::File);

    const DropItem missing = DropItem::fromFileUrl(QUrl::fromLocalFile(dir.filePath(QStringLiteral("gone.png"))));
    EXPECT_EQ(missing.kind, DropItemKind::Image);
    EXPECT_EQ(missing.title, QStringLiteral("gone.png"));
    EXPECT_FALSE(missing.fileSizeString);

    const DropItem page = DropItem::fromUrl(QUrl(QStringLiteral("https://docs.example.com/guide/deep/page?x=1")));
    EXPECT_EQ(page.kind, DropItemKind::Url);
    EXPECT_EQ(page.title, QStringLiteral("docs.example.com"));
    EXPECT_EQ(page.fileSizeString, QStringLiteral("Web Link"));
    EXPECT_EQ(page.textContent, QStringLiteral("https://docs.example.com/guide/deep/page?x=1"));

    const DropItem mail = DropItem::fromUrl(QUrl(QStringLiteral("mailto:someone@example.com")));
    EXPECT_EQ(mail.title, QStringLiteral("mailto:someone@example.com"));
}

TEST(DropItems, ByteCountsUseDecimalUnits)
{
    const std::pair<qint64, const char *> rows[] = {
        {0, "0 bytes"}, {1, "1 byte"}, {999, "999 bytes"}, {1000, "1 KB"}, {18000, "18 KB"},
        {999600, "1 MB"}, {2000000, "2 MB"}, {2400000, "2.4 MB"}, {1250000000, "1.25 GB"},
    };
    for (const auto &[bytes, text] : rows)
        EXPECT_EQ(ByteCount::format(bytes), QString::fromLatin1(text)) << bytes;
}

TEST(DropItems, SnippetTitlesCountsAndFileNames)
{
    const DropItem blank = DropItem::fromText(QStringLiteral(" \n\t "));
    EXPECT_EQ(blank.title, QStringLiteral("Text Snippet"));
    EXPECT_EQ(blank.fileSizeString, QStringLiteral("0 words \u2022 4 chars"));
    EXPECT_EQ(QFileInfo(blank.fileURL->toLocalFile()).fileName(),
              QStringLiteral("Snippet_") + blank.id.toString(QUuid::WithoutBraces).toUpper().left(6) + QStringLiteral(".txt"));
    EXPECT_EQ(readFile(*blank.fileURL), QStringLiteral(" \n\t "));

    const QString longLine = QString(60, QLatin1Char('a'));
    EXPECT_EQ(DropItem::fromText(longLine + QStringLiteral("\nsecond")).title, QString(45, QLatin1Char('a')));

    const DropItem plan = DropItem::fromText(QStringLiteral("  Q3 plan: budget #2\nDetails follow here."));
    EXPECT_EQ(plan.title, QStringLiteral("Q3 plan: budget #2"));
    EXPECT_EQ(QFileInfo(plan.fileURL->toLocalFile()).fileName(), QStringLiteral("Q3_plan_budget_2.txt"));
    EXPECT_EQ(plan.fileSizeString, QStringLiteral("7 words \u2022 41 chars"));
    EXPECT_EQ(plan.kind, DropItemKind::Text);

    EXPECT_EQ(DropItem::fromText(QStringLiteral("word")).fileSizeString, QStringLiteral("1 word \u2022 4 chars"));
    // A skin-toned emoji is one character to a reader.
    EXPECT_EQ(DropItem::fromText(QStringLiteral("\U0001F44D\U0001F3FD ok")).fileSizeString,
              QStringLiteral("2 words \u2022 4 chars"));
    EXPECT_EQ(DropShelfStorage::snippetBaseName(QUuid::createUuid(), QStringLiteral("Über café — 日本語 notes and more")),
              QStringLiteral("Über_café_日本語_notes_"));
}

TEST(DropItems, SnippetsWithTheSameHeadingKeepTheirOwnText)
{
    const DropItem first = DropItem::fromText(QStringLiteral("Meeting notes\nfirst"));
    const DropItem second = DropItem::fromText(QStringLiteral("Meeting notes\nsecond"));
    EXPECT_NE(first.fileURL, second.fileURL);
    EXPECT_EQ(readFile(*first.fileURL), QStringLiteral("Meeting notes\nfirst"));
    EXPECT_EQ(readFile(*second.fileURL), QStringLiteral("Meeting notes\nsecond"));
    // Writing a snippet again lands in the same file.
    EXPECT_EQ(DropShelfStorage::saveTextSnippet(first.id, *first.textContent, first.title), first.fileURL);
    // No temporary files are left behind by the atomic writes.
    const QStringList files = QDir(DropShelfStorage::snippetsDirectory()).entryList(QDir::Files);
    for (const QString &name : files)
        EXPECT_TRUE(name.endsWith(QLatin1String(".txt"))) << name.toStdString();
}

TEST(DropItems, DragOutCarriesFileAndText)
{
    const DropItem snippet = DropItem::fromText(QStringLiteral("Drag me out"));
    std::unique_ptr<QMimeData> data(snippet.makeItemProvider());
    EXPECT_EQ(data->urls(), QList<QUrl>({*snippet.fileURL}));
    EXPECT_EQ(data->text(), QStringLiteral("Drag me out"));
    EXPECT_EQ(data->data(QStringLiteral("text/plain;charset=utf-8")), QByteArray("Drag me out"));

    const DropItem link = DropItem::fromUrl(QUrl(QStringLiteral("https://example.com/x")));
    data.reset(link.makeItemProvider());
    EXPECT_EQ(data->urls(), QList<QUrl>({QUrl(QStringLiteral("https://example.com/x"))}));
    EXPECT_EQ(data->text(), QStringLiteral("https://example.com/x"));

    DropItem placeholder;
    placeholder.title = QStringLiteral("design_mockup.png");
    data.reset(placeholder.makeItemProvider());
    EXPECT_FALSE(data->hasUrls());
    EXPECT_EQ(data->text(), QStringLiteral("design_mockup.png"));

    // A snippet whose file was deleted is written again for the drag.
    QFile::remove(snippet.fileURL->toLocalFile());
    data.reset(snippet.makeItemProvider());
    ASSERT_TRUE(data->hasUrls());
    EXPECT_EQ(readFile(data->urls().first()), QStringLiteral("Drag me out"));
    EXPECT_EQ(data->text(), QStringLiteral("Drag me out"));
}

struct LongNameCase
{
    const char *name;
    QString heading;
    // The user-perceived characters the file name keeps of the heading.
    qsizetype keptCharacters;
};

class SnippetNames : public ::testing::TestWithParam<LongNameCase> {};

// File systems refuse names over 255 bytes, and a letter with stacked
// combining marks is one character of many bytes.
TEST_P(SnippetNames, StayWithin255BytesAndTheTextIsWritten)
{
    const QString text = GetParam().heading + QStringLiteral("\nThe body.");
    const DropItem first = DropItem::fromText(text);
    const DropItem second = DropItem::fromText(text + QStringLiteral(" Another body."));
    for (const DropItem &item : {first, second}) {
        const QString fileName = QFileInfo(item.fileURL->toLocalFile()).fileName();
        EXPECT_LE(fileName.toUtf8().size(), 255) << fileName.toStdString();
        EXPECT_EQ(readFile(*item.fileURL), *item.textContent) << fileName.toStdString();
    }
    const QString baseName = DropShelfStorage::snippetBaseName(first.id, first.title);
    EXPECT_EQ(TextStats::characterCount(baseName), GetParam().keptCharacters) << baseName.toStdString();
    EXPECT_TRUE(GetParam().heading.startsWith(baseName));
}

QString stacked(QChar letter, int marks)
{
    QString character(letter);
    for (int i = 0; i < marks; ++i)
        character += QChar(0x0300 + i % 0x30);
    return character;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SnippetNames,
    ::testing::Values(
        // 20 characters of 25 bytes each: 9 of them fit in 244 bytes.
        LongNameCase{"stacked_combining_marks", stacked(u'e', 12).repeated(20), 9},
        // One character of 401 bytes: cut between its code points.
        LongNameCase{"one_character_longer_than_a_name", stacked(u'a', 200), 1},
        LongNameCase{"four_byte_letters", QString::fromUcs4(U"\U0001D400").repeated(20), 20},
        LongNameCase{"plain_letters", QStringLiteral("Meeting_notes_for_the_week"), 20}), rowName);

// Puts a file where the snippets folder belongs while it lives.
class SnippetsFolderIsAFile
{
public:
    SnippetsFolderIsAFile() : m_path(DropShelfStorage::snippetsDirectory())
    {
        QDir(m_path).removeRecursively();
        EXPECT_TRUE(writeFile(m_path, {}));
    }
    ~SnippetsFolderIsAFile()
    {
        QFile::remove(m_path);
        QDir().mkpath(m_path);
    }

private:
    QString m_path;
};

TEST(DropItems, ASnippetThatCannotBeWrittenStaysAsTextAndTheFirstFailureIsSaid)
{
    const SnippetsFolderIsAFile blocked;
    const CapturedWarnings warnings;
    const DropItem first = DropItem::fromText(QStringLiteral("Cannot be written"));
    const DropItem second = DropItem::fromText(QStringLiteral("Nor can this"));

    ASSERT_EQ(warnings.lines().size(), 1) << warnings.lines().join(QLatin1Char('\n')).toStdString();
    const QString line = warnings.lines().first();
    EXPECT_FALSE(line.contains(QLatin1Char('\n')));
    EXPECT_TRUE(line.contains(QStringLiteral("Cannot_be_written.txt"))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("stays on the shelf as text"))) << line.toStdString();

    // Still staged, with its text, and dragged out as text.
    EXPECT_EQ(second.textContent, QStringLiteral("Nor can this"));
    std::unique_ptr<QMimeData> data(first.makeItemProvider());
    EXPECT_FALSE(data->hasUrls());
    EXPECT_EQ(data->text(), QStringLiteral("Cannot be written"));
}

TEST(DropItems, ANameTheFileSystemRefusesGivesWayToTheIdName)
{
    const QString taken = DropShelfStorage::snippetsDirectory() + QStringLiteral("/Folder_in_the_way.txt");
    ASSERT_TRUE(QDir().mkpath(taken));
    const CapturedWarnings warnings;
    const DropItem item = DropItem::fromText(QStringLiteral("Folder in the way\nkeep me"));
    EXPECT_EQ(QFileInfo(item.fileURL->toLocalFile()).fileName(),
              QStringLiteral("Snippet_") + item.id.toString(QUuid::WithoutBraces).toUpper().left(6) + QStringLiteral(".txt"));
    EXPECT_EQ(readFile(*item.fileURL), QStringLiteral("Folder in the way\nkeep me"));
    EXPECT_TRUE(warnings.lines().isEmpty());
    QDir(taken).removeRecursively();
}

TEST(DropShelf, SampleItemsAreSeededOncePerAccount)
{
    FakePorts fakes;
    {
        AppState state(fakes.ports());
        state.content().setActiveItem(ActiveSidebarItem::scratchpad());
        seedSampleDropShelfIfNeeded(state.shelf(), fakes.store);
        ASSERT_EQ(state.shelf().items().size(), 3);
        EXPECT_EQ(state.content().activeItem(), ActiveSidebarItem::scratchpad()) << "seeding shows nothing";
        EXPECT_TRUE(QFile::exists(state.shelf().items().at(2).fileURL->toLocalFile())) << "the sample snippet's file";
        state.shelf().clearDropShelf();
    }
    AppState nextLaunch(fakes.ports());
    seedSampleDropShelfIfNeeded(nextLaunch.shelf(), fakes.store);
    EXPECT_TRUE(nextLaunch.shelf().items().isEmpty());
}

} // namespace
