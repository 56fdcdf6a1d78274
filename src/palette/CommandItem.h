#pragma once

#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

// The tints of the palette's symbol tiles; Secondary is the theme's own.
enum class CommandColor { Indigo, Blue, Purple, Orange, Teal, Secondary };

// One row of the command palette.
struct CommandItem
{
    QString title;
    std::optional<QString> subtitle;
    // When present the row shows this app's icon instead of the symbol,
    // drawn for the app's own name and address.
    std::optional<QString> appKey;
    QString appTitle;
    std::optional<QUrl> appURL;
    QString iconName;
    CommandColor color = CommandColor::Secondary;
    std::function<void()> action;
};
