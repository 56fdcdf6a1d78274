// The yardstick for Orvane's cold start: a bare web view showing one page,
// set up the way Orvane sets up its web engine.
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

#include <unistd.h>

int main(int argc, char **argv)
{
    if (getuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    QWebEngineView view;
    view.resize(440, 900);
    view.load(QUrl(QString::fromLocal8Bit(argv[1])));
    view.show();
    return app.exec();
}
