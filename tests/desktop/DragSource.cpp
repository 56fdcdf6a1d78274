// A small program that starts a real drag (XDND) when its window is pressed.
// What it drags comes from the command line: --file PATH, --text TEXT or
// --image. It prints "ready" once its window is up and, when the target
// reports the end of the drop, "result: copy" when it took the drop or
// "result: ignore" when not. It keeps running to answer for its data.
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDrag>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt reports the answer to the last position as the drag's result; whether
// the drop was really taken is only in the target's XdndFinished.
class FinishedWatcher final : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if (type != "xcb_generic_event_t" || (event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
            return false;
        const auto *client = reinterpret_cast<const xcb_client_message_event_t *>(event);
        if (client->type != finished())
            return false;
        std::printf("result: %s\n", client->data.data32[1] & 1 ? "copy" : "ignore");
        std::fflush(stdout);
        return false;
    }

private:
    static xcb_atom_t finished()
    {
        static const xcb_atom_t atom = [] {
            auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
            xcb_connection_t *c = x11->connection();
            xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 12, "XdndFinished"), nullptr);
            const xcb_atom_t value = reply ? reply->atom : 0;
            std::free(reply);
            return value;
        }();
        return atom;
    }
};

class DragWindow final : public QWidget
{
public:
    explicit DragWindow(const QStringList &arguments)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint), m_arguments(arguments)
    {
        setGeometry(200, 200, 200, 200);
    }

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        auto *data = new QMimeData;
        const QString kind = m_arguments.value(1);
        if (kind == QLatin1String("--file"))
            data->setUrls({QUrl::fromLocalFile(m_arguments.value(2))});
        else if (kind == QLatin1String("--text"))
            data->setText(m_arguments.value(2));
        else
            data->setImageData(QImage(8, 8, QImage::Format_RGB32));
        // Qt keeps the drag to answer for its data after exec() and deletes it then.
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

    void showEvent(QShowEvent *) override
    {
        std::printf("ready\n");
        std::fflush(stdout);
    }

private:
    QStringList m_arguments;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    FinishedWatcher watcher;
    app.installNativeEventFilter(&watcher);
    DragWindow window(QApplication::arguments());
    window.show();
    return app.exec();
}
