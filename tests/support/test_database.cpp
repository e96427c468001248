#include "tests/support/test_database.h"

#include "db/database_creator.h"

#include <QElapsedTimer>
#include <QFile>

namespace {

struct Template
{
    QString path;
    QString error;
    qint64 milliseconds = 0;
};

QTemporaryDir& templateFolder()
{
    static QTemporaryDir folder;
    return folder;
}

// One template per catalogue and process. Synchronous writes are off in the
// templates (and so in their copies): a test database is thrown away, and
// every commit would otherwise wait for the disk.
const Template& templateFor(TestDatabase::Catalog catalog)
{
    static Template templates[2];
    static bool made[2] = {false, false};
    Template& t = templates[catalog];
    if (made[catalog])
        return t;
    made[catalog] = true;
    if (!templateFolder().isValid()) {
        t.error = QStringLiteral("Não foi possível criar a pasta temporária dos bancos de teste.");
        return t;
    }
    QElapsedTimer timer;
    timer.start();
    const QString path = templateFolder().filePath(catalog == TestDatabase::Demo ? QStringLiteral("demo.fdb")
                                                                                 : QStringLiteral("base.fdb"));
    CreateOptions options;
    options.synchronousWrites = false;
    if (Result<void> created = createDatabase(path, catalog == TestDatabase::Demo, options); !created) {
        t.error = created.failure().description();
        return t;
    }
    t.milliseconds = timer.elapsed();
    t.path = path;
    return t;
}

} // namespace

TestDatabase::TestDatabase(Catalog catalog)
    : m_connection(std::make_unique<Connection>())
{
    m_hadDataDir = qEnvironmentVariableIsSet("VORINDA_DIR");
    m_previousDataDir = qgetenv("VORINDA_DIR");
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("Não foi possível criar a pasta de dados temporária.");
        return;
    }
    qputenv("VORINDA_DIR", QFile::encodeName(m_dir.path()));

    const Template& source = templateFor(catalog);
    if (!source.error.isEmpty()) {
        m_error = source.error;
        return;
    }
    m_path = m_dir.filePath(QStringLiteral("movimento.fdb"));
    if (!QFile::copy(source.path, m_path)) {
        m_error = QStringLiteral("Não foi possível copiar o banco modelo para %1.").arg(m_path);
        return;
    }
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup);
    if (Result<void> opened = m_connection->open(m_path); !opened)
        m_error = opened.failure().description();
}

TestDatabase::~TestDatabase()
{
    m_connection->close();
    if (m_hadDataDir)
        qputenv("VORINDA_DIR", m_previousDataDir);
    else
        qunsetenv("VORINDA_DIR");
}

std::unique_ptr<Connection> TestDatabase::openAnother() const
{
    auto another = std::make_unique<Connection>();
    if (!another->open(m_path))
        return nullptr;
    return another;
}

qint64 TestDatabase::templateMilliseconds(Catalog catalog)
{
    return templateFor(catalog).milliseconds;
}
