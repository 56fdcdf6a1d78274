#pragma once

#include <QWidget>

class QLineEdit;
class SettingsModel;
class SymbolButton;
class SymbolLabel;

// A search row: the magnifying glass (or another symbol), the text field
// with its placeholder, and a clear button while it holds text. Coloured by
// the theme.
class SearchField final : public QWidget
{
    Q_OBJECT

public:
    SearchField(const SettingsModel &settings, const QString &placeholder,
                const QString &symbol = QStringLiteral("magnifyingglass"), QWidget *parent = nullptr);

    QLineEdit *lineEdit() const { return m_edit; }
    QString text() const;
    void setText(const QString &text);
    // Drawn without its own rounded box, for a card that is one.
    void setFramed(bool framed);

Q_SIGNALS:
    void textChanged(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void restyle();

    const SettingsModel &m_settings;
    SymbolLabel *m_glass;
    QLineEdit *m_edit;
    SymbolButton *m_clear;
    bool m_framed = true;
};
