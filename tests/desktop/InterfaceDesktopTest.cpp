// The panel's interface in this process, driven by real clicks, keys and
// drags through XTest, with tabs on pages served on 127.0.0.1.
#include "ColourContrast.h"
#include "DragSourceProcess.h"
#include "EventLoopWait.h"
#include "InProcessOrvane.h"
#include "MessyPages.h"
#include "OrvaneProcess.h"
#include "TestFiles.h"
#include "ai/AIPromptBar.h"
#include "ai/CapturedContext.h"
#include "ai/PromptActionButton.h"
#include "panel/PanelWindow.h"
#include "platform/qt/QtWebPage.h"
#include "scratchpad/ScratchpadView.h"
#include "settings/SettingsView.h"
#include "shelf/DropShelfView.h"
#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "ui/MainContainerView.h"
#include "ui/PageAreaView.h"
#include "ui/PillButton.h"
#include "ui/RailTabButton.h"
#include "ui/SidebarDockView.h"
#include "ui/SymbolButton.h"
#include "web/HibernationEngine.h"
#include "web/TabListJson.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>
#include <QUrlQuery>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>

namespace {

const QStringList pageTitles = {"Alpha", "Beta", "Gamma", "Delta"};

class PanelInterface : public ::testing::Test
{
protected:
    AppState &state() const { return orvane.state(); }
    PanelWindow &window() const { return orvane.window(); }
    MainContainerView &container() const { return orvane.container(); }
    QList<RailTabButton *> slots() const { return container().rail().tabButtons(); }
    RailTabButton *railButton(const QString &title) const
    {
        for (RailTabButton *button : container().rail().findChildren<RailTabButton *>()) {
            if (button->title() == title)
                return button;
        }
        return nullptr;
    }
    QStringList titles() const
    {
        QStringList result;
        for (const TabModel &tab : state().tabs().tabs())
            result.append(tab.title);
        return result;
    }
    // Chooses an entry of the context menu that a right click on the widget opens.
    static bool chooseFromMenu(const QWidget *widget, const QString &entry)
    {
        click(widget, 3);
        if (!spinUntil([] { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); }))
            return false;
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        for (QAction *action : menu->actions()) {
            if (action->text() == entry) {
                const QPoint at = menu->mapToGlobal(menu->actionGeometry(action).center());
                glide(QCursor::pos(), at, 4);
                clickAt(at);
                return true;
            }
        }
        return false;
    }

    // The shown tab's page once it has loaded, with the keyboard.
    QtWebPage *focusedPage(int slot)
    {
        const QUuid id = state().tabs().tabs().at(slot).id;
        QtWebPage *page = nullptr;
        spinUntil([&] {
            page = dynamic_cast<QtWebPage *>(orvane.hibernation().existingWebView(id));
            return page && !page->isLoading() && page->view()->isVisible();
        });
        if (page)
            click(page->view());
        return page;
    }

    InProcessOrvane orvane{pageTitles};
    MemoryStore &store = orvane.store;
};

TEST_F(PanelInterface, RailButtonsSwitchTabsScratchpadShelfAndSettingsAlsoForAScreenReader)
{
    // Screens not on show are made when they first are, not at start.
    EXPECT_FALSE(container().findChild<ScratchpadView *>());
    EXPECT_FALSE(container().findChild<DropShelfView *>());
    EXPECT_FALSE(container().findChild<SettingsView *>());
    ASSERT_EQ(slots().size(), 4);
    click(slots().at(1));
    ASSERT_TRUE(spinUntil([this] { return state().tabs().activeTab()->title == QStringLiteral("Beta"); }));
    EXPECT_TRUE(slots().at(1)->isActive());
    EXPECT_EQ(container().pageArea().showing(), PageAreaView::Showing::Page);

    click(railButton(QStringLiteral("Scratchpad")));
    EXPECT_TRUE(spinUntil([this] { return container().layout().screen == ContentLayout::Screen::Scratchpad; }));
    EXPECT_TRUE(spinUntil([this] { return container().findChild<ScratchpadView *>()->isVisible(); }));
    click(railButton(QStringLiteral("Drop Shelf")));
    EXPECT_TRUE(spinUntil([this] { return container().layout().screen == ContentLayout::Screen::DropShelf; }));
    EXPECT_TRUE(spinUntil([this] { return container().findChild<DropShelfView *>()->isVisible(); }));
    click(railButton(QStringLiteral("Settings")));
    EXPECT_TRUE(spinUntil([this] { return container().layout().screen == ContentLayout::Screen::Settings; }));
    EXPECT_TRUE(spinUntil([this] { return container().findChild<SettingsView *>()->isVisible(); }));
    EXPECT_FALSE(slots().at(1)->isActive());
    click(slots().at(2));
    EXPECT_TRUE(spinUntil([this] { return container().layout().screen == ContentLayout::Screen::WebTab; }))
        << "a tab closes the settings";
    EXPECT_EQ(state().tabs().activeTab()->title, QStringLiteral("Gamma"));

    // As a screen reader finds and presses them.
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&window());
    ASSERT_TRUE(root);
    QList<QAccessibleInterface *> buttons;
    QStringList shownNames;
    const std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
        if (node->role() == QAccessible::Button)
            buttons.append(node);
        if (!node->state().invisible)
            shownNames.append(node->text(QAccessible::Name));
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    // The tabs' pages are served over plain http.
    EXPECT_TRUE(spinUntil([&] {
        buttons.clear();
        shownNames.clear();
        walk(root);
        return shownNames.contains(QStringLiteral("Not secure"));
    })) << shownNames.join(QLatin1Char(',')).toStdString();
    QStringList names;
    for (QAccessibleInterface *button : buttons) {
        EXPECT_FALSE(button->text(QAccessible::Name).isEmpty()) << "every button has a name";
        names.append(button->text(QAccessible::Name));
    }
    for (const char *expected : {"Alpha", "Beta", "Scratchpad", "Drop Shelf", "Settings", "Add app or website",
                                 "Hide panel", "Reload page", "Close tab"}) {
        EXPECT_TRUE(names.contains(QString::fromLatin1(expected))) << expected;
    }
    const auto beta = std::find_if(buttons.cbegin(), buttons.cend(),
                                   [](QAccessibleInterface *b) { return b->text(QAccessible::Name) == QStringLiteral("Beta"); });
    ASSERT_NE(beta, buttons.cend());
    (*beta)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(spinUntil([this] { return state().tabs().activeTab()->title == QStringLiteral("Beta"); }));
}

TEST_F(PanelInterface, TheTabMenuKeepsItsKeysHibernatesAndRemovesTabsAndATabHibernatedOnScreenSleepsUntilWoken)
{
    click(slots().at(1));
    const QUuid beta = state().tabs().tabs().at(1).id;
    qint64 renderer = 0;
    ASSERT_TRUE(spinUntil([&] {
        auto *page = dynamic_cast<QtWebPage *>(orvane.hibernation().existingWebView(beta));
        renderer = page ? page->rendererProcessId() : 0;
        return renderer > 0;
    }));
    click(slots().at(0));

    // A menu opened from the panel keeps its own keys; the panel's come back once it closes.
    CapturedContext context;
    context.text = QStringLiteral("staged");
    state().setCapturedContext(context);
    click(slots().at(3), 3);
    ASSERT_TRUE(spinUntil([] { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); }));
    pressKeys(QStringLiteral("ctrl+w"));
    pressKeys(QStringLiteral("Escape"));
    EXPECT_TRUE(spinUntil([] { return !QApplication::activePopupWidget(); })) << "Escape closed the menu";
    EXPECT_EQ(titles(), pageTitles) << "Ctrl+W closed no tab";
    EXPECT_TRUE(state().capturedContext()) << "the staged text stays";
    EXPECT_TRUE(state().isPanelVisible());

    pressKeys(QStringLiteral("Escape"));
    EXPECT_TRUE(spinUntil([this] { return !state().capturedContext(); })) << "in the panel Escape dismisses it";
    EXPECT_TRUE(state().isPanelVisible());

    ASSERT_TRUE(chooseFromMenu(slots().at(1), QStringLiteral("Hibernate Tab")));
    EXPECT_TRUE(spinUntil([&] { return state().tabs().tabs().at(1).isHibernated; }));
    EXPECT_FALSE(orvane.hibernation().existingWebView(beta));
    EXPECT_TRUE(spinUntil([&] { return ::kill(pid_t(renderer), 0) != 0; }, 15000)) << "its renderer is gone";

    ASSERT_TRUE(chooseFromMenu(slots().at(2), QStringLiteral("Remove Tab")));
    EXPECT_TRUE(spinUntil([this] { return titles() == QStringList({"Alpha", "Beta", "Delta"}); }));
    EXPECT_EQ(TabListJson::decode(*store.dataValue(QStringLiteral("Orvane_Tabs")), {})->size(), 3);

    ASSERT_TRUE(chooseFromMenu(slots().at(0), QStringLiteral("Hibernate Tab")));
    EXPECT_TRUE(spinUntil([this] { return container().pageArea().showing() == PageAreaView::Showing::Sleeping; }));
    EXPECT_FALSE(orvane.hibernation().existingWebView(state().tabs().tabs().at(0).id));
    click(slots().at(2));
    click(slots().at(0));
    EXPECT_TRUE(spinUntil([this] { return container().pageArea().showing() == PageAreaView::Showing::Page; }));
    EXPECT_FALSE(state().tabs().tabs().at(0).isHibernated);
}

TEST_F(PanelInterface, EscapeInTheShelfsFileDialogClosesTheDialogAndLeavesThePanel)
{
    click(railButton(QStringLiteral("Drop Shelf")));
    SymbolButton *add = nullptr;
    ASSERT_TRUE(spinUntil([&] { return (add = shownNamed<SymbolButton>(container(), QStringLiteral("Add files"))); }));
    // The dialog runs an event loop of its own until it closes, so a timer
    // answers it: Escape once it has the keyboard, and a close by hand if
    // that did not close it in time, so that the test can go on.
    QElapsedTimer sinceShown;
    bool escaped = false;
    bool closedByHand = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        if (!sinceShown.isValid())
            sinceShown.start();
        if (sinceShown.elapsed() > 15000) {
            closedByHand = true;
            dialog->reject();
        } else if (!escaped && dialog->isActiveWindow()) {
            escaped = true;
            pressKeys(QStringLiteral("Escape"));
        } else if (!escaped) {
            dialog->activateWindow();
        }
    });
    answer.start(50);
    click(add);
    ASSERT_TRUE(spinUntil([&] { return sinceShown.isValid() && !QApplication::activeModalWidget(); }, 30000));
    EXPECT_TRUE(escaped);
    EXPECT_FALSE(closedByHand) << "Escape closed the dialog";
    EXPECT_TRUE(state().isPanelVisible());
}

TEST_F(PanelInterface, CtrlDraggingASlotReordersTheTabsAndSavesTheOrder)
{
    const QPoint start = centerOf(slots().at(0));
    movePointer(start);
    xdotool({QStringLiteral("keydown"), QStringLiteral("ctrl")});
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    glide(start, start + QPoint(0, 60));
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    xdotool({QStringLiteral("keyup"), QStringLiteral("ctrl")});
    EXPECT_TRUE(spinUntil([this] { return titles() == QStringList({"Beta", "Alpha", "Gamma", "Delta"}); })) << titles().join(',').toStdString();
    const auto saved = TabListJson::decode(*store.dataValue(QStringLiteral("Orvane_Tabs")), {});
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->at(1).title, QStringLiteral("Alpha"));
    EXPECT_EQ(state().tabs().activeTab()->title, QStringLiteral("Alpha")) << "a drag selects nothing";

    // Without Ctrl the same drag reorders nothing.
    glide(QCursor::pos(), centerOf(slots().at(0)), 2);
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    glide(centerOf(slots().at(0)), centerOf(slots().at(0)) + QPoint(0, 60));
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    spinFor(200);
    EXPECT_EQ(titles(), QStringList({"Beta", "Alpha", "Gamma", "Delta"}));
}

TEST_F(PanelInterface, AFileDraggedFromAnotherApplicationOntoTheShelfButtonIsStaged)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.txt"));
    ASSERT_TRUE(writeFile(path, "quarterly numbers"));
    DragSourceProcess source({QStringLiteral("--file"), path});
    ASSERT_TRUE(source.isReady());
    const QPoint shelf = centerOf(railButton(QStringLiteral("Drop Shelf")));
    source.dragOver(shelf.x(), shelf.y());
    EXPECT_TRUE(spinUntil([this] { return container().layout().screen == ContentLayout::Screen::DropShelf; }))
        << "hovering switches to the shelf before the drop";
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    EXPECT_TRUE(spinUntil([&] {
        const auto &items = state().shelf().items();
        return !items.isEmpty() && items.first().fileURL == QUrl::fromLocalFile(path);
    }));
    EXPECT_TRUE(spinUntil([&] { return source.result() == QStringLiteral("copy"); }));
}

// Docked, the outline is square on the docked side; detached, every corner is round.
TEST_F(PanelInterface, OnlyADoubleClickOnTheHeaderDetachesThePanelWhichTheHeaderThenMoves)
{
    const auto pixel = [](int x, int y) {
        return QGuiApplication::primaryScreen()->grabWindow(0, x, y, 1, 1).toImage().pixelColor(0, 0);
    };
    const QRect full = window().geometry();
    // Moving the pointer with no button held never moves the panel: after a
    // click on content that passes its presses on (the footer's text), and a
    // press and release on the bottom edge.
    const QWidget *footerText = container().findChild<QWidget *>(QStringLiteral("footerCounts"));
    ASSERT_TRUE(footerText);
    click(footerText);
    const QPoint bottomEdge = window().mapToGlobal(QPoint(window().width() / 2, window().height() - 2));
    clickAt(bottomEdge);
    const QPoint header = window().mapToGlobal(QPoint(window().width() / 2 - 60, 25));
    glide(bottomEdge, header, 8);
    glide(header, header + QPoint(-40, 300), 8);
    spinFor(200);
    EXPECT_EQ(window().geometry(), full);
    EXPECT_FALSE(state().settings().values().panelTopOffset);
    const QColor behind = pixel(full.left() - 20, full.top() + 1);
    const QColor panel = pixel(full.right() - 30, full.top() + 1);
    ASSERT_NE(panel, behind);
    EXPECT_NE(pixel(full.right(), full.top()), behind) << "square on the docked side";
    EXPECT_EQ(pixel(full.left(), full.top()), behind) << "round on the inner side";
    EXPECT_EQ(pixel(full.left(), full.bottom()), behind);

    movePointer(window().mapToGlobal(QPoint(full.width() / 2 - 60, 25)));
    xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("1")});
    ASSERT_TRUE(spinUntil([this] { return state().settings().values().panelCustomHeight.has_value(); }));
    ASSERT_TRUE(spinUntil([&] { return window().height() < full.height(); }));
    spinFor(200);
    const QRect detached = window().geometry();
    EXPECT_EQ(pixel(detached.right(), detached.top()), behind);
    EXPECT_EQ(pixel(detached.right(), detached.bottom()), behind);
    EXPECT_EQ(pixel(detached.right() - 30, detached.top() + 1), panel);

    const double offset = state().settings().values().panelTopOffset.value_or(-1);
    const QPoint handle = window().mapToGlobal(QPoint(window().width() / 2 - 60, 25));
    movePointer(handle);
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    glide(handle, handle + QPoint(0, 40), 8);
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    EXPECT_TRUE(spinUntil([&] { return std::abs(state().settings().values().panelTopOffset.value_or(-1) - offset - 40) <= 2; }))
        << "moved by the drag and saved";
    EXPECT_EQ(window().x() + window().width(), 1440) << "still against its edge";
}

// The tooltip on screen, as the X server shows it.
QWidget *shownToolTip()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QTipLabel") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

// Its most common colour, and the colour of its pixels that stands out most from it.
struct ToolTipColours
{
    QColor background;
    QColor ink;
};

ToolTipColours coloursOf(const QImage &shot)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x)
            ++counts[shot.pixel(x, y) | 0xFF000000];
    }
    ToolTipColours colours;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            colours.background = QColor::fromRgb(it.key());
        }
    }
    colours.ink = colours.background;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (contrast(QColor::fromRgb(it.key()), colours.background) > contrast(colours.ink, colours.background))
            colours.ink = QColor::fromRgb(it.key());
    }
    return colours;
}

TEST_F(PanelInterface, RailToolTipsAreTheThemesColoursAndReadableInEveryTheme)
{
    state().settings().set(&Settings::followSystemTheme, false);
    for (AppThemeMode theme : allThemeModes) {
        state().settings().set(&Settings::currentTheme, theme);
        const ThemePalette &palette = OrvaneTheme::palette(theme);
        for (const QWidget *button : {static_cast<QWidget *>(slots().first()),
                                      static_cast<QWidget *>(railButton(QStringLiteral("Settings")))}) {
            const std::string what = rawValue(theme).toStdString() + " " + button->toolTip().toStdString();
            QToolTip::hideText();
            ASSERT_TRUE(spinUntil([] { return !shownToolTip(); })) << what;
            const QPoint at = centerOf(button);
            movePointer(at - QPoint(0, 2));
            movePointer(at);
            ASSERT_TRUE(spinUntil([] { return shownToolTip(); })) << what;
            ToolTipColours colours;
            // Until it has been drawn on screen.
            spinUntil([&] {
                const QWidget *tip = shownToolTip();
                if (!tip)
                    return false;
                const QRect area = tip->geometry();
                colours = coloursOf(QGuiApplication::primaryScreen()
                                        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                                        .toImage());
                return colours.background == palette.dialogBackground && contrast(colours.ink, colours.background) >= 4.5;
            });
            EXPECT_EQ(colours.background.name(), palette.dialogBackground.name()) << what;
            EXPECT_GE(contrast(colours.ink, colours.background), 4.5)
                << what << ": " << colours.ink.name().toStdString() << " on " << colours.background.name().toStdString();
        }
    }
}

// On the page shown: a title's unread count names its rail button until the
// title loses it; Ctrl+F counts the matches, steps through them and Escape
// gives the page the keyboard back; Ctrl+Minus widens the page's layout, and
// the tab wakes at that zoom.
TEST_F(PanelInterface, TheShownPagesUnreadCountFindBarAndZoomWorkFromTheKeyboard)
{
    QtWebPage *page = focusedPage(0);
    ASSERT_TRUE(page);
    const auto spokenName = [this] { return QAccessible::queryAccessibleInterface(slots().at(0))->text(QAccessible::Name); };
    for (const char *title : {"(3) Inbox", "Inbox"}) {
        valueIn(*page, QStringLiteral("document.title = '%1'").arg(QLatin1String(title)));
        const QString expected = title[0] == '(' ? QStringLiteral("Alpha, 3 unread") : QStringLiteral("Alpha");
        EXPECT_TRUE(spinUntil([&] { return spokenName() == expected; })) << spokenName().toStdString();
    }

    valueIn(*page, QStringLiteral("document.body.innerHTML = '<p>fox</p><p>a fox</p><p>the fox</p>'"));
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+f")});
    ASSERT_TRUE(spinUntil([] {
        return QApplication::focusWidget() && QApplication::focusWidget()->accessibleName() == QStringLiteral("Find in page");
    }));
    QLabel *matches = shownNamed<QLabel>(container(), QStringLiteral("Matches"));
    ASSERT_TRUE(matches);
    xdotool({QStringLiteral("type"), QStringLiteral("fox")});
    EXPECT_TRUE(spinUntil([&] { return matches->text() == QStringLiteral("1 of 3"); })) << matches->text().toStdString();
    for (const auto &[keys, expected] : {std::pair{"Return", "2 of 3"}, std::pair{"shift+Return", "1 of 3"}}) {
        xdotool({QStringLiteral("key"), QString::fromLatin1(keys)});
        EXPECT_TRUE(spinUntil([&] { return matches->text() == QLatin1String(expected); })) << keys;
    }
    xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    EXPECT_TRUE(spinUntil([&] { return !matches->isVisible() && page->view()->isAncestorOf(QApplication::focusWidget()); }));
    EXPECT_TRUE(state().isPanelVisible());

    const QString width = QStringLiteral("window.innerWidth");
    const int before = valueIn(*page, width).toInt();
    ASSERT_GT(before, 0);
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+minus")});
    EXPECT_TRUE(spinUntil([&] { return valueIn(*page, width).toInt() > before; }));
    PillButton *zoom = nullptr;
    EXPECT_TRUE(spinUntil([&] {
        for (PillButton *button : container().findChildren<PillButton *>())
            zoom = button->accessibleName().startsWith(QStringLiteral("Zoom")) ? button : zoom;
        return zoom && zoom->isVisible() && zoom->text() == QStringLiteral("90 %");
    }));
    ASSERT_TRUE(zoom);
    EXPECT_TRUE(store.dataValue(QStringLiteral("Orvane_Tabs"))->contains(R"("desktopZoom":90)"));

    const QUuid alpha = state().tabs().tabs().at(0).id;
    state().tabs().selectTab(state().tabs().tabs().at(1).id);
    orvane.hibernation().hibernateTab(alpha);
    state().tabs().selectTab(alpha);
    page = focusedPage(0);
    ASSERT_TRUE(page);
    EXPECT_TRUE(spinUntil([&] { return valueIn(*page, width).toInt() > before; })) << "a fresh page at the tab's zoom";
    click(zoom);
    EXPECT_TRUE(spinUntil([&] { return valueIn(*page, width).toInt() == before; })) << "a click on the zoom resets it";
}

TEST_F(PanelInterface, AStagedTextIsTypedIntoTheAITabsChatBoxAndThenLeavesTheBar)
{
    orvane.server.setReply(QStringLiteral("/chat"), {200, MessyPages::chatPage(MessyPages::decoyedChatBox), "text/html", {}, 0});
    state().tabs().addTab(QStringLiteral("Chat"), orvane.server.address().resolved(QUrl(QStringLiteral("/chat"))),
                          QStringLiteral("globe"), true);
    QUrl command(QStringLiteral("orvane://ai"));
    command.setQuery(QUrlQuery{{QStringLiteral("prompt"), QStringLiteral("  int x = \"1\";")}});
    orvane.delegate().openUrls({command.toString(QUrl::FullyEncoded)}, [](const QString &) {});

    auto *bar = container().findChild<AIPromptBar *>();
    ASSERT_TRUE(bar);
    ASSERT_TRUE(spinUntil([&] { return bar->isVisible(); }));
    ASSERT_EQ(state().tabs().activeTab()->title, QStringLiteral("Chat")) << "the AI tab receives the prompt";
    const QUuid chat = state().tabs().activeTab()->id;
    auto *page = dynamic_cast<QtWebPage *>(orvane.hibernation().existingWebView(chat));
    ASSERT_TRUE(page);
    ASSERT_TRUE(spinUntil([&] { return !page->isLoading(); }));

    PromptActionButton *explain = nullptr;
    for (PromptActionButton *button : bar->findChildren<PromptActionButton *>()) {
        if (button->text() == QStringLiteral("Explain"))
            explain = button;
    }
    ASSERT_TRUE(explain);
    click(explain);
    ASSERT_TRUE(spinUntil([this] { return !state().capturedContext(); })) << "cleared once the page has the text";
    EXPECT_TRUE(spinUntil([&] { return !bar->isVisible(); }));

    EXPECT_EQ(valueIn(*page, QStringLiteral("document.getElementById('box').value")).toString(),
              QStringLiteral("Explain the following context in detail:\n\n  int x = \"1\";"));
}

} // namespace
