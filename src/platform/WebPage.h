#pragma once

#include "platform/UserAgentMode.h"

#include <QPoint>
#include <QString>
#include <QUrl>
#include <QVariant>

#include <functional>
#include <memory>

class QWidget;

// One tab's web view: a page in the web engine and the widget that shows it.
class WebPage
{
public:
    virtual ~WebPage() = default;
    WebPage() = default;
    WebPage(const WebPage &) = delete;
    WebPage &operator=(const WebPage &) = delete;

    // What the page's menu was asked for on, as the engine saw it.
    struct MenuRequest
    {
        // Empty when not on a link.
        QUrl linkUrl;
        // Empty when not on a picture.
        QUrl imageUrl;
        QString selectedText;
        // In a field the user types into.
        bool editable = false;
        bool canPaste = false;
        bool canGoBack = false;
        bool canGoForward = false;
    };
    // What a page may ask to use.
    enum class Feature { Notifications, Camera, Microphone, Location, ScreenCapture, Other };

    struct Observers
    {
        std::function<void()> urlChanged;
        std::function<void()> titleChanged;
        // The main frame finished loading successfully.
        std::function<void()> loadFinished;
        // The address changed, or a load started or met a certificate error:
        // whether the page can be trusted may have changed.
        std::function<void()> securityChanged;
        // A window of the page's own (a pop-up, a file chooser) came or went.
        std::function<void()> holdsPanelChanged;
        // The user clicked a link out of the web (mail, phone, another
        // application); `handOver` passes it to the desktop.
        std::function<void(const QUrl &url, std::function<void()> handOver)> handOverAsked;
        // The page entered (true) or left full screen.
        std::function<void(bool)> fullScreenChanged;
        // Ctrl with the wheel over the page: one zoom step larger (true) or smaller.
        std::function<void(bool larger)> zoomAsked;
        // A right click (or the menu key) asks for the page's menu at that
        // place on the screen; pages that draw their own never ask.
        std::function<void(const MenuRequest &request, QPoint globalPosition)> menuAsked;
        // The page asks to use a feature for its origin; `answer` grants
        // (true) or refuses it, at once or later. Without this observer every
        // request is refused.
        std::function<void(const QUrl &origin, Feature feature, std::function<void(bool granted)> answer)> permissionAsked;
    };

    // What the engine does for the page's menu, on what it was last asked for.
    enum class MenuCommand { Back, Forward, Cut, Copy, Paste, CopyLinkAddress, CopyImage };

    // The current match of a search in the page, counted from 1, and how many
    // there are; 0 of 0 when none.
    struct FindResult
    {
        int current = 0;
        int total = 0;
    };

    // Empty when the page has no address yet.
    virtual QUrl url() const = 0;
    virtual QString title() const = 0;
    virtual UserAgentMode userAgentMode() const = 0;
    // Moves the page to the identity of `mode` and loads `address` there.
    virtual void switchUserAgentMode(UserAgentMode mode, const QUrl &address) = 0;
    // Loads with the default cache policy; gives up after 60 seconds.
    virtual void load(const QUrl &address) = 0;
    virtual void reload() = 0;
    // From the moment a load is asked for until the main frame finishes,
    // successfully or not.
    virtual bool isLoading() const = 0;
    // The current load met a certificate error, whether or not the page was
    // then shown; cleared when the next load starts.
    virtual bool hadCertificateError() const = 0;
    // Runs the script in the main frame; the callback gets its result later,
    // on the main thread (an invalid value on error).
    virtual void runJavaScript(const QString &script, std::function<void(const QVariant &)> callback) = 0;
    virtual void setObservers(Observers observers) = 0;
    // The widget that shows the page; none for pages that are never shown.
    virtual QWidget *view() const = 0;
    // Stops the page for good before it is dropped: observers gone, loading
    // stopped, the blank page loaded, the view taken off screen.
    virtual void retire() = 0;
    // A window of the page's own is up: hiding the panel now would take the
    // page from under it.
    virtual bool holdsPanel() const = 0;
    virtual void exitFullScreen() = 0;
    // Kept across loads and identities: 100 is the page's own size.
    virtual void setZoomPercent(int percent) = 0;
    // Highlights the next (or previous) match of `text`; an empty text ends
    // the search. The callback gets the counts later, on the main thread.
    virtual void find(const QString &text, bool backward, std::function<void(FindResult)> found) = 0;
    virtual void trigger(MenuCommand command) = 0;
    // Fetches the address with the page's identity (its cookies and sign-ins)
    // as a download of the page's own.
    virtual void download(const QUrl &address) = 0;
    // Hands a web or mail address to the desktop's browser.
    virtual void openInDesktopBrowser(const QUrl &address) = 0;
};

// Makes web pages; the program's makes real ones, tests make fakes.
class WebPageFactory
{
public:
    virtual ~WebPageFactory() = default;
    WebPageFactory() = default;
    WebPageFactory(const WebPageFactory &) = delete;
    WebPageFactory &operator=(const WebPageFactory &) = delete;

    virtual std::unique_ptr<WebPage> create(UserAgentMode mode) = 0;
};
