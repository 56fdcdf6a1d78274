#pragma once

#include <QWidget>

#include <memory>

class PromptActionButton;
class PromptBar;
class QHBoxLayout;
class QLabel;
class QNetworkAccessManager;
class QTextEdit;
class SettingsModel;
class SymbolButton;
class SymbolLabel;

// The card above the web page that shows the staged selection and offers the
// prompts; hidden while nothing is staged.
class AIPromptBar final : public QWidget
{
    Q_OBJECT

public:
    AIPromptBar(std::unique_ptr<PromptBar> model, const SettingsModel &settings, QNetworkAccessManager &network,
                QWidget *parent = nullptr);
    ~AIPromptBar() override;

    PromptBar &model() { return *m_model; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();
    void rebuildTargets();
    void fitPreview();

    std::unique_ptr<PromptBar> m_model;
    const SettingsModel &m_settings;
    QNetworkAccessManager &m_network;
    SymbolLabel *m_viewfinder;
    QLabel *m_appName;
    QLabel *m_badge;
    QLabel *m_stagedLabel;
    QHBoxLayout *m_targets;
    SymbolButton *m_dismiss;
    QTextEdit *m_preview;
    QWidget *m_countRow;
    QLabel *m_count;
    PromptActionButton *m_expand;
    QLabel *m_targetLabel;
};
