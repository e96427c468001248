#include "registers/supplier_register.h"

#include "common/text_utils.h"
#include "db/connection.h"

namespace {
const QString codeText = QStringLiteral("Text11");
const QString fantasia = QStringLiteral("Text1");
const QString razao = QStringLiteral("Text2");
const QString cnpj = QStringLiteral("Text8");
const QString ie = QStringLiteral("Text9");
const QString email = QStringLiteral("Text13");
const QString contato = QStringLiteral("Text14");
const QString cidade = QStringLiteral("Text3");
const QString cep = QStringLiteral("Text12");
const QString endereco = QStringLiteral("Text4");
const QString bairro = QStringLiteral("Text5");
const QString fone = QStringLiteral("Text6");
const QString fax = QStringLiteral("Text7");
const QString obs = QStringLiteral("Text10");
} // namespace

SupplierRegister::SupplierRegister(const TerminalSettings& settings, Messages& messages, bool binclusao,
                                   qint32 codigo_fornecedor)
    : RegisterForm(settings, messages, formFields(), binclusao, codigo_fornecedor)
{
}

QList<FormField> SupplierRegister::formFields()
{
    // In tab order over both pages; only "Fantasia" is required.
    return {
        {codeText, QStringLiteral("Código")},
        {fantasia, QStringLiteral("Fantasia"), true, 50},
        {razao, QStringLiteral("Razão Social"), false, 50},
        {cnpj, QStringLiteral("Cnpj/Cpf"), false, 20},
        {ie, QStringLiteral("I.E/Rg"), false, 20},
        {email, QStringLiteral("E-mail"), false, 30},
        {contato, QStringLiteral("Contato"), false, 30},
        {cidade, QStringLiteral("Cidade"), false, 50},
        {cep, QStringLiteral("Cep"), false, 20},
        {endereco, QStringLiteral("Endereço"), false, 40},
        {bairro, QStringLiteral("Bairro"), false, 30},
        {fone, QStringLiteral("Fone"), false, 20},
        {fax, QStringLiteral("Fax"), false, 20},
        {obs, QStringLiteral("Obs"), false, 100},
    };
}

QString SupplierRegister::firstNumberLabel() const
{
    return m_natureza == 0 ? QStringLiteral("Cpf") : QStringLiteral("Cnpj");
}

QString SupplierRegister::secondNumberLabel() const
{
    return m_natureza == 0 ? QStringLiteral("Rg") : QStringLiteral("Ie");
}

bool SupplierRegister::load()
{
    const std::optional<Rows> rows =
        readRecord(QStringLiteral("select * from fornecedor where ncodigo = ?"), {SqlValue::integer(codigo())});
    if (!rows)
        return false;
    if (rows->isEmpty())
        return true;
    const Rows& r = *rows;
    const struct { const QString& field; const char* column; } columns[] = {
        {codeText, "ncodigo"}, {fantasia, "cfantasia"}, {razao, "crazao"}, {cidade, "ccidade"},
        {cep, "ccep"},         {endereco, "cendereco"}, {bairro, "cbairro"}, {fone, "cfone"},
        {fax, "cfax"},         {cnpj, "ccnpj"},         {ie, "cie"},         {obs, "cobs"},
        {email, "cemail"},     {contato, "ccontato"},
    };
    for (const auto& c : columns)
        setText(c.field, r.text(0, QLatin1String(c.column)));
    setNatureza(int(r.integer(0, QStringLiteral("nfisica_juridica"))));
    return true;
}

SqlParams SupplierRegister::namesToAddress() const
{
    return {
        SqlValue::text(properCase(text(fantasia))),
        SqlValue::text(properCase(text(razao))),
        SqlValue::text(text(cnpj)),
        SqlValue::text(text(ie)),
        SqlValue::text(text(cidade)),
        SqlValue::text(text(cep)),
        SqlValue::text(text(fone)),
        SqlValue::text(text(fax)),
        SqlValue::text(text(email)),
        SqlValue::text(text(endereco)),
    };
}

Result<int> SupplierRegister::insert()
{
    const Result<qint32> code = shownCode();
    if (!code)
        return code.failure();
    return conexao().execute(QStringLiteral("insert into fornecedor values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                             SqlParams{SqlValue::integer(*code)} + namesToAddress()
                                 + SqlParams{
                                     SqlValue::text(text(bairro)),
                                     SqlValue::integer(m_natureza, true),
                                     SqlValue::text(text(obs)),
                                     SqlValue::text(text(contato)),
                                 });
}

Result<int> SupplierRegister::update()
{
    return conexao().execute(
        QStringLiteral("update fornecedor set cfantasia = ?,crazao = ?,ccnpj = ?,cie = ?,ccidade = ?,ccep = ?,"
                       "cfone  = ?,cfax = ?,cemail = ?,cendereco=?,ccontato = ?,cbairro=?,nfisica_juridica = ?,"
                       " cobs = ? where ncodigo = ?"),
        namesToAddress()
            + SqlParams{
                SqlValue::text(text(contato)),
                SqlValue::text(text(bairro)),
                SqlValue::integer(m_natureza, true),
                SqlValue::text(text(obs)),
                SqlValue::integer(codigo()),
            });
}
