#pragma once

#include <QPlainTextEdit>

class InlineMathParser;
class NoteHighlighter;
class SettingsModel;

// The scratchpad's editor: a plain-text note, styled line by line, where
// typing "=" at the end of a calculation (or pressing Return after one)
// writes its answer in, as an edit that Ctrl+Z takes back.
class LiveNoteEditor final : public QPlainTextEdit
{
    Q_OBJECT

public:
    // `parser` evaluates at "="; the editor resets it for each evaluation.
    LiveNoteEditor(const SettingsModel &settings, InlineMathParser &parser, QWidget *parent = nullptr);

    // The note as it starts: no undo history.
    void setNote(const QString &text);
    // The note replaced as one edit that can be undone; the cursor stays
    // where it was, as far as the new text reaches.
    void replaceNote(const QString &text);

Q_SIGNALS:
    // The note changed in the editor, typed answers included.
    void noteEdited();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void handleEqualTyped();
    void applyTheme();

    const SettingsModel &m_settings;
    InlineMathParser &m_parser;
    NoteHighlighter *m_highlighter;
    // Set while the editor writes an answer in: that edit is reported once,
    // after it is complete, and a nested "=" does nothing.
    bool m_isEvaluating = false;
};
