// The drop shelf screen: what a drop stages, what a card copies and offers,
// keeping the shelf on disk, clearing it after a day, thumbnails, and the
// screen itself on the offscreen platform.
#include "FakePanelWorld.h"
#include "FakeWebPage.h"
#include "TestFiles.h"
#include "TitlesOf.h"
#include "shelf/DropIntake.h"
#include "shelf/DropShelfFile.h"
#include "shelf/DropShelfKeeper.h"
#include "shelf/DropShelfStorage.h"
#include "shelf/DropShelfView.h"
#include "shelf/DropStager.h"
#include "shelf/ShelfCard.h"
#include "shelf/StagedItemCardView.h"
#include "shelf/ThumbnailLoader.h"
#include "ui/RailTabButton.h"
#include "ui/SidebarDockView.h"
#include "ui/SymbolButton.h"
#include "ui/SymbolTextButton.h"
#include "web/HibernationEngine.h"

#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMimeData>
#include <QNetworkAccessManager>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Kind = DropItemKind;

QString writeFile(const QTemporaryDir &folder, const QString &name, const QByteArray &content)
{
    const QString path = folder.filePath(name);
    EXPECT_TRUE(writeFile(path, content));
    return path;
}

DropItem placeholder(const QString &title, const QDateTime &createdAt)
{
    DropItem item;
    item.id = QUuid::createUuid();
    item.title = title;
    item.kind = Kind::File;
    item.createdAt = createdAt;
    return item;
}

class DropShelfScreen : public FakePanelWorld
{
protected:
    QTemporaryDir folder;
    QString shelfFile = folder.filePath(QStringLiteral("shelf.json"));
};

struct IntakeRow
{
    const char *name;
    std::function<void(QMimeData &)> fill;
    QList<Kind> kinds;
    QStringList titles;
};

TEST_F(DropShelfScreen, WhatEachKindOfDropStages)
{
    const QString notes = writeFile(folder, QStringLiteral("notes.txt"), "Quarterly notes\nline two");
    const QString photo = writeFile(folder, QStringLiteral("Photo.JPG"), "not really a photo");
    const QString big = writeFile(folder, QStringLiteral("big.log"), QByteArray(DropIntake::maxSnippetFileBytes + 1, 'x'));
    const QString binary = writeFile(folder, QStringLiteral("blob.txt"), QByteArray("ab\0cd", 5));
    const QString missing = folder.filePath(QStringLiteral("gone.txt"));
    const QString empty = writeFile(folder, QStringLiteral("empty.txt"), " \n");
    const auto url = [](const QString &path) { return QUrl::fromLocalFile(path); };
    const QList<IntakeRow> rows = {
        {"file addresses are files, images by extension", [&](QMimeData &d) { d.setUrls({url(notes), url(photo)}); },
         {Kind::File, Kind::Image}, {"notes.txt", "Photo.JPG"}},
        {"other addresses are links", [](QMimeData &d) { d.setUrls({QUrl(QStringLiteral("https://docs.example.com/a/b"))}); },
         {Kind::Url}, {"docs.example.com"}},
        {"addresses win over text", [&](QMimeData &d) { d.setUrls({url(notes)}); d.setText(QStringLiteral("text")); },
         {Kind::File}, {"notes.txt"}},
        {"text/plain is a snippet", [](QMimeData &d) { d.setData(QStringLiteral("text/plain"), "Carry this"); },
         {Kind::Text}, {"Carry this"}},
        {"UTF-8 text alone is a snippet",
         [](QMimeData &d) { d.setData(QStringLiteral("text/plain;charset=utf-8"), "caf\xC3\xA9 au lait"); },
         {Kind::Text}, {"caf\u00E9 au lait"}},
        {"blank text stages nothing", [](QMimeData &d) { d.setText(QStringLiteral("  \n\t \n")); }, {}, {}},
        {"image data alone stages nothing", [](QMimeData &d) { d.setImageData(QImage(4, 4, QImage::Format_RGB32)); },
         {}, {}},
        {"a text file's address is its content", [&](QMimeData &d) { d.setText(url(notes).toString()); },
         {Kind::Text}, {"Quarterly notes"}},
        {"a large file's address is the file", [&](QMimeData &d) { d.setText(url(big).toString()); },
         {Kind::File}, {"big.log"}},
        {"a binary file's address is the file", [&](QMimeData &d) { d.setText(url(binary).toString() + "\n"); },
         {Kind::File}, {"blob.txt"}},
        {"a folder's address is the folder", [&](QMimeData &d) { d.setText(url(folder.path()).toString()); },
         {Kind::File}, {QFileInfo(folder.path()).fileName()}},
        {"an address with nothing there stays text", [&](QMimeData &d) { d.setText(url(missing).toString()); },
         {Kind::Text}, {url(missing).toString().left(45)}},
        {"an empty text file's address is the file", [&](QMimeData &d) { d.setText(url(empty).toString()); },
         {Kind::File}, {"empty.txt"}},
        {"mail addresses are links", [](QMimeData &d) { d.setUrls({QUrl(QStringLiteral("mailto:someone@example.com"))}); },
         {Kind::Url}, {"mailto:someone@example.com"}},
        {"addresses of other schemes are kept as text",
         [](QMimeData &d) {
             d.setUrls({QUrl(QStringLiteral("javascript:alert(1)")), QUrl(QStringLiteral("smb://server/share")),
                        QUrl(QStringLiteral("https:no-host"))});
         },
         {Kind::Text, Kind::Text, Kind::Text}, {"javascript:alert(1)", "smb://server/share", "https:no-host"}},
    };
    for (const IntakeRow &row : rows) {
        QMimeData data;
        row.fill(data);
        const QList<DropItem> items = DropIntake::load(DropIntake::requestsFrom(data));
        QList<Kind> kinds;
        QStringList titles;
        for (const DropItem &item : items) {
            kinds.append(item.kind);
            titles.append(item.title);
        }
        EXPECT_EQ(kinds, row.kinds) << row.name;
        EXPECT_EQ(titles, row.titles) << row.name;
    }
    QMimeData fileText;
    fileText.setText(url(notes).toString());
    EXPECT_EQ(DropIntake::load(DropIntake::requestsFrom(fileText)).first().textContent, QStringLiteral("Quarterly notes\nline two"));
}

TEST_F(DropShelfScreen, ADropIsStagedOffTheMainThreadInTheDragsOrderAndShowsTheShelf)
{
    const QString a = writeFile(folder, QStringLiteral("a.txt"), "a");
    const QString b = writeFile(folder, QStringLiteral("b.png"), "b");
    const QString c = writeFile(folder, QStringLiteral("c.pdf"), "c");
    state->content().setShowSettingsModal(true);
    DropStager stager(state->shelf());
    QMimeData three;
    three.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl::fromLocalFile(c)});
    EXPECT_TRUE(stager.stage(three));
    EXPECT_TRUE(state->shelf().items().isEmpty()) << "nothing is made while the drop is handled";
    ASSERT_TRUE(QTest::qWaitFor([&] { return state->shelf().items().size() == 3; }, 5000));
    EXPECT_EQ(titlesOf(state->shelf().items()), QStringList({"a.txt", "b.png", "c.pdf"}));
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::dropShelf());
    EXPECT_FALSE(state->content().showSettingsModal());
    EXPECT_EQ(stager.loadsInFlight(), 0);

    QMimeData image;
    image.setImageData(QImage(2, 2, QImage::Format_RGB32));
    EXPECT_FALSE(stager.stage(image));
}

TEST_F(DropShelfScreen, CopyPutsTextOrTheFileOrTheTitleOnTheClipboard)
{
    const QString report = writeFile(folder, QStringLiteral("report.pdf"), "pdf");
    const DropItem snippet = DropItem::fromText(QStringLiteral("Snippet text"));
    std::unique_ptr<QMimeData> data = ShelfCard::copyPayload(snippet);
    EXPECT_EQ(data->text(), QStringLiteral("Snippet text"));
    EXPECT_FALSE(data->hasUrls()) << "a snippet copies as its text, not its file";

    data = ShelfCard::copyPayload(DropItem::fromUrl(QUrl(QStringLiteral("https://example.com/x?y=1"))));
    EXPECT_EQ(data->text(), QStringLiteral("https://example.com/x?y=1"));

    data = ShelfCard::copyPayload(DropItem::fromFileUrl(QUrl::fromLocalFile(report)));
    EXPECT_EQ(data->urls(), QList<QUrl>({QUrl::fromLocalFile(report)}));
    EXPECT_EQ(data->data(QStringLiteral("x-special/gnome-copied-files")), "copy\n" + QUrl::fromLocalFile(report).toEncoded());
    EXPECT_EQ(data->text(), report);

    data = ShelfCard::copyPayload(placeholder(QStringLiteral("design_mockup.png"), {}));
    EXPECT_EQ(data->text(), QStringLiteral("design_mockup.png"));
    EXPECT_FALSE(data->hasUrls());
}

TEST_F(DropShelfScreen, CardsOfferOpenForLinksShowForFilesAndNothingWithoutAFile)
{
    const DropItem link = DropItem::fromUrl(QUrl(QStringLiteral("https://example.com")));
    const DropItem file = DropItem::fromFileUrl(QUrl::fromLocalFile(writeFile(folder, QStringLiteral("x.png"), "x")));
    const DropItem snippet = DropItem::fromText(QStringLiteral("words"));
    const DropItem sample = placeholder(QStringLiteral("api_spec.json"), {});
    EXPECT_EQ(ShelfCard::linkAction(link), ShelfCard::LinkAction::Open);
    EXPECT_EQ(ShelfCard::linkAction(DropItem::fromUrl(QUrl(QStringLiteral("mailto:a@example.com")))),
              ShelfCard::LinkAction::Open);
    // A shelf saved before links were checked may hold any scheme: the card
    // keeps the record but never hands such an address to the desktop.
    for (const char *address : {"javascript:alert(1)", "smb://server/share", "steam://run/1"}) {
        DropItem old = placeholder(QString::fromLatin1(address), {});
        old.kind = Kind::Url;
        old.fileURL = QUrl(QString::fromLatin1(address));
        old.textContent = old.fileURL->toString();
        EXPECT_EQ(ShelfCard::linkAction(old), ShelfCard::LinkAction::None) << address;
    }
    EXPECT_EQ(ShelfCard::linkAction(file), ShelfCard::LinkAction::Reveal);
    EXPECT_EQ(ShelfCard::linkAction(snippet), ShelfCard::LinkAction::Reveal);
    EXPECT_EQ(ShelfCard::linkAction(sample), ShelfCard::LinkAction::None);
    EXPECT_TRUE(ShelfCard::showsThumbnail(file));
    EXPECT_FALSE(ShelfCard::showsThumbnail(link));
}

TEST_F(DropShelfScreen, TheShelfFileKeepsEveryFieldOfEveryRecord)
{
    QList<DropItem> items = {
        DropItem::fromText(QStringLiteral("Keep this \u2014 with \"quotes\"\nand lines")),
        DropItem::fromUrl(QUrl(QStringLiteral("https://example.com/a b?q=\u00E9"))),
        DropItem::fromFileUrl(QUrl::fromLocalFile(writeFile(folder, QStringLiteral("x y.png"), "x"))),
        placeholder(QStringLiteral("api_spec.json"), fakes.clock.now()),
    };
    items[3].fileSizeString = QStringLiteral("18 KB");
    DropShelfFile file(shelfFile);
    ASSERT_TRUE(file.save(items));
    EXPECT_EQ(DropShelfFile(shelfFile).load(), items);
    EXPECT_TRUE(DropShelfFile(folder.filePath(QStringLiteral("none.json"))).load().isEmpty());
}

TEST_F(DropShelfScreen, TheKeeperReadsTheShelfAtStartAndWritesEveryChange)
{
    const DropItem a = DropItem::fromText(QStringLiteral("A")), b = DropItem::fromText(QStringLiteral("B"));
    {
        DropShelfKeeper keeper(state->shelf(), fakes.clock, shelfFile);
        state->shelf().addDropItems({a});
        state->shelf().addDropItems({b});
        EXPECT_EQ(DropShelfFile(shelfFile).load(), QList<DropItem>({b, a}));
        state->shelf().removeDropItem(b.id);
        EXPECT_EQ(DropShelfFile(shelfFile).load(), QList<DropItem>({a}));
    }
    AppState nextRun(fakes.ports());
    const DropItem early = DropItem::fromText(QStringLiteral("staged before the file was read"));
    nextRun.shelf().addDropItems({early});
    DropShelfKeeper keeper(nextRun.shelf(), fakes.clock, shelfFile);
    EXPECT_EQ(nextRun.shelf().items(), QList<DropItem>({early, a}));
}

TEST_F(DropShelfScreen, RecordsClearAfterTwentyFourHoursWithTheirSnippetsButNeverTheUsersFiles)
{
    const QDateTime now = fakes.clock.now();
    const QString usersFile = writeFile(folder, QStringLiteral("mine.txt"), "mine");
    DropItem fresh = DropItem::fromText(QStringLiteral("Fresh snippet"));
    fresh.createdAt = now.addSecs(-(23 * 3600 + 59 * 60));
    DropItem stale = DropItem::fromText(QStringLiteral("Stale snippet"));
    stale.createdAt = now.addSecs(-(24 * 3600 + 60));
    DropItem staleFile = DropItem::fromFileUrl(QUrl::fromLocalFile(usersFile));
    staleFile.createdAt = stale.createdAt;
    DropShelfFile(shelfFile).save({fresh, stale, staleFile});

    DropShelfKeeper keeper(state->shelf(), fakes.clock, shelfFile);
    EXPECT_EQ(state->shelf().items(), QList<DropItem>({fresh})) << "at start-up";
    EXPECT_FALSE(QFile::exists(stale.fileURL->toLocalFile())) << "Orvane's snippet goes with its record";
    EXPECT_TRUE(QFile::exists(usersFile)) << "the user's file stays";
    EXPECT_TRUE(QFile::exists(fresh.fileURL->toLocalFile()));
    EXPECT_EQ(DropShelfFile(shelfFile).load(), QList<DropItem>({fresh}));

    fakes.clock.advance(60);
    EXPECT_EQ(state->shelf().items().size(), 1) << "23:59 plus a minute is 24:00, not more";
    fakes.clock.advance(60);
    EXPECT_TRUE(state->shelf().items().isEmpty()) << "the minute's sweep";
    EXPECT_FALSE(QFile::exists(fresh.fileURL->toLocalFile()));
}

TEST_F(DropShelfScreen, ASnippetFileSharedWithAKeptRecordStays)
{
    DropItem old = DropItem::fromText(QStringLiteral("Same words"));
    old.createdAt = fakes.clock.now().addDays(-2);
    const DropItem again = DropItem::fromText(QStringLiteral("Same words"));
    ASSERT_EQ(old.fileURL, again.fileURL);
    DropShelfFile(shelfFile).save({again, old});
    DropShelfKeeper keeper(state->shelf(), fakes.clock, shelfFile);
    EXPECT_EQ(state->shelf().items(), QList<DropItem>({again}));
    EXPECT_TRUE(QFile::exists(again.fileURL->toLocalFile()));
}

TEST_F(DropShelfScreen, AnUnreadableShelfFileIsSetAsideNotOverwritten)
{
    const QByteArray garbage = "[{\"id\": \"not json";
    writeFile(folder, QStringLiteral("shelf.json"), garbage);
    {
        DropShelfKeeper keeper(state->shelf(), fakes.clock, shelfFile);
        EXPECT_TRUE(state->shelf().items().isEmpty());
        ASSERT_FALSE(keeper.file().setAsidePath().isEmpty());
        EXPECT_EQ(contentsOf(keeper.file().setAsidePath()), garbage);
        state->shelf().addDropItems({DropItem::fromText(QStringLiteral("new"))});
        EXPECT_EQ(DropShelfFile(shelfFile).load().size(), 1);
    }

    // One bad record: the good ones stay on the shelf, the whole file is kept aside.
    QTemporaryDir other;
    const QString path = other.filePath(QStringLiteral("shelf.json"));
    const DropItem good = DropItem::fromText(QStringLiteral("good"));
    QByteArray mixed = DropShelfFile::encode({good});
    mixed.replace("]", ",{\"id\":\"X\",\"kind\":\"Hologram\"}]");
    writeFile(other, QStringLiteral("shelf.json"), mixed);
    AppState nextRun(fakes.ports());
    DropShelfKeeper keeper(nextRun.shelf(), fakes.clock, path);
    EXPECT_EQ(nextRun.shelf().items(), QList<DropItem>({good}));
    EXPECT_EQ(contentsOf(keeper.file().setAsidePath()), mixed);
    EXPECT_EQ(DropShelfFile(path).load(), QList<DropItem>({good})) << "what could be read is written anew";
}

TEST_F(DropShelfScreen, ThumbnailsAreSmallSquaresAndBadOrHugeImagesGiveNone)
{
    QImage wide(300, 100, QImage::Format_RGB32);
    wide.fill(Qt::red);
    const QString photo = writeFile(folder, QStringLiteral("wide.png"), pngOf(wide));
    const QImage thumbnail = ThumbnailLoader::decode(photo, 70);
    EXPECT_EQ(thumbnail.size(), QSize(70, 70));
    EXPECT_EQ(thumbnail.pixelColor(35, 35), QColor(Qt::red));

    EXPECT_TRUE(ThumbnailLoader::decode(writeFile(folder, QStringLiteral("broken.png"), "\x89PNG garbage"), 70).isNull());

    // A header that claims 40,000 × 40,000 pixels (6.4 GB decoded), and no data.
    QByteArray huge = pngOf(QImage(1, 1, QImage::Format_RGB32)).left(33);
    const char side[] = {0, 0, char(0x9C), 0x40};
    huge.replace(16, 4, side, 4);
    huge.replace(20, 4, side, 4);
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(ThumbnailLoader::decode(writeFile(folder, QStringLiteral("huge.png"), huge), 70).isNull());
    EXPECT_LT(timer.elapsed(), 2000);

    ThumbnailLoader loader;
    QObject receiver;
    QImage delivered;
    loader.request(photo, 35, &receiver, [&](const QImage &image) { delivered = image; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !delivered.isNull(); }, 5000));
    delivered = {};
    loader.request(photo, 35, &receiver, [&](const QImage &image) { delivered = image; });
    EXPECT_FALSE(delivered.isNull()) << "a picture asked for again comes at once";
}

class ShelfScreenView : public DropShelfScreen
{
protected:
    void open()
    {
        view = std::make_unique<DropShelfView>(*state, *panel, fakes.store, fakes.clock);
        view->resize(440, 800);
        view->show();
        QCoreApplication::processEvents();
    }
    template<typename Button>
    static Button *button(const QWidget *parent, const QString &name)
    {
        for (Button *candidate : parent->findChildren<Button *>()) {
            if (candidate->accessibleName() == name)
                return candidate;
        }
        return nullptr;
    }
    QStringList cardTitles() const
    {
        QStringList titles;
        for (const StagedItemCardView *card : view->cards())
            titles.append(card->item().title);
        return titles;
    }

    std::unique_ptr<DropShelfView> view;
};

TEST_F(ShelfScreenView, TheFirstAppearanceSeedsTheSamplesAndTheCaptionCounts)
{
    open();
    EXPECT_EQ(cardTitles(), QStringList({"design_mockup.png", "api_spec.json", "Keep it here. Carry it into your next thought"}));
    EXPECT_EQ(view->captionText(), QStringLiteral("3 ITEMS \u00B7 TODAY"));
    auto *clearAll = button<SymbolTextButton>(view.get(), QStringLiteral("Clear all"));
    ASSERT_TRUE(clearAll);
    EXPECT_TRUE(clearAll->isVisible());
    const QList<StagedItemCardView *> cards = view->cards();
    EXPECT_FALSE(button<SymbolButton>(cards.at(0), QStringLiteral("Show in file manager"))) << "a sample has no file";
    EXPECT_TRUE(button<SymbolButton>(cards.at(2), QStringLiteral("Show in file manager")));

    clearAll->click();
    EXPECT_TRUE(view->cards().isEmpty());
    EXPECT_EQ(view->captionText(), QStringLiteral("0 ITEMS \u00B7 TODAY"));
    EXPECT_FALSE(clearAll->isVisible());
    EXPECT_TRUE(button<SymbolTextButton>(view.get(), QStringLiteral("Choose files"))->isVisible());
    state->shelf().addDropItems({DropItem::fromText(QStringLiteral("one"))});
    EXPECT_EQ(view->captionText(), QStringLiteral("1 ITEM \u00B7 TODAY"));
}

TEST_F(ShelfScreenView, CardsFollowTheShelfAndAreMadeOnlyForNewRecords)
{
    fakes.store.setBool(QStringLiteral("Orvane_hasSeededSampleDropShelf"), true);
    open();
    const DropItem a = DropItem::fromText(QStringLiteral("A")), b = DropItem::fromText(QStringLiteral("B"));
    state->shelf().addDropItems({a});
    StagedItemCardView *first = view->cards().value(0);
    state->shelf().addDropItems({b});
    EXPECT_EQ(cardTitles(), QStringList({"B", "A"}));
    EXPECT_EQ(view->cards().at(1), first);

    button<SymbolButton>(view->cards().at(0), QStringLiteral("Remove from shelf"))->click();
    EXPECT_EQ(cardTitles(), QStringList({"A"}));
    EXPECT_TRUE(QFile::exists(b.fileURL->toLocalFile())) << "removing keeps the file";
}

TEST_F(ShelfScreenView, TheCopyButtonSaysCopiedForOnePointEightSeconds)
{
    fakes.store.setBool(QStringLiteral("Orvane_hasSeededSampleDropShelf"), true);
    state->shelf().addDropItems({DropItem::fromText(QStringLiteral("Copy me"))});
    open();
    auto *copy = button<SymbolTextButton>(view->cards().at(0), QStringLiteral("Copy content to clipboard"));
    copy->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Copy me"));
    EXPECT_EQ(copy->text(), QStringLiteral("Copied"));
    fakes.clock.advance(1.7);
    EXPECT_EQ(copy->text(), QStringLiteral("Copied"));
    fakes.clock.advance(0.1);
    EXPECT_EQ(copy->text(), QString());
}

// A drop is offered to the screen or to the rail's shelf button as a drag
// from another application offers it; answers whether it was taken.
bool dropOn(QWidget *target, const QMimeData &data)
{
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted()) << "hovering is welcome";
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

TEST_F(ShelfScreenView, TheScreenAndTheRailButtonKeepADropsOrderAndRefuseADropThatStagesNothing)
{
    fakes.store.setBool(QStringLiteral("Orvane_hasSeededSampleDropShelf"), true);
    open();
    FakeWebPageFactory pages;
    HibernationEngine engine(*state, fakes.clock, pages);
    QNetworkAccessManager network;
    SidebarDockView rail(*state, engine, network);
    QWidget *railButton = nullptr;
    for (RailTabButton *button : rail.findChildren<RailTabButton *>()) {
        if (button->title() == QStringLiteral("Drop Shelf"))
            railButton = button;
    }
    ASSERT_TRUE(railButton);
    QList<QUrl> files;
    for (const char *name : {"a.txt", "b.png", "c.pdf"})
        files.append(QUrl::fromLocalFile(writeFile(folder, QString::fromLatin1(name), "x")));

    const std::pair<const char *, QWidget *> targets[] = {{"the screen", view.get()}, {"the rail button", railButton}};
    for (const auto &[where, target] : targets) {
        state->shelf().setItems({placeholder(QStringLiteral("older"), fakes.clock.now())});
        QMimeData three;
        three.setUrls(files);
        EXPECT_TRUE(dropOn(target, three)) << where;
        EXPECT_TRUE(QTest::qWaitFor([this] { return state->shelf().items().size() == 4; }, 5000));
        EXPECT_EQ(cardTitles(), QStringList({"a.txt", "b.png", "c.pdf", "older"})) << where;

        QMimeData image;
        image.setImageData(QImage(2, 2, QImage::Format_RGB32));
        QMimeData blank;
        blank.setText(QStringLiteral(" \n\t"));
        EXPECT_FALSE(dropOn(target, image)) << where;
        EXPECT_FALSE(dropOn(target, blank)) << where;
    }
}

} // namespace
