#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QEventLoop;
class QLineEdit;

// A page's question (alert, confirm, prompt, leaving the page, a sign-in the
// server asks for) shown over the page inside its view, so the panel stays
// the window that has it. Return answers, Escape declines.
class PageDialog final : public QWidget
{
    Q_OBJECT

public:
    struct Field
    {
        QString label;
        QString text;
        bool secret = false;
    };
    struct Answer
    {
        bool accepted = false;
        QStringList texts;
    };

    // Shows the question over `view` and waits, running the event loop, until
    // it is answered or the view goes away (which declines it).
    static Answer ask(QWidget *view, const QString &message, const std::vector<Field> &fields, bool canDecline);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    PageDialog(QWidget *view, const QString &message, const std::vector<Field> &fields, bool canDecline);
    void finish(bool accepted);

    std::vector<QLineEdit *> m_edits;
    QEventLoop *m_loop = nullptr;
    bool m_canDecline;
    Answer m_answer;
};
