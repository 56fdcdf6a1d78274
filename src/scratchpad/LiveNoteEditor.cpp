#include "scratchpad/LiveNoteEditor.h"

#include "scratchpad/EqualsEvaluation.h"
#include "scratchpad/NoteHighlighter.h"
#include "state/SettingsModel.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QTextBlock>

namespace {
constexpr int insetPoints = 14;
constexpr int lineFragmentPadding = 4;
constexpr int insertionPointWidth = 2;

bool typesText(const QKeyEvent *event)
{
    return !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}
} // namespace

LiveNoteEditor::LiveNoteEditor(const SettingsModel &settings, InlineMathParser &parser, QWidget *parent)
    : QPlainTextEdit(parent), m_settings(settings), m_parser(parser), m_highlighter(new NoteHighlighter(document()))
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
    applyTheme();
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

void LiveNoteEditor::keyPressEvent(QKeyEvent *event)
{
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
