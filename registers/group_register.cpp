#include "registers/group_register.h"

#include "common/text_utils.h"
#include "db/connection.h"

namespace {
const QString codeText = QStringLiteral("Text11");
const QString nome = QStringLiteral("Text1");
} // namespace

GroupRegister::GroupRegister(const TerminalSettings& settings, Messages& messages, bool binclusao,
                             qint32 codigo_grupo)
    : RegisterForm(settings, messages, formFields(), binclusao, codigo_grupo)
{
}

QList<FormField> GroupRegister::formFields()
{
    return {
        {nome, QStringLiteral("Nome"), true, 50},
        {codeText, QStringLiteral("Código")},
    };
}

bool GroupRegister::load()
{
    const std::optional<Rows> rows =
        readRecord(QStringLiteral("select * from grupo where ncodigo = ?"), {SqlValue::integer(codigo())});
    if (!rows)
        return false;
    if (!rows->isEmpty()) {
        setText(codeText, rows->text(0, QStringLiteral("ncodigo")));
        setText(nome, rows->text(0, QStringLiteral("cdescricao")));
    }
    return true;
}

Result<int> GroupRegister::insert()
{
    const Result<qint32> code = shownCode();
    if (!code)
        return code.failure();
    return conexao().execute(QStringLiteral("insert into grupo values(?,?)"),
                             {SqlValue::integer(*code), SqlValue::text(properCase(text(nome)))});
}

Result<int> GroupRegister::update()
{
    return conexao().execute(QStringLiteral("update grupo set cdescricao = ? where ncodigo = ?"),
                             {SqlValue::text(properCase(text(nome))), SqlValue::integer(codigo())});
}
