#pragma once

#include "scratchpad/NoteStyling.h"

#include <QSyntaxHighlighter>

// Colours a note's headings and answers. Qt re-runs it only for the lines an
// edit touched; the styling of a line depends on nothing but that line.
class NoteHighlighter final : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit NoteHighlighter(QTextDocument *document);

    // Re-colours the whole note when the palette differs.
    void setPalette(const NoteStyling::Palette &palette);

protected:
    void highlightBlock(const QString &text) override;

private:
    NoteStyling::Palette m_palette;
};
