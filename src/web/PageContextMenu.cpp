#include "web/PageContextMenu.h"

#include "platform/Clock.h"
#include "platform/WebLinkPolicy.h"
#include "shelf/DropStager.h"
#include "state/AppState.h"
#include "web/HibernationEngine.h"
#include "web/TabList.h"
#include "web/WebAddress.h"

namespace PageContextMenu {

namespace {

bool hasText(const QString &text)
{
    return !text.trimmed().isEmpty();
}

// A tab shows only web pages: any other address is no tab's.
std::optional<QUrl> tabAddress(const QUrl &link)
{
    return webAddress(link.toString(QUrl::FullyEncoded));
}

} // namespace

QList<Entry> entries(const WebPage::MenuRequest &request)
{
    QList<Entry> menu;
    const auto section = [&menu](std::initializer_list<Entry> entries) {
        if (!menu.isEmpty())
            menu.append(Entry{});
        menu += QList<Entry>(entries);
    };
    if (!request.linkUrl.isEmpty()) {
        section({{Action::OpenLinkInBrowser, QStringLiteral("Open Link in Browser"),
                  WebLinkPolicy::mayReachDesktopBrowser(request.linkUrl)},
                 {Action::OpenLinkAsTab, QStringLiteral("Open Link as a Tab"), tabAddress(request.linkUrl).has_value()},
                 {Action::CopyLinkAddress, QStringLiteral("Copy Link Address")},
                 {Action::AddLinkToShelf, QStringLiteral("Add Link to Shelf")}});
    }
    if (!request.imageUrl.isEmpty()) {
        section({{Action::CopyImage, QStringLiteral("Copy Image")},
                 {Action::AddImageToShelf, QStringLiteral("Add Image to Shelf")}});
    }
    const bool selected = hasText(request.selectedText);
    if (request.editable) {
        section({{Action::Cut, QStringLiteral("Cut"), selected},
                 {Action::Copy, QStringLiteral("Copy"), selected},
                 {Action::Paste, QStringLiteral("Paste"), request.canPaste}});
    } else if (selected) {
        section({{Action::Copy, QStringLiteral("Copy")}});
    }
    if (selected) {
        menu.append({Action::AskAIAboutSelection, QStringLiteral("Ask AI About Selection")});
        menu.append({Action::AddSelectionToShelf, QStringLiteral("Add Selection to Shelf")});
    }
    section({{Action::Back, QStringLiteral("Back"), request.canGoBack},
             {Action::Forward, QStringLiteral("Forward"), request.canGoForward},
             {Action::Reload, QStringLiteral("Reload")}});
    return menu;
}

namespace {

// The entries the engine carries out by itself.
std::optional<WebPage::MenuCommand> engineCommand(Action action)
{
    using Command = WebPage::MenuCommand;
    switch (action) {
    case Action::CopyLinkAddress: return Command::CopyLinkAddress;
    case Action::CopyImage: return Command::CopyImage;
    case Action::Cut: return Command::Cut;
    case Action::Copy: return Command::Copy;
    case Action::Paste: return Command::Paste;
    case Action::Back: return Command::Back;
    case Action::Forward: return Command::Forward;
    default: return std::nullopt;
    }
}

} // namespace

void run(Action action, const WebPage::MenuRequest &request, const QUuid &tabId, AppState &state,
         HibernationEngine &engine, DropStager &stager)
{
    const qsizetype index = TabList::indexOf(state.tabs().tabs(), tabId);
    WebPage *page = engine.existingWebView(tabId);
    if (index < 0 || !page)
        return;
    if (const auto command = engineCommand(action)) {
        page->trigger(*command);
        return;
    }
    const TabModel tab = state.tabs().tabs().at(index);
    switch (action) {
    case Action::OpenLinkInBrowser:
        page->openInDesktopBrowser(request.linkUrl);
        break;
    case Action::OpenLinkAsTab:
        if (const auto address = tabAddress(request.linkUrl))
            state.tabs().addTab(address->host(), *address, QStringLiteral("globe"), false);
        break;
    case Action::AddLinkToShelf:
        if (auto link = DropIntake::linkRequest(request.linkUrl.toString()))
            stager.stage({*link});
        break;
    case Action::AddImageToShelf:
        // A finished download goes onto the shelf as a file card by itself.
        page->download(request.imageUrl);
        break;
    case Action::AskAIAboutSelection: {
        CapturedContext context;
        context.text = request.selectedText;
        context.appName = tab.title;
        context.timestamp = state.clock().now();
        state.triggerContextAI(context, std::nullopt);
        break;
    }
    case Action::AddSelectionToShelf:
        if (auto text = DropIntake::textRequest(request.selectedText))
            stager.stage({*text});
        break;
    case Action::Reload:
        engine.reload(tab);
        break;
    default:
        break;
    }
}

} // namespace PageContextMenu
