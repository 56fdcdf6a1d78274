#include "settings/SettingsContentPages.h"

#include "settings/SettingsControls.h"
#include "state/AppState.h"
#include "ui/PillButton.h"
#include "ui/ThemedLabel.h"
#include "ui/ToggleSwitch.h"

#include <QVBoxLayout>

using namespace SettingsControls;

namespace SettingsContentPages {

QWidget *memory(SettingsScreen &screen, AppState &state)
{
    SettingsModel &settings = state.settings();
    auto *page = new QWidget;
    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(sectionHeading(settings, QStringLiteral("MEMORY SAVER OVERVIEW")));
    auto *overview = new Card(settings);
    auto *asleep = new ThemedLabel(settings, ThemedLabel::Role::Primary, 15);
    asleep->setBold(true);
    asleep->setContentsMargins(0, 8, 0, 0);
    auto *figure = new ThemedLabel(settings, ThemedLabel::Role::Accent, 12);
    figure->setBold(true);
    auto *explanation = paragraph(settings, {});
    explanation->setContentsMargins(0, 0, 0, 8);
    overview->addRow(stacked(stacked(asleep, figure), explanation));
    const auto refresh = [&screen, asleep, figure, explanation] {
        asleep->setText(screen.asleepOverview());
        figure->setText(screen.memoryFigure());
        explanation->setText(screen.memoryExplanation());
    };
    QObject::connect(&screen, &SettingsScreen::changed, page, refresh);
    refresh();
    layout->addWidget(overview);

    auto *controls = new Card(settings);
    controls->addRow(row(settings, QStringLiteral("Show RAM in footer"),
                         QStringLiteral("Displays real-time memory telemetry badge in bottom status bar."),
                         toggle(screen, settings, QStringLiteral("Show RAM in footer"),
                                [&settings] { return settings.values().showMemoryInFooter; },
                                [&settings](bool on) { settings.set(&Settings::showMemoryInFooter, on); })));
    auto *wake = new PillButton(settings, QStringLiteral("Wake All Tabs Now"), PillButton::Style::Accent);
    QObject::connect(wake, &QAbstractButton::clicked, &screen, &SettingsScreen::wakeAllTabs);
    controls->addRow(row(settings, QStringLiteral("Wake every tab"), QStringLiteral("Sleeping web apps wake and load when you show them."), wake));
    layout->addWidget(controls);
    layout->addStretch(1);
    return page;
}

QWidget *dropShelf(SettingsScreen &screen, AppState &state)
{
    SettingsModel &settings = state.settings();
    auto *page = new QWidget;
    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(sectionHeading(settings, QStringLiteral("RETENTION POLICY")));
    auto *card = new Card(settings);
    auto *policy = paragraph(settings, QStringLiteral("Items staged in Drop Shelf are temporary scratch references. They "
                                                      "automatically expire after 24 hours without deleting original files."));
    policy->setContentsMargins(0, 8, 0, 4);
    auto *staged = new ThemedLabel(settings, ThemedLabel::Role::Primary, 12);
    staged->setContentsMargins(0, 4, 0, 8);
    card->addRow(stacked(policy, staged));
    layout->addWidget(card);
    auto *clear = new PillButton(settings, QStringLiteral("Clear All Items"));
    layout->addWidget(clear, 0, Qt::AlignLeft);
    QObject::connect(clear, &QAbstractButton::clicked, &screen, &SettingsScreen::clearShelf);
    const auto refresh = [&screen, staged, clear] {
        staged->setText(screen.stagedItemsText());
        clear->setVisible(screen.hasStagedItems());
    };
    QObject::connect(&screen, &SettingsScreen::changed, page, refresh);
    refresh();
    layout->addStretch(1);
    return page;
}

} // namespace SettingsContentPages
