#include "settings/SettingsSystemPages.h"

#include "icons/BrandLogoView.h"
#include "settings/SettingsControls.h"
#include "state/AppState.h"
#include "state/AppVersion.h"
#include "theme/OrvaneTheme.h"
#include "ui/PillButton.h"
#include "ui/ThemedLabel.h"
#include "ui/ToggleSwitch.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace SettingsControls;

namespace {

// The key labels of one shortcut, two to a line under its title, a
// refused combination struck through.
QWidget *keyCaps(SettingsScreen &screen, const SettingsModel &settings, int rowIndex)
{
    auto *caps = new QWidget;
    auto *layout = new QGridLayout(caps);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->setSpacing(4);
    layout->setAlignment(Qt::AlignLeft);
    QList<QLabel *> labels;
    for (int i = 0; i < int(screen.shortcutRows().at(rowIndex).keys.size()); ++i) {
        auto *label = new QLabel;
        QFont font = label->font();
        font.setPixelSize(10);
        font.setWeight(QFont::Medium);
        label->setFont(font);
        layout->addWidget(label, i / 2, i % 2);
        labels.append(label);
    }
    const auto refresh = [&screen, &settings, labels, rowIndex] {
        const ThemePalette &palette = OrvaneTheme::palette(settings.values().currentTheme);
        const QList<SettingsScreen::KeyLabel> keys = screen.shortcutRows().at(rowIndex).keys;
        for (qsizetype i = 0; i < labels.size(); ++i) {
            const SettingsScreen::KeyLabel &key = keys.at(i);
            QLabel *label = labels.at(i);
            QFont font = label->font();
            font.setStrikeOut(key.refused);
            label->setFont(font);
            label->setText(key.text);
            const QString note = key.refused ? QStringLiteral("Held by another program: not available") : QString();
            label->setToolTip(note);
            label->setAccessibleName(key.refused ? key.text + QStringLiteral(", held by another program") : key.text);
            label->setStyleSheet(QStringLiteral("color: %1; border: 1px solid %2; border-radius: 4px; padding: 1px 5px;")
                                     .arg((key.refused ? palette.textMuted : palette.textSecondary).name(QColor::HexArgb),
                                          palette.border.name(QColor::HexArgb)));
        }
    };
    QObject::connect(&screen, &SettingsScreen::changed, caps, refresh);
    refresh();
    return caps;
}

// One row per site that asked to show notifications, with the answer it got
// and a button that forgets it (the site then asks again).
void listSites(Card *card, SettingsModel &settings, SitePermissions &sites)
{
    for (QWidget *old : card->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        old->hide();
        old->deleteLater();
    }
    const QList<SitePermissions::Site> answered = sites.sites();
    if (answered.isEmpty())
        card->addRow(row(settings, QStringLiteral("No sites yet"),
                         QStringLiteral("A web app that asks to show notifications is listed here with your answer.")));
    for (const SitePermissions::Site &site : answered) {
        const QString name = SitePermissions::siteName(QUrl(site.origin));
        auto *revoke = new PillButton(settings, QStringLiteral("Revoke"));
        revoke->setAccessibleName(QStringLiteral("Revoke ") + name);
        const QString origin = site.origin;
        QObject::connect(revoke, &QAbstractButton::clicked, &sites, [&sites, origin] { sites.revoke(origin); });
        card->addRow(row(settings, name,
                         site.answer == SitePermissions::Answer::Allow ? QStringLiteral("Allowed to show notifications")
                                                                       : QStringLiteral("Blocked from showing notifications"),
                         revoke));
    }
}

} // namespace

namespace SettingsSystemPages {

QWidget *shortcuts(SettingsScreen &screen, AppState &state)
{
    SettingsModel &settings = state.settings();
    auto *page = new QWidget;
    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(sectionHeading(settings, QStringLiteral("GLOBAL & IN-APP SHORTCUTS")));
    auto *card = new Card(settings);
    const QList<SettingsScreen::ShortcutRow> rows = screen.shortcutRows();
    for (int i = 0; i < int(rows.size()); ++i)
        card->addRow(stacked(row(settings, rows.at(i).title, QString()), keyCaps(screen, settings, i)));
    layout->addWidget(card);
    layout->addWidget(paragraph(settings, QStringLiteral("A struck-through combination is held by another program, so "
                                                         "Orvane could not take it.")));
    if (!screen.globalKeysNote().isEmpty()) {
        // Selectable, so the command to bind can be copied.
        auto *note = paragraph(settings, screen.globalKeysNote());
        note->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(note);
    }
    layout->addStretch(1);
    return page;
}

QWidget *permissions(SettingsScreen &screen, AppState &state)
{
    SettingsModel &settings = state.settings();
    auto *page = new QWidget;
    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(sectionHeading(settings, QStringLiteral("SYSTEM PERMISSIONS")));
    auto *access = new Card(settings);
    auto *status = new QLabel(screen.selectionReadable() ? QStringLiteral("Granted") : QStringLiteral("Unavailable"));
    QFont statusFont = status->font();
    statusFont.setPixelSize(11);
    statusFont.setWeight(QFont::DemiBold);
    status->setFont(statusFont);
    const auto restyle = [status, &screen, &settings] {
        const ThemePalette &palette = OrvaneTheme::palette(settings.values().currentTheme);
        const QColor colour = screen.selectionReadable() ? palette.success : palette.textMuted;
        status->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name(QColor::HexArgb)));
    };
    QObject::connect(&settings, &SettingsModel::changed, status, restyle);
    restyle();
    access->addRow(row(settings, QStringLiteral("Selected text"),
                       screen.selectionReadable()
                           ? QStringLiteral("Enables reading highlighted text from any application (Alt+A): Orvane reads "
                                            "the selection of the application in front.")
                           : QStringLiteral("This display does not let Orvane read text selected in other "
                                            "applications."),
                       status));
    layout->addWidget(access);

    layout->addWidget(sectionHeading(settings, QStringLiteral("NOTIFICATIONS")));
    auto *notifying = new Card(settings);
    SitePermissions &sites = state.sitePermissions();
    QObject::connect(&sites, &SitePermissions::changed, notifying,
                     [notifying, &settings, &sites] { listSites(notifying, settings, sites); });
    listSites(notifying, settings, sites);
    layout->addWidget(notifying);

    layout->addWidget(sectionHeading(settings, QStringLiteral("LOGIN")));
    auto *login = new Card(settings);
    login->addRow(row(settings, QStringLiteral("Start at login"),
                      QStringLiteral("Starts Orvane when you log in to your desktop."),
                      toggle(screen, settings, QStringLiteral("Start at login"), [&screen] { return screen.startsAtLogin(); },
                             [&screen](bool on) { screen.setStartsAtLogin(on); })));
    layout->addWidget(login);
    layout->addStretch(1);
    return page;
}

QWidget *about(SettingsScreen &screen, AppState &state)
{
    SettingsModel &settings = state.settings();
    auto *page = new QWidget;
    QVBoxLayout *layout = pageLayout(page);
    auto *card = new Card(settings);
    auto *identity = new QWidget;
    auto *identityLayout = new QHBoxLayout(identity);
    identityLayout->setContentsMargins(0, 12, 0, 4);
    identityLayout->setSpacing(10);
    identityLayout->addWidget(new BrandLogoView(44));
    auto *names = new QVBoxLayout;
    auto *nameRow = new QHBoxLayout;
    auto *name = new ThemedLabel(settings, ThemedLabel::Role::Primary, 16, QStringLiteral("Orvane"));
    name->setBold(true);
    nameRow->addWidget(name);
    nameRow->addWidget(betaBadge(settings));
    nameRow->addStretch(1);
    names->addLayout(nameRow);
    names->addWidget(new ThemedLabel(settings, ThemedLabel::Role::Secondary, 11,
                                     QStringLiteral("Version %1 (Build %2)").arg(AppVersion::displayString, AppVersion::buildNumber)));
    identityLayout->addLayout(names, 1);
    auto *description = paragraph(settings, QStringLiteral(
        "A side panel for your desktop: your web apps as tabs, a scratchpad that answers calculations as you type, a "
        "shelf for files, links and text on their way between applications, and a command palette for all of it."));
    description->setContentsMargins(0, 4, 0, 12);
    card->addRow(stacked(identity, description));
    if (!screen.desktop().isEmpty()) {
        auto *desktop = paragraph(settings, screen.desktop());
        desktop->setTextInteractionFlags(Qt::TextSelectableByMouse);
        card->addRow(desktop);
    }
    layout->addWidget(card);
    layout->addStretch(1);
    return page;
}

} // namespace SettingsSystemPages
