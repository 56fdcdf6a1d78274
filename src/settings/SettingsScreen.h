#pragma once

#include "input/ShortcutList.h"
#include "state/AutostartEntry.h"
#include "state/Settings.h"
#include "theme/AppThemeMode.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <array>
#include <optional>

class AppState;
class HibernationEngine;

enum class SettingsSubpage { Appearance, PositionAndSize, Motion, Memory, DropShelf, Shortcuts, Permissions, About };

inline constexpr std::array allSettingsSubpages = {
    SettingsSubpage::Appearance, SettingsSubpage::PositionAndSize, SettingsSubpage::Motion,
    SettingsSubpage::Memory,     SettingsSubpage::DropShelf,       SettingsSubpage::Shortcuts,
    SettingsSubpage::Permissions, SettingsSubpage::About,
};

// The settings screen: a root list of pages in three sections with a search
// over their titles, and one page per subject. Every control writes straight
// into the models, so there is nothing to apply or cancel. The page and the
// search start afresh each time the screen is shown.
class SettingsScreen final : public QObject
{
    Q_OBJECT

public:
    // What the screen needs to know of the desktop it runs on.
    struct System
    {
        // The program the start-at-login entry starts.
        QString program;
        // Whether the selection of other applications can be read (X11's primary selection).
        bool selectionReadable = false;
        // The desktop and what is limited there, as said at start.
        QString desktop;
        // How the global keys reach Orvane on this desktop, where that needs saying.
        QString globalKeysNote;
    };

    struct Section
    {
        QString title;
        QList<SettingsSubpage> pages;
    };

    // One control of a page as the search finds it: by its title, or by a
    // word someone looking for it may type ("notch", "hibernate", "dark").
    struct Setting
    {
        QString title;
        SettingsSubpage page;
        QStringList words;
    };

    // One key combination of a shortcut row.
    struct KeyLabel
    {
        QString text;
        // A system-wide combination another program holds.
        bool refused = false;
    };
    struct ShortcutRow
    {
        QString title;
        QList<KeyLabel> keys;
        ShortcutList::Scope scope;
    };

    // A slider's values: whole positions 0…positions() stand for minimum, minimum + step, … maximum.
    struct SliderScale
    {
        double minimum;
        double maximum;
        double step;

        int positions() const;
        double valueAt(int position) const;
        // The nearest position; values outside the range sit at its ends.
        int positionOf(double value) const;
    };
    static constexpr SliderScale widthScale{Settings::minimumPanelWidth, Settings::maximumPanelWidth, 10};
    static constexpr SliderScale durationScale{0.1, 0.6, 0.05};

    SettingsScreen(AppState &state, HibernationEngine &hibernation, System system, QObject *parent = nullptr);

    static QString title(SettingsSubpage page);
    static const QList<Section> &sections();
    // Every control of every page, in page order; the rows of the shortcut
    // list are named by what they do.
    static const QList<Setting> &settings();
    static const QStringList &animationCurves();

    // None: the root list.
    std::optional<SettingsSubpage> currentSubpage() const { return m_currentSubpage; }
    void showPage(std::optional<SettingsSubpage> page);
    const QString &searchQuery() const { return m_searchQuery; }
    void setSearchQuery(const QString &query);
    // The pages whose title holds the query as typed, in any case, in page order.
    QList<SettingsSubpage> matchingPages() const;
    // The controls whose title or words hold the query, in any case.
    QList<Setting> matchingSettings() const;
    // Counts the pages and the controls found.
    QString matchingHeading() const;
    // The control a search result led to on the page shown; none once the
    // page is left or opened otherwise.
    const QString &soughtSetting() const { return m_soughtSetting; }
    void showSetting(const Setting &setting);

    // The second text of a page's row in the root list.
    QString detailText(SettingsSubpage page) const;
    void close();
    void restoreDefaults();

    // Appearance.
    // Picking a theme stops following the system's appearance.
    void chooseTheme(AppThemeMode theme);

    // Position & size.
    QString customHeightText() const;
    void resetToFullHeight();

    // Memory.
    int sleepingTabsCount() const;
    QString asleepOverview() const;
    QString memoryFigure() const;
    QString memoryExplanation() const;
    void wakeAllTabs();

    // Drop shelf.
    QString stagedItemsText() const;
    bool hasStagedItems() const;
    void clearShelf();

    // Shortcuts. `refused`: the system-wide combinations the X server would
    // not give Orvane, as "Alt+S".
    void setRefusedHotKeys(const QStringList &refused);
    QList<ShortcutRow> shortcutRows() const;

    // Permissions.
    bool selectionReadable() const { return m_system.selectionReadable; }
    const QString &desktop() const { return m_system.desktop; }
    const QString &globalKeysNote() const { return m_system.globalKeysNote; }
    bool startsAtLogin() const;
    // False, and nothing changed, when the entry cannot be written or removed.
    bool setStartsAtLogin(bool enabled);

Q_SIGNALS:
    // Something a page shows may have changed.
    void changed();
    void pageChanged();

private:
    int boundShortcutCount() const;

    AppState &m_state;
    HibernationEngine &m_hibernation;
    System m_system;
    AutostartEntry m_autostart;
    std::optional<SettingsSubpage> m_currentSubpage;
    QString m_searchQuery;
    QString m_soughtSetting;
    QStringList m_refusedHotKeys;
};
