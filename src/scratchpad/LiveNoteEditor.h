#pragma once

#include "scratchpad/AnswerColumn.h"

#include <QPlainTextEdit>

class AnswerColumnView;
class Clock;
class InlineMathParser;
class NoteHighlighter;
class SettingsModel;

// The scratchpad's editor: a plain-text note, styled line by line, where
// typing "=" at the end of a calculation (or pressing Return after one)
// writes its answer in, as an edit that Ctrl+Z takes back. Every answer shows
// in a column at its right, outside the text; a written answer that is out
// of date is tinted, and clicking its answer in the column (or Ctrl+Shift+U
// for all of them) writes the new one in, again as an edit.
class LiveNoteEditor final : public QPlainTextEdit
{
    Q_OBJECT

public:
    // `parser` evaluates at "="; the editor resets it for each evaluation.
    // `answers` is the note's column, kept up to date by the editor's owner.
    LiveNoteEditor(const SettingsModel &settings, InlineMathParser &parser, const AnswerColumn &answers, Clock &clock,
                   QWidget *parent = nullptr);

    // The note as it starts: no undo history.
    void setNote(const QString &text);
    // The note replaced as one edit that can be undone; the cursor stays
    // where it was, as far as the new text reaches.
    void replaceNote(const QString &text);
    // Every stale written answer brought up to date, as one edit.
    void rewriteStaleAnswers();

    AnswerColumnView &answerColumn() const { return *m_column; }
    // Where a line is, in the coordinates of the text's viewport (and of the
    // column beside it); empty for a line that is not laid out.
    QRect lineRect(int line) const;
    // The line at a height of the viewport.
    int lineAt(int y) const;

Q_SIGNALS:
    // The note changed in the editor, typed answers included.
    void noteEdited();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void handleEqualTyped();
    void answerClicked(int line);
    void applyRewrites(const QList<AnswerColumn::Rewrite> &rewrites);
    void answersChanged();
    void markStaleAnswersInView();
    void markStaleAnswers();
    void placeColumn();
    void applyTheme();

    const SettingsModel &m_settings;
    InlineMathParser &m_parser;
    const AnswerColumn &m_answers;
    NoteHighlighter *m_highlighter;
    AnswerColumnView *m_column;
    // The written answers tinted as stale: those in view.
    QList<AnswerColumn::Answer> m_markedAnswers;
    // Whether the column has its room beside the text.
    bool m_columnShown = false;
    // Set while the editor writes an answer in: that edit is reported once,
    // after it is complete, and a nested "=" does nothing.
    bool m_isEvaluating = false;
};
