#include "scratchpad/NoteHighlighter.h"

#include <QFont>
#include <QTextCharFormat>

NoteHighlighter::NoteHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document), m_palette(NoteStyling::palette(true))
{
}

void NoteHighlighter::setPalette(const NoteStyling::Palette &palette)
{
    if (palette.answer == m_palette.answer)
        return;
    m_palette = palette;
    rehighlight();
}

void NoteHighlighter::highlightBlock(const QString &text)
{
    const auto range = NoteStyling::styledRange(text);
    if (!range)
        return;
    QTextCharFormat format;
    format.setFontWeight(QFont::DemiBold);
    if (range->role == NoteStyling::Role::Answer)
        format.setForeground(m_palette.answer);
    setFormat(int(range->start), int(range->length), format);
}
