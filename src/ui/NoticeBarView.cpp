#include "ui/NoticeBarView.h"

#include "state/PanelNotice.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"
#include "ui/PillButton.h"
#include "ui/ThemedLabel.h"

#include <QHBoxLayout>
#include <QPainter>

NoticeBarView::NoticeBarView(PanelNotice &notice, const SettingsModel &settings, QWidget *parent)
    : QWidget(parent)
    , m_notice(notice)
    , m_settings(settings)
    , m_text(new ThemedLabel(settings, ThemedLabel::Role::Primary, 12, QString(), this))
    // Named from the start: a screen reader lists the hidden bar's button too.
    , m_button(new PillButton(settings, QStringLiteral("Undo"), PillButton::Style::Accent, this))
    , m_secondButton(new PillButton(settings, QStringLiteral("Block"), PillButton::Style::Plain, this))
{
    // A long tab title must not widen the panel.
    m_text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 6, 8, 6);
    layout->setSpacing(8);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_button);
    layout->addWidget(m_secondButton);
    m_secondButton->hide();

    connect(m_button, &QAbstractButton::clicked, &m_notice, &PanelNotice::press);
    connect(m_secondButton, &QAbstractButton::clicked, &m_notice, &PanelNotice::pressSecond);
    connect(&m_notice, &PanelNotice::changed, this, &NoticeBarView::refresh);
    connect(&m_settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
    refresh();
}

void NoticeBarView::refresh()
{
    setVisible(m_notice.isShown());
    if (!m_notice.isShown())
        return;
    m_text->setText(m_notice.text());
    m_text->setAccessibleName(m_notice.text());
    m_button->setText(m_notice.buttonTitle());
    m_button->setAccessibleName(m_notice.buttonTitle());
    // Hidden, the second button keeps its last name, as a screen reader lists it too.
    m_secondButton->setVisible(!m_notice.secondButtonTitle().isEmpty());
    if (!m_notice.secondButtonTitle().isEmpty()) {
        m_secondButton->setText(m_notice.secondButtonTitle());
        m_secondButton->setAccessibleName(m_notice.secondButtonTitle());
    }
    setAccessibleName(m_notice.text());
}

void NoticeBarView::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPainter painter(this);
    painter.fillRect(rect(), palette.statusFooterBackground);
    painter.setPen(palette.border);
    painter.drawLine(rect().topLeft(), rect().topRight());
}
