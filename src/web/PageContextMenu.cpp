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

void run(Action action, const WebPage::MenuRequest &request, const QUuid &tabId, AppState &state,
         HibernationEngine &engine, DropStager &stager)
{
    const qsizetype index = TabList::indexOf(state.tabs().tabs(), tabId);
    WebPage *page = engine.existingWebView(tabId);
    if (index < 0 || !page)
        return;
    const TabModel tab = state.tabs().tabs().at(index);
    switch (action) {
    case Action::OpenLinkInBrowser:
        page->openInDesktopBrowser(request.linkUrl);
        break;
    case Action::OpenLinkAsTab:
        if (const auto address = tabAddress(request.linkUrl))
            state.tabs().addTab(address->host(), *address, QStringLiteral("globe"), false);
        break;
    case Action::CopyLinkAddress:
        page->trigger(WebPage::MenuCommand::CopyLinkAddress);
        break;
    case Action::AddLinkToShelf:
        if (auto link = DropIntake::linkRequest(request.linkUrl.toString()))
            stager.stage({*link});
        break;
    case Action::CopyImage:
        page->trigger(WebPage::MenuCommand::CopyImage);
        break;
    case Action::AddImageToShelf:
        // A finished download goes onto the shelf as a file card by itself.
        page->download(request.imageUrl);
        break;
    case Action::Cut:
        page->trigger(WebPage::MenuCommand::Cut);
        break;
    case Action::Copy:
        page->trigger(WebPage::MenuCommand::Copy);
        break;
    case Action::Paste:
        page->trigger(WebPage::MenuCommand::Paste);
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
    case Action::Back:
        page->trigger(WebPage::MenuCommand::Back);
        break;
    case Action::Forward:
        page->trigger(WebPage::MenuCommand::Forward);
        break;
    case Action::Reload:
        engine.reload(tab);
        break;
    }
}

} // namespace PageContextMenu
