#include "scratchpad/AnswerColumnView.h"

#include "scratchpad/AnswerColumnAccessible.h"
#include "scratchpad/LiveNoteEditor.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {
constexpr double copiedSeconds = 1.2;
constexpr int rightPadding = 10;
} // namespace

AnswerColumnView::AnswerColumnView(LiveNoteEditor &editor, const AnswerColumn &answers, Clock &clock)
    : QWidget(&editor), m_editor(editor), m_answers(answers), m_palette(NoteStyling::palette(true)),
      m_copied(clock, copiedSeconds)
{
    AnswerColumnAccessible::install();
    setAccessibleName(QStringLiteral("Answers"));
    setCursor(Qt::PointingHandCursor);
    connect(&answers, &AnswerColumn::changed, this, &AnswerColumnView::answersChanged);
    connect(&m_copied, &TransientFlag::changed, this, qOverload<>(&QWidget::update));
}

AnswerColumnView::~AnswerColumnView()
{
    for (const unsigned id : std::as_const(m_accessibleAnswers))
        QAccessible::deleteAccessibleInterface(id);
}

void AnswerColumnView::setPalette(const NoteStyling::Palette &palette)
{
    m_palette = palette;
    update();
}

void AnswerColumnView::showCopied(int line)
{
    m_copiedLine = line;
    m_copied.raise();
    update();
}

QRect AnswerColumnView::answerRect(int line) const
{
    const QRect lineRect = m_editor.lineRect(line);
    if (lineRect.isEmpty() || lineRect.bottom() < 0 || lineRect.top() > height())
        return {};
    return QRect(0, lineRect.top(), width() - rightPadding, fontMetrics().height());
}

const AnswerColumn::Answer *AnswerColumnView::answerAt(QPoint point) const
{
    const AnswerColumn::Answer *answer = m_answers.answerOn(m_editor.lineAt(point.y()));
    return answer && answerRect(answer->line).contains(point) ? answer : nullptr;
}

QAccessibleInterface *AnswerColumnView::accessibleAnswer(int line)
{
    const auto known = m_accessibleAnswers.constFind(line);
    if (known != m_accessibleAnswers.cend())
        return QAccessible::accessibleInterface(*known);
    QAccessibleInterface *answer = AnswerColumnAccessible::answerInterface(*this, line);
    m_accessibleAnswers.insert(line, QAccessible::registerAccessibleInterface(answer));
    return answer;
}

void AnswerColumnView::answersChanged()
{
    // An answer that is gone takes its interface with it; the others stay
    // the same objects for a screen reader that holds them.
    for (auto it = m_accessibleAnswers.begin(); it != m_accessibleAnswers.end();) {
        if (m_answers.answerOn(it.key())) {
            ++it;
            continue;
        }
        QAccessible::deleteAccessibleInterface(*it);
        it = m_accessibleAnswers.erase(it);
    }
    if (QAccessible::isActive()) {
        QAccessibleEvent reorder(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reorder);
    }
    update();
}

bool AnswerColumnView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const AnswerColumn::Answer *answer = answerAt(help->pos());
        if (answer && answer->isStale())
            QToolTip::showText(help->globalPos(), answer->staleText(), this, answerRect(answer->line));
        else if (answer)
            QToolTip::showText(help->globalPos(), QStringLiteral("Click to copy"), this, answerRect(answer->line));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void AnswerColumnView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int first = m_editor.lineAt(0);
    const int last = m_editor.lineAt(height());
    const QList<AnswerColumn::Answer> &all = m_answers.answers();
    auto answer = std::lower_bound(all.cbegin(), all.cend(), first,
                                   [](const AnswerColumn::Answer &a, int line) { return a.line < line; });
    for (; answer != all.cend() && answer->line <= last; ++answer) {
        const QRect rect = answerRect(answer->line);
        if (rect.isEmpty())
            continue;
        const bool copied = m_copied.isRaised() && answer->line == m_copiedLine;
        QFont font = this->font();
        font.setWeight(answer->isStale() ? QFont::Bold : QFont::DemiBold);
        painter.setFont(font);
        painter.setPen(answer->isStale() ? m_palette.stale : m_palette.answer);
        const QString text = copied ? QStringLiteral("Copied") : answer->value;
        painter.drawText(rect, Qt::AlignRight | Qt::AlignVCenter,
                         QFontMetrics(font).elidedText(text, Qt::ElideLeft, rect.width()));
    }
}

void AnswerColumnView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    if (const AnswerColumn::Answer *answer = answerAt(event->position().toPoint()))
        Q_EMIT answerClicked(answer->line);
}
