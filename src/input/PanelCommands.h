#pragma once

#include "web/TabListModel.h"

#include <QObject>

class AppState;
class CaptureAction;
class HibernationEngine;
class OrvanePanel;

// What the hot keys, the key handler and the tray menu ask of the panel, in
// one place so that each of them means the same thing everywhere.
class PanelCommands final : public QObject
{
    Q_OBJECT

public:
    PanelCommands(AppState &state, OrvanePanel &panel, HibernationEngine &hibernation, CaptureAction &capture,
                  QObject *parent = nullptr);

    // Hides when on screen and visible, shows otherwise.
    void togglePanel();
    void capture();
    // These two only while the panel is visible.
    void flipCommandPalette();
    void flipSettings();
    // The section changes; the panel is not shown.
    void showScratchpad();
    void showDropShelf();
    // The web tab at that place in the rail, if there is one.
    void selectTab(int index);
    void closeActiveTab();
    void reloadActiveTab();
    // A web tab is on screen, with no settings over it.
    bool showsWebTab() const;
    void zoomActiveTab(TabListModel::Zoom change);
    // Opens the find field over the shown web tab.
    void findInPage();
    // The notice bar's Undo, when it offers one.
    bool canUndoNotice() const;
    void undoNotice();
    // Leaves full screen, else closes the find field, else drops the staged context, else closes the palette, else the gallery,
    // else the settings, else hides the panel.
    void escape();

    // The tray menu's: each also shows the panel.
    void openCommandPalette();
    void openScratchpad();
    void openDropShelf();
    // That tab, with nothing over it.
    void openTab(const QUuid &id);
    void hibernateInactiveTabs();
    void flipDockEdge();
    void quit();

Q_SIGNALS:
    // The application should end, through its termination path.
    void quitRequested();

private:
    AppState &m_state;
    OrvanePanel &m_panel;
    HibernationEngine &m_hibernation;
    CaptureAction &m_capture;
};
