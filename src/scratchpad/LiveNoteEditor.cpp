#include "scratchpad/LiveNoteEditor.h"

#include "scratchpad/AnswerColumnView.h"
#include "scratchpad/EqualsEvaluation.h"
#include "scratchpad/NoteHighlighter.h"
#include "state/SettingsModel.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTextBlock>
#include <QToolTip>

#include <algorithm>

namespace {
constexpr int insetPoints = 14;
constexpr int lineFragmentPadding = 4;
constexpr int insertionPointWidth = 2;
// The answer column's share of the editor's width, and its bounds.
constexpr double columnShare = 0.3;
constexpr int minimumColumnWidth = 64;
constexpr int maximumColumnWidth = 220;

bool typesText(const QKeyEvent *event)
{
    return !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}
} // namespace

LiveNoteEditor::LiveNoteEditor(const SettingsModel &settings, InlineMathParser &parser, const AnswerColumn &answers,
                               Clock &clock, QWidget *parent)
    : QPlainTextEdit(parent), m_settings(settings), m_parser(parser), m_answers(answers),
      m_highlighter(new NoteHighlighter(document())), m_column(new AnswerColumnView(*this, answers, clock))
{
    setAccessibleName(QStringLiteral("Note"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    viewport()->setAutoFillBackground(false);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(13);
    setFont(font);
    document()->setDocumentMargin(insetPoints);
    setViewportMargins(lineFragmentPadding, 0, lineFragmentPadding, 0);
    // The insertion point is drawn in the answer colour by paintEvent.
    setCursorWidth(0);

    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_isEvaluating)
            Q_EMIT noteEdited();
    });
    connect(&m_settings, &SettingsModel::changed, this, &LiveNoteEditor::applyTheme);
    connect(&answers, &AnswerColumn::changed, this, &LiveNoteEditor::answersChanged);
    connect(m_column, &AnswerColumnView::answerClicked, this, &LiveNoteEditor::answerClicked);
    // The column and the marks scroll with the text.
    connect(this, &QPlainTextEdit::updateRequest, m_column, [this](const QRect &, int dy) {
        if (dy == 0)
            return;
        m_column->update();
        markStaleAnswersInView();
    });
    applyTheme();
    placeColumn();
}

void LiveNoteEditor::setNote(const QString &text)
{
    setPlainText(text);
}

void LiveNoteEditor::replaceNote(const QString &text)
{
    const int position = textCursor().position();
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.insertText(text);
    QTextCursor cursor(document());
    cursor.setPosition(std::min(position, int(text.size())));
    setTextCursor(cursor);
}

void LiveNoteEditor::rewriteStaleAnswers()
{
    applyRewrites(m_answers.rewrites());
}

QRect LiveNoteEditor::lineRect(int line) const
{
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid() || !block.isVisible())
        return {};
    // Lays the line out when it is not yet.
    const QRectF geometry = blockBoundingGeometry(block).translated(contentOffset());
    if (block.layout()->lineCount() == 0)
        return {};
    const QTextLine first = block.layout()->lineAt(0);
    return QRectF(0, geometry.top() + first.y(), viewport()->width(), first.height()).toAlignedRect();
}

int LiveNoteEditor::lineAt(int y) const
{
    return cursorForPosition(QPoint(0, y)).blockNumber();
}

void LiveNoteEditor::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_U && event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier)) {
        rewriteStaleAnswers();
        return;
    }
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (isReturn && typesText(event)) {
        handleEqualTyped();
        // Shift+Return would break the line inside its block (U+2028); the
        // note knows only whole lines, so it starts a new one as Return does.
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier, event->text(),
                        event->isAutoRepeat(), ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
    if (event->text() == QLatin1String("=") && typesText(event))
        handleEqualTyped();
}

void LiveNoteEditor::inputMethodEvent(QInputMethodEvent *event)
{
    QPlainTextEdit::inputMethodEvent(event);
    if (event->commitString() == QLatin1String("="))
        handleEqualTyped();
}

void LiveNoteEditor::handleEqualTyped()
{
    if (m_isEvaluating)
        return;
    QTextCursor cursor = textCursor();
    const int position = cursor.selectionStart();
    const auto insertion = EqualsEvaluation::insertionAt(toPlainText(), position, m_parser);
    if (!insertion)
        return;
    m_isEvaluating = true;
    cursor.setPosition(position);
    // Its own undo step: Ctrl+Z takes the answer back and leaves the "=".
    cursor.beginEditBlock();
    cursor.insertText(*insertion);
    cursor.endEditBlock();
    setTextCursor(cursor);
    m_isEvaluating = false;
    Q_EMIT noteEdited();
}

void LiveNoteEditor::answerClicked(int line)
{
    const AnswerColumn::Answer *answer = m_answers.answerOn(line);
    if (!answer)
        return;
    if (answer->isStale()) {
        applyRewrites({AnswerColumn::rewriteOf(*answer)});
        return;
    }
    QGuiApplication::clipboard()->setText(answer->value);
    m_column->showCopied(line);
}

void LiveNoteEditor::applyRewrites(const QList<AnswerColumn::Rewrite> &rewrites)
{
    if (rewrites.isEmpty() || m_isEvaluating)
        return;
    m_isEvaluating = true;
    QTextCursor cursor(document());
    // One undo step for all of them.
    cursor.beginEditBlock();
    for (const AnswerColumn::Rewrite &rewrite : rewrites) {
        const int start = document()->findBlockByNumber(rewrite.line).position() + int(rewrite.start);
        cursor.setPosition(start);
        cursor.setPosition(start + int(rewrite.length), QTextCursor::KeepAnchor);
        cursor.insertText(rewrite.text);
    }
    cursor.endEditBlock();
    m_isEvaluating = false;
    Q_EMIT noteEdited();
}

// Written answers that are out of date are tinted where they stand; the
// column keeps its room while there is anything to show in it.
void LiveNoteEditor::answersChanged()
{
    if (m_columnShown == m_answers.answers().isEmpty())
        placeColumn();
    markStaleAnswersInView();
}

// Only the marks in view are given to the editor: it weighs every mark
// against every line it paints, and a long note can hold thousands.
void LiveNoteEditor::markStaleAnswersInView()
{
    const int first = firstVisibleBlock().blockNumber();
    const int last = cursorForPosition(QPoint(0, viewport()->height() - 1)).blockNumber();
    const QList<AnswerColumn::Answer> &answers = m_answers.answers();
    auto answer = std::lower_bound(answers.cbegin(), answers.cend(), first,
                                   [](const AnswerColumn::Answer &a, int line) { return a.line < line; });
    QList<AnswerColumn::Answer> stale;
    for (; answer != answers.cend() && answer->line <= last; ++answer) {
        if (answer->isStale())
            stale.append(*answer);
    }
    if (stale == m_markedAnswers)
        return;
    m_markedAnswers = stale;
    markStaleAnswers();
}

void LiveNoteEditor::markStaleAnswers()
{
    QList<QTextEdit::ExtraSelection> marks;
    const QColor stale = NoteStyling::palette(isLight(m_settings.values().currentTheme)).stale;
    for (const AnswerColumn::Answer &answer : std::as_const(m_markedAnswers)) {
        QTextEdit::ExtraSelection mark;
        const int start = document()->findBlockByNumber(answer.line).position() + int(answer.writtenStart);
        mark.cursor = QTextCursor(document());
        mark.cursor.setPosition(start);
        mark.cursor.setPosition(start + int(answer.written.size()), QTextCursor::KeepAnchor);
        mark.format.setForeground(stale);
        mark.format.setUnderlineStyle(QTextCharFormat::DotLine);
        mark.format.setUnderlineColor(stale);
        marks.append(mark);
    }
    setExtraSelections(marks);
}

void LiveNoteEditor::placeColumn()
{
    m_columnShown = !m_answers.answers().isEmpty();
    const int width = m_columnShown ? std::clamp(int(this->width() * columnShare), minimumColumnWidth, maximumColumnWidth) : 0;
    setViewportMargins(lineFragmentPadding, 0, lineFragmentPadding + width, 0);
    const QRect text = viewport()->geometry();
    m_column->setGeometry(text.right() + 1, text.top(), width, text.height());
    m_column->setVisible(m_columnShown);
}

void LiveNoteEditor::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    placeColumn();
    markStaleAnswersInView();
}

bool LiveNoteEditor::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QTextCursor at = cursorForPosition(help->pos());
        const AnswerColumn::Answer *answer = m_answers.answerOn(at.blockNumber());
        const qsizetype column = at.positionInBlock();
        if (answer && answer->isStale() && column >= answer->writtenStart
            && column <= answer->writtenStart + answer->written.size())
            QToolTip::showText(help->globalPos(), answer->staleText(), viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return QPlainTextEdit::viewportEvent(event);
}

void LiveNoteEditor::applyTheme()
{
    const NoteStyling::Palette colours = NoteStyling::palette(isLight(m_settings.values().currentTheme));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Text, colours.text);
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Highlight, colours.selection);
    palette.setColor(QPalette::HighlightedText, colours.text);
    setPalette(palette);
    m_highlighter->setPalette(colours);
    m_column->setPalette(colours);
    markStaleAnswers();
    viewport()->update();
}

// Qt draws the insertion point in the text colour; the note's is the answer
// colour, so Qt's is given no width and this one is drawn over the text.
void LiveNoteEditor::paintEvent(QPaintEvent *event)
{
    QPlainTextEdit::paintEvent(event);
    if (getPaintContext().cursorPosition < 0)
        return;
    const QRect at = cursorRect();
    QPainter painter(viewport());
    painter.fillRect(QRect(at.left(), at.top(), insertionPointWidth, at.height()),
                     NoteStyling::palette(isLight(m_settings.values().currentTheme)).answer);
}
