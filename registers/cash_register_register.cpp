#include "registers/cash_register_register.h"

#include "common/message_texts.h"
#include "common/messages.h"
#include "common/text_utils.h"
#include "db/connection.h"
#include "registers/register_values.h"

namespace {
const QString codeText = QStringLiteral("Text11");
const QString operador = QStringLiteral("Text1");
} // namespace

CashRegisterRegister::CashRegisterRegister(const TerminalSettings& settings, Messages& messages, bool binclusao,
                                           qint32 codigo_caixa)
    : RegisterForm(settings, messages, formFields(), binclusao, codigo_caixa)
{
}

QList<FormField> CashRegisterRegister::formFields()
{
    // Five digits: no number the column takes is longer, and a longer one
    // could only be refused.
    return {
        {codeText, QStringLiteral("Código"), true, 5, FieldKind::Whole, FieldKind::Whole},
        {operador, QStringLiteral("Operador"), true, 50},
    };
}

bool CashRegisterRegister::load()
{
    const std::optional<Rows> rows =
        readRecord(QStringLiteral("select * from caixa where ncodigo = ?"), {SqlValue::integer(codigo())});
    if (!rows)
        return false;
    if (!rows->isEmpty()) {
        setText(codeText, rows->text(0, QStringLiteral("ncodigo")));
        setText(operador, rows->text(0, QStringLiteral("coperador")));
    }
    return true;
}

bool CashRegisterRegister::readyToSave()
{
    if (!binclusao())
        return true;   // the number is not edited: the update names `codigo_caixa`
    const QString typed = text(codeText).trimmed();
    const std::optional<qint32> number = isWholeNumber(typed) ? code(codeText) : std::nullopt;
    if (number && *number >= LowestNumber && *number <= HighestNumber)
        return true;
    messages().info(msg::numeroCaixaInvalido);
    pointAt(codeText);
    return false;
}

Result<int> CashRegisterRegister::insert()
{
    return conexao().execute(QStringLiteral("insert into caixa values(?,?)"),
                             {SqlValue::integer(*code(codeText), true), SqlValue::text(properCase(text(operador)))});
}

Result<int> CashRegisterRegister::update()
{
    return conexao().execute(QStringLiteral("update caixa set coperador = ? where ncodigo = ?"),
                             {SqlValue::text(properCase(text(operador))), SqlValue::integer(codigo())});
}
