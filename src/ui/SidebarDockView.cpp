#include "ui/SidebarDockView.h"

#include "icons/BrandLogoView.h"
#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "ui/ContentLayout.h"
#include "ui/EntryMenu.h"
#include "ui/RailTabButton.h"
#include "ui/SymbolButton.h"
#include "ui/TabContextMenu.h"
#include "web/HibernationEngine.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QVariantAnimation>

SidebarDockView::SidebarDockView(AppState &state, HibernationEngine &engine, QNetworkAccessManager &network, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_engine(engine)
    , m_network(network)
    , m_column(new QWidget)
    , m_scroll(new QScrollArea(this))
    , m_plus(new SymbolButton(state.settings(), QStringLiteral("plus"), QStringLiteral("Add app or website"), this))
    , m_scratchpad(new RailTabButton(state.settings(), network, this))
    , m_shelf(new RailTabButton(state.settings(), network, this))
    , m_settings(new RailTabButton(state.settings(), network, this))
    , m_stager(state.shelf())
{
    setAccessibleName(QStringLiteral("Apps"));
    auto *logo = new BrandLogoView(30, this);
    logo->setToolTip(QStringLiteral("Orvane"));
    logo->setAccessibleName(QStringLiteral("Orvane"));

    m_scroll->setWidget(m_column);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(false);
    // The rail shows through. Not by a style sheet: a tooltip is its
    // widget's child and would take on a transparent background too, which
    // an X server shows as a black box.
    m_scroll->viewport()->setAutoFillBackground(false);
    m_column->setAutoFillBackground(false);

    m_plus->setTint(SymbolButton::Tint::Accent);
    m_plus->setSymbolSize(16);
    m_plus->setFixedSize(RailTabButton::slotSize, RailTabButton::slotSize);
    m_scratchpad->setApp(QStringLiteral("notes"), QStringLiteral("Scratchpad"), {}, std::nullopt);
    m_shelf->setApp(QStringLiteral("shelf"), QStringLiteral("Drop Shelf"), {}, std::nullopt);
    m_settings->setApp(QStringLiteral("settings"), QStringLiteral("Settings"), {}, std::nullopt);
    m_shelf->setAcceptDrops(true);
    m_shelf->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 12, 0, 12);
    layout->setSpacing(8);
    layout->addWidget(logo, 0, Qt::AlignHCenter);
    layout->addSpacing(4);
    layout->addWidget(m_scroll, 1);
    for (QWidget *button : {static_cast<QWidget *>(m_plus), static_cast<QWidget *>(m_scratchpad),
                            static_cast<QWidget *>(m_shelf), static_cast<QWidget *>(m_settings)}) {
        layout->addWidget(button, 0, Qt::AlignHCenter);
    }

    PanelContent &content = m_state.content();
    connect(m_plus, &QAbstractButton::clicked, this, [this] {
        m_state.content().setShowSettingsModal(false);
        Q_EMIT galleryRequested();
    });
    connect(m_scratchpad, &QAbstractButton::clicked, this, [&content] {
        content.setShowSettingsModal(false);
        content.setActiveItem(ActiveSidebarItem::scratchpad());
    });
    connect(m_shelf, &QAbstractButton::clicked, this, [&content] {
        content.setShowSettingsModal(false);
        content.setActiveItem(ActiveSidebarItem::dropShelf());
    });
    connect(m_settings, &QAbstractButton::clicked, this,
            [&content] { content.setShowSettingsModal(!content.showSettingsModal()); });

    connect(&m_state.tabs(), &TabListModel::changed, this, &SidebarDockView::syncTabs);
    connect(&content, &PanelContent::activeItemChanged, this, &SidebarDockView::syncActivity);
    connect(&content, &PanelContent::showSettingsModalChanged, this, &SidebarDockView::syncActivity);
    connect(&m_state.shelf(), &DropShelfModel::changed, this,
            [this] { m_shelf->setBadgeCount(m_state.shelf().items().size()); });
    connect(&m_state.settings(), &SettingsModel::changed, this, [this] {
        setFixedWidth(int(OrvaneTheme::railWidth(m_state.settings().values().currentTheme)));
        update();
    });
    setFixedWidth(int(OrvaneTheme::railWidth(m_state.settings().values().currentTheme)));
    m_shelf->setBadgeCount(m_state.shelf().items().size());
    syncTabs();
}

QSize SidebarDockView::sizeHint() const
{
    return QSize(int(OrvaneTheme::railWidth(m_state.settings().values().currentTheme)), 400);
}

void SidebarDockView::setInnerEdge(Qt::Edge edge)
{
    m_innerEdge = edge;
    update();
}

void SidebarDockView::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_state.settings().values().currentTheme);
    QPainter painter(this);
    painter.fillRect(rect(), palette.railBackground);
    const int x = m_innerEdge == Qt::RightEdge ? width() - 1 : 0;
    painter.fillRect(QRect(x, 0, 1, height()), palette.border);
}

void SidebarDockView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeSlots();
}

// Slots are kept by position: the n-th button always shows the n-th tab.
void SidebarDockView::syncTabs()
{
    const QList<TabModel> &tabs = m_state.tabs().tabs();
    while (m_slots.size() > tabs.size())
        delete m_slots.takeLast();
    while (m_slots.size() < tabs.size()) {
        auto *button = new RailTabButton(m_state.settings(), m_network, m_column);
        const int slot = int(m_slots.size());
        button->setReorderable(true);
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        button->setAcceptDrops(true);
        button->installEventFilter(this);
        connect(button, &QAbstractButton::clicked, this, [this, slot] {
            // A Ctrl-click belongs to reordering, not to selecting.
            if (m_reorder.draggedTabId() || (QGuiApplication::keyboardModifiers() & Qt::ControlModifier))
                return;
            if (slot < m_state.tabs().tabs().size())
                m_state.tabs().selectTab(m_state.tabs().tabs().at(slot).id);
        });
        connect(button, &QWidget::customContextMenuRequested, this,
                [this, slot](const QPoint &position) { showContextMenu(slot, position); });
        connect(button, &RailTabButton::dragMoved, this, [this, slot](double travel, bool ctrl) {
            if (slot >= m_state.tabs().tabs().size())
                return;
            const QUuid id = m_state.tabs().tabs().at(slot).id;
            m_reorder.dragChanged(m_reorder.draggedTabId().value_or(id), travel, ctrl, m_state.tabs());
            placeSlots();
        });
        connect(button, &RailTabButton::dragFinished, this, &SidebarDockView::settleDraggedSlot);
        button->show();
        m_slots.append(button);
    }
    for (qsizetype i = 0; i < tabs.size(); ++i) {
        const TabModel &tab = tabs.at(i);
        m_slots[i]->setApp(tab.iconKey, tab.title, tab.url, tab.iconURL);
        m_slots[i]->setSleeping(tab.isHibernated);
        m_slots[i]->setUnreadCount(tab.unreadCount);
    }
    syncActivity();
    placeSlots();
}

void SidebarDockView::syncActivity()
{
    const PanelContent &content = m_state.content();
    const QList<TabModel> &tabs = m_state.tabs().tabs();
    for (qsizetype i = 0; i < m_slots.size() && i < tabs.size(); ++i)
        m_slots[i]->setActive(RailActivity::isTabActive(content, tabs.at(i).id));
    m_scratchpad->setActive(RailActivity::isActive(content, RailActivity::Button::Scratchpad));
    m_shelf->setActive(RailActivity::isActive(content, RailActivity::Button::DropShelf));
    m_settings->setActive(RailActivity::isActive(content, RailActivity::Button::Settings));
}

void SidebarDockView::placeSlots()
{
    const QList<TabModel> &tabs = m_state.tabs().tabs();
    const int x = (width() - RailTabButton::slotSize) / 2;
    m_column->resize(width(), int(tabs.size() * RailReorder::slotPitch));
    for (qsizetype i = 0; i < m_slots.size() && i < tabs.size(); ++i) {
        double y = i * RailReorder::slotPitch + (RailReorder::slotPitch - RailTabButton::slotSize) / 2;
        const QUuid &id = tabs.at(i).id;
        const bool dragged = m_reorder.draggedTabId() == id;
        if (dragged)
            y += m_reorder.dragOffsetY();
        else if (m_settlingTab == id)
            y += m_settlingOffset;
        m_slots[i]->move(x, int(y));
        m_slots[i]->setLifted(dragged);
        if (dragged)
            m_slots[i]->raise();
    }
}

// The released slot springs back into its place.
void SidebarDockView::settleDraggedSlot()
{
    if (!m_reorder.draggedTabId())
        return;
    m_settlingTab = m_reorder.draggedTabId();
    const double from = m_reorder.dragOffsetY();
    m_reorder.dragEnded();
    auto *spring = new QVariantAnimation(this);
    spring->setStartValue(from);
    spring->setEndValue(0.0);
    spring->setDuration(250);
    spring->setEasingCurve(QEasingCurve::OutBack);
    connect(spring, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_settlingOffset = value.toDouble();
        placeSlots();
    });
    connect(spring, &QVariantAnimation::finished, this, [this] {
        m_settlingTab.reset();
        m_settlingOffset = 0;
        placeSlots();
    });
    spring->start(QAbstractAnimation::DeleteWhenStopped);
}

void SidebarDockView::showContextMenu(int slot, const QPoint &position)
{
    const QList<TabModel> &tabs = m_state.tabs().tabs();
    if (slot >= tabs.size())
        return;
    const QUuid id = tabs.at(slot).id;
    EntryMenu::popUp(this, tabs.at(slot).title, TabContextMenu::entries(tabs.at(slot), slot, tabs.size()),
                     m_slots.at(slot)->mapToGlobal(position), [this, id](TabContextMenu::Action what) { TabContextMenu::run(what, id, m_state.tabs(), m_engine); });
}

// The shelf button: hovering a drag shows the shelf; a drop stages what it
// carries. A tab's button: a drag held there shows the tab, and is dropped on
// its page rather than on the button.
bool SidebarDockView::eventFilter(QObject *watched, QEvent *event)
{
    if (const qsizetype slot = m_slots.indexOf(watched); slot >= 0)
        return tabSlotDragEvent(slot, event);
    if (watched != m_shelf)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto *enter = static_cast<QDragEnterEvent *>(event);
        enter->acceptProposedAction();
        m_state.content().setShowSettingsModal(false);
        m_state.content().setActiveItem(ActiveSidebarItem::dropShelf());
        return true;
    }
    case QEvent::Drop: {
        m_stager.stageDrop(*static_cast<QDropEvent *>(event));
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

bool SidebarDockView::tabSlotDragEvent(qsizetype slot, QEvent *event)
{
    TabDragHover &hover = m_state.tabDragHover();
    switch (event->type()) {
    case QEvent::DragEnter:
        if (slot < m_state.tabs().tabs().size()) {
            // Taken, or the button would hear nothing more of this drag.
            static_cast<QDragEnterEvent *>(event)->acceptProposedAction();
            hover.entered(m_state.tabs().tabs().at(slot).id);
        }
        return true;
    case QEvent::DragMove:
        event->ignore();
        return true;
    case QEvent::DragLeave:
    case QEvent::Drop:
        hover.left();
        return true;
    default:
        return false;
    }
}
