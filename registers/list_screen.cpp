#include "registers/list_screen.h"

#include "common/br_format.h"
#include "common/db_errors.h"
#include "common/form_checks.h"
#include "common/messages.h"
#include "common/terminal_settings.h"
#include "common/text_utils.h"
#include "db/connection.h"
#include "registers/register_values.h"

#include <limits>

ListScreen::ListScreen(const TerminalSettings& settings, Messages& messages, QList<ListColumn> columns,
                       int minimumRows)
    : m_settings(settings)
    , m_messages(messages)
    , m_model(std::make_unique<ListModel>(std::move(columns), minimumRows))
{
}

ListScreen::~ListScreen() = default;

Connection& ListScreen::conexao() const
{
    Q_ASSERT(m_settings.conexao);
    return *m_settings.conexao;
}

void ListScreen::reset()
{
    m_model->clear();
}

bool ListScreen::search()
{
    // The grid is reset once: emptied when nothing can match or the database
    // refused, otherwise replaced by the rows found.
    const std::optional<Statement> statement = searchStatement();
    if (!statement) {
        m_model->clear();
        return true;
    }
    Result<Rows> rows = conexao().select(statement->sql, statement->params);
    if (!rows) {
        m_model->clear();
        trata_erro_banco(m_messages, rows.failure().description());
        return false;
    }
    m_model->fill(std::move(*rows));
    return true;
}

std::optional<qint32> ListScreen::codeAt(int row) const
{
    if (row < 0 || row >= m_model->foundCount())
        return std::nullopt;
    const Rows& rows = m_model->found();
    const QString name = codeColumn();
    if (rows.isNull(row, name))
        return std::nullopt;
    return qint32(rows.integer(row, name));
}

bool ListScreen::remove(int row)
{
    const std::optional<qint32> code = codeAt(row);
    if (!code || !confirma_exclusao(m_messages))
        return false;
    const Result<int> deleted = conexao().execute(deleteStatement(), {SqlValue::integer(*code)});
    if (!deleted) {
        trata_erro_banco(m_messages, deleted.failure().description());
        return false;
    }
    search();
    return true;
}

std::optional<ListScreen::Statement> ListScreen::byCodeOr(const QString& codigo, const QString& byCode,
                                                         const std::function<Statement()>& byFilters)
{
    if (codigo.isEmpty())
        return byFilters();
    bool ok = false;
    const qlonglong n = codigo.trimmed().toLongLong(&ok);
    if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return Statement{byCode, {SqlValue::integer(qint32(n))}};
}

QStringList ListScreen::columnTexts(const QString& sql, const QString& column) const
{
    const Result<Rows> rows = conexao().select(sql);
    if (!rows) {
        trata_erro_banco(m_messages, rows.failure().description());
        return {};
    }
    QStringList texts;
    for (int i = 0; i < rows->count(); ++i)
        texts << rows->text(i, column);
    return texts;
}

QString ListScreen::anywhere(const QString& name)
{
    return QLatin1Char('%') + properCase(name) + QLatin1Char('%');
}

namespace listcell {

std::function<QString(const Rows&, int)> text(const QString& column)
{
    return [column](const Rows& rows, int row) { return rows.text(row, column); };
}

std::function<QString(const Rows&, int)> money(const QString& column)
{
    return [column](const Rows& rows, int row) { return br::money(rows.money(row, column)); };
}

std::function<QString(const Rows&, int)> quantity(const QString& column)
{
    return [column](const Rows& rows, int row) { return quantityText(rows.money(row, column)); };
}

} // namespace listcell
