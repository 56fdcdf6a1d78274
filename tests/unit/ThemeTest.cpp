#include "ColourContrast.h"
#include "scratchpad/NoteStyling.h"
#include "theme/OrvaneTheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

QColor over(const QColor &top, const QColor &below)
{
    const double alpha = top.alphaF();
    return QColor::fromRgbF(float(top.redF() * alpha + below.redF() * (1 - alpha)),
                            float(top.greenF() * alpha + below.greenF() * (1 - alpha)),
                            float(top.blueF() * alpha + below.blueF() * (1 - alpha)));
}

using Paint = std::function<QColor(AppThemeMode)>;

Paint role(QColor ThemePalette::*member, double opacity = 1.0)
{
    return [member, opacity](AppThemeMode theme) {
        QColor colour = OrvaneTheme::palette(theme).*member;
        colour.setAlphaF(float(colour.alphaF() * opacity));
        return colour;
    };
}

Paint fixed(const QColor &colour)
{
    return [colour](AppThemeMode) { return colour; };
}

// The views' neutral wash: black over light themes, white over dark ones.
Paint inkWash(double opacity)
{
    return [opacity](AppThemeMode theme) {
        QColor colour = isLight(theme) ? QColor(Qt::black) : QColor(Qt::white);
        colour.setAlphaF(float(opacity));
        return colour;
    };
}

Paint note(QColor NoteStyling::Palette::*member)
{
    return [member](AppThemeMode theme) { return NoteStyling::palette(isLight(theme)).*member; };
}

// A text colour and the layers it is drawn on, bottom first, as the views
// paint them (each row names where).
struct TextOnSurface { const char *where; Paint text; QList<Paint> surface; };

// Every text colour of every theme against what it is drawn on: at least
// 4.5 : 1 (no text is large enough for the 3 : 1 of large text). A
// translucent layer (Midnight's panel, footer) may lie over anything on the
// desktop, so each surface is composited over black and over white and both
// must pass.
TEST(Themes, EveryTextIsReadableOnWhatItIsDrawnOn)
{
    using P = ThemePalette;
    const Paint panel = role(&P::panelBackground);
    const Paint card = role(&P::fileCardBackground);
    const Paint dialog = role(&P::dialogBackground);
    const Paint accentWash = role(&P::accent, 0.16);
    const TextOnSurface rows[] = {
        {"titles and body text on a screen", role(&P::textPrimary), {panel}},
        {"captions, paragraphs and the address on a screen", role(&P::textSecondary), {panel}},
        {"hints, section headings and footers on a screen", role(&P::textMuted), {panel}},
        {"accent links and buttons on a screen", role(&P::accent), {panel}},
        {"\"Copied!\" on a screen", role(&P::success), {panel}},
        {"the Live Math pill", role(&P::success), {panel, role(&P::success, 0.14)}},
        {"a settings row's title, a shelf card's name, the prompt bar's text", role(&P::textPrimary), {card}},
        {"a settings row's description, a shelf card's size", role(&P::textSecondary), {card}},
        {"the prompt bar's labels, a refused shortcut", role(&P::textMuted), {card}},
        {"a setting's value, the prompt bar's app badge", role(&P::accent), {card}},
        {"\"Granted\", a shelf card's \"Copied\"", role(&P::success), {card}},
        {"a chosen pill, the prompt bar's main action", role(&P::textPrimary), {card, accentWash}},
        {"palette and gallery rows", role(&P::textPrimary), {dialog}},
        {"palette row subtitles", role(&P::textSecondary), {dialog}},
        {"\"esc to close\", the gallery's hint", role(&P::textMuted), {dialog}},
        {"the palette's highlighted row", role(&P::textPrimary), {dialog, accentWash}},
        {"the palette's highlighted row's subtitle", role(&P::textSecondary), {dialog, accentWash}},
        {"typed text in a search field", role(&P::textPrimary), {role(&P::composerBackground)}},
        {"a search field's placeholder", role(&P::textMuted), {role(&P::composerBackground)}},
        {"the footer's counts", role(&P::textSecondary), {role(&P::statusFooterBackground)}},
        {"the footer's BETA", role(&P::accent), {role(&P::statusFooterBackground)}},
        {"the footer's memory figure", role(&P::textSecondary), {role(&P::statusFooterBackground), inkWash(0.06)}},
        {"an accent button's label", role(&P::onAccentText), {panel, role(&P::accent)}},
        {"the note's text and headings", note(&NoteStyling::Palette::text), {panel, note(&NoteStyling::Palette::card)}},
        {"the note's answers", note(&NoteStyling::Palette::answer), {panel, note(&NoteStyling::Palette::card)}},
        {"the shelf's count badge", fixed(OrvaneTheme::shelfBadgeInk), {fixed(OrvaneTheme::shelfBadgeOrange)}},
    };
    for (AppThemeMode theme : allThemeModes) {
        for (const TextOnSurface &row : rows) {
            for (const QColor desktop : {QColor(Qt::black), QColor(Qt::white)}) {
                QColor surface = desktop;
                for (const Paint &layer : row.surface)
                    surface = over(layer(theme), surface);
                const double ratio = contrast(over(row.text(theme), surface), surface);
                EXPECT_GE(ratio, 4.5) << rawValue(theme).toStdString() << ": " << row.where << " (over "
                                      << desktop.name().toStdString() << ")";
            }
        }
    }
}

} // namespace
