#pragma once

#include "gallery/AppCatalog.h"

#include <QWidget>

class AppIconView;
class PillButton;
class QNetworkAccessManager;
class SettingsModel;
class SymbolButton;
class ThemedLabel;

// One app of the gallery's grid: its icon and name, "+ Add" or "Open", and
// a remove button while it is installed. Buttons are named for the app
// ("Add Perplexity", "Open Gmail", "Remove Gmail").
class GalleryEntryView final : public QWidget
{
    Q_OBJECT

public:
    GalleryEntryView(const SettingsModel &settings, QNetworkAccessManager &network, const GalleryAppItem &app,
                     QWidget *parent = nullptr);

    const GalleryAppItem &app() const { return m_app; }
    void setInstalled(bool installed);
    PillButton *actionButton() const { return m_action; }
    SymbolButton *removeButton() const { return m_remove; }

Q_SIGNALS:
    void addRequested();
    void openRequested();
    void removeRequested();

private:
    GalleryAppItem m_app;
    QWidget *m_badgeArea;
    AppIconView *m_icon;
    ThemedLabel *m_name;
    PillButton *m_action;
    SymbolButton *m_remove;
    bool m_installed = false;
};
