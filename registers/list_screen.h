#pragma once

#include "db/result.h"
#include "db/sql_value.h"
#include "registers/list_screen_model.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>

class Connection;
class Messages;
struct TerminalSettings;

// What every list screen does, without widgets: the grid is reset on opening
// and on every filter change, "&Procurar" fills it from the filters (a typed
// code alone decides), a row's code opens its register, and the Delete key
// removes a row after confirma_exclusao and searches again. A list describes
// its columns and statements; empty filler rows are ignored by every action.
class ListScreen
{
public:
    ListScreen(const TerminalSettings& settings, Messages& messages, QList<ListColumn> columns,
               int minimumRows);
    virtual ~ListScreen();
    ListScreen(const ListScreen&) = delete;
    ListScreen& operator=(const ListScreen&) = delete;

    ListModel& model() { return *m_model; }
    const ListModel& model() const { return *m_model; }
    const TerminalSettings& settings() const { return m_settings; }

    // The grid emptied: header and empty rows only.
    void reset();
    // "&Procurar", and the refill after a change: the grid from the filters
    // on the screen now. False when the database refused (message shown).
    bool search();
    // The code of a grid row; empty on a filler row.
    std::optional<qint32> codeAt(int row) const;
    // Delete on the grid: asks, deletes, searches again. True when deleted;
    // a refusal keeps the row and the grid as they were.
    bool remove(int row);

protected:
    struct Statement
    {
        QString sql;
        SqlParams params;
    };

    Connection& conexao() const;
    Messages& messages() const { return m_messages; }

    // The search for the filters; empty when no row can match (a code beyond
    // any code's range), which shows an empty grid.
    virtual std::optional<Statement> searchStatement() const = 0;
    // "delete from produto where ncodigo =?": the code is bound.
    virtual QString deleteStatement() const = 0;
    // The column that holds the row's code.
    virtual QString codeColumn() const { return QStringLiteral("ncodigo"); }

    // A typed code alone decides: the search `byCode` with the code bound,
    // or none (an empty grid) for a code beyond the 32-bit range; without a
    // code, `byFilters`, the search by the other filters.
    static std::optional<Statement> byCodeOr(const QString& codigo, const QString& byCode,
                                             const std::function<Statement()>& byFilters);
    // The texts of `column` in every row `sql` reads (the items of a filter
    // list); none when the database refused, its message shown.
    QStringList columnTexts(const QString& sql, const QString& column) const;
    // A name filter matched anywhere in the name, in proper case: "%Lata%".
    static QString anywhere(const QString& name);

private:
    const TerminalSettings& m_settings;
    Messages& m_messages;
    std::unique_ptr<ListModel> m_model;
};

// Shared column formats.
namespace listcell {
// The column's text as stored.
std::function<QString(const Rows&, int)> text(const QString& column);
// The column as currency with two decimals: "R$ 1.234,50".
std::function<QString(const Rows&, int)> money(const QString& column);
// A quantity as stored, decimal comma: "12", "2,5".
std::function<QString(const Rows&, int)> quantity(const QString& column);
} // namespace listcell
