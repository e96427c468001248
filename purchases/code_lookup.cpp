#include "purchases/code_lookup.h"

#include "common/db_errors.h"
#include "common/form_checks.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "db/connection.h"
#include "registers/list_screen_model.h"
#include "registers/register_values.h"

#include <limits>

bool lookupAccepted(Lookup lookup, Messages& messages)
{
    switch (lookup) {
    case Lookup::Found:
        return true;
    case Lookup::Missing:
        registro_nao_localizado(messages);
        return false;
    case Lookup::Failed:
        return false;
    }
    return false;
}

std::optional<qint32> typedCode(const QString& text)
{
    if (!isWholeNumber(text))
        return std::nullopt;
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    if (!ok || n > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(n);
}

std::optional<qint32> codeAtRow(const ListModel& model, int row, const QString& column)
{
    if (row < 0 || row >= model.foundCount() || model.found().isNull(row, column))
        return std::nullopt;
    return qint32(model.found().integer(row, column));
}

Lookup lookUpSupplierName(Connection& conexao, Messages& messages, qint32 ncodigo, QString& cfantasia)
{
    const Result<Rows> rows = conexao.select(
        QStringLiteral("select cfantasia from fornecedor where ncodigo = ? and ncodigo>0"),
        {SqlValue::integer(ncodigo)});
    if (!rows) {
        trata_erro_banco(messages, rows.failure());
        return Lookup::Failed;
    }
    if (rows->isEmpty()) {
        cfantasia.clear();
        return Lookup::Missing;
    }
    cfantasia = rows->text(0, QStringLiteral("cfantasia"));
    return Lookup::Found;
}

std::optional<Rows> selectFound(Connection& conexao, Messages& messages, const QString& sql,
                                const SqlParams& params)
{
    Result<Rows> rows = conexao.select(sql, params);
    if (!rows) {
        trata_erro_banco(messages, rows.failure());
        return std::nullopt;
    }
    if (rows->isEmpty()) {
        messages.info(msg::registroNaoLocalizado);
        return std::nullopt;
    }
    return std::move(*rows);
}
