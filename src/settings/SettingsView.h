#pragma once

#include "settings/SettingsScreen.h"

#include <QWidget>

#include <map>
#include <memory>

class AppState;
class QStackedWidget;
class SearchField;
class QScrollArea;
class QVBoxLayout;
class SettingsRowButton;
class SymbolButton;
class SymbolTextButton;
class ThemedLabel;

// The settings screen in the panel's content column: the root list with its
// search, header and footer, and one page per subject behind it.
class SettingsView final : public QWidget
{
    Q_OBJECT

public:
    SettingsView(std::unique_ptr<SettingsScreen> screen, AppState &state, QWidget *parent = nullptr);
    ~SettingsView() override;

    SettingsScreen &screen() const { return *m_screen; }
    SearchField &searchField() const { return *m_search; }
    SettingsRowButton *rowButton(SettingsSubpage page) const { return m_rows.at(page); }
    // The page on show; none for the root list.
    QWidget *currentPageWidget() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *makeRoot();
    QWidget *makeHeader();
    QWidget *makeFooter();
    QWidget *makeDetail(SettingsSubpage page);
    void refreshList();
    void listFoundSettings();
    void showCurrentPage();
    void revealSoughtSetting(SettingsSubpage page);

    std::unique_ptr<SettingsScreen> m_screen;
    AppState &m_state;
    QStackedWidget *m_stack;
    SearchField *m_search = nullptr;
    ThemedLabel *m_matchingHeading = nullptr;
    QVBoxLayout *m_listLayout = nullptr;
    // The controls the search found, remade as the query changes.
    QWidget *m_foundSettings = nullptr;
    QString m_listedQuery;
    QList<ThemedLabel *> m_sectionHeadings;
    QList<QWidget *> m_sectionCards;
    std::map<SettingsSubpage, SettingsRowButton *> m_rows;
    std::map<SettingsSubpage, QWidget *> m_details;
    std::map<SettingsSubpage, QScrollArea *> m_pageScrolls;
    std::map<SettingsSubpage, SymbolTextButton *> m_backButtons;
    std::optional<SettingsSubpage> m_lastPage;
};
