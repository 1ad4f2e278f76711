#pragma once

#include <QLocalServer>
#include <QObject>
#include <string>

#include "core/app/StartupOptions.h"

namespace trovique {
class ISettingsStore;
}

namespace trovique::gui {

// The per-user name under which the interactive copy of the program listens for hand-overs:
// the application title and the user, in the user's runtime folder when there is one.
QString InstanceServerName();

// The interactive copy's side of the single-instance hand-over. Each connection may carry one
// frame; an accepted one (identifier 17, a Windows-1252 file name with one terminating NUL) is
// answered so that the sender may end, and announced through fileReceived. Anything else is
// dropped without a word; a connection that sends nothing is dropped after a while.
class CInstanceServer : public QObject {
    Q_OBJECT
public:
    explicit CInstanceServer(QObject* parent = nullptr);

    // Listens under InstanceServerName(). A socket left by a copy that crashed (nobody answers
    // on it) is removed first. False when the name stays taken.
    bool Listen();

signals:
    // The file name, UTF-8 as core keeps paths.
    void fileReceived(const QString& file);

private:
    void Accept();

    QLocalServer server_;
};

// The later launch's side: finds a running interactive copy and hands it the start file.
class CPreviousInstance {
public:
    // Found: a copy answers and its main window is registered under "Settings"/"MWH";
    // Unreachable: a copy answers but has no main window registered; None: nobody answers.
    static OtherInstance Find(const ISettingsStore& store);
    // Sends the file (UTF-8) and waits for the copy to take it; false when it did not.
    static bool Send(const std::string& file);
};

}  // namespace trovique::gui
