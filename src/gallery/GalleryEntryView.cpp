#include "gallery/GalleryEntryView.h"

#include "icons/AppIconView.h"
#include "ui/PillButton.h"
#include "ui/SymbolButton.h"
#include "ui/ThemedLabel.h"

#include <QVBoxLayout>

GalleryEntryView::GalleryEntryView(const SettingsModel &settings, QNetworkAccessManager &network, const GalleryAppItem &app,
                                   QWidget *parent)
    : QWidget(parent)
    , m_app(app)
    , m_badgeArea(new QWidget(this))
    , m_icon(new AppIconView(settings, network, m_badgeArea))
    , m_name(new ThemedLabel(settings, ThemedLabel::Role::Primary, 11, app.name, this))
    , m_action(new PillButton(settings, QString(), PillButton::Style::Plain, this))
    , m_remove(new SymbolButton(settings, QStringLiteral("xmark"), QStringLiteral("Remove ") + app.name, m_badgeArea))
{
    setAccessibleName(app.name);
    m_icon->setIconSize(32);
    m_icon->setIcon(app.iconKey, app.name, app.url, std::nullopt);
    m_name->setAlignment(Qt::AlignCenter);
    // Three tiles to a line still fit the narrowest panel: the name elides.
    m_name->setMaximumWidth(100);
    m_name->setToolTip(app.name);
    m_remove->setSymbolSize(8);
    // The remove button sits on the icon's top right corner.
    m_badgeArea->setFixedSize(52, 38);
    m_icon->setGeometry(10, 4, 32, 32);
    m_remove->setGeometry(34, 0, 18, 18);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 6, 4, 6);
    layout->setSpacing(4);
    layout->addWidget(m_badgeArea, 0, Qt::AlignHCenter);
    layout->addWidget(m_name, 0, Qt::AlignHCenter);
    layout->addWidget(m_action, 0, Qt::AlignHCenter);

    connect(m_action, &QAbstractButton::clicked, this, [this] {
        if (m_installed)
            Q_EMIT openRequested();
        else
            Q_EMIT addRequested();
    });
    connect(m_remove, &QAbstractButton::clicked, this, &GalleryEntryView::removeRequested);
    setInstalled(false);
}

void GalleryEntryView::setInstalled(bool installed)
{
    m_installed = installed;
    m_action->setText(installed ? QStringLiteral("Open") : QStringLiteral("+ Add"));
    m_action->setAccessibleName((installed ? QStringLiteral("Open ") : QStringLiteral("Add ")) + m_app.name);
    m_action->setStyle(installed ? PillButton::Style::Plain : PillButton::Style::Accent);
    m_action->updateGeometry();
    m_remove->setVisible(installed);
}
