#include "platform/qt/QtPasteboard.h"

#include <QClipboard>
#include <QGuiApplication>

QtPasteboard::QtPasteboard()
{
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { ++m_changes; });
}

std::optional<QString> QtPasteboard::text() const
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isNull())
        return std::nullopt;
    return text;
}
