#pragma once

#include "palette/CommandItem.h"

#include <QAbstractButton>

class AppIconView;
class ElidingLabel;
class QNetworkAccessManager;
class SettingsModel;

// One row of the palette: the app's icon or a tinted symbol tile, the
// title and the subtitle; lit with the accent colour while highlighted.
// Its texts give way with "…" so that the row fits the palette whatever a
// tab's title. It never takes the keyboard: the search field keeps it.
class CommandRowView final : public QAbstractButton
{
    Q_OBJECT

public:
    static constexpr int iconSize = 26;

    CommandRowView(const SettingsModel &settings, QNetworkAccessManager &network, QWidget *parent = nullptr);

    void setItem(const CommandItem &item);
    void setHighlighted(bool highlighted);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF iconRect() const;
    void recolour();

    const SettingsModel &m_settings;
    AppIconView *m_app;
    ElidingLabel *m_title;
    ElidingLabel *m_subtitle;
    QString m_symbol;
    CommandColor m_color = CommandColor::Secondary;
    bool m_showsSymbol = true;
    bool m_highlighted = false;
};
