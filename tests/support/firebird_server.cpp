#include "tests/support/firebird_server.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <arpa/inet.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString kServerBinary = QStringLiteral("/usr/sbin/firebird");
constexpr int kFirstPort = 3057;
constexpr int kLastPort = 3156;

// Debian's Firebird tree (engine, messages, character sets), by architecture.
QString firebirdTree()
{
    const QDir lib(QStringLiteral("/usr/lib"));
    const QStringList entries = lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const QString tree = lib.filePath(entry) + QStringLiteral("/firebird/3.0");
        if (QFileInfo::exists(tree + QStringLiteral("/plugins/libEngine12.so")))
            return tree;
    }
    return QString();
}

// Runs `probe` on a fresh TCP socket and the loopback address of `port`.
template <typename Probe>
bool onLoopback(int port, Probe probe)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(quint16(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool result = probe(fd, reinterpret_cast<sockaddr*>(&address), socklen_t(sizeof address));
    ::close(fd);
    return result;
}

bool portFree(int port)
{
    return onLoopback(port, [](int fd, sockaddr* a, socklen_t n) { return ::bind(fd, a, n) == 0; });
}

bool portAnswers(int port)
{
    return onLoopback(port, [](int fd, sockaddr* a, socklen_t n) { return ::connect(fd, a, n) == 0; });
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

// Hands a file or folder to user firebird (root only), without following
// the symbolic links into the system's tree.
bool giveToFirebird(const QString& path)
{
    const passwd* user = ::getpwnam("firebird");
    if (!user)
        return false;
    return ::lchown(QFile::encodeName(path).constData(), user->pw_uid, user->pw_gid) == 0;
}

} // namespace

FirebirdServer::FirebirdServer() = default;

FirebirdServer::~FirebirdServer()
{
    stop();
}

QString FirebirdServer::dataFolder() const
{
    return m_root.filePath(QStringLiteral("data"));
}

QString FirebirdServer::databasePath(const QString& name) const
{
    return QStringLiteral("localhost/%1:%2/%3").arg(m_port).arg(dataFolder(), name);
}

bool FirebirdServer::isRunning() const
{
    return m_process.state() != QProcess::NotRunning;
}

bool FirebirdServer::start(QString* why)
{
    QString reason;
    if (!why)
        why = &reason;
    if (isRunning())
        return true;
    QElapsedTimer timer;
    timer.start();

    const QString tree = firebirdTree();
    if (!QFileInfo(kServerBinary).isExecutable() || tree.isEmpty()) {
        *why = QStringLiteral("Servidor Firebird ausente (instale firebird3.0-server): %1 não encontrado.")
                   .arg(kServerBinary);
        return false;
    }
    if (runningAsRoot() && !::getpwnam("firebird")) {
        *why = QStringLiteral("O usuário firebird não existe; o servidor não pode rodar como root.");
        return false;
    }
    if (!m_root.isValid()) {
        *why = QStringLiteral("Não foi possível criar a pasta do servidor de teste.");
        return false;
    }
    m_port = 0;
    for (int port = kFirstPort; port <= kLastPort && m_port == 0; ++port) {
        auto lock = std::make_unique<QLockFile>(
            QDir::temp().filePath(QStringLiteral("vorinda-test-firebird-%1.lock").arg(port)));
        if (lock->tryLock(0) && portFree(port)) {
            m_port = port;
            m_portLock = std::move(lock);
        }
    }
    if (m_port == 0) {
        *why = QStringLiteral("Nenhuma porta livre entre %1 e %2.").arg(kFirstPort).arg(kLastPort);
        return false;
    }
    if (!prepareRoot(tree, why) || !makeSecurityDatabase(why))
        return false;
    if (runningAsRoot()) {
        // The server runs as firebird: it must own its folder, its lock
        // folder, the security database and the data folder.
        giveToFirebird(m_root.path());
        QDirIterator it(m_root.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            giveToFirebird(it.next());
    }
    m_prepared = true;
    if (!launch(why))
        return false;
    m_startMs = timer.elapsed();
    return true;
}

bool FirebirdServer::launch(QString* why)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FIREBIRD"), m_root.path());
    environment.insert(QStringLiteral("FIREBIRD_LOCK"), m_root.filePath(QStringLiteral("lock")));
    environment.insert(QStringLiteral("FIREBIRD_TMP"), m_root.filePath(QStringLiteral("tmp")));
    m_process.setProcessEnvironment(environment);
    m_process.setWorkingDirectory(m_root.path());
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    if (runningAsRoot()) {
        m_process.setProgram(QStringLiteral("setpriv"));
        // Killed with the test process should that die first.
        m_process.setArguments({QStringLiteral("--reuid=firebird"), QStringLiteral("--regid=firebird"),
                                QStringLiteral("--init-groups"), QStringLiteral("--pdeathsig=KILL"),
                                kServerBinary});
    } else {
        m_process.setProgram(kServerBinary);
        m_process.setArguments({});
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    }
    m_process.start();
    if (!m_process.waitForStarted(5000)) {
        *why = QStringLiteral("O servidor Firebird não iniciou: %1").arg(m_process.errorString());
        return false;
    }
    m_pid = m_process.processId();
    m_frozen = false;
    if (!waitUntilAnswering(why)) {
        stop();
        return false;
    }
    return true;
}

void FirebirdServer::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(m_pid), SIGKILL);
    m_process.waitForFinished(10000);
    m_frozen = false;
}

void FirebirdServer::freeze()
{
    if (m_process.state() != QProcess::NotRunning && !m_frozen) {
        ::kill(pid_t(m_pid), SIGSTOP);
        m_frozen = true;
    }
}

void FirebirdServer::thaw()
{
    // Also for a stop sent from another thread (a test's fault hook).
    if (m_process.state() != QProcess::NotRunning)
        ::kill(pid_t(m_pid), SIGCONT);
    m_frozen = false;
}

bool FirebirdServer::restart(QString* why)
{
    QString reason;
    if (!why)
        why = &reason;
    if (!m_prepared) {
        *why = QStringLiteral("O servidor de teste nunca foi iniciado.");
        return false;
    }
    if (isRunning())
        return true;
    // The kernel may keep the port a moment after the old process died.
    QElapsedTimer timer;
    timer.start();
    while (!launch(why)) {
        if (timer.elapsed() > 10000)
            return false;
        QThread::msleep(100);
    }
    return true;
}

bool FirebirdServer::prepareRoot(const QString& tree, QString* why)
{
    const QDir root(m_root.path());
    QFile::setPermissions(m_root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                             | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    // Everything of Debian's tree but the configuration, which is our own.
    const QStringList own{QStringLiteral("firebird.conf"), QStringLiteral("databases.conf")};
    const QStringList entries = QDir(tree).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& entry : entries) {
        if (own.contains(entry))
            continue;
        if (!QFile::link(QDir(tree).filePath(entry), root.filePath(entry))) {
            *why = QStringLiteral("Não foi possível preparar a pasta do servidor (%1).").arg(entry);
            return false;
        }
    }
    for (const QString& folder : {QStringLiteral("lock"), QStringLiteral("tmp"), QStringLiteral("data")})
        root.mkpath(folder);

    QFile config(root.filePath(QStringLiteral("firebird.conf")));
    if (!config.open(QIODevice::WriteOnly)) {
        *why = QStringLiteral("Não foi possível escrever o firebird.conf do servidor de teste.");
        return false;
    }
    config.write(QStringLiteral("RemoteServicePort = %1\n"
                                "RemoteBindAddress = 127.0.0.1\n"
                                "ServerMode = Super\n"
                                "SecurityDatabase = %2\n")
                     .arg(m_port)
                     .arg(root.filePath(QStringLiteral("security3.fdb")))
                     .toUtf8());
    config.close();
    QFile databases(root.filePath(QStringLiteral("databases.conf")));
    if (!databases.open(QIODevice::WriteOnly)) {
        *why = QStringLiteral("Não foi possível escrever o databases.conf do servidor de teste.");
        return false;
    }
    return true;
}

// A security database of our own: made by isql-fb in embedded mode under our
// configuration, then SYSDBA given the password the program uses.
bool FirebirdServer::makeSecurityDatabase(QString* why)
{
    const QString security = m_root.filePath(QStringLiteral("security3.fdb"));
    const QString isql = QStandardPaths::findExecutable(QStringLiteral("isql-fb"));
    if (isql.isEmpty()) {
        *why = QStringLiteral("isql-fb ausente (instale firebird3.0-utils): a base de segurança do servidor "
                              "de teste não pode ser criada.");
        return false;
    }
    const QString initLock = m_root.filePath(QStringLiteral("lock-init"));
    QDir().mkpath(initLock);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FIREBIRD"), m_root.path());
    environment.insert(QStringLiteral("FIREBIRD_LOCK"), initLock);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_root.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(isql, {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA")});
    QString escaped = security;
    escaped.replace(u'\'', QStringLiteral("''"));
    process.write(QStringLiteral("create database '%1';\n"
                                 "create user SYSDBA password 'lanternas';\n"
                                 "commit;\n"
                                 "exit;\n")
                      .arg(escaped)
                      .toUtf8());
    process.closeWriteChannel();
    const bool finished = process.waitForFinished(30000);
    const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
    QDir(initLock).removeRecursively();
    if (!finished || process.exitCode() != 0 || !output.isEmpty() || !QFileInfo::exists(security)) {
        *why = QStringLiteral("A base de segurança do servidor de teste não foi criada: %1").arg(output);
        return false;
    }
    return true;
}

bool FirebirdServer::waitUntilAnswering(QString* why)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        if (m_process.state() == QProcess::NotRunning) {
            *why = QStringLiteral("O servidor Firebird terminou ao iniciar: %1")
                       .arg(QString::fromLocal8Bit(m_process.readAll()).trimmed());
            return false;
        }
        if (portAnswers(m_port))
            return true;
        QThread::msleep(20);
    }
    *why = QStringLiteral("O servidor Firebird não respondeu na porta %1 em 10 s.").arg(m_port);
    return false;
}

void FirebirdServer::stop()
{
    if (m_process.state() == QProcess::NotRunning) {
        m_portLock.reset();
        return;
    }
    thaw();
    QElapsedTimer timer;
    timer.start();
    // Only the process started here, by its PID.
    ::kill(pid_t(m_pid), SIGTERM);
    if (!m_process.waitForFinished(10000)) {
        ::kill(pid_t(m_pid), SIGKILL);
        m_process.waitForFinished(5000);
    }
    m_stopMs = timer.elapsed();
    m_portLock.reset();
}
