#pragma once

#include <QString>
#include <QtGlobal>
#include <qnamespace.h>

#include <functional>

// Key combinations that reach this application whichever application has the
// keyboard. Another program may already own a combination; the desktop then
// refuses it.
class GlobalHotKeys
{
public:
    virtual ~GlobalHotKeys() = default;
    GlobalHotKeys() = default;
    GlobalHotKeys(const GlobalHotKeys &) = delete;
    GlobalHotKeys &operator=(const GlobalHotKeys &) = delete;

    struct Handlers
    {
        // A registered combination was pressed.
        std::function<void(quint32 id)> pressed;
        // The keyboard's mapping changed and a registered combination, taken
        // anew on its new keys, is refused there (another program owns one of
        // them: held = false) or is held again after such a refusal.
        std::function<void(quint32 id, bool held)> regrabbed;
    };

    // Starts delivering presses of registered combinations, by id. Returns 0,
    // or a non-zero status when no combination can be delivered at all.
    virtual int installHandler(Handlers handlers) = 0;
    virtual void removeHandler() = 0;
    // `key` is a Qt::Key of a letter or Space; false when refused. Once
    // registered, a combination stays so until unregistered, even while a
    // later keyboard mapping has it refused. `description` says what it does,
    // for desktops that show the user the combinations they bind.
    virtual bool registerHotKey(quint32 id, Qt::Key key, Qt::KeyboardModifiers modifiers,
                                const QString &description) = 0;
    virtual void unregisterHotKey(quint32 id) = 0;
};
