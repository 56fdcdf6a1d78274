#include "platform/qt/PageDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

PageDialog::PageDialog(QWidget *view, const QString &message, const std::vector<Field> &fields, bool canDecline)
    : QWidget(view), m_canDecline(canDecline)
{
    setAccessibleName(message);
    auto *card = new QFrame(this);
    card->setFrameShape(QFrame::StyledPanel);
    card->setAutoFillBackground(true);
    card->setMaximumWidth(420);
    auto *cardLayout = new QVBoxLayout(card);
    auto *text = new QLabel(message, card);
    text->setWordWrap(true);
    // A page's message is its own text, never markup of ours.
    text->setTextFormat(Qt::PlainText);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cardLayout->addWidget(text);
    auto *form = new QFormLayout;
    for (const Field &field : fields) {
        auto *edit = new QLineEdit(field.text, card);
        edit->setEchoMode(field.secret ? QLineEdit::Password : QLineEdit::Normal);
        edit->setAccessibleName(field.label);
        form->addRow(field.label, edit);
        m_edits.push_back(edit);
    }
    cardLayout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | (canDecline ? QDialogButtonBox::Cancel : QDialogButtonBox::NoButton), card);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { finish(true); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { finish(false); });
    cardLayout->addWidget(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(card, 0, Qt::AlignCenter);
    setGeometry(view->rect());
    view->installEventFilter(this);
    // The panel's own keys (Escape hides it) are looked at before any widget
    // sees them; while the page waits for an answer, Return and Escape are its.
    qApp->installEventFilter(this);
    show();
    raise();
    if (m_edits.empty())
        buttons->button(QDialogButtonBox::Ok)->setFocus();
    else
        m_edits.front()->setFocus();
}

PageDialog::Answer PageDialog::ask(QWidget *view, const QString &message, const std::vector<Field> &fields, bool canDecline)
{
    if (!view)
        return {};
    QPointer<PageDialog> dialog = new PageDialog(view, message, fields, canDecline);
    QEventLoop loop;
    dialog->m_loop = &loop;
    connect(dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    if (!dialog)
        return {};
    Answer answer = dialog->m_answer;
    delete dialog;
    return answer;
}

void PageDialog::finish(bool accepted)
{
    m_answer.accepted = accepted;
    m_answer.texts.clear();
    for (const QLineEdit *edit : m_edits)
        m_answer.texts.append(edit->text());
    qApp->removeEventFilter(this);
    hide();
    if (m_loop)
        m_loop->quit();
}

bool PageDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    if (event->type() != QEvent::KeyPress || !isVisible() || watched != window()->windowHandle())
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        finish(true);
        return true;
    }
    if (key == Qt::Key_Escape) {
        finish(!m_canDecline);
        return true;
    }
    return false;
}

void PageDialog::paintEvent(QPaintEvent *)
{
    // The page stays in sight, dimmed, under its question.
    QPainter(this).fillRect(rect(), QColor(0, 0, 0, 96));
}
