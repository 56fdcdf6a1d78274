#include "state/ActiveSidebarItem.h"

QString ActiveSidebarItem::id() const
{
    switch (m_kind) {
    case Kind::WebTab:
        return QStringLiteral("tab_") + m_tabId.toString(QUuid::WithoutBraces).toUpper();
    case Kind::Scratchpad:
        return QStringLiteral("scratchpad");
    case Kind::DropShelf:
        return QStringLiteral("dropshelf");
    }
    Q_UNREACHABLE();
}
