#pragma once

#include "platform/WebPage.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

class AppState;
class DropStager;
class HibernationEngine;

// The menu a right click in a tab's page opens: what it offers for a link, a
// picture, selected text or a field, then the page's own moves, and what
// each entry does.
namespace PageContextMenu {

enum class Action {
    OpenLinkInBrowser,
    OpenLinkAsTab,
    CopyLinkAddress,
    AddLinkToShelf,
    CopyImage,
    AddImageToShelf,
    Cut,
    Copy,
    Paste,
    AskAIAboutSelection,
    AddSelectionToShelf,
    Back,
    Forward,
    Reload,
};

struct Entry
{
    // A divider when none.
    std::optional<Action> action;
    QString title;
    bool enabled = true;

    bool isSeparator() const { return !action; }
    bool operator==(const Entry &) const = default;
};

QList<Entry> entries(const WebPage::MenuRequest &request);
// Acts on the tab's live page; nothing when the tab or its page is gone.
// Additions to the shelf go through `stager`, as a drop's would.
void run(Action action, const WebPage::MenuRequest &request, const QUuid &tabId, AppState &state,
         HibernationEngine &engine, DropStager &stager);

} // namespace PageContextMenu
