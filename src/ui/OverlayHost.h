#pragma once

#include <QWidget>

class QGraphicsOpacityEffect;
class QVariantAnimation;
class SettingsModel;

// A modal card over the whole panel on a dimming scrim. A click on the scrim
// asks for it to be closed; it fades in and out.
class OverlayHost final : public QWidget
{
    Q_OBJECT

public:
    OverlayHost(const SettingsModel &settings, QWidget *parent);

    // The card shown in the middle; the host takes ownership.
    void setCard(QWidget *card);
    QWidget *card() const { return m_card; }
    void setOpen(bool open);
    bool isOpen() const { return m_open; }

Q_SIGNALS:
    void dismissRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeCard();

    const SettingsModel &m_settings;
    QWidget *m_card = nullptr;
    bool m_open = false;
    QGraphicsOpacityEffect *m_fade;
    QVariantAnimation *m_fadeAnimation;
};
