#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The folder that holds the single-instance socket and its lock. Whoever can
// write to it can stand in for Orvane and read every command handed over, so
// it must be this user's own: a real folder (not a symbolic link), owned by
// this user, that no one else may enter.
namespace SocketFolder {

struct Candidate
{
    QString path;
    // Orvane's own folder: created when missing, and narrowed to mode 0700
    // when only its owner could write to it anyway. A folder that the session
    // provides (XDG_RUNTIME_DIR) is taken as it is or not at all.
    bool isOurs = false;
};

struct Choice
{
    QString folder; // empty when no candidate is private
    QStringList refusals; // one line for each candidate passed over, and why
};

// Nothing when `candidate` is (or has been made) a private folder of this
// user's that can hold the socket; otherwise why not.
std::optional<QString> refusal(const Candidate &candidate);
// The first private one.
Choice choose(const QList<Candidate> &candidates);
// In order: XDG_RUNTIME_DIR; orvane-<uid> in the temporary folder; a folder
// for this machine in the user's cache (a home may be shared between machines).
QList<Candidate> candidates();

} // namespace SocketFolder
