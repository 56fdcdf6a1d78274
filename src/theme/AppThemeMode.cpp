#include "theme/AppThemeMode.h"

QString rawValue(AppThemeMode theme)
{
    switch (theme) {
    case AppThemeMode::Paper: return QStringLiteral("Paper");
    case AppThemeMode::Midnight: return QStringLiteral("Midnight");
    case AppThemeMode::Ember: return QStringLiteral("Ember");
    case AppThemeMode::Nickel: return QStringLiteral("Nickel");
    case AppThemeMode::Phosphor: return QStringLiteral("Phosphor");
    case AppThemeMode::Aubergine: return QStringLiteral("Aubergine");
    case AppThemeMode::Sage: return QStringLiteral("Sage");
    case AppThemeMode::Blueprint: return QStringLiteral("Blueprint");
    }
    Q_UNREACHABLE();
}

QString subtitle(AppThemeMode theme)
{
    switch (theme) {
    case AppThemeMode::Paper:
        return QStringLiteral("Tactile eggshell paper with crisp cards, charcoal ink & cobalt accents.");
    case AppThemeMode::Midnight:
        return QStringLiteral("Modern deep navy glass with electric blue & purple accents.");
    case AppThemeMode::Ember:
        return QStringLiteral("Minimalist dark ink furniture with warm amber rules & monograms.");
    case AppThemeMode::Nickel:
        return QStringLiteral("Cool brushed silver and industrial slate tones.");
    case AppThemeMode::Phosphor:
        return QStringLiteral("Classic terminal black console with high-contrast matrix green.");
    case AppThemeMode::Aubergine:
        return QStringLiteral("Deep velvet plum and twilight violet with vivid magenta rules.");
    case AppThemeMode::Sage:
        return QStringLiteral("Organic light olive canvas with terracotta rules and earthen accents.");
    case AppThemeMode::Blueprint:
        return QStringLiteral("Technical deep cyan-slate with architectural grid lines.");
    }
    Q_UNREACHABLE();
}

bool isLight(AppThemeMode theme)
{
    return theme == AppThemeMode::Paper || theme == AppThemeMode::Nickel || theme == AppThemeMode::Sage;
}

std::optional<AppThemeMode> themeFromRaw(const QString &raw)
{
    for (AppThemeMode theme : allThemeModes) {
        if (rawValue(theme) == raw)
            return theme;
    }
    return std::nullopt;
}

std::optional<AppThemeMode> themeFromStored(const QString &stored)
{
    if (const auto theme = themeFromRaw(stored))
        return theme;
    if (stored == QLatin1String("Aurora Glass") || stored == QLatin1String("aurora"))
        return LegacyTheme::aurora;
    if (stored == QLatin1String("Ink & Rule") || stored == QLatin1String("inkAndRule"))
        return LegacyTheme::inkAndRule;
    return std::nullopt;
}
