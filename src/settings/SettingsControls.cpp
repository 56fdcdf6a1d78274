#include "settings/SettingsControls.h"

#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"
#include "ui/PillButton.h"
#include "ui/ThemedLabel.h"
#include "ui/ToggleSwitch.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <memory>
#include <optional>

namespace SettingsControls {

Card::Card(const SettingsModel &settings, QWidget *parent) : QWidget(parent), m_settings(settings)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 4);
    layout->setSpacing(0);
    connect(&m_settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
}

void Card::addRow(QWidget *row)
{
    layout()->addWidget(row);
}

void Card::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    painter.fillPath(card, palette.cardBackground());
    painter.strokePath(card, QPen(palette.border, 1));
    const QList<QWidget *> rows = findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (const QWidget *row : rows) {
        if (row->isVisible() && row->geometry().top() > 8)
            painter.fillRect(QRectF(12, row->geometry().top(), width() - 24, 1), palette.border);
    }
}

ThemedLabel *sectionHeading(const SettingsModel &settings, const QString &title)
{
    auto *label = new ThemedLabel(settings, ThemedLabel::Role::Muted, 10, title);
    label->setBold(true);
    label->setContentsMargins(4, 10, 0, 2);
    return label;
}

QVBoxLayout *pageLayout(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(14, 4, 14, 14);
    layout->setSpacing(4);
    return layout;
}

ThemedLabel *paragraph(const SettingsModel &settings, const QString &text)
{
    auto *label = new ThemedLabel(settings, ThemedLabel::Role::Secondary, 11, text);
    label->setWordWrap(true);
    return label;
}

QLabel *betaBadge(const SettingsModel &settings)
{
    auto *badge = new QLabel(QStringLiteral("BETA"));
    QFont font = badge->font();
    font.setPixelSize(8);
    font.setWeight(QFont::DemiBold);
    badge->setFont(font);
    badge->setFixedHeight(14);
    badge->setAlignment(Qt::AlignCenter);
    const auto restyle = [badge, &settings] {
        badge->setStyleSheet(QStringLiteral("color: %1; border: 1px solid %1; border-radius: 3px; padding: 0 3px;")
                                 .arg(OrvaneTheme::palette(settings.values().currentTheme).accent.name(QColor::HexArgb)));
    };
    QObject::connect(&settings, &SettingsModel::changed, badge, restyle);
    restyle();
    return badge;
}

QWidget *row(const SettingsModel &settings, const QString &title, const QString &description, QWidget *control)
{
    auto *widget = new QWidget;
    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto *titleLabel = new ThemedLabel(settings, ThemedLabel::Role::Primary, 12, title);
    titleLabel->setBold(true);
    texts->addWidget(titleLabel);
    if (!description.isEmpty())
        texts->addWidget(paragraph(settings, description));
    auto *layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 8, 0, 8);
    layout->setSpacing(10);
    layout->addLayout(texts, 1);
    if (control) {
        layout->addWidget(control, 0, Qt::AlignVCenter);
        if (control->accessibleDescription().isEmpty())
            control->setAccessibleDescription(description);
    }
    return widget;
}

QWidget *stacked(QWidget *top, QWidget *below)
{
    auto *widget = new QWidget;
    auto *layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(top);
    layout->addWidget(below);
    return widget;
}

ToggleSwitch *toggle(SettingsScreen &screen, const SettingsModel &settings, const QString &name,
                     std::function<bool()> isOn, std::function<void(bool)> set)
{
    auto *control = new ToggleSwitch(settings, name);
    const auto refresh = [control, isOn] {
        const QSignalBlocker quiet(control);
        control->setChecked(isOn());
    };
    QObject::connect(control, &QAbstractButton::toggled, control, [set, refresh](bool on) {
        set(on);
        // A setter may refuse (a file that cannot be written): show what holds.
        refresh();
    });
    QObject::connect(&screen, &SettingsScreen::changed, control, refresh);
    refresh();
    return control;
}

// Two to a line, so long labels fit the narrowest panel.
QWidget *choices(SettingsScreen &screen, const SettingsModel &settings, const QString &group, const QList<Choice> &options)
{
    auto *widget = new QWidget;
    auto *layout = new QGridLayout(widget);
    layout->setContentsMargins(0, 2, 0, 8);
    layout->setSpacing(6);
    QList<PillButton *> buttons;
    for (const Choice &option : options) {
        auto *button = new PillButton(settings, option.label);
        button->setCheckable(true);
        button->setAccessibleName(group + QStringLiteral(": ") + option.label);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumWidth(40);
        const int index = int(buttons.size());
        layout->addWidget(button, index / 2, index % 2);
        buttons.append(button);
        QObject::connect(button, &QAbstractButton::clicked, button, [choose = option.choose] { choose(); });
    }
    const auto refresh = [buttons, options] {
        for (qsizetype i = 0; i < buttons.size(); ++i)
            buttons.at(i)->setChecked(options.at(i).isChosen());
    };
    QObject::connect(&screen, &SettingsScreen::changed, widget, refresh);
    // A click on the chosen button would uncheck it; the state says otherwise.
    for (PillButton *button : buttons)
        QObject::connect(button, &QAbstractButton::clicked, widget, refresh);
    refresh();
    return widget;
}

QWidget *slider(SettingsScreen &screen, const SettingsModel &settings, const QString &title,
                const SettingsScreen::SliderScale &scale, std::function<double()> value,
                std::function<void(double)> set, std::function<QString(double)> valueText)
{
    auto *widget = new QWidget;
    auto *titleLabel = new ThemedLabel(settings, ThemedLabel::Role::Primary, 12, title);
    titleLabel->setBold(true);
    auto *valueLabel = new ThemedLabel(settings, ThemedLabel::Role::Accent, 12);
    valueLabel->setBold(true);
    auto *control = new QSlider(Qt::Horizontal);
    control->setRange(0, scale.positions());
    control->setSingleStep(1);
    control->setPageStep(1);
    control->setFocusPolicy(Qt::StrongFocus);
    control->setAccessibleName(title);

    auto *heading = new QHBoxLayout;
    heading->addWidget(titleLabel, 1);
    heading->addWidget(valueLabel);
    auto *layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 8, 0, 8);
    layout->setSpacing(6);
    layout->addLayout(heading);
    layout->addWidget(control);

    // Restyled only when the theme changes: a style sheet is costly to apply.
    auto styledFor = std::make_shared<std::optional<AppThemeMode>>();
    const auto refresh = [control, valueLabel, value, valueText, scale, styledFor, &settings] {
        const double current = value();
        valueLabel->setText(valueText(current));
        control->setAccessibleDescription(valueText(current));
        {
            const QSignalBlocker quiet(control);
            control->setValue(scale.positionOf(current));
        }
        const AppThemeMode theme = settings.values().currentTheme;
        if (*styledFor == theme)
            return;
        *styledFor = theme;
        const ThemePalette &palette = OrvaneTheme::palette(theme);
        control->setStyleSheet(
            QStringLiteral("QSlider::groove:horizontal { height: 4px; border-radius: 2px; background: %1; }"
                           "QSlider::sub-page:horizontal { border-radius: 2px; background: %2; }"
                           "QSlider::handle:horizontal { width: 14px; margin: -6px 0; border-radius: 7px;"
                           " background: %3; border: 1px solid %2; }"
                           "QSlider::handle:horizontal:focus { border: 2px solid %2; }")
                .arg(palette.border.name(QColor::HexArgb), palette.accent.name(QColor::HexArgb),
                     palette.dialogBackground.name(QColor::HexArgb)));
    };
    QObject::connect(control, &QSlider::valueChanged, control, [set, scale](int position) { set(scale.valueAt(position)); });
    QObject::connect(&screen, &SettingsScreen::changed, widget, refresh);
    refresh();
    return widget;
}

} // namespace SettingsControls
