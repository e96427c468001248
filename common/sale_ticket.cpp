#include "common/sale_ticket.h"

#include "common/br_format.h"
#include "common/print_routes.h"
#include "common/terminal_settings.h"
#include "common/ticket_writer.h"
#include "db/connection.h"
#include "db/rows.h"

QString saleTicketStatement()
{
    return QStringLiteral(
        "select cunidade,ddata_venda,nnumero,iv.ncodigo,iv.nqtde,iv.npreco,iv.ntotal,p.cdescricao,ncaixa_venda "
        "from item_venda iv,produto p,venda v "
        "where p.ncodigo = iv.nproduto and iv.nvenda = v.ncodigo and v.ncodigo = ? and cexcluido = 'Nao' "
        "order by iv.nnumero");
}

QList<SaleTicketItem> saleTicketItems(const Rows& rows)
{
    QList<SaleTicketItem> items;
    items.reserve(rows.count());
    for (int r = 0; r < rows.count(); ++r) {
        SaleTicketItem item;
        item.unidade = rows.text(r, QStringLiteral("cunidade"));
        item.dataVenda = rows.dateTime(r, QStringLiteral("ddata_venda"));
        item.numero = rows.integer(r, QStringLiteral("nnumero"));
        item.quantidade = rows.money(r, QStringLiteral("nqtde"));
        item.preco = rows.money(r, QStringLiteral("npreco"));
        item.total = rows.money(r, QStringLiteral("ntotal"));
        item.descricao = rows.text(r, QStringLiteral("cdescricao"));
        item.caixa = rows.integer(r, QStringLiteral("ncaixa_venda"));
        items.append(item);
    }
    return items;
}

Result<QList<SaleTicketItem>> readSaleTicketItems(Connection& connection, qint64 saleKey)
{
    Result<Rows> rows = connection.select(saleTicketStatement(), {SqlValue::integer(saleKey)});
    if (!rows)
        return rows.failure();
    return saleTicketItems(*rows);
}

QString ticketQuantity(Money quantity)
{
    if (quantity.isWhole())
        return br::number(quantity, 0);
    // Shown with no decimals, 2,5 would print as 3 beside a total of 7,50.
    QString text = br::number(quantity, 3);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u','))
        text.chop(1);
    return text;
}

QStringList saleTicketLines(const QList<SaleTicketItem>& items, const QString& nome_fantasia,
                            const QString& margem, int linhas_avanco)
{
    TicketWriter ticket(margem, linhas_avanco);
    const QString heading = ticketText(nome_fantasia);
    for (const SaleTicketItem& item : items) {
        ticket.centred(heading);
        ticket.rule();
        ticket.centred(u"CAIXA " + QString::number(item.caixa) + u" - VENDA - DOCTO "
                       + QString::number(item.numero));
        ticket.rule();
        ticket.centred(ticketWeekdayAndDate(item.dataVenda));
        ticket.rule();
        ticket.line(u"ITEM :" + ticketText(item.descricao).left(TicketWriter::Width));
        ticket.line(u"UNID :" + ticketText(item.unidade));
        ticket.line(u"QTDE :" + ticketQuantity(item.quantidade));
        ticket.line(u"PRECO:" + br::number(item.preco, 2));
        ticket.rule();
        ticket.line(u"                     TOTAL: " + br::number(item.total, 2));
        ticket.feed();
    }
    return ticket.lines();
}

Result<void> imprime_venda(const TerminalSettings& settings, qint64 saleKey)
{
    if (!settings.conexao)
        return Failure{QString(), QStringLiteral("Sem conexão com o banco de dados para imprimir a venda.")};
    // Read first: a failed read must not wipe the last job that F3 reprints.
    Result<QList<SaleTicketItem>> items = readSaleTicketItems(*settings.conexao, saleKey);
    if (!items)
        return items.failure();
    return printJob(settings, saleTicketLines(*items, settings.nome_fantasia, settings.margem,
                                              settings.linhas_avanco));
}
