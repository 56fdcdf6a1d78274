// Another application for the tests: a window at the given place that takes
// drops and writes what the last one carried to a file, as JSON:
// {"urls": [...], "text": "..."}.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QSaveFile>
#include <QWidget>

namespace {

class DropTarget final : public QWidget
{
public:
    explicit DropTarget(QString output) : m_output(std::move(output))
    {
        setWindowTitle(QStringLiteral("Orvane test drop target"));
        setAcceptDrops(true);
    }

protected:
    void dragEnterEvent(QDragEnterEvent *event) override { event->acceptProposedAction(); }
    void dragMoveEvent(QDragMoveEvent *event) override { event->acceptProposedAction(); }
    void dropEvent(QDropEvent *event) override
    {
        QJsonArray urls;
        for (const QUrl &url : event->mimeData()->urls())
            urls.append(url.toString());
        const QJsonObject carried{{QStringLiteral("urls"), urls}, {QStringLiteral("text"), event->mimeData()->text()}};
        QSaveFile file(m_output);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(QJsonDocument(carried).toJson());
            file.commit();
        }
        event->acceptProposedAction();
    }

private:
    QString m_output;
};

} // namespace

// drop_target X Y OUTPUT
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    DropTarget target(args.at(3));
    target.setGeometry(args.at(1).toInt(), args.at(2).toInt(), 200, 160);
    target.show();
    return app.exec();
}
