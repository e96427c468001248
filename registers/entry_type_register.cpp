#include "registers/entry_type_register.h"

#include "common/br_format.h"
#include "common/text_utils.h"
#include "db/connection.h"

namespace {
const QString codeText = QStringLiteral("Text11");
const QString nome = QStringLiteral("Text1");
const QString preco = QStringLiteral("Text2");
} // namespace

EntryTypeRegister::EntryTypeRegister(const TerminalSettings& settings, Messages& messages, bool binclusao,
                                     qint32 codigo_tipo_entrada)
    : RegisterForm(settings, messages, formFields(), binclusao, codigo_tipo_entrada)
{
}

QList<FormField> EntryTypeRegister::formFields()
{
    return {
        {codeText, QStringLiteral("Código"), true},
        {nome, QStringLiteral("Nome"), true, 50},
        {preco, QStringLiteral("Preço"), true, 50, FieldKind::Money, FieldKind::Money},
    };
}

void EntryTypeRegister::putDefaults()
{
    setText(preco, br::money(Money()));
    m_estacionamento = false;
}

bool EntryTypeRegister::load()
{
    const std::optional<Rows> rows =
        readRecord(QStringLiteral("select * from tipo_entrada where ncodigo = ?"), {SqlValue::integer(codigo())});
    if (!rows)
        return false;
    if (!rows->isEmpty()) {
        setText(codeText, rows->text(0, QStringLiteral("ncodigo")));
        setText(nome, rows->text(0, QStringLiteral("cnome")));
        setText(preco, br::money(rows->money(0, QStringLiteral("nvalor"))));
        m_estacionamento = rows->text(0, QStringLiteral("cestacionamento")) == QLatin1String("S");
    }
    return true;
}

QString EntryTypeRegister::flag() const
{
    // Read without touching the box: after a refused save the tick is still
    // there for the next attempt.
    return m_estacionamento ? QStringLiteral("S") : QStringLiteral("N");
}

Result<int> EntryTypeRegister::insert()
{
    const Result<qint32> code = shownCode();
    if (!code)
        return code.failure();
    return conexao().execute(QStringLiteral("insert into tipo_entrada values(?,?,?,?)"),
                             {
                                 SqlValue::integer(*code),
                                 SqlValue::text(properCase(text(nome))),
                                 SqlValue::money(number(preco).value_or(Money())),
                                 SqlValue::text(flag()),
                             });
}

Result<int> EntryTypeRegister::update()
{
    return conexao().execute(
        QStringLiteral("update tipo_entrada set cnome = ?,nvalor = ?,cestacionamento = ? where ncodigo = ?"),
        {
            SqlValue::text(properCase(text(nome))),
            SqlValue::money(number(preco).value_or(Money())),
            SqlValue::text(flag()),
            SqlValue::integer(codigo()),
        });
}
