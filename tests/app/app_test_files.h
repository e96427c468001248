#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTest>

// Files the start-up tests work with: configuration files written and read
// byte for byte.
namespace apptest {

inline QByteArray crlf(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// `lines` as a file, with line `number` (1-based) replaced by `text`.
inline QByteArray crlfWith(QList<QByteArray> lines, int number, const QByteArray& text)
{
    lines[number - 1] = text;
    return crlf(lines);
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

} // namespace apptest
