#pragma once

#include "ui/SettingsScreen.h"

#include <QWidget>

#include <map>
#include <memory>

class AppState;
class QStackedWidget;
class SearchField;
class SettingsRowButton;
class SymbolButton;
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
    void showCurrentPage();

    std::unique_ptr<SettingsScreen> m_screen;
    AppState &m_state;
    QStackedWidget *m_stack;
    SearchField *m_search = nullptr;
    SymbolButton *m_pin = nullptr;
    ThemedLabel *m_matchingHeading = nullptr;
    QList<ThemedLabel *> m_sectionHeadings;
    QList<QWidget *> m_sectionCards;
    std::map<SettingsSubpage, SettingsRowButton *> m_rows;
    std::map<SettingsSubpage, QWidget *> m_details;
    std::map<SettingsSubpage, SymbolButton *> m_backButtons;
    std::optional<SettingsSubpage> m_lastPage;
};
