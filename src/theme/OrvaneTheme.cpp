#include "theme/OrvaneTheme.h"

namespace {
QColor hex(QRgb rgb, double opacity = 1.0)
{
    QColor color = QColor::fromRgb(rgb);
    color.setAlphaF(float(opacity));
    return color;
}

constexpr QRgb white = 0xFFFFFF;
constexpr QRgb green = 0x22C55E;
constexpr QRgb cyan = 0x06B6D4;
constexpr QRgb darkGreen = 0x166534;
constexpr QRgb emerald = 0x34D399;

// Each theme's text colours read at 4.5 : 1 or more on the backgrounds the
// views draw them on (ThemeTest lists which goes on which); the text colours
// are darker or lighter versions of the theme's own hues.
const ThemePalette paper{
    hex(0x3C4EF4), hex(white), hex(0x1A1D20), hex(0x545B66), hex(0x686F7B), hex(0xE5E3DC), hex(0xD8D5CD),
    hex(0x3C4EF4), hex(0xF6F5F1), hex(0xEBE9E4), hex(0xF6F5F1), hex(white), hex(white), hex(white), hex(white),
    hex(0x5A78AA), hex(darkGreen),
};
const ThemePalette midnight{
    hex(0xBCA7FF), hex(0x201B32), hex(0xF1EFF7), hex(0xAEB2C6), hex(0x8D97AC), hex(white, 0.09), hex(white, 0.12),
    hex(0xBAA2FF, 0.40), hex(0x0F172A, 0.92), hex(0x0C111F, 0.85), hex(0x0A0E17, 0.85), hex(0x1B2232), hex(0x202A3A),
    hex(0x222B3A), hex(0x151B28), hex(0x85D8EB), hex(emerald),
};
const ThemePalette ember{
    hex(0xE9B35E), hex(0x231A08), hex(0xF2F3F5), hex(0xA3A6AC), hex(0x888B90), hex(white, 0.07), hex(white, 0.09),
    hex(0xE9B35E, 0.40), hex(0x101113), hex(0x0B0C0E), hex(0x0B0C0E), hex(0x202328), hex(0x1A1C20), hex(0x1E2126),
    hex(0x15171A), hex(0x7C8896), hex(emerald),
};
const ThemePalette nickel{
    hex(0x135AF6), hex(white), hex(0x1C2024), hex(0x4F5968), hex(0x626A74), hex(0xD7DAE0), hex(0xC8CCD4),
    hex(0x3B82F6, 0.50), hex(0xEAECEF), hex(0xDEE1E6), hex(0xEAECEF), hex(white), hex(white), hex(white), hex(white),
    hex(0x5A78AA), hex(darkGreen),
};
const ThemePalette phosphor{
    hex(green), hex(0x0A0C0A), hex(green), hex(green, 0.85), hex(green, 0.72), hex(green, 0.20), hex(green, 0.30),
    hex(green, 0.60), hex(0x0A0C0A), hex(0x060806), hex(0x060806), hex(0x101410), hex(0x121812), hex(0x121612),
    hex(0x0E100E), hex(green, 0.65), hex(green),
};
const ThemePalette aubergine{
    hex(0xF44D6C), hex(0x1B101E), hex(0xFAF0F8), hex(0xBEA5B9), hex(0x9C8397), hex(white, 0.08), hex(white, 0.10),
    hex(0xF43F5E, 0.50), hex(0x1B101E), hex(0x140B16), hex(0x120A14), hex(0x26182B), hex(0x2C1C32), hex(0x281A2D),
    hex(0x221626), hex(0xC896DC), hex(emerald),
};
const ThemePalette sage{
    hex(0xAB5232), hex(white), hex(0x202420), hex(0x535C53), hex(0x666E66), hex(0xDCE0DA), hex(0xD2D6D0),
    hex(0xC25E3E, 0.50), hex(0xEFF2ED), hex(0xE2E6DF), hex(0xEFF2ED), hex(white), hex(white), hex(white), hex(white),
    hex(0x5A78AA), hex(darkGreen),
};
const ThemePalette blueprint{
    hex(cyan), hex(0x0A1722), hex(0xEBF5FC), hex(0x8CB4D2), hex(0x7F97B5), hex(cyan, 0.22), hex(cyan, 0.30),
    hex(cyan, 0.60), hex(0x0F1F2C), hex(0x0A1722), hex(0x0A141E), hex(0x15293A), hex(0x182E41), hex(0x172C3E),
    hex(0x142636), hex(0x64C8E6), hex(emerald),
};
} // namespace

namespace OrvaneTheme {

const ThemePalette &palette(AppThemeMode theme)
{
    switch (theme) {
    case AppThemeMode::Paper: return paper;
    case AppThemeMode::Midnight: return midnight;
    case AppThemeMode::Ember: return ember;
    case AppThemeMode::Nickel: return nickel;
    case AppThemeMode::Phosphor: return phosphor;
    case AppThemeMode::Aubergine: return aubergine;
    case AppThemeMode::Sage: return sage;
    case AppThemeMode::Blueprint: return blueprint;
    }
    Q_UNREACHABLE();
}

double railWidth(AppThemeMode theme)
{
    return theme == AppThemeMode::Ember ? 56 : 52;
}

} // namespace OrvaneTheme
