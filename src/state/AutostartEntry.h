#pragma once

#include <QString>

// Whether Orvane starts at login: the XDG autostart entry orvane.desktop in
// the user's autostart folder. The entry itself is the setting, so no settings
// key can disagree with it, and turning it off in the desktop's own session
// settings turns it off here too.
class AutostartEntry final
{
public:
    // program: the Orvane binary the entry starts.
    explicit AutostartEntry(QString program);

    // $XDG_CONFIG_HOME/autostart/orvane.desktop, or under ~/.config when that
    // is unset or not an absolute path.
    static QString path();

    // The entry exists and the session will start it.
    bool isEnabled() const;
    // Writes or removes the entry; false, and nothing changed, when the file
    // system refuses.
    bool setEnabled(bool enabled);

private:
    QString m_program;
};
