#pragma once

#include "platform/SystemAppearance.h"

#include <QObject>
#include <QVariant>

class QDBusVariant;

// The desktop's colour-scheme preference: the XDG desktop portal first, then
// GNOME's setting, then the GTK theme's name. Only the portal announces changes.
class DesktopAppearance final : public QObject, public SystemAppearance
{
    Q_OBJECT

public:
    DesktopAppearance();

    bool isDark() const override { return m_isDark; }
    void setChangeHandler(std::function<void()> handler) override;

    // The portal answers 1 for dark, 0 or 2 for light; newer portals wrap the
    // number in one more variant.
    static std::optional<bool> darkFromPortalValue(const QVariant &value);
    static bool darkFromGtkThemeName(const QString &themeName);

private Q_SLOTS:
    void onPortalSettingChanged(const QString &nameSpace, const QString &key, const QDBusVariant &value);

private:
    static std::optional<bool> readPortal();
    static std::optional<bool> readGnomeColorScheme();
    static bool readGtkTheme();

    bool m_isDark = false;
    std::function<void()> m_changeHandler;
};
