#pragma once

#include "math/MathResult.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class InlineMathParser;

// What the answer column beside the note shows, line by line: the answer of
// every line that answers, unless the line already carries it written after
// its last "="; a written answer that is no longer the line's value is shown
// as stale, with the edit that brings it up to date. The column is never part
// of the note's text.
class AnswerColumn final : public QObject
{
    Q_OBJECT

public:
    struct Answer
    {
        // Counted from 0, as the note's lines and the editor's blocks are.
        int line = 0;
        // The line's value as the column shows it ("14", "€92.00").
        QString value;
        // The answer written in the line when it is stale ("1655"), else empty.
        QString written;
        // Where that written answer sits in its line.
        qsizetype writtenStart = 0;

        bool isStale() const { return !written.isEmpty(); }
        // "Was 1655, now 1705" for a stale answer; empty otherwise.
        QString staleText() const;
        // What a screen reader says: "Line 3: 14", "Line 4: 1705, was 1655".
        QString accessibleText() const;

        bool operator==(const Answer &) const = default;
    };

    // Replaces `length` characters of `line` from `start` with `text`.
    struct Rewrite
    {
        int line = 0;
        qsizetype start = 0;
        qsizetype length = 0;
        QString text;

        bool operator==(const Rewrite &) const = default;
    };

    // The column of a note whose lines gave `results` (as parseDocument gives them).
    static QList<Answer> answersOf(const QStringList &lines, const QList<MathResult> &results);
    static Rewrite rewriteOf(const Answer &stale);

    explicit AnswerColumn(InlineMathParser &parser, QObject *parent = nullptr);

    // Reads the note again: the parser's cache keeps unchanged lines from
    // being evaluated again, and only a column that differs is announced.
    void read(const QString &note);

    const QList<Answer> &answers() const { return m_answers; }
    // The lines that answer, written answers included.
    qsizetype calculations() const { return m_calculations; }
    const Answer *answerOn(int line) const;
    // Every stale answer brought up to date, the last line first, so that
    // applying them in order moves none of the others.
    QList<Rewrite> rewrites() const;

Q_SIGNALS:
    void changed();

private:
    // The column's answer for a line that gave `result`, if it shows one.
    static std::optional<Answer> answerOf(const QString &line, const MathResult &result);

    struct Known
    {
        MathResult result;
        std::optional<Answer> answer;
    };

    InlineMathParser &m_parser;
    // What each line's text gave at the last readings.
    QHash<QString, Known> m_known;
    QList<Answer> m_answers;
    qsizetype m_calculations = 0;
};
