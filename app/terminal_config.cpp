#include "app/terminal_config.h"

#include "common/file_write.h"
#include "common/system_reason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <limits>

namespace {

Failure failure(const QString& text)
{
    return Failure{QString(), text};
}

QString keyName(const QString& key)
{
    return key.endsWith(u'=') ? key.chopped(1) : key;
}

QString lineFromLatin1(QByteArray bytes)
{
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    return QString::fromLatin1(bytes);
}

} // namespace

Result<ConfigFile> ConfigFile::read(const QString& filePath)
{
    QFile file(filePath);
    if (!file.exists())
        return failure(QStringLiteral("O arquivo de configuração %1 não existe.")
                           .arg(QDir::toNativeSeparators(filePath)));
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("Não foi possível abrir o arquivo de configuração %1: %2")
                           .arg(QDir::toNativeSeparators(filePath), fileReason(filePath, file.error(), errno)));
    ConfigFile config;
    errno = 0;
    while (config.m_lines.size() < lineCount && !file.atEnd())
        config.m_lines.append(lineFromLatin1(file.readLine()));
    if (file.error() != QFileDevice::NoError)
        return failure(QStringLiteral("Não foi possível ler o arquivo de configuração %1: %2")
                           .arg(QDir::toNativeSeparators(filePath), fileReason(filePath, file.error(), errno)));
    return config;
}

ConfigFile ConfigFile::fromBytes(const QByteArray& bytes)
{
    ConfigFile config;
    qsizetype start = 0;
    while (config.m_lines.size() < lineCount && start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        config.m_lines.append(lineFromLatin1(bytes.mid(start, end - start)));
        start = end;
    }
    return config;
}

Result<QString> ConfigFile::text(int number, const QString& key) const
{
    if (number < 1 || number > m_lines.size())
        return failure(QStringLiteral("O arquivo de configuração terminou antes da linha %1, "
                                      "que deveria conter \"%2\".")
                           .arg(QString::number(number), key));
    const QStringList pieces = m_lines.at(number - 1).split(key);
    if (pieces.size() < 2)
        return failure(QStringLiteral("A linha %1 do arquivo de configuração deveria conter \"%2\" "
                                      "e contém \"%3\".")
                           .arg(QString::number(number), key, m_lines.at(number - 1)));
    return pieces.at(1);
}

Result<bool> ConfigFile::boolean(int number, const QString& key) const
{
    auto value = text(number, key);
    if (!value)
        return value.failure();
    if (auto flag = parseBoolean(*value))
        return *flag;
    return failure(QStringLiteral("O valor \"%1\" de %2 (linha %3 do arquivo de configuração) "
                                  "deveria ser true ou false.")
                       .arg(*value, keyName(key), QString::number(number)));
}

Result<qint32> ConfigFile::integer(int number, const QString& key, qint32 min, qint32 max) const
{
    auto value = text(number, key);
    if (!value)
        return value.failure();
    const auto parsed = parseInteger(*value);
    if (!parsed)
        return failure(QStringLiteral("O valor \"%1\" de %2 (linha %3 do arquivo de configuração) "
                                      "deveria ser um número inteiro.")
                           .arg(*value, keyName(key), QString::number(number)));
    if (*parsed < min || *parsed > max)
        return failure(QStringLiteral("O valor %1 de %2 (linha %3 do arquivo de configuração) "
                                      "deveria estar entre %4 e %5.")
                           .arg(value->trimmed(), keyName(key), QString::number(number),
                                QString::number(min), QString::number(max)));
    return qint32(*parsed);
}

Result<qint16> ConfigFile::integer16(int number, const QString& key) const
{
    auto value = integer(number, key, std::numeric_limits<qint16>::min(),
                         std::numeric_limits<qint16>::max());
    if (!value)
        return value.failure();
    return qint16(*value);
}

std::optional<bool> parseBoolean(const QString& text)
{
    const QString word = text.trimmed();
    if (word.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    // A number: zero is false, anything else true ("1", "-1", "0,0", "2.5").
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    if (!number.match(word).hasMatch())
        return std::nullopt;
    for (QChar c : word) {
        if (c.isDigit() && c != u'0')
            return true;
    }
    return false;
}

std::optional<qint64> parseInteger(const QString& text)
{
    static const QRegularExpression integer(QStringLiteral("^[+-]?\\d{1,18}$"));
    const QString word = text.trimmed();
    if (!integer.match(word).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 value = word.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

Result<QByteArray> configFileBytes(const ConfigValues& values)
{
    const QList<std::pair<QString, QString>> lines = {
        {QStringLiteral("CONFIGURADO="), QStringLiteral("TRUE")},
        {configkey::path, values.path},
        {configkey::caixa, values.caixa},
        {configkey::coluna, values.coluna},
        {configkey::linha, values.linha},
        {configkey::impressao, QString::number(values.impressao)},
        {configkey::modo, values.modo.toUpper()},
        {configkey::quantidade, values.quantidade ? QStringLiteral("true") : QStringLiteral("false")},
    };
    QByteArray bytes;
    for (const auto& [key, value] : lines) {
        for (QChar c : value) {
            if (c == u'\r' || c == u'\n')
                return failure(QStringLiteral("O valor de %1 não pode conter quebra de linha.")
                                   .arg(keyName(key)));
            if (c.unicode() > 0xFF)
                return failure(QStringLiteral("O valor de %1 contém o caractere \"%2\", que o arquivo "
                                              "de configuração não aceita.")
                                   .arg(keyName(key), QString(c)));
        }
        bytes += (key + value).toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

Result<void> writeConfigFile(const QString& filePath, const ConfigValues& values)
{
    auto bytes = configFileBytes(values);
    if (!bytes)
        return bytes.failure();
    const QString folder = QFileInfo(filePath).absolutePath();
    if (!QDir().mkpath(folder))
        return failure(QStringLiteral("Não foi possível criar a pasta %1.")
                           .arg(QDir::toNativeSeparators(folder)));
    if (const auto written = replaceFile(filePath, *bytes); !written)
        return failure(QStringLiteral("Não foi possível gravar o arquivo de configuração %1: %2")
                           .arg(QDir::toNativeSeparators(filePath), written.failure().text));
    return {};
}
