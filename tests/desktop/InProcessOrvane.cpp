#include "InProcessOrvane.h"

#include "EventLoopWait.h"
#include "OrvaneProcess.h"
#include "panel/PanelWindow.h"
#include "shelf/DropShelfFile.h"
#include "state/AppState.h"
#include "ui/MainContainerView.h"
#include "web/TabList.h"
#include "web/TabListJson.h"

#include <QFile>

InProcessOrvane::InProcessOrvane(const QStringList &pageTitles, const QByteArray &pageMarkup, Shelf shelf)
{
    QFile::remove(DropShelfFile::defaultPath());
    QList<TabModel> tabs;
    for (const QString &title : pageTitles) {
        const QString path = QLatin1Char('/') + title.toLower();
        server.setReply(path, {200, "<!doctype html><title>" + title.toUtf8() + "</title><p>" + title.toUtf8() + pageMarkup,
                               "text/html", {}, 0});
        tabs.append(TabList::makeTab(title, server.address().resolved(QUrl(path)), QStringLiteral("globe"), false,
                                     QDateTime::currentDateTimeUtc()));
    }
    store.values.insert(QStringLiteral("Orvane_followSystemTheme"), false);
    store.values.insert(QStringLiteral("Orvane_isPinned"), true);
    store.values.insert(QStringLiteral("Orvane_hasSeededSampleDropShelf"), shelf == Shelf::Empty);
    store.setData(QStringLiteral("Orvane_Tabs"), TabListJson::encode(tabs));
    movePointer(1300, 450);
    m_delegate = std::make_unique<AppDelegate>(Ports{m_clock, store, m_appearance, m_memory}, m_instance, QStringList(),
                                               server.address());
    m_delegate->applicationDidFinishLaunching();
    spinUntil([this] { return state().isPanelVisible() && window().isVisible(); });
    spinFor(400); // the slide
}

MainContainerView &InProcessOrvane::container() const
{
    return *window().findChild<MainContainerView *>();
}
