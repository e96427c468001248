#pragma once

#include "db/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The workstation's configuration file (configuracao.ini): eight fixed lines,
// each "KEY=value", always in the same order. The reader never searches for a
// key: line N must hold line N's key.
namespace configkey {
inline const QString configurado = QStringLiteral("CONFIGURADO=");
inline const QString path = QStringLiteral("PATH=");
inline const QString caixa = QStringLiteral("CAIXA=");
inline const QString coluna = QStringLiteral("COLUNA=");
inline const QString linha = QStringLiteral("LINHA=");
inline const QString impressao = QStringLiteral("IMPRESSAO=");
inline const QString modo = QStringLiteral("MODO=");
inline const QString quantidade = QStringLiteral("QUANTIDADE=");
} // namespace configkey

// Widest left margin a ticket line may get: a wider one is no printer's and
// would only exhaust memory building the blanks.
constexpr int maxMarginColumns = 1000;

// The file's first eight lines (Latin-1, CR LF or LF alone), read one at a
// time in the order the start-up needs them.
class ConfigFile
{
public:
    static constexpr int lineCount = 8;

    // A missing or unreadable file is a failure. Lines after the eighth are
    // never read.
    static Result<ConfigFile> read(const QString& filePath);
    static ConfigFile fromBytes(const QByteArray& bytes);

    // The text after `key` on line `number` (1-based): the line is split at
    // every occurrence of the key and the second piece is the value.
    Result<QString> text(int number, const QString& key) const;
    // "true"/"false" in any letter case, or a number (0 false, else true).
    Result<bool> boolean(int number, const QString& key) const;
    // A decimal integer with blanks around it, within [min, max].
    Result<qint32> integer(int number, const QString& key, qint32 min, qint32 max) const;
    Result<qint16> integer16(int number, const QString& key) const;

    int linesRead() const { return int(m_lines.size()); }

private:
    QStringList m_lines;
};

// Conversions of one value, shared by the reader and its tests.
std::optional<bool> parseBoolean(const QString& text);
std::optional<qint64> parseInteger(const QString& text);

// What the editor writes: the texts as typed, the two list indexes.
struct ConfigValues
{
    QString path;
    QString caixa;
    QString coluna;
    QString linha;
    int impressao = 0;          // index of the print type
    QString modo;               // "GERENCIA", "VENDA" or "ENTRADA"
    bool quantidade = false;
};

// The eight lines as bytes: Latin-1, each ended by CR LF. A text that
// Latin-1 cannot hold, or that holds a line break, is a failure: it would
// come back as another text or break the file's fixed lines.
Result<QByteArray> configFileBytes(const ConfigValues& values);
// Writes the file beside the old one, checks every byte reached the disk and
// renames it over, so a failure (a full disk included) leaves the old file
// whole; the file and its folder are created when missing.
Result<void> writeConfigFile(const QString& filePath, const ConfigValues& values);
