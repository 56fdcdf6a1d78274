#pragma once

#include "ai/CapturedContext.h"
#include "ai/PromptSender.h"
#include "web/TabModel.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class AppState;
class HibernationEngine;

// The prompt bar's rules: what it shows of the staged context, the three
// prompts it offers, which AI tab receives them, and when the context leaves.
class PromptBar final : public QObject
{
    Q_OBJECT

public:
    struct Action
    {
        QString title;
        QString symbol;
        bool isPrimary;
        QString promptTemplate;
    };
    // Longer captured texts get a character count and Show more/less.
    static constexpr qsizetype collapsedCharacterLimit = 120;

    PromptBar(AppState &state, HibernationEngine &hibernation, Clock &clock, QObject *parent = nullptr);

    static const QList<Action> &actions();

    const std::optional<CapturedContext> &staged() const;
    QString badge() const;
    // The captured text without the whitespace at its ends.
    QString previewText() const;
    bool showsCharacterCount() const;
    QString characterCountText() const;

    bool isExpanded() const { return m_expanded; }
    void toggleExpanded();
    QString expandTitle() const;
    QString expandSymbol() const;

    QList<TabModel> aiTabs() const;
    static QString routeTooltip(const TabModel &tab);
    bool isTarget(const TabModel &tab) const;
    void selectTarget(const QUuid &tabId);
    // "➔ " and the title of the tab that receives the prompt; empty without one.
    QString targetLabel() const;

    // Types the action's prompt into the active tab's page. The context stays
    // staged until the page reports that the text arrived.
    void send(qsizetype actionIndex);
    void dismiss();

Q_SIGNALS:
    void changed();

private:
    AppState &m_state;
    HibernationEngine &m_hibernation;
    PromptSender m_sender;
    bool m_expanded = false;
};
