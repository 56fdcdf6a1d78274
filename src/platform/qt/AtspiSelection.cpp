#include "platform/qt/AtspiSelection.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QQueue>
#include <QUuid>

#include <algorithm>

namespace {

// Per call, and for the whole search of one application.
constexpr int callTimeoutMs = 100;
constexpr int searchBudgetMs = 150;
// A window of an ordinary application has far fewer shown elements.
constexpr int maxElements = 2000;

// Bits of the state set.
constexpr int stateFocused = 12;
constexpr int stateShowing = 25;

struct Element
{
    QString service;
    QString path;
};

QList<Element> readElements(const QDBusArgument &argument)
{
    QList<Element> elements;
    argument.beginArray();
    while (!argument.atEnd()) {
        Element element;
        QDBusObjectPath path;
        argument.beginStructure();
        argument >> element.service >> path;
        argument.endStructure();
        element.path = path.path();
        elements.append(element);
    }
    argument.endArray();
    return elements;
}

// Every call ends within the search's budget, however slow the application.
class Caller
{
public:
    Caller(QDBusConnection bus, const QElapsedTimer &budget) : m_bus(std::move(bus)), m_budget(budget) {}

    QVariantList call(const Element &element, const QString &interface, const QString &method,
                      const QVariantList &arguments = {})
    {
        const int left = searchBudgetMs - int(m_budget.elapsed());
        if (left <= 0)
            return {};
        QDBusMessage message = QDBusMessage::createMethodCall(element.service, element.path, interface, method);
        message.setArguments(arguments);
        const QDBusMessage reply = m_bus.call(message, QDBus::Block, std::min(callTimeoutMs, left));
        return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments() : QVariantList();
    }

    qint64 processOf(const QString &service)
    {
        const Element bus{QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus")};
        const QVariantList reply =
            call(bus, QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetConnectionUnixProcessID"), {service});
        return reply.isEmpty() ? 0 : reply.first().toLongLong();
    }

    QList<Element> children(const Element &element)
    {
        const QVariantList reply = call(element, QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("GetChildren"));
        if (reply.isEmpty() || !reply.first().canConvert<QDBusArgument>())
            return {};
        return readElements(reply.first().value<QDBusArgument>());
    }

    quint64 state(const Element &element)
    {
        const QVariantList reply = call(element, QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("GetState"));
        if (reply.isEmpty() || !reply.first().canConvert<QDBusArgument>())
            return 0;
        QList<uint> words;
        reply.first().value<QDBusArgument>() >> words;
        return words.value(0) | (quint64(words.value(1)) << 32);
    }

    std::optional<QString> selectedText(const Element &element)
    {
        const QString text = QStringLiteral("org.a11y.atspi.Text");
        const QVariantList count = call(element, text, QStringLiteral("GetNSelections"));
        if (count.isEmpty() || count.first().toInt() < 1)
            return std::nullopt;
        const QVariantList range = call(element, text, QStringLiteral("GetSelection"), {0});
        if (range.size() < 2)
            return std::nullopt;
        const QVariantList selected = call(element, text, QStringLiteral("GetText"), {range.at(0), range.at(1)});
        if (selected.isEmpty())
            return std::nullopt;
        return selected.first().toString();
    }

private:
    QDBusConnection m_bus;
    const QElapsedTimer &m_budget;
};

} // namespace

// An address in the environment wins, as it does for every AT-SPI program.
std::optional<QString> AtspiSelection::givenAddress()
{
    const QString address = qEnvironmentVariable("AT_SPI_BUS_ADDRESS");
    return address.isEmpty() ? std::nullopt : std::optional<QString>(address);
}

bool AtspiSelection::canRead() const
{
    return givenAddress() || QDBusConnection::sessionBus().isConnected();
}

AtspiSelection::AtspiSelection()
    : m_connectionName(QStringLiteral("orvane-accessibility-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

AtspiSelection::~AtspiSelection()
{
    QDBusConnection::disconnectFromBus(m_connectionName);
}

std::optional<QDBusConnection> AtspiSelection::accessibilityBus(int timeoutMs)
{
    if (m_bus && m_bus->isConnected())
        return m_bus;
    // Qt gives back the connection a name already has, dead or alive: a bus
    // that went away (it restarted) would stay away for the rest of the run.
    m_bus.reset();
    QDBusConnection::disconnectFromBus(m_connectionName);
    std::optional<QString> address = givenAddress();
    if (!address) {
        QDBusMessage question = QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                                               QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
        // The first question may start the bus; a later capture finds it running.
        const QDBusReply<QString> reply = QDBusConnection::sessionBus().call(question, QDBus::Block, timeoutMs);
        if (reply.isValid() && !reply.value().isEmpty())
            address = reply.value();
    }
    if (!address)
        return std::nullopt;
    QDBusConnection bus = QDBusConnection::connectToBus(*address, m_connectionName);
    if (!bus.isConnected())
        return std::nullopt;
    m_bus = bus;
    return m_bus;
}

void AtspiSelection::readSelectedText(const DesktopApplication &source, Reply reply)
{
    reply(source.processId != 0 && canRead() ? selectedText(source.processId) : std::nullopt);
}

std::optional<QString> AtspiSelection::selectedText(qint64 processId)
{
    QElapsedTimer budget;
    budget.start();
    const std::optional<QDBusConnection> bus = accessibilityBus(searchBudgetMs);
    if (!bus)
        return std::nullopt;
    Caller caller(*bus, budget);

    const Element desktop{QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/accessible/root")};
    QQueue<Element> pending;
    for (const Element &application : caller.children(desktop)) {
        if (caller.processOf(application.service) == processId)
            pending.append(caller.children(application));
    }
    // Breadth first through what is on screen, to the element with the keyboard focus.
    for (int visited = 0; !pending.isEmpty() && visited < maxElements && budget.elapsed() < searchBudgetMs; ++visited) {
        const Element element = pending.dequeue();
        const quint64 state = caller.state(element);
        if (state & (quint64(1) << stateFocused))
            return caller.selectedText(element);
        if (state & (quint64(1) << stateShowing))
            pending.append(caller.children(element));
    }
    return std::nullopt;
}
