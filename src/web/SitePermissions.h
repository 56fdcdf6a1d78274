#pragma once

#include "platform/WebPage.h"

#include <QObject>
#include <QString>
#include <QUrl>

#include <map>
#include <optional>

class KeyValueStore;

// What the user answered each site (scheme, host and port) that asked to show
// notifications, kept in the settings store as a small JSON object, and the
// rule for every request a page makes of the computer.
class SitePermissions final : public QObject
{
    Q_OBJECT

public:
    enum class Answer { Allow, Block };
    enum class Decision { Ask, Grant, Refuse };

    struct Site
    {
        QString origin;
        Answer answer;
    };

    explicit SitePermissions(KeyValueStore &store, QObject *parent = nullptr);

    // Only notifications are ever asked for: devices, location and the screen
    // are refused without a question, whatever was answered before.
    static Decision decide(WebPage::Feature feature, std::optional<Answer> remembered);
    // "mail.example.com", with the port when the address names one.
    static QString siteName(const QUrl &origin);

    // Reads the stored answers; an unreadable value is as none (every site is asked again).
    void load();
    std::optional<Answer> answerFor(const QUrl &origin) const;
    // Saved at once, as is a revocation.
    void remember(const QUrl &origin, Answer answer);
    void revoke(const QString &origin);
    // In the order of their origins.
    QList<Site> sites() const;

Q_SIGNALS:
    void changed();

private:
    void save();

    KeyValueStore &m_store;
    std::map<QString, Answer> m_answers;
};
