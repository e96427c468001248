#include "registers/product_register.h"

#include "common/br_format.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/text_utils.h"
#include "db/connection.h"
#include "registers/register_values.h"

namespace {
const QString nome = QStringLiteral("Text1");
const QString grupo = QStringLiteral("Text6");
const QString nomeGrupo = QStringLiteral("Text7");
const QString unidade = QStringLiteral("Text8");
const QString saldo = QStringLiteral("Text2");
const QString minima = QStringLiteral("Text10");
const QString custo = QStringLiteral("Text5");
const QString interno = QStringLiteral("Text3");
const QString venda = QStringLiteral("Text4");
const QString codeText = QStringLiteral("Text11");
} // namespace

ProductRegister::ProductRegister(const TerminalSettings& settings, Messages& messages, bool binclusao,
                                 qint32 codigo_produto)
    : RegisterForm(settings, messages, formFields(), binclusao, codigo_produto)
{
}

QList<FormField> ProductRegister::formFields()
{
    // In tab order, so the required check walks them as the screen shows them.
    return {
        {nome, QStringLiteral("Nome"), true, 40},
        {grupo, QStringLiteral("Grupo"), true, 50, FieldKind::Whole, FieldKind::None},
        {unidade, QStringLiteral("Unidade"), true, 40},
        {saldo, QStringLiteral("Saldo atual"), true, 10, FieldKind::Money, FieldKind::Whole},
        {minima, QStringLiteral("Qtde Mínima"), true, 10, FieldKind::Money, FieldKind::Whole},
        {custo, QStringLiteral("Custo"), true, 10, FieldKind::Money, FieldKind::Money},
        {interno, QStringLiteral("Vlr. interno"), true, 10, FieldKind::Money, FieldKind::Money},
        {venda, QStringLiteral("Vlr. venda"), true, 10, FieldKind::Money, FieldKind::Money},
        {codeText, QStringLiteral("Código")},
        {nomeGrupo, QString(), true},
    };
}

void ProductRegister::putDefaults()
{
    const QString zero = br::money(Money());
    setText(custo, zero);
    setText(interno, zero);
    setText(venda, zero);
    m_ativo = 1;
    m_estoque = true;
}

bool ProductRegister::load()
{
    const std::optional<Rows> rows =
        readRecord(QStringLiteral("select * from produto where ncodigo = ?"), {SqlValue::integer(codigo())});
    if (!rows)
        return false;
    if (!rows->isEmpty()) {
        const Rows& r = *rows;
        setText(codeText, r.text(0, QStringLiteral("ncodigo")));
        setText(nome, r.text(0, QStringLiteral("cdescricao")));
        setText(saldo, quantityText(r.money(0, QStringLiteral("nqtde_atual"))));
        setText(custo, br::money(r.money(0, QStringLiteral("nvalor_compra"))));
        setText(venda, br::money(r.money(0, QStringLiteral("nvalor_venda"))));
        setText(interno, br::money(r.money(0, QStringLiteral("nvalor_interno"))));
        setText(minima, quantityText(r.money(0, QStringLiteral("nqtde_minima"))));
        setText(grupo, r.text(0, QStringLiteral("ngrupo")));
        setText(unidade, r.text(0, QStringLiteral("cunidade")));
        setAtivo(int(r.integer(0, QStringLiteral("nativo"))));
        m_estoque = r.integer(0, QStringLiteral("nestoque")) != 0;
    }
    checkGroup();
    return true;
}

ProductRegister::Group ProductRegister::lookUpGroup()
{
    if (!isWholeNumber(text(grupo))) {
        setText(nomeGrupo, QString());
        return Group::Found;
    }
    const std::optional<qint32> group = code(grupo);
    if (!group) {
        // More digits than any code can have: no group has it.
        setText(nomeGrupo, QString());
        return Group::Missing;
    }
    const Result<Rows> rows = conexao().select(
        QStringLiteral("select cdescricao from grupo where ncodigo = ?"), {SqlValue::integer(*group)});
    if (!rows) {
        setText(nomeGrupo, QString());
        reportFailure(rows.failure());
        return Group::Failed;
    }
    if (rows->isEmpty()) {
        setText(nomeGrupo, QString());
        return Group::Missing;
    }
    setText(nomeGrupo, rows->text(0, QStringLiteral("cdescricao")));
    return Group::Found;
}

bool ProductRegister::checkGroup()
{
    switch (lookUpGroup()) {
    case Group::Found:
        return true;
    case Group::Missing:
        messages().info(msg::registroNaoLocalizado);
        return false;
    case Group::Failed:
        return false;
    }
    return false;
}

void ProductRegister::groupPicked(qint32 codigo_consulta)
{
    if (codigo_consulta == 0)
        return;
    setText(grupo, QString::number(codigo_consulta));
    checkGroup();
}

bool ProductRegister::readyToSave()
{
    // The group may have changed (or gone) since the field was left, or the
    // save came by a shortcut before the field was left at all.
    switch (lookUpGroup()) {
    case Group::Found:
        if (!text(nomeGrupo).isEmpty())
            return true;
        messages().info(msg::camposObrigatorios);
        return false;
    case Group::Missing:
        messages().info(msg::registroNaoLocalizado);
        pointAt(grupo);
        return false;
    case Group::Failed:
        return false;
    }
    return false;
}

Result<int> ProductRegister::insert()
{
    const Money quantity = number(saldo).value_or(Money());
    return conexao().execute(
        QStringLiteral("insert into produto values(null,?,?,?,?,?,?,?,?,?,?,?)"),
        {
            SqlValue::text(properCase(text(nome))),
            SqlValue::integer(code(grupo).value_or(0)),
            SqlValue::quantity(quantity),
            SqlValue::quantity(quantity),
            SqlValue::money(number(custo).value_or(Money())),
            SqlValue::money(number(venda).value_or(Money())),
            SqlValue::quantity(number(minima).value_or(Money())),
            SqlValue::text(text(unidade)),
            SqlValue::integer(m_ativo),
            SqlValue::integer(m_estoque ? 1 : 0),
            SqlValue::money(number(interno).value_or(Money())),
        });
}

Result<int> ProductRegister::update()
{
    return conexao().execute(
        QStringLiteral("update produto set cdescricao = ?,nqtde_atual = ?,nvalor_compra = ?,"
                       "nvalor_venda = ?, nqtde_minima = ?, ngrupo = ?,cunidade = ?,nativo = ?,"
                       " nestoque = ?,nvalor_interno = ? where ncodigo = ?"),
        {
            SqlValue::text(properCase(text(nome))),
            SqlValue::quantity(number(saldo).value_or(Money())),
            SqlValue::money(number(custo).value_or(Money())),
            SqlValue::money(number(venda).value_or(Money())),
            SqlValue::quantity(number(minima).value_or(Money())),
            SqlValue::integer(code(grupo).value_or(0)),
            SqlValue::text(text(unidade)),
            SqlValue::integer(m_ativo),
            SqlValue::integer(m_estoque ? 1 : 0),
            SqlValue::money(number(interno).value_or(Money())),
            SqlValue::integer(codigo()),
        });
}
