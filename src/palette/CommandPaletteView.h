#pragma once

#include <QWidget>

#include <memory>

class CommandPalette;
class CommandRowView;
class QNetworkAccessManager;
class QScrollArea;
class QVBoxLayout;
class SearchField;
class SettingsModel;

// The palette's card: the search row and the rows below it, at most 280
// points of them, scrolling. The search field has the keyboard as soon as
// the palette opens; Up, Down and Return work the rows from there.
class CommandPaletteView final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int cardWidth = 420;
    static constexpr int maximumListHeight = 280;

    CommandPaletteView(std::unique_ptr<CommandPalette> palette, const SettingsModel &settings,
                       QNetworkAccessManager &network, QWidget *parent = nullptr);
    ~CommandPaletteView() override;

    CommandPalette &palette() const { return *m_palette; }
    SearchField &searchField() const { return *m_search; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();
    void takeKeyboard();
    int listHeight() const;

    std::unique_ptr<CommandPalette> m_palette;
    const SettingsModel &m_settings;
    QNetworkAccessManager &m_network;
    SearchField *m_search;
    QScrollArea *m_scroll;
    QWidget *m_list;
    QVBoxLayout *m_listLayout;
    // Rows are kept and reused: a click's row may still be on the stack
    // when the list changes under it.
    QList<CommandRowView *> m_rows;
    int m_shownRows = 0;
};
