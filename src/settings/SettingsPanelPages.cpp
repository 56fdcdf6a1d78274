#include "settings/SettingsPanelPages.h"

#include "settings/SettingsControls.h"
#include "settings/ThemeCard.h"
#include "state/AppState.h"
#include "ui/PillButton.h"
#include "ui/ThemedLabel.h"
#include "ui/ToggleSwitch.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace SettingsControls;

namespace {

QWidget *widthSlider(SettingsScreen &screen, AppState &state)
{
    SettingsModel &settings = state.settings();
    return slider(
        screen, settings, QStringLiteral("Panel width"), SettingsScreen::widthScale,
        [&settings] { return settings.values().panelWidth; },
        [&settings](double width) { settings.set(&Settings::panelWidth, width); },
        [](double width) { return QString::number(width, 'f', 0); });
}

QWidget *dockEdgeChoices(SettingsScreen &screen, SettingsModel &settings, const QString &group,
                         const std::function<QString(ScreenDockEdge)> &label)
{
    QList<Choice> options;
    for (ScreenDockEdge edge : allScreenDockEdges) {
        options.append({label(edge), [&settings, edge] { return settings.values().screenDockEdge == edge; },
                        [&settings, edge] { settings.set(&Settings::screenDockEdge, edge); }});
    }
    return choices(screen, settings, group, options);
}

QWidget *themeGrid(SettingsScreen &screen, const SettingsModel &settings)
{
    auto *grid = new QWidget;
    auto *layout = new QGridLayout(grid);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->setSpacing(8);
    QList<ThemeCard *> cards;
    for (int i = 0; i < int(allThemeModes.size()); ++i) {
        auto *card = new ThemeCard(settings, allThemeModes.at(i));
        layout->addWidget(card, i / 4, i % 4);
        cards.append(card);
        QObject::connect(card, &QAbstractButton::clicked, card, [&screen, card] { screen.chooseTheme(card->theme()); });
    }
    const auto mark = [cards, &settings] {
        for (ThemeCard *card : cards) {
            const QSignalBlocker quiet(card);
            card->setChecked(card->theme() == settings.values().currentTheme);
        }
    };
    QObject::connect(&screen, &SettingsScreen::changed, grid, mark);
    for (ThemeCard *card : cards)
        QObject::connect(card, &QAbstractButton::clicked, grid, mark);
    mark();
    return grid;
}

} // namespace

namespace SettingsPanelPages {

QWidget *appearance(SettingsScreen &screen, AppState &state)
{
    SettingsModel &settings = state.settings();
    auto *page = new QWidget;
    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(sectionHeading(settings, QStringLiteral("THEME")));
    layout->addWidget(themeGrid(screen, settings));
    auto *follow = new Card(settings);
    follow->addRow(row(settings, QStringLiteral("Follow system"), QStringLiteral("Pairs Paper by day with Midnight at night."),
                       toggle(screen, settings, QStringLiteral("Follow system"),
                              [&settings] { return settings.values().followSystemTheme; },
                              [&settings](bool on) { settings.set(&Settings::followSystemTheme, on); })));
    layout->addWidget(follow);

    layout->addWidget(sectionHeading(settings, QStringLiteral("POSITION")));
    auto *position = new Card(settings);
    position->addRow(stacked(row(settings, QStringLiteral("Dock edge"), QStringLiteral("Which screen edge Orvane slides in from.")),
                             dockEdgeChoices(screen, settings, QStringLiteral("Dock edge"), [](ScreenDockEdge edge) {
                                 return edge == ScreenDockEdge::Right ? QStringLiteral("Right") : QStringLiteral("Left");
                             })));
    QList<Choice> rails;
    const QStringList railLabels = {QStringLiteral("Match edge"), QStringLiteral("Right (Screen Orvane)"),
                                    QStringLiteral("Left (Traditional)")};
    for (int i = 0; i < int(allRailSidePreferences.size()); ++i) {
        const RailSidePreference side = allRailSidePreferences.at(i);
        rails.append({railLabels.at(i), [&settings, side] { return settings.values().railSidePreference == side; },
                      [&settings, side] { settings.set(&Settings::railSidePreference, side); }});
    }
    position->addRow(stacked(row(settings, QStringLiteral("Icon rail"), QString()),
                             choices(screen, settings, QStringLiteral("Icon rail"), rails)));
    layout->addWidget(position);

    layout->addWidget(sectionHeading(settings, QStringLiteral("SIZE")));
    auto *size = new Card(settings);
    size->addRow(widthSlider(screen, state));
    layout->addWidget(size);
    layout->addStretch(1);
    return page;
}

QWidget *positionAndSize(SettingsScreen &screen, AppState &state)
{
    SettingsModel &settings = state.settings();
    auto *page = new QWidget;
    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(sectionHeading(settings, QStringLiteral("SCREEN DOCK EDGE")));
    auto *edge = new Card(settings);
    edge->addRow(dockEdgeChoices(screen, settings, QStringLiteral("Screen dock edge"),
                                 [](ScreenDockEdge dockEdge) { return displayName(dockEdge); }));
    layout->addWidget(edge);

    layout->addWidget(sectionHeading(settings, QStringLiteral("PANEL WIDTH")));
    auto *width = new Card(settings);
    width->addRow(widthSlider(screen, state));
    layout->addWidget(width);

    layout->addWidget(sectionHeading(settings, QStringLiteral("DETACHED WINDOW CUSTOM HEIGHT")));
    auto *height = new Card(settings);
    auto *heightText = new ThemedLabel(settings, ThemedLabel::Role::Primary, 12);
    auto *reset = new PillButton(settings, QStringLiteral("Reset to Full Height"));
    auto *resetRow = new QWidget;
    auto *resetLayout = new QHBoxLayout(resetRow);
    resetLayout->setContentsMargins(0, 0, 0, 10);
    resetLayout->addWidget(reset);
    resetLayout->addStretch(1);
    height->addRow(stacked(heightText, resetRow));
    heightText->setContentsMargins(0, 10, 0, 6);
    QObject::connect(reset, &QAbstractButton::clicked, &screen, &SettingsScreen::resetToFullHeight);
    const auto showHeight = [heightText, &screen] { heightText->setText(screen.customHeightText()); };
    QObject::connect(&screen, &SettingsScreen::changed, heightText, showHeight);
    showHeight();
    layout->addWidget(height);

    layout->addWidget(sectionHeading(settings, QStringLiteral("EDGE DOCK INDICATOR & BEZEL GESTURES")));
    auto *edgeCard = new Card(settings);
    edgeCard->addRow(row(settings, QStringLiteral("Whisper Notch indicator"),
                         QStringLiteral("Subtle edge notch showing where Orvane is docked, expandable on hover and "
                                        "ready for clicks or drag-and-drop."),
                         toggle(screen, settings, QStringLiteral("Whisper Notch indicator"),
                                [&settings] { return settings.values().showEdgeIndicator; },
                                [&settings](bool on) { settings.set(&Settings::showEdgeIndicator, on); })));
    edgeCard->addRow(row(settings, QStringLiteral("Touch edge again to auto-hide"),
                         QStringLiteral("Touching the outer screen bezel again while Orvane is open immediately "
                                        "slides it away."),
                         toggle(screen, settings, QStringLiteral("Touch edge again to auto-hide"),
                                [&settings] { return settings.values().edgeRetouchToHide; },
                                [&settings](bool on) { settings.set(&Settings::edgeRetouchToHide, on); })));
    layout->addWidget(edgeCard);
    layout->addStretch(1);
    return page;
}

QWidget *motion(SettingsScreen &screen, AppState &state)
{
    SettingsModel &settings = state.settings();
    auto *page = new QWidget;
    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(sectionHeading(settings, QStringLiteral("ANIMATION CURVE")));
    QList<Choice> curves;
    for (const QString &curve : SettingsScreen::animationCurves()) {
        curves.append({curve, [&settings, curve] { return settings.values().animationCurve == curve; },
                       [&settings, curve] { settings.set(&Settings::animationCurve, curve); }});
    }
    auto *curveCard = new Card(settings);
    curveCard->addRow(choices(screen, settings, QStringLiteral("Animation curve"), curves));
    layout->addWidget(curveCard);

    layout->addWidget(sectionHeading(settings, QStringLiteral("SLIDE DURATION")));
    auto *duration = new Card(settings);
    duration->addRow(slider(
        screen, settings, QStringLiteral("Slide duration"), SettingsScreen::durationScale,
        [&settings] { return settings.values().animationDuration; },
        [&settings](double seconds) { settings.set(&Settings::animationDuration, seconds); },
        [](double seconds) { return QString::asprintf("%.2f s", seconds); }));
    layout->addWidget(duration);
    layout->addStretch(1);
    return page;
}

} // namespace SettingsPanelPages
