#pragma once

#include <QAbstractButton>

class SettingsModel;

// What every button of the panel does alike: it lights up under the pointer
// and Return or Enter presses it, as Space does.
class PanelButton : public QAbstractButton
{
    Q_OBJECT

public:
    using QAbstractButton::QAbstractButton;

protected:
    // A button labelled with a title in the panel's small medium type that
    // takes the keyboard and repaints when the theme changes.
    void setUpTitled(const SettingsModel &settings, const QString &title);
    // Shown and read out alike.
    void setTitle(const QString &title);
    bool isHovering() const { return m_hovering; }
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool m_hovering = false;
};
