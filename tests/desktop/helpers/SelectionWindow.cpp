// Another application for the capture tests, at 100,100 (--at X,Y elsewhere):
//   selection_window --field TEXT        a text field holding TEXT, for the test to select
//   selection_window --selected TEXT     the same with TEXT selected by the program, which
//                                        leaves the primary selection alone
//   selection_window --copies TEXT KEYS  a view of TEXT that puts it on the clipboard
//                                        only when KEYS ("Ctrl+C") are pressed
// --class NAME gives its window that class. --terminal runs a child on a
// terminal of its own, as a terminal emulator runs its shell. --hold NAME
// (PRIMARY or CLIPBOARD) has a second connection of this program own that
// selection and never answer for it, as a hung program would; it prints
// "asked NAME" for each request. It prints "ready" once it has the keyboard,
// then "key: Ctrl+Alt+C" and the like for each chord it receives.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPainter>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <pty.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <list>

namespace {

void reportChord(const QKeyEvent *event)
{
    if (event->modifiers() & ~Qt::KeypadModifier && event->key() < Qt::Key_Shift) {
        const QKeySequence chord(event->keyCombination());
        std::printf("key: %s\n", qPrintable(chord.toString(QKeySequence::PortableText)));
        std::fflush(stdout);
    }
}

class Field final : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        reportChord(event);
        QLineEdit::keyPressEvent(event);
    }
};

class CopyOnlyView final : public QWidget
{
public:
    CopyOnlyView(QString text, QKeySequence copyKeys) : m_text(std::move(text)), m_copyKeys(std::move(copyKeys))
    {
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        reportChord(event);
        if (QKeySequence(event->keyCombination()) == m_copyKeys)
            QGuiApplication::clipboard()->setText(m_text);
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawText(rect(), Qt::AlignCenter, m_text);
    }

private:
    QString m_text;
    QKeySequence m_copyKeys;
};

class HungOwner
{
public:
    explicit HungOwner(const QByteArray &selection) : m_connection(xcb_connect(nullptr, nullptr))
    {
        xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, uint16_t(selection.size()), selection.constData()), nullptr);
        const xcb_window_t window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, 0, window, xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root, 0, 0,
                          1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_set_selection_owner(m_connection, window, atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE), XCB_CURRENT_TIME);
        std::free(atom);
        xcb_flush(m_connection);
        QObject::connect(&m_notifier, &QSocketNotifier::activated, [this, selection] {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
                if ((event->response_type & ~0x80) == XCB_SELECTION_REQUEST) {
                    std::printf("asked %s\n", selection.constData());
                    std::fflush(stdout);
                }
                std::free(event);
            }
        });
    }

private:
    xcb_connection_t *m_connection;
    QSocketNotifier m_notifier{xcb_get_file_descriptor(m_connection), QSocketNotifier::Read};
};

// The child hangs up with the terminal when this program ends.
void startChildOnTerminal()
{
    int terminal = -1;
    if (forkpty(&terminal, nullptr, nullptr, nullptr) == 0) {
        execlp("cat", "cat", nullptr);
        _exit(127);
    }
}

// Takes `--name VALUE` (each time it is given) out of the arguments.
QStringList takeOption(QStringList &args, const QString &name)
{
    QStringList values;
    for (qsizetype at = args.indexOf(name); at >= 0 && at + 1 < args.size(); at = args.indexOf(name)) {
        values.append(args.at(at + 1));
        args.remove(at, 2);
    }
    return values;
}

void setWindowClass(QWidget &window, const QByteArray &name)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || name.isEmpty())
        return;
    const QByteArray value = name.toLower() + '\0' + name + '\0';
    xcb_change_property(x11->connection(), XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()), XCB_ATOM_WM_CLASS,
                        XCB_ATOM_STRING, 8, uint32_t(value.size()), value.constData());
    xcb_flush(x11->connection());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const QByteArray windowClass = takeOption(args, QStringLiteral("--class")).value(0).toUtf8();
    const QStringList at = takeOption(args, QStringLiteral("--at")).value(0, QStringLiteral("100,100")).split(QLatin1Char(','));
    if (args.removeAll(QStringLiteral("--terminal")))
        startChildOnTerminal();
    std::list<HungOwner> hungOwners;
    for (const QString &selection : takeOption(args, QStringLiteral("--hold")))
        hungOwners.emplace_back(selection.toUtf8());
    std::unique_ptr<QWidget> window;
    if (args.size() == 2 && args.at(0) == QLatin1String("--field")) {
        window = std::make_unique<Field>(args.at(1));
    } else if (args.size() == 2 && args.at(0) == QLatin1String("--selected")) {
        auto field = std::make_unique<Field>(args.at(1));
        field->selectAll();
        window = std::move(field);
    }
    else if (args.size() == 3 && args.at(0) == QLatin1String("--copies"))
        window = std::make_unique<CopyOnlyView>(args.at(1), QKeySequence(args.at(2)));
    else
        return 2;
    window->setWindowTitle(QStringLiteral("Orvane test selection window"));
    window->setGeometry(at.value(0).toInt(), at.value(1).toInt(), 400, 120);
    window->winId();
    setWindowClass(*window, windowClass);
    window->show();
    window->activateWindow();
    window->setFocus();
    // Ready once the window has the keyboard.
    auto *poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, &app, [&window, poll] {
        if (window->isActiveWindow()) {
            poll->stop();
            std::printf("ready\n");
            std::fflush(stdout);
        }
    });
    poll->start(20);
    return app.exec();
}
