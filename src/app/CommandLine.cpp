#include "app/CommandLine.h"

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine commandLine;
    bool optionsEnded = false;
    for (const QString &argument : arguments) {
        if (optionsEnded || !argument.startsWith(QLatin1Char('-'))) {
            commandLine.urls.append(argument);
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            return {Action::ShowHelp, {}, {}};
        } else if (argument == QLatin1String("--version")) {
            return {Action::ShowVersion, {}, {}};
        } else {
            return {Action::Refuse, {}, QStringLiteral("unknown option %1 (see orvane --help)").arg(argument)};
        }
    }
    return commandLine;
}

QString CommandLine::usage()
{
    return QStringLiteral(
        "Usage: orvane [URL...]\n"
        "       orvane --help | --version\n"
        "\n"
        "Starts Orvane, the side panel for web apps, live notes and a drop shelf. When\n"
        "it already runs, the URLs (or, without any, the wish to see the panel) go to\n"
        "the running Orvane, and this start ends once they have been carried out and\n"
        "saved: with status 0, or with 1 and a line that says what went wrong (a\n"
        "command refused, no answer, settings not saved).\n"
        "\n"
        "URL commands:\n"
        "  orvane://toggle                      hide the panel when it is shown, show it otherwise\n"
        "  orvane://open?url=https://...        open the address as a new web tab\n"
        "  orvane://scratchpad                  show the scratchpad\n"
        "  orvane://shelf?text=...&file=...&link=...\n"
        "                                       put text, a file and a link on the drop shelf\n"
        "                                       (each optional; orvane://add does the same)\n"
        "  orvane://pin                         pin or unpin the panel\n"
        "  orvane://ai?prompt=...               stage the text for the AI prompt bar\n"
        "  orvane://settings                    open or close the settings\n"
        "  orvane://theme?name=...              aurora picks Midnight, ink picks Ember; without\n"
        "                                       a name, switch between the two\n"
        "  orvane://width?val=500               set the panel's width\n"
        "Any other orvane:// URL shows the panel. Parameter values are URL-encoded.\n"
        "\n"
        "Options:\n"
        "  -h, --help     show this text\n"
        "  --version      show Orvane's version\n"
        "  --             the arguments after it are URLs, even when they begin with -\n"
        "\n"
        "Files:\n"
        "  ~/.config/Orvane/Orvane.conf         settings, the tab list, exchange rates\n"
        "  ~/.config/Orvane/Orvane.conf.bak     the settings file as it was before this\n"
        "                                       run's first change\n"
        "  ~/.config/Orvane/Orvane.conf.unreadable-<date>\n"
        "                                       a settings file Orvane could not read\n"
        "  ~/.local/share/Orvane/DropShelf/Snippets/\n"
        "                                       text snippets of the shelf\n"
        "  ~/.local/share/Orvane/QtWebEngine/, ~/.cache/Orvane/QtWebEngine/\n"
        "                                       cookies, storage and cache of the web tabs\n"
        "  $XDG_RUNTIME_DIR/orvane.socket       how later starts reach the running Orvane;\n"
        "                                       without XDG_RUNTIME_DIR it is in /tmp/orvane-<uid>/,\n"
        "                                       or in ~/.cache/Orvane/socket-<machine>/ when that\n"
        "                                       folder is not private\n"
        "(~/.config, ~/.local/share and ~/.cache follow XDG_CONFIG_HOME, XDG_DATA_HOME and\n"
        "XDG_CACHE_HOME when they are set.)\n");
}
