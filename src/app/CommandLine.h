#pragma once

#include <QString>
#include <QStringList>

// What `orvane` was asked on its command line.
struct CommandLine
{
    enum class Action { Start, ShowHelp, ShowVersion, Refuse };

    Action action = Action::Start;
    QStringList urls; // for Start
    QString problem; // for Refuse: one line

    // `arguments` without the program's name. Options come before "--";
    // whatever does not start with "-" is a URL.
    static CommandLine parse(const QStringList &arguments);
    // The text of --help: the URL commands and the files Orvane keeps.
    static QString usage();
};
