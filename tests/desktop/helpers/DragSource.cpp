// Another application for the tests: a small window at the given place that
// starts a drag of a file (--file PATH) or of text (--text TEXT) when pressed.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

namespace {

class DragSource final : public QWidget
{
public:
    explicit DragSource(QMimeData *(*make)(const QString &), QString value) : m_make(make), m_value(std::move(value))
    {
        setWindowTitle(QStringLiteral("Orvane test drag source"));
    }

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        auto *drag = new QDrag(this);
        drag->setMimeData(m_make(m_value));
        drag->exec(Qt::CopyAction);
    }

private:
    QMimeData *(*m_make)(const QString &);
    QString m_value;
};

QMimeData *fileData(const QString &path)
{
    auto *data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(path)});
    return data;
}

QMimeData *textData(const QString &text)
{
    auto *data = new QMimeData;
    data->setText(text);
    return data;
}

} // namespace

// drag_source X Y (--file PATH | --text TEXT)
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    DragSource source(args.at(3) == QLatin1String("--file") ? fileData : textData, args.at(4));
    source.setGeometry(args.at(1).toInt(), args.at(2).toInt(), 160, 100);
    source.show();
    return app.exec();
}
