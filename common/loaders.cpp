#include "common/loaders.h"

#include "common/message_texts.h"
#include "common/terminal_settings.h"
#include "db/connection.h"

#include <QComboBox>
#include <QSignalBlocker>

Result<void> carrega_estabelecimento(Connection& connection, TerminalSettings& settings)
{
    Result<Rows> rows = connection.select(QStringLiteral("select * from estabelecimento"));
    if (!rows)
        return rows.failure();
    if (rows->isEmpty())
        return Failure{QString(), msg::estabelecimentoVazio};
    settings.nome_fantasia = rows->text(0, QStringLiteral("cfantasia"));
    return {};
}

Result<QStringList> carrega_tipos_entrada(Connection& connection)
{
    Result<Rows> rows = connection.select(QStringLiteral("select cnome from tipo_entrada order by ncodigo"));
    if (!rows)
        return rows.failure();
    QStringList names;
    names.reserve(rows->count());
    for (int row = 0; row < rows->count(); ++row)
        names << rows->text(row, QStringLiteral("cnome"));
    return names;
}

Result<void> carrega_tipos_entrada(Connection& connection, QComboBox* list)
{
    {
        const QSignalBlocker quiet(list);
        list->clear();
    }
    Result<QStringList> names = carrega_tipos_entrada(connection);
    if (!names)
        return names.failure();
    {
        const QSignalBlocker quiet(list);
        list->addItems(*names);
        list->setCurrentIndex(-1);
    }
    if (!names->isEmpty())
        list->setCurrentIndex(0);
    return {};
}
