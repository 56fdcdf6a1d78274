#include "scratchpad/NoteHighlighter.h"

#include <QFont>
#include <QTextCharFormat>

NoteHighlighter::NoteHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document), m_palette(NoteStyling::palette(true))
{
}

void NoteHighlighter::setPalette(const NoteStyling::Palette &palette)
{
    if (palette.answer == m_palette.answer && palette.heading == m_palette.heading)
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
    if (range->role == NoteStyling::Role::Heading) {
        format.setForeground(m_palette.heading);
    } else {
        format.setForeground(m_palette.answer);
        format.setFontWeight(QFont::DemiBold);
    }
    setFormat(int(range->start), int(range->length), format);
}
