#pragma once

#include "FakePorts.h"
#include "LocalHttpServer.h"
#include "app/AppDelegate.h"
#include "app/SingleInstance.h"
#include "platform/qt/QtClock.h"

#include <QStringList>

#include <memory>

class MainContainerView;

// A whole Orvane launched in the test's own process on the test's display,
// pinned, its settings in memory, with one web tab per title on a page
// served on 127.0.0.1 ("/alpha" for "Alpha"), each page ending with
// `pageMarkup`. No shelf kept by an earlier test is read. Tests drive it with
// real input and look at its state directly.
class InProcessOrvane
{
public:
    // A first start puts sample items on the shelf.
    enum class Shelf { Sample, Empty };

    explicit InProcessOrvane(const QStringList &pageTitles, const QByteArray &pageMarkup = {},
                             Shelf shelf = Shelf::Sample);

    AppState &state() const { return m_delegate->state(); }
    PanelWindow &window() const { return m_delegate->window(); }
    HibernationEngine &hibernation() const { return m_delegate->hibernation(); }
    MainContainerView &container() const;
    AppDelegate &delegate() const { return *m_delegate; }

    LocalHttpServer server;
    MemoryStore store;

private:
    QtClock m_clock;
    FakeAppearance m_appearance;
    FakeMemory m_memory;
    SingleInstance m_instance;
    std::unique_ptr<AppDelegate> m_delegate;
};
