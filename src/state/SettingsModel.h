#pragma once

#include "state/SettingsTable.h"

#include <QObject>

#include <type_traits>

class Clock;
class KeyValueStore;
class PanelNotice;
class SystemAppearance;

// The user's settings: read once from the store, written back whole on every
// assignment, and followed by what the windows must do about a change.
class SettingsModel final : public QObject
{
    Q_OBJECT

public:
    // Loads the stored settings; writes nothing.
    SettingsModel(KeyValueStore &store, Clock &clock, SystemAppearance &appearance, PanelNotice &notice,
                  QObject *parent = nullptr);
    ~SettingsModel() override;

    const Settings &values() const { return m_values; }

    // Assigns one setting as the settings table says: the value is taken as
    // the setting accepts it (see SettingsTable::accepted), all settings are
    // written, and the setting's follow-up runs. Also when nothing changes.
    template<typename T>
    void set(T Settings::*member, const std::type_identity_t<T> &value)
    {
        SettingsTable::forEach([&](const auto &field) {
            if constexpr (std::is_same_v<decltype(field.member), T Settings::*>) {
                if (field.member == member)
                    assign(field, value);
            }
        });
    }

    void saveSettings();
    // Resets what the settings screen offers to reset; turns following the
    // system appearance off and leaves edge hovering alone. Offers to undo:
    // the previous values come back.
    void restoreDefaults();

    // The side of the panel that holds the icon rail.
    PanelEdge effectiveRailSide() const;

    bool isSystemInDarkMode() const;
    // While following the system, Midnight when it is dark and Paper when not.
    void applySystemTheme();
    // Applies the system's appearance now and whenever it changes.
    void startFollowingSystemAppearance();

Q_SIGNALS:
    void changed();
    // Window follow-ups. Each is emitted on a later turn of the main queue,
    // after the change has been saved.
    void panelWidthLayoutRequested();
    void panelPositionLayoutRequested();
    void edgeWindowsRebuildRequested();

private:
    template<typename T>
    void assign(const SettingsTable::Field<T> &field, const T &value)
    {
        const auto taken = SettingsTable::accepted(value, field.accepts);
        if (!taken)
            return;
        m_values.*field.member = *taken;
        Q_EMIT changed();
        saveSettings();
        followUp(field.followUp);
    }
    // Assigns the settings "Restore defaults" resets from `source`.
    void assignRestorable(const Settings &source);
    void followUp(SettingsTable::FollowUp followUp);
    void post(void (SettingsModel::*signal)());

    KeyValueStore &m_store;
    Clock &m_clock;
    SystemAppearance &m_appearance;
    PanelNotice &m_notice;
    Settings m_values;
};
