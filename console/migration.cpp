#include "console/migration.h"

#include "common/db_errors.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "console/old_sales.h"
#include "db/connection.h"
#include "db/transaction.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

const QString saleKeys = QStringLiteral("venda");
const QString lineKeys = QStringLiteral("item_venda");

} // namespace

Migration::Migration(Connection& conexao, Messages& messages, QString oldPath)
    : m_conexao(conexao)
    , m_messages(messages)
    , m_oldPath(std::move(oldPath))
{
}

QString Migration::oldDatabasePath(const QString& dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("ANTIGO.fdb"));
}

void Migration::tell(qint64 total)
{
    if (m_progress)
        m_progress(m_copied, qMax(total, m_copied));
}

bool Migration::run()
{
    m_copied = 0;
    m_unknown = 0;
    const QString shownPath = QDir::toNativeSeparators(m_oldPath);
    if (!QFileInfo(m_oldPath).isFile()) {
        m_messages.info(msg::antigoNaoEncontrado.arg(shownPath));
        return false;
    }
    Connection old;
    if (const Result<void> opened = old.open(m_oldPath); !opened) {
        m_messages.info(msg::antigoNaoAbre.arg(shownPath, opened.failure().description()));
        return false;
    }
    const Result<qint64> total = OldSales(old).count();
    if (!total) {
        m_messages.info(msg::antigoNaoLido.arg(shownPath, total.failure().description()));
        return false;
    }
    tell(*total);

    // The transaction has ended (rolled back) before any message is shown.
    if (const std::optional<Stop> stop = copy(old, *total)) {
        m_copied = 0;
        m_unknown = 0;
        tell(*total);
        if (stop->side == Side::Old) {
            m_messages.info(msg::antigoNaoLido.arg(shownPath, stop->failure.description()));
            return false;
        }
        trata_erro_banco(m_messages, stop->failure);
        m_messages.info(stop->lastCode > 0 || stop->firstCode > 0
                            ? msg::migracaoInterrompida.arg(stop->firstCode).arg(stop->lastCode)
                            : msg::migracaoNaoConcluida);
        return false;
    }
    m_messages.plain(msg::migracaoOk);
    if (m_unknown > 0)
        m_messages.info(msg::situacaoDesconhecida.arg(m_unknown));
    return true;
}

std::optional<Migration::Stop> Migration::copy(Connection& old, qint64 total)
{
    const auto current = [](Failure failure) { return Stop{std::move(failure), Side::Current}; };
    Transaction unit(m_conexao);
    if (!unit.begun())
        return current(unit.failure());
    // The lines go with their sales (the foreign key cascades). Generators
    // set inside the transaction count from there for its own inserts, take
    // effect at the commit and go with a rollback; the other workstations
    // keep drawing from the committed values meanwhile.
    if (Result<int> deleted = m_conexao.execute(QStringLiteral("delete from venda")); !deleted)
        return current(deleted.failure());
    if (Result<void> reset = m_conexao.setGenerator(saleKeys, 0); !reset)
        return current(reset.failure());
    if (Result<void> reset = m_conexao.setGenerator(lineKeys, 0); !reset)
        return current(reset.failure());

    OldSales sales(old);
    QList<SqlParams> saleRows;
    QList<SqlParams> lineRows;
    for (;;) {
        const Result<Rows> page = sales.next();
        if (!page)
            return Stop{page.failure(), Side::Old};
        if (page->isEmpty())
            break;
        saleRows.clear();
        lineRows.clear();
        qint64 firstCode = 0;
        qint64 lastCode = 0;
        for (int row = 0; row < page->count(); ++row) {
            // Sale keys come from the generator, from 1 in the old order.
            CopiedSale copied = copiedSale(*page, row, m_copied + row + 1);
            if (row == 0)
                firstCode = copied.oldCode;
            lastCode = copied.oldCode;
            if (!copied.knownSituation)
                ++m_unknown;
            saleRows.append(std::move(copied.sale));
            lineRows.append(std::move(copied.line));
        }
        if (Result<int> run = m_conexao.executeEach(migration_sql::sale, saleRows); !run)
            return Stop{run.failure(), Side::Current, firstCode, lastCode};
        if (Result<int> run = m_conexao.executeEach(migration_sql::line, lineRows); !run)
            return Stop{run.failure(), Side::Current, firstCode, lastCode};
        m_copied += page->count();
        tell(total);
    }

    // Each line was given the code its sale was expected to draw; the
    // generators prove it before anything is kept.
    const Result<qint64> saleKey = m_conexao.generator(saleKeys, 0);
    const Result<qint64> lineKey = m_conexao.generator(lineKeys, 0);
    if (!saleKey)
        return current(saleKey.failure());
    if (!lineKey)
        return current(lineKey.failure());
    if (*saleKey != m_copied || *lineKey != m_copied) {
        return current(Failure{QString(), QStringLiteral("Os códigos das vendas copiadas não conferem "
                                                         "(%1 vendas, gerador venda em %2, item_venda em %3).")
                                              .arg(m_copied).arg(*saleKey).arg(*lineKey)});
    }
    if (Result<void> committed = unit.commit(); !committed)
        return current(committed.failure());
    return std::nullopt;
}
