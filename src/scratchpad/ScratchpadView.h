#pragma once

#include "math/InlineMathParser.h"
#include "scratchpad/AnswerColumn.h"
#include "scratchpad/ScratchpadNote.h"
#include "ui/TransientFlag.h"

#include <QTimer>
#include <QWidget>

class AppState;
class Clock;
class CurrencyEngine;
class ElidingLabel;
class KeyValueStore;
class LiveNoteEditor;
class OrvanePanel;
class QLabel;
class SymbolButton;
class SymbolTextButton;

// The scratchpad screen: its header, a toolbar to copy every answer or bring
// the sample back, the note's editor on a card, and a footer that counts.
class ScratchpadView final : public QWidget
{
    Q_OBJECT

public:
    ScratchpadView(AppState &state, OrvanePanel &panel, const CurrencyEngine &currency, KeyValueStore &store,
                   Clock &clock, QWidget *parent = nullptr);
    ~ScratchpadView() override;

    LiveNoteEditor &editor() const { return *m_editor; }
    const ScratchpadNote &note() const { return m_note; }
    const AnswerColumn &answers() const { return m_answers; }
    QString footerText() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *makeTitleBlock();
    QWidget *makeToolbar();
    QWidget *makeFooter();
    void copyResults();
    void refresh();
    void refreshFooter();

    AppState &m_state;
    InlineMathParser m_parser;
    ScratchpadNote m_note;
    AnswerColumn m_answers;
    TransientFlag m_copied;
    QWidget *m_titleBlock = nullptr;
    QLabel *m_caption = nullptr;
    ElidingLabel *m_title = nullptr;
    QLabel *m_badge = nullptr;
    ElidingLabel *m_hint = nullptr;
    SymbolTextButton *m_copy = nullptr;
    SymbolButton *m_reset = nullptr;
    LiveNoteEditor *m_editor = nullptr;
    ElidingLabel *m_counts = nullptr;
    ElidingLabel *m_footerHint = nullptr;
    // The footer counts once per frame, however fast the keys come.
    QTimer m_footerFrame;
};
