#pragma once

#include "math/InlineMathParser.h"
#include "palette/CommandItem.h"

#include <QList>
#include <QObject>

class AppState;
class CurrencyEngine;
class HibernationEngine;

// One search field over everything the panel can do: the answer of a
// calculation, a typed web address, a "Switch to" row per matching tab, and
// the main commands. Shown while PanelContent::showCommandPalette is set; it
// starts afresh each time it opens and closes after running a row.
class CommandPalette final : public QObject
{
    Q_OBJECT

public:
    // What the palette does outside the models.
    struct Effects
    {
        std::function<void(const QString &)> copyText;
        // Captures the selection of the frontmost application into an AI tab.
        std::function<void()> capture;
    };

    CommandPalette(AppState &state, HibernationEngine &hibernation, const CurrencyEngine &currency, Effects effects,
                   QObject *parent = nullptr);

    const QString &query() const { return m_query; }
    // A new query highlights its first row again.
    void setQuery(const QString &query);
    int selectedIndex() const { return m_selectedIndex; }
    // Up and Down: the highlight moves within the list and stops at its ends.
    void moveSelection(int step);

    // Built afresh on every call, for the query and the state of the moment.
    QList<CommandItem> filteredCommands() const;
    // Runs the highlighted row and closes; with no such row nothing happens
    // and the palette stays open.
    void executeSelected();
    // A click: runs that row at once.
    void execute(int index);

Q_SIGNALS:
    // The rows or the highlight may have changed.
    void changed();
    // The palette has just been opened, with an empty query.
    void opened();

private:
    void appendMathResult(QList<CommandItem> &items, const QString &query) const;
    void appendWebAddress(QList<CommandItem> &items, const QString &query) const;
    void appendTabs(QList<CommandItem> &items, const QString &query) const;
    void appendFixedCommands(QList<CommandItem> &items, const QString &query) const;

    AppState &m_state;
    HibernationEngine &m_hibernation;
    InlineMathParser m_math;
    Effects m_effects;
    QString m_query;
    int m_selectedIndex = 0;
};
