#include "ui/FindBarView.h"

#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "ui/SymbolButton.h"
#include "web/HibernationEngine.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

FindBarView::FindBarView(AppState &state, HibernationEngine &engine, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_engine(engine)
    , m_field(new QLineEdit(this))
    , m_matches(new QLabel(this))
    , m_previous(new SymbolButton(state.settings(), QStringLiteral("chevron.up"), QStringLiteral("Previous match"), this))
    , m_next(new SymbolButton(state.settings(), QStringLiteral("chevron.down"), QStringLiteral("Next match"), this))
    , m_close(new SymbolButton(state.settings(), QStringLiteral("xmark"), QStringLiteral("Close find"), this))
{
    m_field->setAccessibleName(QStringLiteral("Find in page"));
    m_field->setPlaceholderText(QStringLiteral("Find in page"));
    m_field->setFrame(false);
    m_field->installEventFilter(this);
    m_matches->setAccessibleName(QStringLiteral("Matches"));
    for (QWidget *text : {static_cast<QWidget *>(m_field), static_cast<QWidget *>(m_matches)}) {
        QFont font = text->font();
        font.setPixelSize(11);
        text->setFont(font);
    }
    for (SymbolButton *button : {m_previous, m_next, m_close})
        button->setSymbolSize(10);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_matches);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addWidget(m_close);

    connect(m_field, &QLineEdit::textChanged, this, [this] { search(false); });
    connect(m_previous, &QAbstractButton::clicked, this, [this] { search(true); });
    connect(m_next, &QAbstractButton::clicked, this, [this] { search(false); });
    connect(m_close, &QAbstractButton::clicked, this, [this] { m_state.content().setFindingInPage(false); });
    connect(&m_engine, &HibernationEngine::findResult, this, &FindBarView::showResult);
    connect(&m_state.content(), &PanelContent::findingInPageChanged, this, &FindBarView::openOrClose);
    setVisible(false);
}

void FindBarView::openOrClose()
{
    const auto tab = m_state.tabs().activeTab();
    if (m_state.content().isFindingInPage() && tab) {
        m_searchedTab = tab->id;
        const ThemePalette &palette = OrvaneTheme::palette(m_state.settings().values().currentTheme);
        m_field->setStyleSheet(QStringLiteral("background: transparent; color: %1;").arg(palette.textPrimary.name(QColor::HexArgb)));
        m_matches->setStyleSheet(QStringLiteral("color: %1;").arg(palette.textSecondary.name(QColor::HexArgb)));
        setVisible(true);
        m_field->setFocus(Qt::ShortcutFocusReason);
        m_field->selectAll();
        if (!m_field->text().isEmpty())
            search(false);
        return;
    }
    setVisible(false);
    m_matches->clear();
    // The search may have ended because another item was shown: the
    // highlights go from the page that was searched, and only a page still
    // on screen takes the keyboard.
    m_engine.find(m_searchedTab, QString(), false);
    WebPage *page = m_engine.existingWebView(m_searchedTab);
    if (page && page->view() && tab && tab->id == m_searchedTab)
        page->view()->setFocus(Qt::OtherFocusReason);
}

void FindBarView::search(bool backward)
{
    const auto tab = m_state.tabs().activeTab();
    if (!tab || !m_state.content().isFindingInPage())
        return;
    if (m_field->text().isEmpty())
        m_matches->clear();
    m_engine.find(tab->id, m_field->text(), backward);
}

void FindBarView::showResult(const QUuid &tabId, WebPage::FindResult result)
{
    const auto tab = m_state.tabs().activeTab();
    if (!tab || tab->id != tabId || m_field->text().isEmpty())
        return;
    m_matches->setText(result.total == 0 ? QStringLiteral("No matches")
                                         : QStringLiteral("%1 of %2").arg(result.current).arg(result.total));
}

bool FindBarView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    search(key->modifiers().testFlag(Qt::ShiftModifier));
    return true;
}
