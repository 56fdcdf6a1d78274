#pragma once

#include "settings/SettingsScreen.h"

#include <QWidget>

class QVBoxLayout;

#include <functional>

class QLabel;
class QSlider;
class SettingsModel;
class ThemedLabel;
class ToggleSwitch;

// The pieces the settings pages are built of. Controls keep themselves up
// to date with the screen's `changed` signal and write through the setter
// they are given, so a page is only a list of them.
namespace SettingsControls {

// A rounded card holding rows one under another, with hairlines between them.
class Card final : public QWidget
{
    Q_OBJECT

public:
    Card(const SettingsModel &settings, QWidget *parent = nullptr);
    void addRow(QWidget *row);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SettingsModel &m_settings;
};

// The column of a settings page, with the page's margins.
QVBoxLayout *pageLayout(QWidget *page);
// "POSITION": the small capitals over a card.
ThemedLabel *sectionHeading(const SettingsModel &settings, const QString &title);
// A wrapped explanation.
ThemedLabel *paragraph(const SettingsModel &settings, const QString &text);
// The "BETA" badge beside the product's name.
QLabel *betaBadge(const SettingsModel &settings);
// A title with an optional description under it and an optional control at its end.
QWidget *row(const SettingsModel &settings, const QString &title, const QString &description, QWidget *control = nullptr);

// One row of a card made of a heading row and what belongs under it (its choices).
QWidget *stacked(QWidget *top, QWidget *below);

// A switch; `isOn` is read again whenever the screen changes.
ToggleSwitch *toggle(SettingsScreen &screen, const SettingsModel &settings, const QString &name,
                     std::function<bool()> isOn, std::function<void(bool)> set);

struct Choice
{
    QString label;
    std::function<bool()> isChosen;
    std::function<void()> choose;
};
// A row of buttons, the chosen one marked; each is named "group: label" for screen readers.
QWidget *choices(SettingsScreen &screen, const SettingsModel &settings, const QString &group, const QList<Choice> &options);

// A slider over the scale with the current value's text beside its title.
QWidget *slider(SettingsScreen &screen, const SettingsModel &settings, const QString &title,
                const SettingsScreen::SliderScale &scale, std::function<double()> value,
                std::function<void(double)> set, std::function<QString(double)> valueText);

} // namespace SettingsControls
