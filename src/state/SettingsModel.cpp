#include "state/SettingsModel.h"

#include "platform/Clock.h"
#include "platform/KeyValueStore.h"
#include "platform/SystemAppearance.h"
#include "state/PanelNotice.h"

#include <QPointer>

SettingsModel::SettingsModel(KeyValueStore &store, Clock &clock, SystemAppearance &appearance, PanelNotice &notice,
                             QObject *parent)
    : QObject(parent), m_store(store), m_clock(clock), m_appearance(appearance), m_notice(notice)
{
    SettingsTable::load(m_store, m_values);
}

SettingsModel::~SettingsModel()
{
    m_appearance.setChangeHandler({});
}

void SettingsModel::saveSettings()
{
    SettingsTable::save(m_values, m_store);
}

void SettingsModel::followUp(SettingsTable::FollowUp followUp)
{
    using F = SettingsTable::FollowUp;
    switch (followUp) {
    case F::None:
        break;
    case F::PanelWidth:
        post(&SettingsModel::panelWidthLayoutRequested);
        break;
    case F::DockEdge:
        post(&SettingsModel::edgeWindowsRebuildRequested);
        post(&SettingsModel::panelPositionLayoutRequested);
        break;
    case F::EdgeIndicator:
        post(&SettingsModel::edgeWindowsRebuildRequested);
        break;
    case F::SystemTheme:
        if (m_values.followSystemTheme)
            applySystemTheme();
        break;
    }
}

void SettingsModel::post(void (SettingsModel::*signal)())
{
    QPointer<SettingsModel> self(this);
    m_clock.post([self, signal] {
        if (self)
            Q_EMIT(self->*signal)();
    });
}

void SettingsModel::restoreDefaults()
{
    const Settings previous = m_values;
    set(&Settings::followSystemTheme, false);
    assignRestorable(Settings());
    m_notice.offerUndo(QStringLiteral("Restored the default settings"), [this, previous] {
        assignRestorable(previous);
        // Last, so that a followed system appearance wins over the theme just put back.
        set(&Settings::followSystemTheme, previous.followSystemTheme);
    });
}

void SettingsModel::assignRestorable(const Settings &source)
{
    SettingsTable::forEach([&](const auto &field) {
        if (field.restoredByDefaults)
            assign(field, source.*field.member);
    });
    saveSettings();
    post(&SettingsModel::panelWidthLayoutRequested);
    post(&SettingsModel::panelPositionLayoutRequested);
}

PanelEdge SettingsModel::effectiveRailSide() const
{
    switch (m_values.railSidePreference) {
    case RailSidePreference::Right:
        return PanelEdge::Right;
    case RailSidePreference::Left:
        return PanelEdge::Left;
    case RailSidePreference::AutoMatch:
        break;
    }
    if (m_values.currentTheme == AppThemeMode::Ember)
        return m_values.screenDockEdge == ScreenDockEdge::Left ? PanelEdge::Left : PanelEdge::Right;
    return PanelEdge::Left;
}

bool SettingsModel::isSystemInDarkMode() const
{
    return m_appearance.isDark();
}

void SettingsModel::applySystemTheme()
{
    if (!m_values.followSystemTheme)
        return;
    const AppThemeMode target = isSystemInDarkMode() ? AppThemeMode::Midnight : AppThemeMode::Paper;
    if (m_values.currentTheme != target)
        set(&Settings::currentTheme, target);
}

void SettingsModel::startFollowingSystemAppearance()
{
    applySystemTheme();
    QPointer<SettingsModel> self(this);
    m_appearance.setChangeHandler([self] {
        if (self)
            self->applySystemTheme();
    });
}
