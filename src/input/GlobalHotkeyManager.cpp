#include "input/GlobalHotkeyManager.h"

#include "input/PanelCommands.h"
#include "input/ShortcutList.h"
#include "platform/Clock.h"
#include "platform/GlobalHotKeys.h"
#include "platform/KeyMonitor.h"

#include <QPointer>

#include <cstdio>

namespace {
// As the settings screen titles it.
QString describe(const HotKey &hotKey)
{
    for (const ShortcutList::Shortcut &shortcut : ShortcutList::shortcuts()) {
        if (shortcut.keys.contains(hotKey.text()))
            return shortcut.title;
    }
    return hotKey.text();
}
} // namespace

GlobalHotkeyManager::GlobalHotkeyManager(PanelCommands &commands, Clock &clock, GlobalHotKeys &hotKeys,
                                         KeyMonitor &local, KeyMonitor &global, QObject *parent)
    : QObject(parent), m_commands(commands), m_clock(clock), m_hotKeys(hotKeys), m_local(local), m_global(global)
{
}

GlobalHotkeyManager::~GlobalHotkeyManager()
{
    stop();
}

void GlobalHotkeyManager::start()
{
    stop();
    m_started = true;
    installHotKeys();
    // The monitors go away with the manager (stop() in the destructor), so
    // they never call into a manager that is gone.
    m_globalInstalled = m_global.install([this](const KeyStroke &stroke) { return handleKeyEvent(stroke, false); });
    m_localInstalled = m_local.install([this](const KeyStroke &stroke) { return handleKeyEvent(stroke, true); });
    Q_EMIT registrationsChanged();
}

void GlobalHotkeyManager::stop()
{
    if (!m_started)
        return;
    for (const quint32 id : std::as_const(m_accepted))
        m_hotKeys.unregisterHotKey(id);
    m_accepted.clear();
    m_lost.clear();
    m_registered.clear();
    m_refused.clear();
    if (m_handlerInstalled)
        m_hotKeys.removeHandler();
    m_handlerInstalled = false;
    if (m_globalInstalled)
        m_global.remove();
    m_globalInstalled = false;
    if (m_localInstalled)
        m_local.remove();
    m_localInstalled = false;
    m_started = false;
    Q_EMIT registrationsChanged();
}

void GlobalHotkeyManager::installHotKeys()
{
    const int status = m_hotKeys.installHandler({[this](quint32 id) { handleHotKey(id); },
                                                 [this](quint32 id, bool held) { hotKeyRegrabbed(id, held); }});
    m_handlerInstalled = status == 0;
    if (!m_handlerInstalled) {
        // The one line that tells the user the combinations will not work.
        std::printf("⚠️ [Orvane] Failed to install hot key handler: %d\n", status);
        std::fflush(stdout);
    }
    for (const HotKey &hotKey : KeyRules::hotKeys()) {
        if (m_handlerInstalled && m_hotKeys.registerHotKey(hotKey.id, hotKey.key, hotKey.modifiers, describe(hotKey)))
            m_accepted.insert(hotKey.id);
    }
    sortRegistrations();
}

void GlobalHotkeyManager::hotKeyRegrabbed(quint32 id, bool held)
{
    if (!m_accepted.contains(id) || m_lost.contains(id) != held)
        return;
    if (held)
        m_lost.remove(id);
    else
        m_lost.insert(id);
    sortRegistrations();
    Q_EMIT registrationsChanged();
}

void GlobalHotkeyManager::sortRegistrations()
{
    m_registered.clear();
    m_refused.clear();
    for (const HotKey &hotKey : KeyRules::hotKeys()) {
        const bool works = m_accepted.contains(hotKey.id) && !m_lost.contains(hotKey.id);
        (works ? m_registered : m_refused).append(hotKey);
    }
}

void GlobalHotkeyManager::handleHotKey(quint32 id)
{
    for (const HotKey &hotKey : KeyRules::hotKeys()) {
        if (hotKey.id == id) {
            post(KeyCommand{hotKey.command});
            return;
        }
    }
}

bool GlobalHotkeyManager::handleKeyEvent(const KeyStroke &stroke, bool meantForOrvane)
{
    // A system-wide combination pressed elsewhere reaches us as a hot key
    // when we own it, and belongs to its owner when we do not.
    if (!meantForOrvane && KeyRules::isHotKey(stroke))
        return false;
    const auto command = KeyRules::commandFor(stroke);
    if (!command || (!meantForOrvane && command->needsPanelFocus()))
        return false;
    // Without an undo offer on show, Ctrl+Z belongs to the editor or page that has the focus.
    if (command->kind == KeyCommand::Kind::UndoNotice && !m_commands.canUndoNotice())
        return false;
    if (command->actsOnPage() && !m_commands.showsWebTab())
        return false;
    post(*command);
    return true;
}

void GlobalHotkeyManager::post(const KeyCommand &command)
{
    QPointer<GlobalHotkeyManager> self(this);
    m_clock.post([self, command] {
        if (self)
            self->run(command);
    });
}

void GlobalHotkeyManager::run(const KeyCommand &command)
{
    using Kind = KeyCommand::Kind;
    switch (command.kind) {
    case Kind::TogglePanel: m_commands.togglePanel(); break;
    case Kind::Capture: m_commands.capture(); break;
    case Kind::FlipCommandPalette: m_commands.flipCommandPalette(); break;
    case Kind::FlipSettings: m_commands.flipSettings(); break;
    case Kind::ShowScratchpad: m_commands.showScratchpad(); break;
    case Kind::ShowDropShelf: m_commands.showDropShelf(); break;
    case Kind::SelectTab: m_commands.selectTab(command.tabIndex); break;
    case Kind::CloseActiveTab: m_commands.closeActiveTab(); break;
    case Kind::ReloadActiveTab: m_commands.reloadActiveTab(); break;
    case Kind::ZoomIn: m_commands.zoomActiveTab(TabListModel::Zoom::In); break;
    case Kind::ZoomOut: m_commands.zoomActiveTab(TabListModel::Zoom::Out); break;
    case Kind::ZoomReset: m_commands.zoomActiveTab(TabListModel::Zoom::Reset); break;
    case Kind::FindInPage: m_commands.findInPage(); break;
    case Kind::UndoNotice: m_commands.undoNotice(); break;
    case Kind::Quit: m_commands.quit(); break;
    case Kind::Escape: m_commands.escape(); break;
    }
}
