#include "ai/CopyChord.h"

#include <QStringList>

#include <algorithm>

namespace {

const QStringList &terminalsCopyingWithShift()
{
    static const QStringList names{
        QStringLiteral("gnome-terminal"), QStringLiteral("gnome-terminal-server"), QStringLiteral("kgx"),
        QStringLiteral("org.gnome.console"), QStringLiteral("org.gnome.ptyxis"), QStringLiteral("ptyxis"),
        QStringLiteral("konsole"), QStringLiteral("yakuake"), QStringLiteral("xfce4-terminal"),
        QStringLiteral("mate-terminal"), QStringLiteral("lxterminal"), QStringLiteral("qterminal"),
        QStringLiteral("terminator"), QStringLiteral("tilix"), QStringLiteral("com.gexperts.tilix"),
        QStringLiteral("kitty"), QStringLiteral("alacritty"), QStringLiteral("wezterm"),
        QStringLiteral("org.wezfurlong.wezterm"), QStringLiteral("foot"), QStringLiteral("st"),
        QStringLiteral("st-256color"), QStringLiteral("sakura"), QStringLiteral("terminology"),
        QStringLiteral("guake"), QStringLiteral("tilda"), QStringLiteral("cool-retro-term"),
        QStringLiteral("deepin-terminal"), QStringLiteral("io.elementary.terminal"), QStringLiteral("blackbox"),
        QStringLiteral("com.raggesilver.blackbox"), QStringLiteral("contour"), QStringLiteral("rio"),
        QStringLiteral("tabby"), QStringLiteral("hyper"), QStringLiteral("termite"), QStringLiteral("ghostty"),
        QStringLiteral("com.mitchellh.ghostty"), QStringLiteral("x-terminal-emulator")};
    return names;
}

const QStringList &terminalsWithoutCopyKey()
{
    static const QStringList names{QStringLiteral("xterm"), QStringLiteral("uxterm"), QStringLiteral("rxvt"),
                                   QStringLiteral("urxvt"), QStringLiteral("rxvt-unicode"), QStringLiteral("aterm"),
                                   QStringLiteral("eterm"), QStringLiteral("mlterm"), QStringLiteral("xvt")};
    return names;
}

} // namespace

std::optional<CopyChord> copyChordFor(const DesktopApplication &window)
{
    const QStringList names{window.instanceName.toLower(), window.className.toLower()};
    const auto anyOf = [&names](const QStringList &known) {
        return std::any_of(names.cbegin(), names.cend(), [&known](const QString &name) { return known.contains(name); });
    };
    if (anyOf(terminalsWithoutCopyKey()))
        return std::nullopt;
    const bool namedTerminal = std::any_of(names.cbegin(), names.cend(),
                                           [](const QString &name) { return name.contains(QLatin1String("terminal")); });
    if (namedTerminal || anyOf(terminalsCopyingWithShift()))
        return CopyChord{Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier};
    // A terminal of another name has a copy key nobody here knows.
    if (window.runsTerminal != false)
        return std::nullopt;
    return CopyChord{};
}
