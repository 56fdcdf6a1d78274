#include "scratchpad/AnswerColumnAccessible.h"

#include "scratchpad/AnswerColumnView.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <algorithm>

namespace {

// The index of the line's answer among the column's answers, or -1.
int indexOfLine(const AnswerColumn &answers, int line)
{
    const QList<AnswerColumn::Answer> &all = answers.answers();
    const auto found = std::lower_bound(all.cbegin(), all.cend(), line,
                                        [](const AnswerColumn::Answer &answer, int wanted) { return answer.line < wanted; });
    return found != all.cend() && found->line == line ? int(found - all.cbegin()) : -1;
}

class AnswerInterface final : public QAccessibleInterface
{
public:
    AnswerInterface(AnswerColumnView &column, int line) : m_column(&column), m_line(line) {}

    int line() const { return m_line; }

    bool isValid() const override { return m_column && m_column->answers().answerOn(m_line); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_column ? m_column->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_column.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !isValid() || m_column->answerRect(m_line).isEmpty();
        state.selectable = true;
        return state;
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect local = m_column->answerRect(m_line);
        return QRect(m_column->mapToGlobal(local.topLeft()), local.size());
    }
    QString text(QAccessible::Text kind) const override
    {
        const AnswerColumn::Answer *answer = m_column ? m_column->answers().answerOn(m_line) : nullptr;
        if (!answer)
            return {};
        if (kind == QAccessible::Name)
            return answer->accessibleText();
        if (kind == QAccessible::Value)
            return answer->value;
        if (kind == QAccessible::Description)
            return answer->staleText();
        return {};
    }
    void setText(QAccessible::Text, const QString &) override {}

private:
    QPointer<AnswerColumnView> m_column;
    int m_line;
};

class ColumnInterface final : public QAccessibleWidget
{
public:
    explicit ColumnInterface(AnswerColumnView *column) : QAccessibleWidget(column, QAccessible::List) {}

    int childCount() const override { return int(column()->answers().answers().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<AnswerColumn::Answer> &all = column()->answers().answers();
        return index >= 0 && index < all.size() ? column()->accessibleAnswer(all.at(index).line) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto *answer = dynamic_cast<const AnswerInterface *>(child);
        return answer ? indexOfLine(column()->answers(), answer->line()) : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const AnswerColumn::Answer *answer = column()->answerAt(column()->mapFromGlobal(QPoint(x, y)));
        return answer ? column()->accessibleAnswer(answer->line) : nullptr;
    }

private:
    AnswerColumnView *column() const { return static_cast<AnswerColumnView *>(widget()); }
};

QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    if (className != QLatin1String(AnswerColumnView::staticMetaObject.className()))
        return nullptr;
    return new ColumnInterface(static_cast<AnswerColumnView *>(object));
}

} // namespace

namespace AnswerColumnAccessible {

void install()
{
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(makeInterface), true);
}

QAccessibleInterface *answerInterface(AnswerColumnView &column, int line)
{
    return new AnswerInterface(column, line);
}

} // namespace AnswerColumnAccessible
