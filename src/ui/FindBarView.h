#pragma once

#include "platform/WebPage.h"

#include <QUuid>
#include <QWidget>

class AppState;
class HibernationEngine;
class QLabel;
class QLineEdit;
class SymbolButton;

// The find field that stands in the address bar's place while the shown tab
// is searched: "N of M", Return and Shift+Return for the next and previous
// match. Closing it clears the highlights and gives the keyboard back to the page.
class FindBarView final : public QWidget
{
    Q_OBJECT

public:
    FindBarView(AppState &state, HibernationEngine &engine, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openOrClose();
    void search(bool backward);
    void showResult(const QUuid &tabId, WebPage::FindResult result);

    AppState &m_state;
    HibernationEngine &m_engine;
    QLineEdit *m_field;
    QLabel *m_matches;
    SymbolButton *m_previous;
    SymbolButton *m_next;
    SymbolButton *m_close;
    QUuid m_searchedTab;
};
