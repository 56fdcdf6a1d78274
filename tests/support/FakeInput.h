#pragma once

#include "platform/EdgeStrips.h"
#include "platform/GlobalHotKeys.h"
#include "platform/KeyMonitor.h"

#include <QList>
#include <QSet>

// Edge strips that remember what they were told and let tests fire their events.
class FakeEdgeStrips final : public EdgeStrips
{
public:
    void setHandlers(Handlers h) override { handlers = std::move(h); }
    void setFrames(const QList<QRectF> &f) override { frames = f; }
    void setTakesInput(bool takes) override { takesInput = takes; }

    Handlers handlers;
    QList<QRectF> frames;
    bool takesInput = true;
};

// A desktop's hot keys: some combinations already owned by another program.
class FakeHotKeys final : public GlobalHotKeys
{
public:
    int installHandler(Handlers handlers) override
    {
        if (installStatus == 0) {
            pressed = std::move(handlers.pressed);
            regrabbed = std::move(handlers.regrabbed);
            ++handlersInstalled;
        }
        return installStatus;
    }
    void removeHandler() override
    {
        pressed = nullptr;
        regrabbed = nullptr;
        --handlersInstalled;
    }
    bool registerHotKey(quint32 id, Qt::Key, Qt::KeyboardModifiers, const QString &) override
    {
        if (ownedElsewhere.contains(id) || registered.contains(id))
            return false;
        registered.insert(id);
        return true;
    }
    void unregisterHotKey(quint32 id) override
    {
        registered.remove(id);
        lost.remove(id);
    }

    // A new keyboard mapping under which another program owns `owned`: the
    // registered combinations are taken anew and the changes reported.
    void changeMapping(const QSet<quint32> &owned)
    {
        ownedElsewhere = owned;
        for (const quint32 id : QSet<quint32>(registered)) {
            const bool held = !owned.contains(id);
            if (held != lost.contains(id))
                continue;
            if (held)
                lost.remove(id);
            else
                lost.insert(id);
            if (regrabbed)
                regrabbed(id, held);
        }
    }

    int installStatus = 0;
    QSet<quint32> ownedElsewhere;
    int handlersInstalled = 0;
    QSet<quint32> registered;
    // Registered, but refused under the current mapping.
    QSet<quint32> lost;
    std::function<void(quint32)> pressed;
    std::function<void(quint32, bool)> regrabbed;
};

class FakeKeyMonitor final : public KeyMonitor
{
public:
    bool install(Handler h) override
    {
        handler = std::move(h);
        ++installed;
        return true;
    }
    void remove() override
    {
        handler = nullptr;
        --installed;
    }

    // What the monitor would do with a press: whether it is swallowed.
    bool press(const KeyStroke &stroke) { return handler && handler(stroke); }

    int installed = 0;
    Handler handler;
};
