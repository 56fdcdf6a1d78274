#include "palette/CommandPaletteView.h"

#include "palette/CommandPalette.h"
#include "palette/CommandRowView.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"
#include "ui/SearchField.h"
#include "ui/ThemedLabel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
constexpr int searchRowHeight = 48;
} // namespace

CommandPaletteView::CommandPaletteView(std::unique_ptr<CommandPalette> palette, const SettingsModel &settings,
                                       QNetworkAccessManager &network, QWidget *parent)
    : QWidget(parent)
    , m_palette(std::move(palette))
    , m_settings(settings)
    , m_network(network)
    , m_search(new SearchField(settings, QStringLiteral("Type a command, search tabs, calculate math, or enter URL..."),
                               QStringLiteral("magnifyingglass"), this))
    , m_scroll(new QScrollArea(this))
    , m_list(new QWidget)
    , m_listLayout(new QVBoxLayout(m_list))
{
    setAccessibleName(QStringLiteral("Command palette"));
    setFocusProxy(m_search);
    m_search->setFramed(false);
    QFont searchFont = m_search->lineEdit()->font();
    searchFont.setPixelSize(14);
    m_search->lineEdit()->setFont(searchFont);
    m_search->lineEdit()->installEventFilter(this);

    auto *hint = new ThemedLabel(settings, ThemedLabel::Role::Muted, 10, QStringLiteral("esc to close"), this);
    auto *searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(6, 0, 14, 0);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(hint);

    m_listLayout->setContentsMargins(0, 4, 0, 4);
    m_listLayout->setSpacing(0);
    m_listLayout->addStretch(1);
    m_scroll->setWidget(m_list);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_list->setAutoFillBackground(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *searchArea = new QWidget(this);
    searchArea->setFixedHeight(searchRowHeight);
    searchArea->setLayout(searchRow);
    layout->addWidget(searchArea);
    layout->addWidget(m_scroll);

    connect(m_search, &SearchField::textChanged, m_palette.get(), &CommandPalette::setQuery);
    connect(m_palette.get(), &CommandPalette::changed, this, &CommandPaletteView::refresh);
    connect(m_palette.get(), &CommandPalette::opened, this, &CommandPaletteView::takeKeyboard);
    connect(&m_settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
}

CommandPaletteView::~CommandPaletteView() = default;

QSize CommandPaletteView::sizeHint() const
{
    return QSize(cardWidth, searchRowHeight + listHeight());
}

int CommandPaletteView::listHeight() const
{
    int height = m_shownRows ? 8 : 0;
    for (int i = 0; i < m_shownRows; ++i)
        height += m_rows.at(i)->sizeHint().height();
    return std::min(height, maximumListHeight);
}

// The window is a tool window that does not take the keyboard by itself.
void CommandPaletteView::takeKeyboard()
{
    if (m_search->text() != m_palette->query())
        m_search->setText(m_palette->query());
    window()->activateWindow();
    m_search->setFocus(Qt::PopupFocusReason);
}

// Only while shown: the list follows every change of the tabs and settings.
void CommandPaletteView::refresh()
{
    if (!isVisible())
        return;
    const QList<CommandItem> items = m_palette->filteredCommands();
    while (m_rows.size() < items.size()) {
        auto *row = new CommandRowView(m_settings, m_network, m_list);
        const int index = int(m_rows.size());
        connect(row, &QAbstractButton::clicked, this, [this, index] { m_palette->execute(index); });
        m_listLayout->insertWidget(index, row);
        m_rows.append(row);
    }
    m_shownRows = int(items.size());
    for (int i = 0; i < m_rows.size(); ++i) {
        CommandRowView *row = m_rows.at(i);
        row->setVisible(i < m_shownRows);
        if (i < m_shownRows) {
            row->setItem(items.at(i));
            row->setHighlighted(i == m_palette->selectedIndex());
        }
    }
    m_scroll->setFixedHeight(listHeight());
    if (m_palette->selectedIndex() < m_shownRows)
        m_scroll->ensureWidgetVisible(m_rows.at(m_palette->selectedIndex()), 0, 4);
    // The card grows and shrinks with its list; its top stays where it is
    // unless the list would run off a short panel.
    resize(width(), sizeHint().height());
    if (const QWidget *host = parentWidget(); host && geometry().bottom() > host->height() - 12)
        move(x(), std::max(12, host->height() - 12 - height()));
    update();
}

void CommandPaletteView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

bool CommandPaletteView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_search->lineEdit() && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
            m_palette->moveSelection(-1);
            return true;
        case Qt::Key_Down:
            m_palette->moveSelection(1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_palette->executeSelected();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CommandPaletteView::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 14, 14);
    painter.fillPath(card, palette.dialogBackground);
    painter.strokePath(card, QPen(palette.panelBorder, 1));
    if (m_shownRows)
        painter.fillRect(QRectF(0, searchRowHeight - 1, width(), 1), palette.border);
}
