#include "ui/SearchField.h"

#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"
#include "ui/SymbolButton.h"
#include "ui/SymbolLabel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>

SearchField::SearchField(const SettingsModel &settings, const QString &placeholder, const QString &symbol, QWidget *parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_glass(new SymbolLabel(symbol, 13, this))
    , m_edit(new QLineEdit(this))
    , m_clear(new SymbolButton(settings, QStringLiteral("xmark.circle.fill"), QStringLiteral("Clear"), this))
{
    m_edit->setPlaceholderText(placeholder);
    m_edit->setAccessibleName(placeholder);
    m_edit->setFrame(false);
    m_clear->setSymbolSize(12);
    m_clear->setVisible(false);
    setFocusProxy(m_edit);
    m_edit->installEventFilter(this);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 4, 6, 4);
    layout->setSpacing(6);
    layout->addWidget(m_glass);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_clear);

    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_clear->setVisible(!text.isEmpty());
        Q_EMIT textChanged(text);
    });
    connect(m_clear, &QAbstractButton::clicked, this, [this] {
        m_edit->clear();
        m_edit->setFocus();
    });
    connect(&m_settings, &SettingsModel::changed, this, &SearchField::restyle);
    restyle();
}

QString SearchField::text() const
{
    return m_edit->text();
}

void SearchField::setText(const QString &text)
{
    m_edit->setText(text);
}

void SearchField::setFramed(bool framed)
{
    m_framed = framed;
    update();
}

void SearchField::restyle()
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    m_glass->setColor(palette.textMuted);
    QPalette colours = m_edit->palette();
    colours.setColor(QPalette::Text, palette.textPrimary);
    colours.setColor(QPalette::PlaceholderText, palette.textMuted);
    colours.setColor(QPalette::Base, Qt::transparent);
    colours.setColor(QPalette::Highlight, palette.accent);
    colours.setColor(QPalette::HighlightedText, palette.onAccentText);
    m_edit->setPalette(colours);
    update();
}

// The box's outline shows where the keyboard is.
bool SearchField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        update();
    return QWidget::eventFilter(watched, event);
}

void SearchField::paintEvent(QPaintEvent *)
{
    if (!m_framed)
        return;
    const AppThemeMode theme = m_settings.values().currentTheme;
    const ThemePalette &palette = OrvaneTheme::palette(theme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath box;
    box.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.fillPath(box, palette.composerBackground);
    painter.strokePath(box, QPen(m_edit->hasFocus() ? palette.accent : palette.border, 1));
}
