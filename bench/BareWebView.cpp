// The yardstick for Orvane's cold start: a bare web view showing one page,
// set up the way Orvane sets up its web engine, on a named profile that keeps
// its storage on disk as Orvane's must (for sign-ins).
#include <QApplication>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
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
    QWebEngineProfile profile(QStringLiteral("bare"));
    QWebEngineView view;
    view.setPage(new QWebEnginePage(&profile, &view));
    view.resize(440, 900);
    view.load(QUrl(QString::fromLocal8Bit(argv[1])));
    view.show();
    return app.exec();
}
