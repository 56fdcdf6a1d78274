#include "scratchpad/ScratchpadNote.h"

#include "platform/Clock.h"
#include "platform/KeyValueStore.h"
#include "scratchpad/SampleNote.h"

const QString ScratchpadNote::storageKey = QStringLiteral("Orvane_scratchpadText");

ScratchpadNote::ScratchpadNote(KeyValueStore &store, Clock &clock, QObject *parent)
    : QObject(parent), m_store(store), m_clock(clock)
{
    const QString stored = m_store.stringValue(storageKey).value_or(QString());
    m_text = stored.isEmpty() ? SampleNote::text() : stored;
}

ScratchpadNote::~ScratchpadNote()
{
    saveNow();
}

void ScratchpadNote::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    // Not restarted by later keystrokes: while the user types on, a write
    // still goes out every saveDelay.
    if (!m_pendingSave)
        m_pendingSave = m_clock.singleShot(saveDelay, [this] { saveNow(); });
}

void ScratchpadNote::resetToSample()
{
    m_text = SampleNote::text();
    m_pendingSave.reset();
    m_store.setString(storageKey, m_text);
    Q_EMIT textReplaced();
}

void ScratchpadNote::saveNow()
{
    if (!m_pendingSave)
        return;
    m_pendingSave.reset();
    m_store.setString(storageKey, m_text);
}
