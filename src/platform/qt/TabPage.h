#pragma once

#include <QWebEnginePage>

class QAuthenticator;
class QWebEngineNewWindowRequest;

// A web page as a tab (or a tab's pop-up) shows it: requests for devices and
// notifications passed on to whoever answers them (a pop-up's refused); new windows, dialogs and addresses outside the web handled
// as a careful browser does, within the panel wherever it can.
class TabPage final : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit TabPage(QWebEngineProfile *profile, QObject *parent = nullptr);

    // A window of ours for this page (a pop-up, a file chooser) is up: the
    // panel must not take it for the user leaving.
    bool holdsPanel() const { return m_windowsUp > 0; }

Q_SIGNALS:
    void holdsPanelChanged();
    // The user clicked a link out of the web (mail, phone, another
    // application): it may be handed to the desktop once the user agrees.
    void handOverAsked(const QUrl &url);
    // Answered with setFeaturePermission; refused at once while nothing listens.
    void permissionAsked(const QUrl &origin, QWebEnginePage::Feature feature);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl &origin, const QString &message) override;
    bool javaScriptConfirm(const QUrl &origin, const QString &message) override;
    bool javaScriptPrompt(const QUrl &origin, const QString &message, const QString &defaultValue, QString *result) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList &oldFiles, const QStringList &acceptedMimeTypes) override;

private:
    void openNewWindow(QWebEngineNewWindowRequest &request);
    void openPopup(QWebEngineNewWindowRequest &request);
    void askForCredentials(const QUrl &address, QAuthenticator *authenticator);
    void windowUp(int change);
    QWidget *view() const;

    // Pop-ups and file choosers up.
    int m_windowsUp = 0;
};
