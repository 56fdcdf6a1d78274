// The command palette, the settings screen and the app gallery in this
// process, driven by real clicks and keys through XTest, with tabs on pages
// served on 127.0.0.1.
#include "FakeNotificationService.h"
#include "InProcessOrvane.h"
#include "OrvaneProcess.h"
#include "gallery/AppGallery.h"
#include "gallery/AppGalleryView.h"
#include "gallery/GalleryEntryView.h"
#include "palette/CommandPalette.h"
#include "palette/CommandPaletteView.h"
#include "palette/CommandRowView.h"
#include "panel/PanelGeometry.h"
#include "panel/PanelWindow.h"
#include "scratchpad/ScratchpadView.h"
#include "settings/SettingsRowButton.h"
#include "settings/SettingsView.h"
#include "settings/ThemeCard.h"
#include "shelf/DropShelfView.h"
#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "web/HibernationEngine.h"
#include "ui/ElidingLabel.h"
#include "ui/MainContainerView.h"
#include "ui/OverlayHost.h"
#include "ui/PillButton.h"
#include "ui/SearchField.h"
#include "ui/SidebarDockView.h"
#include "ui/SymbolButton.h"
#include "ui/TopHeaderBarView.h"

#include <QAccessible>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

const QStringList pageTitles = {"Alpha", "Beta", "Gamma", "Delta"};

void type(const QString &text)
{
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
}

// The visible widgets inside `screen` that reach past the panel's right edge
// (and so are cut off), by class and name.
QStringList cutOffWithin(const QWidget &screen)
{
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QWidget *panel = screen.window();
    QStringList cut;
    for (const QWidget *child : screen.findChildren<QWidget *>()) {
        if (!child->isVisibleTo(panel))
            continue;
        const QRect placed(child->mapTo(panel, QPoint(0, 0)), child->size());
        if (placed.right() >= panel->width()) {
            const auto *label = qobject_cast<const QLabel *>(child);
            cut.append(QStringLiteral("%1 \"%2\" reaches x %3, at least %4 wide")
                           .arg(QString::fromLatin1(child->metaObject()->className()),
                                label ? label->text() : child->accessibleName())
                           .arg(placed.right())
                           .arg(child->minimumSizeHint().width()));
        }
    }
    return cut;
}

class PanelScreens : public ::testing::Test
{
protected:
    PanelScreens() { orvane.server.setReply(QStringLiteral("/code"), {200, "<!doctype html><title>Code</title><p>code", "text/html", {}, 0}); }

    AppState &state() const { return orvane.state(); }
    PanelWindow &window() const { return orvane.window(); }
    MainContainerView &container() const { return *window().findChild<MainContainerView *>(); }
    CommandPaletteView &palette() const { return *qobject_cast<CommandPaletteView *>(container().commandPalette().card()); }
    AppGalleryView &gallery() const { return *qobject_cast<AppGalleryView *>(container().gallery().card()); }
    SettingsView &settingsView() const { return *window().findChild<SettingsView *>(); }
    QString activeTitle() const
    {
        const auto tab = state().tabs().activeTab();
        return tab ? tab->title : QString();
    }

    // As Ctrl+K does while another window has the keyboard: the palette must
    // take it for the panel.
    void openPalette()
    {
        elsewhere.setGeometry(100, 300, 300, 200);
        elsewhere.show();
        click(&elsewhere);
        ASSERT_TRUE(spinUntil([this] { return elsewhere.isActiveWindow(); }));
        state().content().setShowCommandPalette(true);
        ASSERT_TRUE(spinUntil([this] { return container().commandPalette().isOpen(); }));
        ASSERT_TRUE(spinUntil([this] { return window().isActiveWindow(); })) << "the panel took the keyboard";
        ASSERT_TRUE(spinUntil([this] { return QApplication::focusWidget() == palette().searchField().lineEdit(); }))
            << "the search field has it";
    }

    InProcessOrvane orvane{pageTitles};
    LocalHttpServer &server = orvane.server;
    MemoryStore &store = orvane.store;
    QWidget elsewhere;
};

TEST_F(PanelScreens, ThePaletteTakesTheKeyboardReturnRunsTheChosenRowAndRowsFitWhateverATabsTitle)
{
    QGuiApplication::clipboard()->clear();
    state().tabs().addTab(QStringLiteral("Chat"), server.address().resolved(QUrl(QStringLiteral("/code"))),
                          QStringLiteral("globe"), true);
    const struct
    {
        const char *query;
        const char *keys;
        std::function<bool()> done;
    } rows[] = {
        {"2*21", "Return", [] { return QGuiApplication::clipboard()->text() == QLatin1String("42"); }},
        {"gamm", "Return", [this] { return activeTitle() == QLatin1String("Gamma"); }},
        {"", "Down Return", [this] { return activeTitle() == QLatin1String("Beta"); }},
        {"summarize", "Return", [this] { return activeTitle() == QLatin1String("Chat") && state().isPanelVisible(); }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.query);
        openPalette();
        if (*row.query)
            type(QString::fromLatin1(row.query));
        ASSERT_TRUE(spinUntil([&] { return palette().palette().query() == QLatin1String(row.query); }));
        for (const QString &key : QString::fromLatin1(row.keys).split(QLatin1Char(' ')))
            pressKeys(key);
        EXPECT_TRUE(spinUntil(row.done));
        EXPECT_TRUE(spinUntil([this] { return !state().content().showCommandPalette(); })) << "closed after running";
    }

    // The rows lie within the card, their texts drawn where the list shows
    // them, even when a tab's title is far wider than the palette.
    const QString longTitle = QStringLiteral("A page whose title goes on ").repeated(12).left(300);
    state().tabs().addTab(longTitle, server.address().resolved(QUrl(QStringLiteral("/code"))), QStringLiteral("globe"), false);
    openPalette();
    CommandPaletteView &view = palette();
    ASSERT_TRUE(spinUntil([&view] { return view.findChildren<CommandRowView *>().size() >= 5; }));
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QImage shot = view.grab().toImage();
    const QColor card = OrvaneTheme::palette(state().settings().values().currentTheme).dialogBackground;
    for (const QString &name : {QStringLiteral("Switch to Alpha"), QStringLiteral("Switch to ") + longTitle}) {
        const auto rows = view.findChildren<CommandRowView *>();
        const auto row = std::find_if(rows.cbegin(), rows.cend(), [&name](const CommandRowView *r) {
            return r->isVisible() && r->accessibleName() == name;
        });
        ASSERT_NE(row, rows.cend()) << name.left(40).toStdString();
        const QRect area((*row)->mapTo(&view, QPoint(0, 0)), (*row)->size());
        EXPECT_GE(area.left(), 0) << name.left(40).toStdString();
        EXPECT_LE(area.right(), view.width()) << name.left(40).toStdString() << " is " << area.width() << " wide";
        // The title's first letters, right of the icon, in the top half of the row.
        const QRect title = QRect(area.left() + 40, area.top(), 120, area.height() / 2).intersected(view.rect());
        int ink = 0;
        for (int y = title.top(); y <= title.bottom(); ++y) {
            for (int x = title.left(); x <= title.right(); ++x) {
                const QColor pixel = shot.pixelColor(x, y);
                ink += std::abs(pixel.lightness() - card.lightness()) > 80;
            }
        }
        EXPECT_GT(ink, 20) << name.left(40).toStdString() << ": no text drawn where the row is";
    }
}

TEST_F(PanelScreens, TheSettingsSearchItsPagesAndTheWidthSliderWorkFromClicks)
{
    click(shownNamed<QAbstractButton>(container().rail(), QStringLiteral("Settings")));
    ASSERT_TRUE(spinUntil([this] { return container().layout().screen == ContentLayout::Screen::Settings; }));
    SettingsView &view = settingsView();
    click(&view.searchField());
    type(QStringLiteral("motion"));
    ASSERT_TRUE(spinUntil([&view] { return view.screen().searchQuery() == QLatin1String("motion"); }));
    QStringList shown;
    for (SettingsSubpage page : allSettingsSubpages) {
        if (view.rowButton(page)->isVisible())
            shown.append(SettingsScreen::title(page));
    }
    EXPECT_EQ(shown, QStringList({"Motion"}));

    click(view.rowButton(SettingsSubpage::Motion));
    ASSERT_TRUE(spinUntil([&view] { return view.screen().currentSubpage() == SettingsSubpage::Motion; }));
    click(shownNamed<PillButton>(*view.currentPageWidget(), QStringLiteral("Animation curve: Ease In Out")));
    EXPECT_TRUE(spinUntil([this] {
        return store.values.value(QStringLiteral("Orvane_animationCurve")) == QStringLiteral("Ease In Out");
    }));
    EXPECT_EQ(view.rowButton(SettingsSubpage::Motion)->detail(), QStringLiteral("Ease In Out \u00B7 0.25 s"));

    // The word of the breadcrumb, not only its chevron, leads back.
    const QWidget *word = nullptr;
    for (const QWidget *child : view.currentPageWidget()->findChildren<QWidget *>()) {
        const auto *label = qobject_cast<const QLabel *>(child);
        const auto *button = qobject_cast<const QAbstractButton *>(child);
        if (child->isVisible() && ((label && label->text() == QLatin1String("Settings")) || (button && button->text() == QLatin1String("Settings"))))
            word = child;
    }
    ASSERT_TRUE(word);
    clickAt(word->mapToGlobal(QPoint(word->width() - 6, word->height() / 2)));
    EXPECT_TRUE(spinUntil([&view] { return !view.screen().currentSubpage(); }));

    // The width slider moves the panel live, and the width is saved.
    click(&view.searchField());
    pressKeys(QStringLiteral("ctrl+a"));
    pressKeys(QStringLiteral("BackSpace"));
    ASSERT_TRUE(spinUntil([&view] { return view.screen().searchQuery().isEmpty(); }));
    click(view.rowButton(SettingsSubpage::PositionAndSize));
    ASSERT_TRUE(spinUntil([&view] { return view.screen().currentSubpage() == SettingsSubpage::PositionAndSize; }));
    QSlider *slider = view.currentPageWidget()->findChild<QSlider *>();
    ASSERT_TRUE(slider);
    ASSERT_EQ(window().width(), 440);
    // A click to the right of the handle: one step and the keyboard.
    clickAt(slider->mapToGlobal(QPoint(slider->width() - 4, slider->height() / 2)));
    ASSERT_TRUE(spinUntil([slider] { return slider->hasFocus(); }));
    for (int i = 0; i < 3; ++i)
        pressKeys(QStringLiteral("Right"));
    EXPECT_TRUE(spinUntil([this] { return state().settings().values().panelWidth == 480; }));
    EXPECT_TRUE(spinUntil([this] { return window().width() == 480; })) << "live";
    EXPECT_EQ(store.values.value(QStringLiteral("Orvane_panelWidth")), 480.0);
}

// Each site's page asks, shows in its title what it was answered, and then
// tries to notify all the same.
TEST_F(PanelScreens, OnlyAnAllowedSiteReachesTheDesktopItsNotificationLeadsToItsTabAndSettingsRevokesIt)
{
    FakeNotificationService desktop;
    ASSERT_TRUE(desktop.isRegistered());
    const QByteArray asking = R"(<script>Notification.requestPermission().then(function (answer) {
        document.title = answer; new Notification('New mail', {body: 'From Ada', icon: '/icon.png'}); });</script>)";
    LocalHttpServer otherSite; // another port, so another site
    QImage square(16, 16, QImage::Format_ARGB32);
    square.fill(Qt::red);
    QByteArray redSquare;
    QBuffer png(&redSquare);
    png.open(QIODevice::WriteOnly);
    square.save(&png, "PNG");
    const auto pageTitle = [this] { return orvane.hibernation().pageTitle(state().tabs().activeTab()->id); };
    struct Site
    {
        LocalHttpServer *server;
        const char *name;
        const char *answer;
        const char *pageTitle;
    };
    for (const Site &site : {Site{&otherSite, "Spam", "Block", "denied"}, Site{&server, "Mail", "Allow", "granted"}}) {
        site.server->setReply(QStringLiteral("/icon.png"), {200, redSquare, "image/png", {}, 0});
        site.server->setReply(QStringLiteral("/notify"), {200, "<!doctype html><title>" + QByteArray(site.name) + "</title>" + asking,
                                                          "text/html", {}, 0});
        const QUrl address = site.server->address().resolved(QUrl(QStringLiteral("/notify")));
        state().tabs().addTab(QString::fromLatin1(site.name), address, QStringLiteral("globe"), false);
        state().tabs().selectTab(state().tabs().tabs().constLast().id);
        const QString question = QStringLiteral("127.0.0.1:%1 wants to show notifications").arg(address.port());
        ASSERT_TRUE(spinUntil([&] { return state().notice().text() == question; })) << site.name;
        PillButton *answer = nullptr;
        ASSERT_TRUE(spinUntil([&] { return (answer = shownNamed<PillButton>(container(), QString::fromLatin1(site.answer))); }))
            << site.answer;
        click(answer);
        EXPECT_TRUE(spinUntil([&] { return pageTitle() == QLatin1String(site.pageTitle); })) << pageTitle().toStdString();
    }
    // The blocked site tried first: had it got through, its notification would be the first.
    ASSERT_TRUE(spinUntil([&] { return !desktop.received().isEmpty(); }));
    const FakeNotificationService::Received &shown = desktop.received().constFirst();
    EXPECT_EQ(shown.appName, QStringLiteral("Mail"));
    EXPECT_EQ(shown.summary, QStringLiteral("Mail: New mail"));
    EXPECT_EQ(shown.body, QStringLiteral("From Ada"));
    EXPECT_TRUE(shown.actions.contains(QStringLiteral("default")));
    EXPECT_TRUE(shown.hintNames.contains(QStringLiteral("image-data"))) << shown.hintNames.join(QLatin1Char(' ')).toStdString();
    orvane.hibernation().reload(*state().tabs().activeTab());
    EXPECT_TRUE(spinUntil([&] { return desktop.received().size() == 2; })) << "the answer kept is given without a question";

    state().tabs().selectTab(state().tabs().tabs().constFirst().id);
    click(shownNamed<QAbstractButton>(container(), QStringLiteral("Hide panel")));
    ASSERT_TRUE(spinUntil([this] { return !state().isPanelVisible(); }));
    desktop.click(1);
    EXPECT_TRUE(spinUntil([this] { return state().isPanelVisible() && window().isVisible() && activeTitle() == QLatin1String("Mail"); }))
        << activeTitle().toStdString();

    click(shownNamed<QAbstractButton>(container().rail(), QStringLiteral("Settings")));
    ASSERT_TRUE(spinUntil([this] { return container().layout().screen == ContentLayout::Screen::Settings; }));
    SettingsView &view = settingsView();
    click(view.rowButton(SettingsSubpage::Permissions));
    ASSERT_TRUE(spinUntil([&view] { return view.screen().currentSubpage() == SettingsSubpage::Permissions; }));
    const QString mailSite = QStringLiteral("127.0.0.1:%1").arg(server.address().port());
    const QString spamSite = QStringLiteral("127.0.0.1:%1").arg(otherSite.address().port());
    EXPECT_TRUE(shownNamed<PillButton>(*view.currentPageWidget(), QStringLiteral("Revoke ") + spamSite)) << "the blocked site is listed too";
    PillButton *revoke = nullptr;
    ASSERT_TRUE(spinUntil([&] { return (revoke = shownNamed<PillButton>(*view.currentPageWidget(), QStringLiteral("Revoke ") + mailSite)); }));
    click(revoke);
    EXPECT_TRUE(spinUntil([&] {
        return !shownNamed<PillButton>(*view.currentPageWidget(), QStringLiteral("Revoke ") + mailSite)
            && !store.dataValue(QStringLiteral("Orvane_notificationSites")).value_or(QByteArray()).contains(mailSite.toUtf8());
    }));
}

// As a screen reader does it: by the controls' roles, names, states and actions alone.
TEST_F(PanelScreens, EveryControlHasANameForScreenReadersAndTheSettingsChoicesAreRadioButtonsItCanPress)
{
    gallery().gallery().setCatalog({{QStringLiteral("github"), QStringLiteral("GitHub"),
                                     server.address().resolved(QUrl(QStringLiteral("/code"))), QStringLiteral("github"), false}});
    state().content().setShowAppGallery(true);
    ASSERT_TRUE(spinUntil([this] { return gallery().entries().size() == 1; }));
    state().content().setShowSettingsModal(true);
    SettingsView *view = nullptr;
    ASSERT_TRUE(spinUntil([&] { return (view = window().findChild<SettingsView *>()) && view->isVisible(); }));
    // Every control of the settings, the gallery and the palette has a name.
    QStringList nameless;
    const std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
        const QAccessible::Role role = node->role();
        const bool control = role == QAccessible::Button || role == QAccessible::CheckBox || role == QAccessible::Slider
                             || role == QAccessible::EditableText || role == QAccessible::RadioButton;
        if (control && node->text(QAccessible::Name).isEmpty())
            nameless.append(node->object() ? QString::fromLatin1(node->object()->metaObject()->className()) : QString());
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    for (QWidget *screen : {static_cast<QWidget *>(&settingsView()), static_cast<QWidget *>(&gallery()),
                            static_cast<QWidget *>(&palette())}) {
        walk(QAccessible::queryAccessibleInterface(screen));
    }
    EXPECT_EQ(nameless, QStringList());
    state().content().setShowAppGallery(false);

    const auto run = [](QWidget *control, const QString &action) {
        QAccessible::queryAccessibleInterface(control)->actionInterface()->doAction(action);
    };
    run(view->rowButton(SettingsSubpage::PositionAndSize), QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(spinUntil([&] { return view->screen().currentSubpage() == SettingsSubpage::PositionAndSize; }));
    PillButton *leftButton = shownNamed<PillButton>(*view->currentPageWidget(), QStringLiteral("Screen dock edge: Left Edge of Screen"));
    PillButton *rightButton = shownNamed<PillButton>(*view->currentPageWidget(), QStringLiteral("Screen dock edge: Right Edge of Screen"));
    ASSERT_TRUE(leftButton && rightButton);
    QAccessibleInterface *left = QAccessible::queryAccessibleInterface(leftButton);
    QAccessibleInterface *right = QAccessible::queryAccessibleInterface(rightButton);
    EXPECT_EQ(left->role(), QAccessible::RadioButton);
    EXPECT_TRUE(right->state().checked);
    EXPECT_FALSE(left->state().checked);

    run(leftButton, QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(spinUntil([this] { return state().settings().values().screenDockEdge == ScreenDockEdge::Left; }));
    EXPECT_TRUE(left->state().checked);
    EXPECT_FALSE(right->state().checked);
    run(rightButton, QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(spinUntil([this] { return state().settings().values().screenDockEdge == ScreenDockEdge::Right; }));
    EXPECT_TRUE(right->state().checked);

    view->screen().showPage(SettingsSubpage::Appearance);
    ThemeCard *nickelCard = shownNamed<ThemeCard>(*view->currentPageWidget(), QStringLiteral("Nickel"));
    ASSERT_TRUE(nickelCard);
    QAccessibleInterface *nickel = QAccessible::queryAccessibleInterface(nickelCard);
    EXPECT_EQ(nickel->role(), QAccessible::RadioButton);
    run(nickelCard, QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(spinUntil([this] { return state().settings().values().currentTheme == AppThemeMode::Nickel; }));
    EXPECT_TRUE(nickel->state().checked);
}

// From settings far from the defaults, with the pointer on the button,
// "Restore defaults" brings the panel to its default place and leaves it there.
TEST_F(PanelScreens, RestoreDefaultsPutsThePanelBackWhereItStaysAndWorks)
{
    const auto where = [this] {
        const QRect g = window().geometry();
        return QStringLiteral("%1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()).toStdString();
    };
    SettingsModel &settings = state().settings();
    settings.set(&Settings::screenDockEdge, ScreenDockEdge::Left);
    settings.set(&Settings::panelWidth, 600.0);
    settings.set(&Settings::panelCustomHeight, 500.0);
    settings.set(&Settings::panelTopOffset, 100.0);
    settings.set(&Settings::showEdgeIndicator, false);
    settings.set(&Settings::animationDuration, 0.5);
    ASSERT_TRUE(spinUntil([this] { return window().geometry() == QRect(0, 100, 600, 500); })) << where();
    state().content().setShowSettingsModal(true);
    ASSERT_TRUE(spinUntil([this] { return window().findChild<SettingsView *>() && settingsView().isVisible(); }));
    PillButton *restore = shownNamed<PillButton>(settingsView(), QStringLiteral("Restore defaults"));
    ASSERT_TRUE(restore);
    click(restore);
    const QRect home(1000, 0, 440, 900);
    EXPECT_TRUE(spinUntil([&] { return window().geometry() == home; })) << where();
    // As a hand does after a click.
    movePointer(QCursor::pos() + QPoint(3, 2));
    EXPECT_TRUE(holdsFor([&] { return window().isVisible() && window().geometry() == home && state().isPanelVisible(); }, 1500))
        << where() << " shown: " << state().isPanelVisible();
    click(shownNamed<QAbstractButton>(container().rail(), QStringLiteral("Scratchpad")));
    EXPECT_TRUE(spinUntil([this] { return state().content().activeItem() == ActiveSidebarItem::scratchpad(); }));
}

TEST_F(PanelScreens, EveryScreenFitsThePanelAtItsNarrowestWidth)
{
    state().settings().set(&Settings::panelWidth, PanelGeometry::minimumWidth);
    ASSERT_TRUE(spinUntil([this] { return window().width() == int(PanelGeometry::minimumWidth); }));

    state().content().setShowSettingsModal(true);
    ASSERT_TRUE(spinUntil([this] { return window().findChild<SettingsView *>() && settingsView().isVisible(); }));
    EXPECT_EQ(cutOffWithin(settingsView()), QStringList()) << "the settings' list";
    for (SettingsSubpage page : allSettingsSubpages) {
        settingsView().screen().showPage(page);
        EXPECT_EQ(cutOffWithin(settingsView()), QStringList()) << SettingsScreen::title(page).toStdString();
    }
    state().content().setShowSettingsModal(false);

    state().content().setActiveItem(ActiveSidebarItem::scratchpad());
    ScratchpadView *scratchpad = nullptr;
    ASSERT_TRUE(spinUntil([&] { return (scratchpad = window().findChild<ScratchpadView *>()) && scratchpad->isVisible(); }));
    EXPECT_EQ(cutOffWithin(*scratchpad), QStringList()) << "the scratchpad";
    state().content().setActiveItem(ActiveSidebarItem::dropShelf());
    DropShelfView *shelf = nullptr;
    ASSERT_TRUE(spinUntil([&] { return (shelf = window().findChild<DropShelfView *>()) && shelf->isVisible(); }));
    EXPECT_EQ(cutOffWithin(*shelf), QStringList()) << "the shelf";

    // With the row that names the AI category and offers every app.
    state().content().setShowAppGallery(true, GalleryCategory::AIApps);
    ASSERT_TRUE(spinUntil([this] { return gallery().isVisible() && !gallery().entries().isEmpty(); }));
    EXPECT_EQ(cutOffWithin(gallery()), QStringList()) << "the gallery";
    state().content().setShowAppGallery(false);

    state().content().setShowCommandPalette(true);
    ASSERT_TRUE(spinUntil([this] { return palette().isVisible() && !palette().findChildren<CommandRowView *>().isEmpty(); }));
    EXPECT_EQ(cutOffWithin(palette()), QStringList()) << "the command palette";
}

// The web tab's header and those of the scratchpad, the shelf and the
// settings lie in the same place, are as tall, and start their titles at the
// same x; the screens' titles share one font. A long page title ends in "…"
// and leaves the header's buttons where they belong.
TEST_F(PanelScreens, EveryScreensHeaderIsTheSameAndALongTitleGivesWay)
{
    const QString longTitle = QStringLiteral("A page whose title goes on and on ").repeated(6);
    server.setReply(QStringLiteral("/long"), {200, "<!doctype html><title>" + longTitle.toUtf8() + "</title><p>long", "text/html", {}, 0});
    state().tabs().addTab(QStringLiteral("Long"), server.address().resolved(QUrl(QStringLiteral("/long"))), QStringLiteral("globe"), false);
    struct Header
    {
        QRect frame;
        int titleX;
        int titlePixelSize;
    };
    // The visible header and the visible title inside it.
    const auto header = [this](const QString &title) -> std::optional<Header> {
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        for (const QWidget *bar : window().findChildren<QWidget *>()) {
            if (!bar->isVisible() || bar->accessibleName() != QLatin1String("Header"))
                continue;
            for (const QWidget *label : bar->findChildren<QWidget *>()) {
                const auto *eliding = qobject_cast<const ElidingLabel *>(label);
                const auto *plain = qobject_cast<const QLabel *>(label);
                if (label->isVisible() && ((eliding && eliding->text() == title) || (plain && plain->text() == title)))
                    return Header{QRect(bar->mapTo(&window(), QPoint(0, 0)), bar->size()), label->mapTo(&window(), QPoint(0, 0)).x(),
                                  label->font().pixelSize()};
            }
        }
        return std::nullopt;
    };
    std::optional<Header> web;
    ASSERT_TRUE(spinUntil([&] { return (web = header(longTitle.trimmed())).has_value(); }, 10000)) << "the page's title in the header";
    EXPECT_EQ(cutOffWithin(container()), QStringList()) << "the long title gives way";
    const auto *title = window().findChild<TopHeaderBarView *>()->findChild<ElidingLabel *>();
    ASSERT_TRUE(title) << "a title that can give way";
    EXPECT_EQ(title->toolTip(), longTitle.trimmed()) << "cut with \"…\", the whole title in its tooltip";

    std::optional<Header> scratchpad, shelf, settings;
    state().content().setActiveItem(ActiveSidebarItem::scratchpad());
    ASSERT_TRUE(spinUntil([&] { return (scratchpad = header(QStringLiteral("Scratchpad"))).has_value(); }));
    state().content().setActiveItem(ActiveSidebarItem::dropShelf());
    ASSERT_TRUE(spinUntil([&] { return (shelf = header(QStringLiteral("Drop Shelf"))).has_value(); }));
    state().content().setShowSettingsModal(true);
    ASSERT_TRUE(spinUntil([&] { return (settings = header(QStringLiteral("Settings"))).has_value(); }));
    for (const auto &[name, screen] : {std::pair{"scratchpad", *scratchpad}, std::pair{"shelf", *shelf}, std::pair{"settings", *settings}}) {
        EXPECT_EQ(screen.frame, web->frame) << name;
        EXPECT_EQ(screen.titleX, web->titleX) << name;
        EXPECT_EQ(screen.titlePixelSize, scratchpad->titlePixelSize) << name;
    }
}

TEST_F(PanelScreens, TheGalleryAddsACatalogueAppFromTheKeyboardAndRemovesItAgain)
{
    // Not the host of the other tabs' pages: the gallery knows an app's tab by its host.
    QUrl code = server.address().resolved(QUrl(QStringLiteral("/code")));
    code.setHost(QStringLiteral("localhost"));
    gallery().gallery().setCatalog({{QStringLiteral("github"), QStringLiteral("GitHub"), code, QStringLiteral("github"), false}});
    click(shownNamed<SymbolButton>(container().rail(), QStringLiteral("Add app or website")));
    ASSERT_TRUE(spinUntil([this] { return container().gallery().isOpen() && gallery().entries().size() == 1; }));
    ASSERT_TRUE(spinUntil([this] { return QApplication::focusWidget() == gallery().searchField().lineEdit(); }));

    pressKeys(QStringLiteral("Tab"));
    ASSERT_TRUE(spinUntil([] { return QApplication::focusWidget()
                                    && QApplication::focusWidget()->accessibleName() == QLatin1String("Add GitHub"); }));
    pressKeys(QStringLiteral("space"));
    ASSERT_TRUE(spinUntil([this] { return activeTitle() == QLatin1String("GitHub"); }));
    EXPECT_EQ(state().tabs().tabs().constLast().url, code);
    EXPECT_TRUE(container().gallery().isOpen()) << "adding keeps the gallery open";

    SymbolButton *remove = nullptr;
    ASSERT_TRUE(spinUntil([&] { return (remove = shownNamed<SymbolButton>(gallery(), QStringLiteral("Remove GitHub"))); }));
    click(remove);
    EXPECT_TRUE(spinUntil([this] { return state().tabs().tabs().size() == 4; }));
    EXPECT_TRUE(container().gallery().isOpen());

    PillButton *add = nullptr;
    ASSERT_TRUE(spinUntil([&] { return (add = shownNamed<PillButton>(gallery(), QStringLiteral("Add GitHub"))); }));
    click(add);
    ASSERT_TRUE(spinUntil([this] { return state().tabs().tabs().size() == 5; }));
    state().tabs().selectTab(state().tabs().tabs().first().id);
    click(shownNamed<PillButton>(gallery(), QStringLiteral("Open GitHub")));
    EXPECT_TRUE(spinUntil([this] { return activeTitle() == QLatin1String("GitHub") && !container().gallery().isOpen(); }))
        << "Open shows the tab and closes the gallery";
}

} // namespace
