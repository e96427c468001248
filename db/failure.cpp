#include "db/result.h"

QString Failure::description() const
{
    if (code.isEmpty())
        return text;
    return QStringLiteral("Erro do banco de dados, código=") + code + QStringLiteral(": ") + text;
}
