#pragma once

#include "db/money.h"
#include "db/result.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class Connection;
class Rows;
struct TerminalSettings;

// One active line of a recorded sale, as its ticket shows it.
struct SaleTicketItem
{
    QString unidade;          // cunidade
    QDateTime dataVenda;      // ddata_venda
    qint64 numero = 0;        // nnumero, the line's document number
    Money quantidade;         // nqtde
    Money preco;              // npreco
    Money total;              // ntotal
    QString descricao;        // cdescricao
    qint64 caixa = 0;         // ncaixa_venda
};

// The active lines of sale `saleKey`, in document order.
QString saleTicketStatement();
Result<QList<SaleTicketItem>> readSaleTicketItems(Connection& connection, qint64 saleKey);
QList<SaleTicketItem> saleTicketItems(const Rows& rows);

// One ticket per item, each followed by the feed lines.
QStringList saleTicketLines(const QList<SaleTicketItem>& items, const QString& nome_fantasia,
                            const QString& margem, int linhas_avanco);

// "2" for a whole quantity, "2,5" or "0,125" for a fractional one (up to three
// places, no trailing zeros), grouped as "1.000".
QString ticketQuantity(Money quantity);

// The tickets of sale `saleKey` written to imp.txt, then sent by the
// terminal's route. A failed read leaves the last job in imp.txt untouched.
Result<void> imprime_venda(const TerminalSettings& settings, qint64 saleKey);
