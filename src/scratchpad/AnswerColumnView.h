#pragma once

#include "scratchpad/AnswerColumn.h"
#include "scratchpad/NoteStyling.h"
#include "ui/TransientFlag.h"

#include <QHash>
#include <QWidget>

#include <optional>

class Clock;
class LiveNoteEditor;
class QAccessibleInterface;

// The answer column at the right of the note's editor: each answer painted
// right-aligned beside its line, a stale one in its own tint with what it was
// as a tooltip. It only paints and forwards clicks; a screen reader finds each
// answer as a child of it, "Line 3: 14".
class AnswerColumnView final : public QWidget
{
    Q_OBJECT

public:
    AnswerColumnView(LiveNoteEditor &editor, const AnswerColumn &answers, Clock &clock);
    ~AnswerColumnView() override;

    const AnswerColumn &answers() const { return m_answers; }
    void setPalette(const NoteStyling::Palette &palette);
    // Says "Copied" in place of the line's answer for a moment.
    void showCopied(int line);
    // Where the line's answer is painted; empty while its line is out of sight.
    QRect answerRect(int line) const;
    const AnswerColumn::Answer *answerAt(QPoint point) const;
    // The screen reader's view of the line's answer, made once and kept while it answers.
    QAccessibleInterface *accessibleAnswer(int line);

Q_SIGNALS:
    void answerClicked(int line);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void answersChanged();

    LiveNoteEditor &m_editor;
    const AnswerColumn &m_answers;
    NoteStyling::Palette m_palette;
    TransientFlag m_copied;
    int m_copiedLine = -1;
    QHash<int, unsigned> m_accessibleAnswers;
};
