#pragma once

#include <QDateTime>
#include <QHash>
#include <QStringList>

#include <optional>

// The names installed applications show in menus, found by the class of one
// of their windows: the desktop entry whose StartupWMClass is that class,
// else the entry whose file is named after it ("org.gnome.gedit.desktop" for
// "Gedit"). Folders are read again only when one of them has changed.
class ApplicationNames final
{
public:
    // `folders`: where desktop entries live, the one that wins first.
    explicit ApplicationNames(QStringList folders);
    // The desktop's "applications" folders, the user's own first.
    static QStringList standardFolders();

    std::optional<QString> nameFor(const QString &instanceName, const QString &className);

private:
    void readFoldersIfChanged();
    void readEntry(const QString &path);

    QStringList m_folders;
    QList<QDateTime> m_folderTimes;
    QDateTime m_readAt;
    // Keys lower-case.
    QHash<QString, QString> m_byWindowClass;
    QHash<QString, QString> m_byFileName;
    // "gedit" of "org.gnome.gedit".
    QHash<QString, QString> m_byLastNamePart;
};
