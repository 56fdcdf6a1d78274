// The scratchpad and the drop shelf on a real X server: typing through
// XTest, drags from and to other programs, the file manager over D-Bus, and
// a real Orvane killed while its note is being written.
#include "DragSourceProcess.h"
#include "EventLoopWait.h"
#include "InProcessOrvane.h"
#include "OrvaneProcess.h"
#include "TestFiles.h"
#include "panel/PanelWindow.h"
#include "platform/qt/QtWebPage.h"
#include "scratchpad/AnswerColumnView.h"
#include "scratchpad/LiveNoteEditor.h"
#include "scratchpad/ScratchpadNote.h"
#include "scratchpad/ScratchpadView.h"
#include "shelf/DropShelfFile.h"
#include "shelf/DropShelfView.h"
#include "shelf/StagedItemCardView.h"
#include "state/AppState.h"
#include "ui/MainContainerView.h"
#include "ui/RailTabButton.h"
#include "ui/SymbolButton.h"
#include "web/HibernationEngine.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDesktopServices>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

namespace {

// A file manager on the test's session bus that notes what it is asked to show.
class FakeFileManager final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList shown;

public Q_SLOTS:
    void ShowItems(const QStringList &uris, const QString &) { shown += uris; }
};

// Catches what Orvane hands to the desktop to open.
class OpenedUrls final : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

class NotesAndShelf : public ::testing::Test
{
protected:
    AppState &state() const { return orvane.state(); }
    PanelWindow &window() const { return orvane.window(); }
    ScratchpadView &scratchpad() const { return *window().findChild<ScratchpadView *>(); }
    DropShelfView &shelf() const { return *window().findChild<DropShelfView *>(); }
    QString lastLine() const { return scratchpad().editor().toPlainText().section(QLatin1Char('\n'), -1); }
    // What a screen reader reads in the answer column.
    QStringList columnNames() const
    {
        QStringList names;
        QAccessibleInterface *column = QAccessible::queryAccessibleInterface(&scratchpad().editor().answerColumn());
        for (int i = 0; column && i < column->childCount(); ++i)
            names.append(column->child(i)->text(QAccessible::Name));
        return names;
    }

    void showShelf()
    {
        state().content().setActiveItem(ActiveSidebarItem::dropShelf());
        spinUntil([this] { return shelf().isVisible(); });
        spinFor(300); // the cards' layout
    }

    InProcessOrvane orvane{{QStringLiteral("Page")}, {}, InProcessOrvane::Shelf::Empty};
};

TEST_F(NotesAndShelf, TypingAnswersSavesAndCtrlZTakesTheAnswerBackAStaleWrittenAnswerIsRewrittenAndTheHeaderDetaches)
{
    state().content().setActiveItem(ActiveSidebarItem::scratchpad());
    ASSERT_TRUE(spinUntil([this] { return scratchpad().isVisible(); }));
    click(&scratchpad().editor());
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+End"), QStringLiteral("Return")});
    xdotool({QStringLiteral("type"), QStringLiteral("2+2=")});
    EXPECT_TRUE(spinUntil([this] { return lastLine() == QStringLiteral("2+2= 4"); })) << lastLine().toStdString();
    EXPECT_TRUE(spinUntil([this] {
        return orvane.store.stringValue(ScratchpadNote::storageKey).value_or(QString()).endsWith(QLatin1String("\n2+2= 4"));
    }, 2000)) << "saved";
    pressKeys(QStringLiteral("ctrl+z"));
    EXPECT_TRUE(spinUntil([this] { return lastLine() == QStringLiteral("2+2="); })) << lastLine().toStdString();

    pressKeys(QStringLiteral("Return"));
    xdotool({QStringLiteral("type"), QStringLiteral("3*2")});
    EXPECT_TRUE(spinUntil([this] { return columnNames().contains(QStringLiteral("Line 21: 6")); }))
        << columnNames().join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(scratchpad().editor().toPlainText().contains(QLatin1String("3*2 ")))
        << "the column's answer is not in the text";

    for (const char *line : {"rent = 1250", "rent + 5 ="}) {
        pressKeys(QStringLiteral("Return"));
        xdotool({QStringLiteral("type"), QString::fromLatin1(line)});
    }
    ASSERT_TRUE(spinUntil([this] { return lastLine() == QStringLiteral("rent + 5 = 1255"); })) << lastLine().toStdString();
    EXPECT_FALSE(columnNames().join(QLatin1Char('|')).contains(QLatin1String("Line 23"))) << "a current written answer";

    xdotool({QStringLiteral("key"), QStringLiteral("Up"), QStringLiteral("End"), QStringLiteral("BackSpace"),
             QStringLiteral("BackSpace")});
    xdotool({QStringLiteral("type"), QStringLiteral("60")});
    EXPECT_TRUE(spinUntil([this] { return columnNames().contains(QStringLiteral("Line 23: 1265, was 1255")); }))
        << columnNames().join(QLatin1Char('|')).toStdString();
    const AnswerColumn::Answer *stale = scratchpad().answers().answerOn(22);
    ASSERT_TRUE(stale);
    EXPECT_EQ(stale->staleText(), QStringLiteral("Was 1255, now 1265"));
    const QList<QTextEdit::ExtraSelection> tinted = scratchpad().editor().extraSelections();
    EXPECT_TRUE(std::any_of(tinted.cbegin(), tinted.cend(), [](const QTextEdit::ExtraSelection &mark) {
        return mark.cursor.selectedText() == QStringLiteral("1255");
    })) << "the written answer is tinted";

    pressKeys(QStringLiteral("ctrl+shift+u"));
    EXPECT_TRUE(spinUntil([this] { return lastLine() == QStringLiteral("rent + 5 = 1265"); })) << lastLine().toStdString();
    EXPECT_TRUE(spinUntil([this] { return !scratchpad().answers().answerOn(22); })) << "current again";
    pressKeys(QStringLiteral("ctrl+z"));
    EXPECT_TRUE(spinUntil([this] { return lastLine() == QStringLiteral("rent + 5 = 1255"); })) << lastLine().toStdString();

    // The scratchpad's header, like the others, detaches the panel.
    movePointer(scratchpad().mapToGlobal(QPoint(40, 30)));
    xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("1")});
    EXPECT_TRUE(spinUntil([this] { return state().settings().values().panelCustomHeight.has_value(); }));
}

TEST_F(NotesAndShelf, FilesAndTextDraggedFromAnotherProgramAreStagedAndImageDataAloneIsRefused)
{
    showShelf();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.txt"));
    ASSERT_TRUE(writeFile(path, "quarterly numbers"));

    // What the drag's source was told: "copy" when the drop was taken, "ignore" when refused.
    const auto dragFrom = [this](const QStringList &what) {
        DragSourceProcess source(what);
        EXPECT_TRUE(source.isReady());
        const QPoint target = centerOf(&shelf());
        source.dragOver(target.x(), target.y());
        EXPECT_TRUE(spinUntil([this] { return shelf().isTargeted(); }, 3000)) << "the overlay shows while hovering";
        xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
        spinUntil([this] { return !shelf().isTargeted(); }, 3000);
        spinUntil([&] { return !source.result().isEmpty(); }, 5000);
        return source.result();
    };

    EXPECT_EQ(dragFrom({QStringLiteral("--file"), path}), QStringLiteral("copy"));
    EXPECT_TRUE(spinUntil([&] {
        const auto &items = state().shelf().items();
        return !items.isEmpty() && items.first().fileURL == QUrl::fromLocalFile(path);
    }));
    EXPECT_EQ(dragFrom({QStringLiteral("--text"), QStringLiteral("Dragged words to keep")}), QStringLiteral("copy"));
    EXPECT_TRUE(spinUntil([&] {
        const auto &items = state().shelf().items();
        return !items.isEmpty() && items.first().textContent == QStringLiteral("Dragged words to keep");
    }));
    EXPECT_EQ(dragFrom({QStringLiteral("--image")}), QStringLiteral("ignore")) << "a drop that stages nothing is refused";
    EXPECT_EQ(shelf().cards().size(), 2);
}

// This process is the drag's source and waits in the drag's own event loop
// until the drop, so the pointer is driven from another process: it presses
// on the card, glides through each stop (waiting there as long as it says) and
// lets go at the last.
QProcess *dragCard(const StagedItemCardView &card, const QList<std::pair<QPoint, double>> &stops)
{
    QPoint at = card.mapToGlobal(QPoint(card.width() / 2 - 40, card.height() / 2));
    QStringList steps = {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()), QStringLiteral("mousedown"),
                         QStringLiteral("1")};
    for (const auto &[stop, wait] : stops) {
        const QPoint from = at;
        for (int i = 1; i <= 30; ++i) {
            at = from + (stop - from) * i / 30;
            steps << QStringLiteral("sleep") << QStringLiteral("0.03") << QStringLiteral("mousemove") << QString::number(at.x())
                  << QString::number(at.y());
        }
        steps << QStringLiteral("sleep") << QString::number(wait);
    }
    steps << QStringLiteral("mouseup") << QStringLiteral("1");
    auto *pointer = new QProcess;
    pointer->start(QStringLiteral("xdotool"), steps);
    return pointer;
}

TEST_F(NotesAndShelf, ACardDraggedOutDeliversItsFileAndText)
{
    QTemporaryDir folder;
    const QString output = folder.filePath(QStringLiteral("dropped.json"));
    const DropItem snippet = DropItem::fromText(QStringLiteral("Carry me out"));
    state().shelf().addDropItems({snippet});
    showShelf();
    QProcess target;
    target.start(QStringLiteral(ORVANE_DROP_TARGET), {QStringLiteral("100"), QStringLiteral("100"), output});
    ASSERT_TRUE(target.waitForStarted());
    spinFor(1500);

    ASSERT_TRUE(shelf().cards().value(0));
    const std::unique_ptr<QProcess> pointer(dragCard(*shelf().cards().value(0), {{QPoint(200, 180), 0.3}}));
    ASSERT_TRUE(spinUntil([&] { return QFile::exists(output); }, 10000)) << "nothing was dropped";
    spinUntil([&] { return pointer->state() == QProcess::NotRunning; }, 5000);
    target.kill();
    target.waitForFinished();

    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject carried = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(carried.value(QLatin1String("urls")).toArray(), QJsonArray({snippet.fileURL->toString()}));
    EXPECT_EQ(carried.value(QLatin1String("text")).toString(), QStringLiteral("Carry me out"));
}

// Held over a tab's rail button, the drag shows that tab; the page's drop
// zone gets the file as from a file manager.
TEST_F(NotesAndShelf, ACardHeldOverATabsButtonReachesThePagesDropZone)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("notes.bin"));
    ASSERT_TRUE(writeFile(path, QByteArray("card\0bytes", 10)));
    auto *page = dynamic_cast<QtWebPage *>(orvane.hibernation().existingWebView(state().tabs().tabs().at(0).id));
    ASSERT_TRUE(page);
    ASSERT_TRUE(spinUntil([&] { return !page->isLoading() && page->view()->isVisible(); }));
    page->runJavaScript(QStringLiteral(R"(document.body.innerHTML = '<div id="zone" style="position:fixed;inset:0"></div>';
        const zone = document.getElementById('zone');
        zone.addEventListener('dragover', (e) => e.preventDefault());
        zone.addEventListener('drop', (e) => { e.preventDefault(); const file = e.dataTransfer.files[0];
            file.arrayBuffer().then((b) => { document.title = file.name + ' ' + Array.from(new Uint8Array(b)).join(','); }); });)"),
                        [](const QVariant &) {});
    const QPoint zone = centerOf(page->view());
    RailTabButton *button = nullptr;
    for (RailTabButton *slot : window().findChildren<RailTabButton *>())
        button = slot->title() == QStringLiteral("Page") ? slot : button;
    ASSERT_TRUE(button);

    state().shelf().addDropItems({DropItem::fromFileUrl(QUrl::fromLocalFile(path))});
    showShelf();
    ASSERT_TRUE(shelf().cards().value(0));
    const std::unique_ptr<QProcess> pointer(dragCard(*shelf().cards().value(0), {{centerOf(button), 1.0}, {zone, 0.3}}));
    EXPECT_TRUE(spinUntil([&] { return page->title() == QStringLiteral("notes.bin 99,97,114,100,0,98,121,116,101,115"); }, 10000))
        << page->title().toStdString();
    spinUntil([&] { return pointer->state() == QProcess::NotRunning; }, 5000);
}

TEST_F(NotesAndShelf, ShowInFileManagerAsksTheFileManagerOverDBusOrOpensTheFolder)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("photo.png"));
    ASSERT_TRUE(writeFile(path, {}));
    state().shelf().addDropItems({DropItem::fromFileUrl(QUrl::fromLocalFile(path))});
    showShelf();
    SymbolButton *reveal = shownNamed<SymbolButton>(*shelf().cards().value(0), QStringLiteral("Show in file manager"));
    ASSERT_TRUE(reveal);

    // No file manager on the bus: the folder is opened instead.
    OpenedUrls opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
    click(reveal);
    EXPECT_TRUE(spinUntil([&] { return opened.opened == QList<QUrl>({QUrl::fromLocalFile(folder.path())}); }, 5000));

    FakeFileManager fileManager;
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-file-manager"));
    ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &fileManager,
                                   QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.FileManager1")));
    click(reveal);
    EXPECT_TRUE(spinUntil([&] { return fileManager.shown == QStringList({QUrl::fromLocalFile(path).toString()}); }, 5000));
    spinFor(300);
    EXPECT_EQ(opened.opened.size(), 1) << "the folder is not opened as well";
    bus.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-file-manager"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

// A real Orvane, killed without warning a moment after the user typed.
TEST(NotesOnDisk, AKillRightAfterTypingLosesAtMostTheLastFractionOfASecond)
{
    movePointer(QPoint(1200, 450));
    OrvaneProcess orvane({QStringLiteral("Orvane_isPinned=true"), QStringLiteral("Orvane_followSystemTheme=false")});
    ASSERT_TRUE(orvane.launch());
    ASSERT_EQ(orvane.runSecond({QStringLiteral("orvane://scratchpad")}), 0);
    ASSERT_TRUE(spinUntil([&] { return orvane.panelGeometry().width() > 0; }));
    const QRect panel = orvane.panelGeometry();
    spinUntil([] { return false; }, 500);
    clickAt(panel.center() + QPoint(40, 0));
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+End"), QStringLiteral("Return")});
    xdotool({QStringLiteral("type"), QStringLiteral("kept across a crash")});
    spinUntil([] { return false; }, 500);
    ::kill(pid_t(orvane.processId()), SIGKILL);

    const QSettings settings(orvane.settingsFile(), QSettings::IniFormat);
    EXPECT_TRUE(settings.value(ScratchpadNote::storageKey).toString().endsWith(QLatin1String("\nkept across a crash")))
        << settings.value(ScratchpadNote::storageKey).toString().toStdString();
}

} // namespace

#include "NotesAndShelfDesktopTest.moc"
