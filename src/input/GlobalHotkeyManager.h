#pragma once

#include "input/KeyRules.h"

#include <QList>
#include <QObject>
#include <QSet>

class Clock;
class GlobalHotKeys;
class KeyMonitor;
class PanelCommands;

// The system-wide combinations and the key handler. Presses are decided at
// once and carried out as tasks on the main queue, so each command sees the
// state of the moment it runs.
class GlobalHotkeyManager final : public QObject
{
    Q_OBJECT

public:
    // `local` watches presses meant for Orvane's windows, `global` those meant
    // for other applications.
    GlobalHotkeyManager(PanelCommands &commands, Clock &clock, GlobalHotKeys &hotKeys, KeyMonitor &local,
                        KeyMonitor &global, QObject *parent = nullptr);
    ~GlobalHotkeyManager() override;

    // Stops first, so starting twice leaves one handler, one registration per
    // combination and one monitor of each kind.
    void start();
    void stop();
    bool isStarted() const { return m_started; }

    // The combinations that work, and those refused because another program
    // owns them, at the last start or on their new keys after the keyboard
    // mapping changed; each in table order.
    const QList<HotKey> &registeredHotKeys() const { return m_registered; }
    const QList<HotKey> &refusedHotKeys() const { return m_refused; }

    // The key handler: whether the press is one of ours. Commands that need
    // the panel's focus are not taken from presses meant for others.
    bool handleKeyEvent(const KeyStroke &stroke, bool meantForOrvane);

Q_SIGNALS:
    // After start() and stop(), and when a keyboard mapping change moved a
    // combination from one list to the other.
    void registrationsChanged();

private:
    void installHotKeys();
    void handleHotKey(quint32 id);
    void hotKeyRegrabbed(quint32 id, bool held);
    void sortRegistrations();
    void post(const KeyCommand &command);
    void run(const KeyCommand &command);

    PanelCommands &m_commands;
    Clock &m_clock;
    GlobalHotKeys &m_hotKeys;
    KeyMonitor &m_local;
    KeyMonitor &m_global;
    bool m_started = false;
    bool m_handlerInstalled = false;
    // Ids the desktop took at the last start, and those of them it refused
    // after a keyboard mapping change.
    QSet<quint32> m_accepted;
    QSet<quint32> m_lost;
    QList<HotKey> m_registered;
    QList<HotKey> m_refused;
    bool m_localInstalled = false;
    bool m_globalInstalled = false;
};
