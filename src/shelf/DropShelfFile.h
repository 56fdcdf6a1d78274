#pragma once

#include "shelf/DropItem.h"

#include <QList>
#include <QString>

// The shelf as it is kept between runs: a JSON array of records in
// ~/.local/share/Orvane/DropShelf/shelf.json, replaced atomically on every
// write. A file that cannot be read whole is renamed aside before anything
// is written there, so no record is ever overwritten unread.
class DropShelfFile final
{
public:
    explicit DropShelfFile(QString path = defaultPath());

    static QString defaultPath();
    QString path() const { return m_path; }

    // The records that could be read; none when there is no file. Sets the
    // file aside (setAsidePath) when some part of it could not be read.
    QList<DropItem> load();
    // False when the file could not be written, or when an unreadable file
    // could not be set aside and so must not be replaced.
    bool save(const QList<DropItem> &items);
    QString setAsidePath() const { return m_setAsidePath; }

    static QByteArray encode(const QList<DropItem> &items);
    // The records that could be read, and whether that was all of them.
    struct Decoded
    {
        QList<DropItem> items;
        bool complete = true;
    };
    static Decoded decode(const QByteArray &data);

private:
    void setAside();

    QString m_path;
    QString m_setAsidePath;
    // An unreadable file is still there, unmoved: writing would destroy it.
    bool m_mustNotWrite = false;
};
