#pragma once

#include <QLockFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A Firebird server of the test's own, for the several-workstations tests:
// Debian's server binary run from a private root folder (its own
// firebird.conf on a port of its own, from 3057 up, and its own security
// database where SYSDBA's password is "lanternas"), as user firebird when the
// tests run as root. Started and stopped by this object, by its PID; a
// server of the machine is never touched.
//
//     FirebirdServer server;
//     QString why;
//     if (!server.start(&why))
//         QSKIP(qPrintable(why));
//     createDatabase(server.databasePath("loja.fdb"), true);
class FirebirdServer
{
public:
    FirebirdServer();
    ~FirebirdServer();
    FirebirdServer(const FirebirdServer&) = delete;
    FirebirdServer& operator=(const FirebirdServer&) = delete;

    // False, with the reason, when the server package is missing or the
    // server did not answer; the caller skips its test then.
    bool start(QString* why);
    // TERM, up to 10 s to finish, then KILL. Also done by the destructor.
    void stop();
    bool isRunning() const;

    // Faults for the tests of a lost server: killed at once (as a power cut
    // or a crash), frozen and thawed (a server that stops answering without
    // closing its connections), and started again on the same port, folder
    // and databases after a kill or a stop.
    void kill();
    void freeze();
    void thaw();
    bool restart(QString* why);

    int port() const { return m_port; }
    qint64 pid() const { return m_pid; }
    // A folder the server may create databases in.
    QString dataFolder() const;
    // "localhost/<port>:<data folder>/<name>", as a workstation's PATH=.
    QString databasePath(const QString& name) const;

    qint64 startMilliseconds() const { return m_startMs; }
    qint64 stopMilliseconds() const { return m_stopMs; }

private:
    bool prepareRoot(const QString& tree, QString* why);
    bool makeSecurityDatabase(QString* why);
    bool waitUntilAnswering(QString* why);
    bool launch(QString* why);

    QTemporaryDir m_root;
    // Held while the server runs, so parallel test programs never pick the
    // same port between checking it and the server binding it.
    std::unique_ptr<QLockFile> m_portLock;
    QProcess m_process;
    int m_port = 0;
    qint64 m_pid = 0;
    qint64 m_startMs = 0;
    qint64 m_stopMs = 0;
    bool m_prepared = false;
    bool m_frozen = false;
};
