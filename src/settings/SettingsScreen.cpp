#include "settings/SettingsScreen.h"

#include "state/AppState.h"
#include "state/AppVersion.h"
#include "state/CountText.h"
#include "ui/BarTexts.h"
#include "web/HibernationEngine.h"

#include <algorithm>
#include <cmath>

namespace {
const QString separator = QStringLiteral(" \u00B7 ");
} // namespace

SettingsScreen::SettingsScreen(AppState &state, HibernationEngine &hibernation, System system, QObject *parent)
    : QObject(parent), m_state(state), m_hibernation(hibernation), m_system(std::move(system)),
      m_autostart(m_system.program)
{
    connect(&m_state.settings(), &SettingsModel::changed, this, &SettingsScreen::changed);
    connect(&m_state.tabs(), &TabListModel::changed, this, &SettingsScreen::changed);
    connect(&m_state.shelf(), &DropShelfModel::changed, this, &SettingsScreen::changed);
    connect(&m_state, &AppState::liveMemoryMBChanged, this, &SettingsScreen::changed);
    connect(&m_state.content(), &PanelContent::showSettingsModalChanged, this, [this] {
        if (!m_state.content().showSettingsModal())
            return;
        m_searchQuery.clear();
        showPage(std::nullopt);
    });
}

int SettingsScreen::SliderScale::positions() const
{
    return int(std::lround((maximum - minimum) / step));
}

// Rounded to millionths, so 0.1 + 3 × 0.05 is stored as 0.25 and not 0.25000000000000006.
double SettingsScreen::SliderScale::valueAt(int position) const
{
    const double value = minimum + std::clamp(position, 0, positions()) * step;
    return std::round(value * 1e6) / 1e6;
}

int SettingsScreen::SliderScale::positionOf(double value) const
{
    if (!std::isfinite(value))
        return 0;
    return std::clamp(int(std::lround((value - minimum) / step)), 0, positions());
}

QString SettingsScreen::title(SettingsSubpage page)
{
    switch (page) {
    case SettingsSubpage::Appearance:
        return QStringLiteral("Appearance");
    case SettingsSubpage::PositionAndSize:
        return QStringLiteral("Position & size");
    case SettingsSubpage::Motion:
        return QStringLiteral("Motion");
    case SettingsSubpage::Memory:
        return QStringLiteral("Memory");
    case SettingsSubpage::DropShelf:
        return QStringLiteral("Drop Shelf");
    case SettingsSubpage::Shortcuts:
        return QStringLiteral("Shortcuts");
    case SettingsSubpage::Permissions:
        return QStringLiteral("Permissions");
    case SettingsSubpage::About:
        return QStringLiteral("About");
    }
    return {};
}

const QList<SettingsScreen::Section> &SettingsScreen::sections()
{
    using P = SettingsSubpage;
    static const QList<Section> list = {
        {QStringLiteral("PANEL"), {P::Appearance, P::PositionAndSize, P::Motion}},
        {QStringLiteral("CONTENT"), {P::Memory, P::DropShelf}},
        {QStringLiteral("SYSTEM"), {P::Shortcuts, P::Permissions, P::About}},
    };
    return list;
}

const QList<SettingsScreen::Setting> &SettingsScreen::settings()
{
    using P = SettingsSubpage;
    const auto words = [](const char *list) { return QString::fromLatin1(list).split(QLatin1Char(' ')); };
    static const QList<Setting> list = [&words] {
        QStringList themes;
        for (AppThemeMode theme : allThemeModes)
            themes.append(rawValue(theme));
        QList<Setting> all = {
            {QStringLiteral("Theme"), P::Appearance, themes + words("colour color look")},
            {QStringLiteral("Follow system"), P::Appearance, words("theme dark light mode appearance")},
            {QStringLiteral("Dock edge"), P::Appearance, words("left right side screen position")},
            {QStringLiteral("Icon rail"), P::Appearance, words("left right side tabs")},
            {QStringLiteral("Panel width"), P::Appearance, words("size wide narrow")},
            {QStringLiteral("Screen dock edge"), P::PositionAndSize, words("left right side position")},
            {QStringLiteral("Panel width"), P::PositionAndSize, words("size wide narrow")},
            {QStringLiteral("Reset to Full Height"), P::PositionAndSize, words("detached window custom height size")},
            {QStringLiteral("Whisper Notch indicator"), P::PositionAndSize, words("edge handle hover")},
            {QStringLiteral("Touch edge again to auto-hide"), P::PositionAndSize, words("bezel gesture hide")},
            {QStringLiteral("Animation curve"), P::Motion, animationCurves() + words("slide easing")},
            {QStringLiteral("Slide duration"), P::Motion, words("animation delay speed time seconds")},
            {QStringLiteral("Memory saver"), P::Memory, words("hibernate sleep asleep suspend delay inactive RAM")},
            {QStringLiteral("Show RAM in footer"), P::Memory, words("memory status footer")},
            {QStringLiteral("Wake every tab"), P::Memory, words("wake hibernate sleep asleep")},
            {QStringLiteral("Clear All Items"), P::DropShelf, words("shelf retention expire files")},
        };
        for (const ShortcutList::Shortcut &shortcut : ShortcutList::shortcuts())
            all.append({shortcut.title, P::Shortcuts, shortcut.keys + words("shortcut key hotkey")});
        all.append({QStringLiteral("Selected text"), P::Permissions, words("selection permission access capture")});
        all.append({QStringLiteral("Start at login"), P::Permissions, words("autostart startup boot")});
        return all;
    }();
    return list;
}

// The slide knows "Spring" and "Linear" by name and eases out for any other.
const QStringList &SettingsScreen::animationCurves()
{
    static const QStringList curves = {QStringLiteral("Spring"), QStringLiteral("Ease Out"),
                                       QStringLiteral("Ease In Out"), QStringLiteral("Linear")};
    return curves;
}

void SettingsScreen::showPage(std::optional<SettingsSubpage> page)
{
    m_currentSubpage = page;
    m_soughtSetting.clear();
    Q_EMIT pageChanged();
}

void SettingsScreen::showSetting(const Setting &setting)
{
    m_currentSubpage = setting.page;
    m_soughtSetting = setting.title;
    Q_EMIT pageChanged();
}

void SettingsScreen::setSearchQuery(const QString &query)
{
    m_searchQuery = query;
    Q_EMIT changed();
}

QList<SettingsSubpage> SettingsScreen::matchingPages() const
{
    QList<SettingsSubpage> pages;
    const QString query = m_searchQuery.toLower();
    for (SettingsSubpage page : allSettingsSubpages) {
        if (title(page).toLower().contains(query))
            pages.append(page);
    }
    return pages;
}

QList<SettingsScreen::Setting> SettingsScreen::matchingSettings() const
{
    QList<Setting> found;
    if (m_searchQuery.trimmed().isEmpty())
        return found;
    for (const Setting &setting : settings()) {
        const bool named = setting.title.contains(m_searchQuery, Qt::CaseInsensitive)
                           || std::any_of(setting.words.cbegin(), setting.words.cend(), [this](const QString &word) {
                                  return word.contains(m_searchQuery, Qt::CaseInsensitive);
                              });
        if (named)
            found.append(setting);
    }
    return found;
}

QString SettingsScreen::matchingHeading() const
{
    return QStringLiteral("MATCHING SETTINGS (%1)").arg(matchingPages().size() + matchingSettings().size());
}

QString SettingsScreen::detailText(SettingsSubpage page) const
{
    const Settings &settings = m_state.settings().values();
    switch (page) {
    case SettingsSubpage::Appearance:
        return rawValue(settings.currentTheme);
    case SettingsSubpage::PositionAndSize: {
        const QString edge = settings.screenDockEdge == ScreenDockEdge::Right ? QStringLiteral("Right") : QStringLiteral("Left");
        return edge + separator + QString::number(settings.panelWidth, 'f', 0) + QStringLiteral(" px");
    }
    case SettingsSubpage::Motion:
        return settings.animationCurve + separator + QString::asprintf("%.2f", settings.animationDuration)
               + QStringLiteral(" s");
    case SettingsSubpage::Memory:
        return QStringLiteral("%1 of %2 asleep").arg(sleepingTabsCount()).arg(m_state.tabs().tabs().size());
    case SettingsSubpage::DropShelf:
        return QStringLiteral("Clears after 24 h");
    case SettingsSubpage::Shortcuts:
        return QStringLiteral("%1 bound").arg(boundShortcutCount());
    case SettingsSubpage::Permissions:
        return m_system.selectionReadable ? QStringLiteral("Selection access granted")
                                          : QStringLiteral("Selection access unavailable");
    case SettingsSubpage::About:
        return AppVersion::displayString;
    }
    return {};
}

void SettingsScreen::close()
{
    m_state.content().setShowSettingsModal(false);
}

void SettingsScreen::restoreDefaults()
{
    m_state.settings().restoreDefaults();
}

void SettingsScreen::chooseTheme(AppThemeMode theme)
{
    SettingsModel &settings = m_state.settings();
    settings.set(&Settings::followSystemTheme, false);
    settings.set(&Settings::currentTheme, theme);
}

QString SettingsScreen::customHeightText() const
{
    const auto height = m_state.settings().values().panelCustomHeight;
    return height ? QStringLiteral("Height: ") + QString::number(*height, 'f', 0)
                  : QStringLiteral("Panel is docked to full screen height.");
}

void SettingsScreen::resetToFullHeight()
{
    SettingsModel &settings = m_state.settings();
    settings.set(&Settings::panelCustomHeight, std::nullopt);
    settings.set(&Settings::panelTopOffset, std::nullopt);
}

int SettingsScreen::sleepingTabsCount() const
{
    const QList<TabModel> &tabs = m_state.tabs().tabs();
    return int(std::count_if(tabs.cbegin(), tabs.cend(), [](const TabModel &tab) { return tab.isHibernated; }));
}

QString SettingsScreen::asleepOverview() const
{
    return QString::number(sleepingTabsCount()) + QStringLiteral(" of ")
         + CountText::of(m_state.tabs().tabs().size(), QStringLiteral("Web App Asleep"), QStringLiteral("Web Apps Asleep"));
}

QString SettingsScreen::memoryFigure() const
{
    return QStringLiteral("%1 MB RAM").arg(m_state.liveMemoryMB());
}

QString SettingsScreen::memoryExplanation() const
{
    return BarTexts::memoryTooltip(m_state.liveMemoryMB())
           + QStringLiteral(". Orvane automatically suspends background web tabs after 5 minutes of inactivity to "
                            "release web engine RAM.");
}

void SettingsScreen::wakeAllTabs()
{
    m_hibernation.wakeAllTabs();
}

QString SettingsScreen::stagedItemsText() const
{
    return QStringLiteral("Currently staged items: %1").arg(m_state.shelf().items().size());
}

bool SettingsScreen::hasStagedItems() const
{
    return !m_state.shelf().items().isEmpty();
}

void SettingsScreen::clearShelf()
{
    m_state.shelf().clearDropShelf();
}

void SettingsScreen::setRefusedHotKeys(const QStringList &refused)
{
    m_refusedHotKeys = refused;
    Q_EMIT changed();
}

QList<SettingsScreen::ShortcutRow> SettingsScreen::shortcutRows() const
{
    QList<ShortcutRow> rows;
    for (const ShortcutList::Shortcut &shortcut : ShortcutList::shortcuts()) {
        ShortcutRow row{shortcut.title, {}, shortcut.scope};
        for (const QString &key : shortcut.keys) {
            const bool refused = shortcut.scope == ShortcutList::Scope::Global && m_refusedHotKeys.contains(key);
            row.keys.append({key, refused});
        }
        rows.append(row);
    }
    return rows;
}

// Key combinations Orvane answers to now: gestures are no bindings, and a
// refused combination is bound to nothing.
int SettingsScreen::boundShortcutCount() const
{
    int count = 0;
    for (const ShortcutRow &row : shortcutRows()) {
        if (row.scope != ShortcutList::Scope::Gesture)
            count += int(std::count_if(row.keys.cbegin(), row.keys.cend(), [](const KeyLabel &key) { return !key.refused; }));
    }
    return count;
}

bool SettingsScreen::startsAtLogin() const
{
    return m_autostart.isEnabled();
}

bool SettingsScreen::setStartsAtLogin(bool enabled)
{
    const bool done = m_autostart.setEnabled(enabled);
    Q_EMIT changed();
    return done;
}
