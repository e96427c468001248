#pragma once

#include "db/database_creator.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QTest>

// Files the start-up tests work with: a configuration file written byte for
// byte, and a database made once per test binary by the project's own create
// command, then copied for each test.
namespace apptest {

inline QByteArray crlf(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The eight lines of a working terminal: `mode` and `database` vary.
inline QList<QByteArray> configLines(const QString& database, const QByteArray& mode = "VENDA",
                                     const QByteArray& caixa = "1")
{
    return {"CONFIGURADO=TRUE", "PATH=" + database.toLatin1(), "CAIXA=" + caixa, "COLUNA=3",
            "LINHA=8", "IMPRESSAO=2", "MODO=" + mode, "QUANTIDADE=false"};
}

// A database made once and copied per test: creating one takes far longer.
class DatabaseTemplate
{
public:
    bool create(bool demo = false)
    {
        m_path = m_dir.filePath(QStringLiteral("template.fdb"));
        const auto created = createDatabase(m_path, demo);
        if (!created)
            qWarning("%s", qPrintable(created.failure().description()));
        return created.ok();
    }
    // A fresh copy of the template at `path`.
    bool copyTo(const QString& path) const
    {
        QFile::remove(path);
        return QFile::copy(m_path, path);
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace apptest
