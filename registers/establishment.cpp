#include "registers/establishment.h"

#include "db/connection.h"

namespace {

struct Column
{
    const char* field;
    const char* column;
};

// Fields in the order of the statement, each with its column.
constexpr Column columns[] = {
    {"Text1", "cfantasia"}, {"Text2", "crazaosocial"}, {"Text8", "ccidade"},
    {"Text3", "cendereco"}, {"Text4", "cbairro"},      {"Text5", "cfone"},
    {"Text6", "ccnpj"},     {"Text9", "cfax"},         {"Text10", "cie"},
    {"Text11", "cemail"},   {"Text12", "ccep"},
};

} // namespace

Establishment::Establishment(const TerminalSettings& settings, Messages& messages)
    : RegisterForm(settings, messages, formFields(), false, 1)
{
}

QList<FormField> Establishment::formFields()
{
    return {
        {QStringLiteral("Text1"), QStringLiteral("Fantasia"), true, 60},
        {QStringLiteral("Text2"), QStringLiteral("Razão Social"), true, 60},
        {QStringLiteral("Text8"), QStringLiteral("Cidade"), false, 60},
        {QStringLiteral("Text3"), QStringLiteral("Endereço"), false, 60},
        {QStringLiteral("Text4"), QStringLiteral("Bairro"), false, 40},
        {QStringLiteral("Text5"), QStringLiteral("Fone"), false, 20},
        {QStringLiteral("Text6"), QStringLiteral("CNPJ"), true, 20},
        {QStringLiteral("Text9"), QStringLiteral("Fax"), false, 20},
        {QStringLiteral("Text10"), QStringLiteral("IE"), false, 20},
        {QStringLiteral("Text11"), QStringLiteral("E-mail"), false, 60},
        {QStringLiteral("Text12"), QStringLiteral("CEP"), false, 20},
    };
}

bool Establishment::load()
{
    const std::optional<Rows> rows = readRecord(QStringLiteral("select * from estabelecimento"));
    if (!rows)
        return false;
    if (!rows->isEmpty())
        for (const Column& c : columns)
            setText(QLatin1String(c.field), rows->text(0, QLatin1String(c.column)));
    return true;
}

Result<int> Establishment::insert()
{
    return Failure{QString(), QStringLiteral("O estabelecimento não é incluído, apenas alterado.")};
}

Result<int> Establishment::update()
{
    SqlParams params;
    for (const Column& c : columns)
        params << SqlValue::text(text(QLatin1String(c.field)));
    return conexao().execute(
        QStringLiteral("Update estabelecimento set cfantasia=?,crazaosocial =?,ccidade = ?,cendereco=?,"
                       "cbairro=?,cfone = ?,ccnpj=?,cfax = ?, cie =  ?,cemail = ?,ccep =?  where ncodigo=1"),
        params);
}
