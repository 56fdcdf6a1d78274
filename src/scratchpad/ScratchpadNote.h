#pragma once

#include <QObject>
#include <QString>

#include <memory>

class Clock;
class KeyValueStore;
class TimerHandle;

// The scratchpad's note: read once from the store (a missing or empty note
// starts as the sample) and written back after every change. Typing writes at
// most once per `saveDelay`, so a burst of keystrokes is one write and a
// crash loses no more than that much typing; anything still unwritten is
// written when the note goes.
class ScratchpadNote final : public QObject
{
    Q_OBJECT

public:
    static const QString storageKey;
    static constexpr double saveDelay = 0.25;

    ScratchpadNote(KeyValueStore &store, Clock &clock, QObject *parent = nullptr);
    ~ScratchpadNote() override;

    const QString &text() const { return m_text; }
    // A change made in the editor.
    void setText(const QString &text);
    // Back to the sample, written at once.
    void resetToSample();
    // Writes what is not written yet.
    void saveNow();

Q_SIGNALS:
    // The text changed other than through setText (a reset): the editor shows it.
    void textReplaced();

private:
    KeyValueStore &m_store;
    Clock &m_clock;
    QString m_text;
    std::unique_ptr<TimerHandle> m_pendingSave;
};
