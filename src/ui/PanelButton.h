#pragma once

#include <QAbstractButton>

// What every button of the panel does alike: it lights up under the pointer
// and Return or Enter presses it, as Space does.
class PanelButton : public QAbstractButton
{
    Q_OBJECT

public:
    using QAbstractButton::QAbstractButton;

protected:
    bool isHovering() const { return m_hovering; }
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool m_hovering = false;
};
