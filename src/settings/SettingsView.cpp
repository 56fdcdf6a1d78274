#include "settings/SettingsView.h"

#include "settings/SettingsContentPages.h"
#include "settings/SettingsControls.h"
#include "settings/SettingsPanelPages.h"
#include "settings/SettingsRowButton.h"
#include "settings/SettingsSystemPages.h"
#include "state/AppState.h"
#include "state/AppVersion.h"
#include "theme/OrvaneTheme.h"
#include "ui/PillButton.h"
#include "ui/ScreenHeaderView.h"
#include "ui/SearchField.h"
#include "ui/SymbolButton.h"
#include "ui/SymbolTextButton.h"
#include "ui/ThemedLabel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QScrollArea *scrolling(QWidget *content)
{
    auto *scroll = new QScrollArea;
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    return scroll;
}

QWidget *(*pageBuilder(SettingsSubpage page))(SettingsScreen &, AppState &)
{
    switch (page) {
    case SettingsSubpage::Appearance:
        return SettingsPanelPages::appearance;
    case SettingsSubpage::PositionAndSize:
        return SettingsPanelPages::positionAndSize;
    case SettingsSubpage::Motion:
        return SettingsPanelPages::motion;
    case SettingsSubpage::Memory:
        return SettingsContentPages::memory;
    case SettingsSubpage::DropShelf:
        return SettingsContentPages::dropShelf;
    case SettingsSubpage::Shortcuts:
        return SettingsSystemPages::shortcuts;
    case SettingsSubpage::Permissions:
        return SettingsSystemPages::permissions;
    case SettingsSubpage::About:
        break;
    }
    return SettingsSystemPages::about;
}

} // namespace

SettingsView::SettingsView(std::unique_ptr<SettingsScreen> screen, AppState &state, QWidget *parent)
    : QWidget(parent), m_screen(std::move(screen)), m_state(state), m_stack(new QStackedWidget(this))
{
    setAccessibleName(QStringLiteral("Settings"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    m_stack->addWidget(makeRoot());
    for (SettingsSubpage page : allSettingsSubpages) {
        m_details[page] = makeDetail(page);
        m_stack->addWidget(m_details[page]);
    }
    connect(m_screen.get(), &SettingsScreen::changed, this, &SettingsView::refreshList);
    connect(m_screen.get(), &SettingsScreen::pageChanged, this, &SettingsView::showCurrentPage);
    connect(&m_state.settings(), &SettingsModel::changed, this, qOverload<>(&QWidget::update));
    // Opened from the keyboard or not, typing searches at once.
    connect(&m_state.content(), &PanelContent::showSettingsModalChanged, this, [this] {
        if (m_state.content().showSettingsModal())
            m_search->setFocus(Qt::OtherFocusReason);
    });
    refreshList();
    showCurrentPage();
}

SettingsView::~SettingsView() = default;

QWidget *SettingsView::currentPageWidget() const
{
    const auto page = m_screen->currentSubpage();
    return page ? m_details.at(*page) : nullptr;
}

QWidget *SettingsView::makeRoot()
{
    const SettingsModel &settings = m_state.settings();
    auto *root = new QWidget;
    auto *layout = new QVBoxLayout(root);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeHeader());

    m_search = new SearchField(settings, QStringLiteral("Search settings"));
    auto *searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(14, 0, 14, 6);
    searchRow->addWidget(m_search);
    layout->addLayout(searchRow);
    connect(m_search, &SearchField::textChanged, m_screen.get(), &SettingsScreen::setSearchQuery);

    auto *list = new QWidget;
    auto *listLayout = new QVBoxLayout(list);
    listLayout->setContentsMargins(14, 0, 14, 14);
    listLayout->setSpacing(4);
    m_matchingHeading = SettingsControls::sectionHeading(settings, QString());
    listLayout->addWidget(m_matchingHeading);
    m_listLayout = listLayout;
    for (const SettingsScreen::Section &section : SettingsScreen::sections()) {
        ThemedLabel *heading = SettingsControls::sectionHeading(settings, section.title);
        auto *card = new SettingsControls::Card(settings);
        card->layout()->setContentsMargins(4, 4, 4, 4);
        for (SettingsSubpage page : section.pages) {
            auto *row = new SettingsRowButton(settings, SettingsScreen::title(page));
            connect(row, &QAbstractButton::clicked, m_screen.get(), [this, page] { m_screen->showPage(page); });
            card->addRow(row);
            m_rows[page] = row;
        }
        listLayout->addWidget(heading);
        listLayout->addWidget(card);
        m_sectionHeadings.append(heading);
        m_sectionCards.append(card);
    }
    listLayout->addStretch(1);
    layout->addWidget(scrolling(list), 1);
    layout->addWidget(makeFooter());
    return root;
}

QWidget *SettingsView::makeHeader()
{
    auto *title = new ThemedLabel(m_state.settings(), ThemedLabel::Role::Primary, ScreenHeaderView::titlePixelSize,
                                  QStringLiteral("Settings"));
    title->setBold(true);
    return new ScreenHeaderView(m_state, [screen = m_screen.get()] { screen->close(); },
                                QStringLiteral("Close Settings (Esc)"), title);
}

QWidget *SettingsView::makeFooter()
{
    SettingsModel &settings = m_state.settings();
    auto *footer = new QWidget;
    auto *name = new ThemedLabel(settings, ThemedLabel::Role::Primary, 12, QStringLiteral("Orvane"));
    name->setBold(true);
    // The version gives way first.
    name->setMinimumWidth(name->sizeHint().width());
    auto *version = new ThemedLabel(settings, ThemedLabel::Role::Muted, 10, AppVersion::displayString);
    auto *restore = new PillButton(settings, QStringLiteral("Restore defaults"));
    auto *layout = new QHBoxLayout(footer);
    layout->setContentsMargins(16, 8, 14, 10);
    layout->setSpacing(6);
    layout->addWidget(name);
    layout->addWidget(SettingsControls::betaBadge(settings));
    layout->addWidget(version);
    layout->addStretch(1);
    layout->addWidget(restore);
    connect(restore, &QAbstractButton::clicked, m_screen.get(), &SettingsScreen::restoreDefaults);
    return footer;
}

QWidget *SettingsView::makeDetail(SettingsSubpage page)
{
    SettingsModel &settings = m_state.settings();
    auto *detail = new QWidget;
    auto *header = new QWidget(detail);
    header->setFixedHeight(int(OrvaneTheme::headerHeight));
    // The whole breadcrumb, chevron and word, leads back.
    auto *back = new SymbolTextButton(QStringLiteral("chevron.left"), QStringLiteral("Settings"), header);
    back->setToolTip(QStringLiteral("Back to Settings"));
    back->setAccessibleName(QStringLiteral("Back to Settings"));
    back->setSizes(11, 12);
    const auto tint = [back, &settings] { back->setColor(OrvaneTheme::palette(settings.values().currentTheme).accent); };
    connect(&settings, &SettingsModel::changed, back, tint);
    tint();
    m_backButtons[page] = back;
    auto *title = new ThemedLabel(settings, ThemedLabel::Role::Primary, ScreenHeaderView::titlePixelSize,
                                  SettingsScreen::title(page), header);
    title->setBold(true);
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(8, 0, 16, 0);
    headerLayout->setSpacing(2);
    headerLayout->addWidget(back);
    headerLayout->addSpacing(10);
    headerLayout->addWidget(title, 1);
    connect(back, &QAbstractButton::clicked, m_screen.get(), [this] { m_screen->showPage(std::nullopt); });

    auto *layout = new QVBoxLayout(detail);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    m_pageScrolls[page] = scrolling(pageBuilder(page)(*m_screen, m_state));
    layout->addWidget(m_pageScrolls[page], 1);
    return detail;
}

void SettingsView::refreshList()
{
    const bool searching = !m_screen->searchQuery().isEmpty();
    const QList<SettingsSubpage> matching = m_screen->matchingPages();
    m_matchingHeading->setVisible(searching);
    m_matchingHeading->setText(m_screen->matchingHeading());
    for (ThemedLabel *heading : m_sectionHeadings)
        heading->setVisible(!searching);
    listFoundSettings();
    for (const auto &[page, row] : m_rows) {
        row->setDetail(m_screen->detailText(page));
        row->setVisible(!searching || matching.contains(page));
    }
    const QList<SettingsScreen::Section> &sections = SettingsScreen::sections();
    for (qsizetype i = 0; i < sections.size(); ++i) {
        const QList<SettingsSubpage> &pages = sections.at(i).pages;
        const bool anyShown = !searching || std::any_of(pages.cbegin(), pages.cend(),
                                                        [&matching](SettingsSubpage page) { return matching.contains(page); });
        m_sectionCards.at(i)->setVisible(anyShown);
    }
    if (m_search->text() != m_screen->searchQuery())
        m_search->setText(m_screen->searchQuery());
}

// A found control is a row like a page's, with its page's title beside it.
void SettingsView::listFoundSettings()
{
    if (m_foundSettings && m_listedQuery == m_screen->searchQuery())
        return;
    m_listedQuery = m_screen->searchQuery();
    delete m_foundSettings;
    const SettingsModel &settings = m_state.settings();
    auto *card = new SettingsControls::Card(settings);
    card->layout()->setContentsMargins(4, 4, 4, 4);
    const QList<SettingsScreen::Setting> found = m_screen->matchingSettings();
    for (const SettingsScreen::Setting &setting : found) {
        auto *row = new SettingsRowButton(settings, setting.title);
        row->setDetail(SettingsScreen::title(setting.page));
        connect(row, &QAbstractButton::clicked, m_screen.get(), [this, setting] { m_screen->showSetting(setting); });
        card->addRow(row);
    }
    card->setVisible(!found.isEmpty());
    m_foundSettings = card;
    m_listLayout->insertWidget(m_listLayout->indexOf(m_matchingHeading) + 1, card);
}

// The first widget of the page that names the sought control (its label,
// its switch or the heading over it) is scrolled to and, when it takes the
// keyboard, focused.
void SettingsView::revealSoughtSetting(SettingsSubpage page)
{
    const QString &sought = m_screen->soughtSetting();
    if (sought.isEmpty())
        return;
    QScrollArea *scroll = m_pageScrolls.at(page);
    const QList<QWidget *> widgets = scroll->widget()->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        const auto *label = qobject_cast<QLabel *>(widget);
        const QString name = label ? label->text() : widget->accessibleName();
        if (!name.startsWith(sought, Qt::CaseInsensitive))
            continue;
        scroll->ensureWidgetVisible(widget);
        if (widget->focusPolicy() != Qt::NoFocus)
            widget->setFocus(Qt::OtherFocusReason);
        return;
    }
}

// Keyboard users land on the page's back button, and back on the row they left.
void SettingsView::showCurrentPage()
{
    const auto page = m_screen->currentSubpage();
    const bool hadFocus = isAncestorOf(QApplication::focusWidget());
    if (page) {
        m_stack->setCurrentWidget(m_details.at(*page));
        if (hadFocus)
            m_backButtons.at(*page)->setFocus(Qt::TabFocusReason);
        revealSoughtSetting(*page);
    } else {
        m_stack->setCurrentIndex(0);
        if (hadFocus && m_lastPage)
            m_rows.at(*m_lastPage)->setFocus(Qt::TabFocusReason);
    }
    m_lastPage = page;
    refreshList();
}

void SettingsView::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_state.settings().values().currentTheme);
    QPainter painter(this);
    painter.fillRect(rect(), palette.panelBackground);
}
