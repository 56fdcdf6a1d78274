#include "ui/PanelButton.h"

#include "state/SettingsModel.h"

#include <QKeyEvent>

void PanelButton::setUpTitled(const SettingsModel &settings, const QString &title)
{
    setTitle(title);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QFont font = this->font();
    font.setPixelSize(11);
    font.setWeight(QFont::Medium);
    setFont(font);
    connect(&settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
}

void PanelButton::setTitle(const QString &title)
{
    setText(title);
    setAccessibleName(title);
}

void PanelButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void PanelButton::enterEvent(QEnterEvent *event)
{
    m_hovering = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PanelButton::leaveEvent(QEvent *event)
{
    m_hovering = false;
    update();
    QAbstractButton::leaveEvent(event);
}
