#include "gallery/AppGalleryView.h"

#include "gallery/AppGallery.h"
#include "gallery/GalleryEntryView.h"
#include "settings/SettingsControls.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"
#include "ui/PillButton.h"
#include "ui/SearchField.h"
#include "ui/SymbolButton.h"
#include "ui/SymbolLabel.h"
#include "ui/ThemedLabel.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
constexpr int columns = 3;
} // namespace

AppGalleryView::AppGalleryView(std::unique_ptr<AppGallery> gallery, const SettingsModel &settings,
                               QNetworkAccessManager &network, QWidget *parent)
    : QWidget(parent)
    , m_gallery(std::move(gallery))
    , m_settings(settings)
    , m_network(network)
    , m_search(new SearchField(settings, QStringLiteral("Find an app\u2026"), QStringLiteral("magnifyingglass"), this))
    , m_address(new SearchField(settings, QStringLiteral("https://example.com"), QStringLiteral("globe"), this))
    , m_grid(new QWidget)
    , m_gridLayout(new QGridLayout(m_grid))
    , m_noResults(new ThemedLabel(settings, ThemedLabel::Role::Secondary, 12, {}, m_grid))
    , m_categoryRow(new QWidget(this))
{
    setAccessibleName(QStringLiteral("App gallery"));
    setFocusProxy(m_search);

    auto *heading = new ThemedLabel(settings, ThemedLabel::Role::Primary, 14,
                                    QStringLiteral("Add the apps you reach for. Or any website."), this);
    heading->setBold(true);
    heading->setWordWrap(true);
    auto *close = new SymbolButton(settings, QStringLiteral("xmark"), QStringLiteral("Close"), this);
    auto *top = new QHBoxLayout;
    top->addWidget(heading, 1);
    top->addWidget(close, 0, Qt::AlignTop);

    auto *category = SettingsControls::sectionHeading(settings, QStringLiteral("AI APPS"));
    auto *allApps = new PillButton(settings, QStringLiteral("Show all apps"), PillButton::Style::Plain, m_categoryRow);
    auto *categoryLayout = new QHBoxLayout(m_categoryRow);
    categoryLayout->setContentsMargins(0, 0, 0, 0);
    categoryLayout->addWidget(category, 1);
    categoryLayout->addWidget(allApps);

    m_gridLayout->setContentsMargins(0, 0, 0, 0);
    m_gridLayout->setSpacing(4);
    m_noResults->setAlignment(Qt::AlignCenter);
    m_noResults->setWordWrap(true);
    m_noResults->setContentsMargins(0, 16, 0, 16);
    m_noResults->hide();
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(m_grid);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    m_grid->setAutoFillBackground(false);

    m_address->lineEdit()->setAccessibleName(QStringLiteral("Website address"));
    auto *addAddress = new PillButton(settings, QStringLiteral("Add"), PillButton::Style::Accent, this);
    addAddress->setAccessibleName(QStringLiteral("Add website"));
    auto *addressRow = new QHBoxLayout;
    addressRow->setSpacing(6);
    addressRow->addWidget(m_address, 1);
    addressRow->addWidget(addAddress);

    auto *hintSymbol = new SymbolLabel(QStringLiteral("line.3.horizontal"), 11, this);
    auto *hintText = new ThemedLabel(settings, ThemedLabel::Role::Muted, 10,
                                     QStringLiteral("Ctrl-drag rail icons to reorder. Your tools stay pinned below."), this);
    auto *hint = new QHBoxLayout;
    hint->setSpacing(6);
    hint->addWidget(hintSymbol);
    hint->addWidget(hintText, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addWidget(m_search);
    layout->addWidget(m_categoryRow);
    layout->addWidget(scroll, 1);
    layout->addWidget(SettingsControls::sectionHeading(settings, QStringLiteral("OR MAKE ANY WEBSITE A TAB")));
    layout->addLayout(addressRow);
    layout->addLayout(hint);

    connect(close, &QAbstractButton::clicked, this, &AppGalleryView::closeRequested);
    connect(m_gallery.get(), &AppGallery::closeRequested, this, &AppGalleryView::closeRequested);
    connect(m_search, &SearchField::textChanged, m_gallery.get(), &AppGallery::setSearchQuery);
    connect(allApps, &QAbstractButton::clicked, m_gallery.get(), &AppGallery::showAllApps);
    connect(m_gallery.get(), &AppGallery::changed, this, &AppGalleryView::refresh);
    connect(m_address->lineEdit(), &QLineEdit::returnPressed, this, &AppGalleryView::submitAddress);
    connect(addAddress, &QAbstractButton::clicked, this, &AppGalleryView::submitAddress);
    const auto recolour = [this, hintSymbol] {
        hintSymbol->setColor(OrvaneTheme::palette(m_settings.values().currentTheme).textMuted);
        update();
    };
    connect(&m_settings, &SettingsModel::changed, this, recolour);
    recolour();
}

AppGalleryView::~AppGalleryView() = default;

QList<GalleryEntryView *> AppGalleryView::entries() const
{
    QList<GalleryEntryView *> shown;
    for (GalleryEntryView *entry : m_entries) {
        if (!entry->isHidden())
            shown.append(entry);
    }
    return shown;
}

void AppGalleryView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_search->setText(QString());
    m_address->setText(QString());
    refresh();
}

// Entries are kept while the catalogue stays the same: a click's button may
// still be on the stack when the tabs change under it.
void AppGalleryView::makeEntries()
{
    for (GalleryEntryView *entry : std::as_const(m_entries)) {
        m_gridLayout->removeWidget(entry);
        entry->hide();
        entry->deleteLater();
    }
    m_entries.clear();
    for (const GalleryAppItem &app : m_gallery->catalog()) {
        auto *entry = new GalleryEntryView(m_settings, m_network, app, m_grid);
        connect(entry, &GalleryEntryView::addRequested, m_gallery.get(), [this, app] { m_gallery->add(app); });
        connect(entry, &GalleryEntryView::openRequested, m_gallery.get(), [this, app] { m_gallery->open(app); });
        connect(entry, &GalleryEntryView::removeRequested, m_gallery.get(), [this, app] { m_gallery->remove(app); });
        m_entries.append(entry);
    }
}

void AppGalleryView::refresh()
{
    if (!isVisible())
        return;
    m_categoryRow->setVisible(m_gallery->category() == GalleryCategory::AIApps);
    const QList<GalleryAppItem> &catalog = m_gallery->catalog();
    const bool sameCatalogue = m_entries.size() == catalog.size()
                               && std::equal(m_entries.cbegin(), m_entries.cend(), catalog.cbegin(),
                                             [](const GalleryEntryView *entry, const GalleryAppItem &app) {
                                                 return entry->app().id == app.id && entry->app().url == app.url;
                                             });
    if (!sameCatalogue)
        makeEntries();
    const QList<GalleryAppItem> shown = m_gallery->filteredApps();
    int position = 0;
    QWidget *previous = m_search->lineEdit();
    for (GalleryEntryView *entry : std::as_const(m_entries)) {
        m_gridLayout->removeWidget(entry);
        const bool matches = std::any_of(shown.cbegin(), shown.cend(),
                                         [entry](const GalleryAppItem &app) { return app.id == entry->app().id; });
        entry->setVisible(matches);
        if (!matches)
            continue;
        entry->setInstalled(m_gallery->isInstalled(entry->app()));
        m_gridLayout->addWidget(entry, position / columns, position % columns);
        ++position;
        // Tab walks the grid row by row: each app's button, then its remove button.
        setTabOrder(previous, entry->actionButton());
        setTabOrder(entry->actionButton(), entry->removeButton());
        previous = entry->removeButton();
    }
    setTabOrder(previous, m_address->lineEdit());
    const QString noResults = m_gallery->noResultsText();
    m_gridLayout->removeWidget(m_noResults);
    m_noResults->setText(noResults);
    m_noResults->setVisible(!noResults.isEmpty());
    if (!noResults.isEmpty())
        m_gridLayout->addWidget(m_noResults, 0, 0, 1, columns, Qt::AlignTop);
}

void AppGalleryView::submitAddress()
{
    if (m_gallery->submitCustomURL(m_address->text()))
        m_address->setText(QString());
}

void AppGalleryView::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 16, 16);
    painter.fillPath(card, palette.dialogBackground);
    painter.strokePath(card, QPen(palette.panelBorder, 1));
}
