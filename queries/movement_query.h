#pragma once

#include "common/period_pickers.h"
#include "db/result.h"
#include "queries/movement_list.h"
#include "queries/movement_model.h"

#include <QDateTime>
#include <QObject>

class Messages;
struct TerminalSettings;

// The logic of one movement query screen (sale lines or entries): the period,
// the two grids with their counts and totals, marking and cancelling. Knows no
// widget; the screen shows what this holds and calls its actions.
class MovementQuery final : public QObject, public PeriodPickers
{
    Q_OBJECT
public:
    // What a Delete in the active grid came to.
    enum class Cancel {
        NotADataRow,       // pressed on an empty row: nothing asked, nothing done
        Declined,          // "Não" to the confirmation
        Done,              // every marked row cancelled (or none was marked)
        SomeAlreadyDone,   // some marked rows had been cancelled elsewhere meanwhile
        Conflict,          // another workstation was changing a marked row: nothing done
        Failed,            // the database refused: nothing done
        Unknown,           // the connection broke at the commit and is not back yet
    };

    MovementQuery(const MovementKind& kind, const TerminalSettings& settings, Messages& messages,
                  QObject* parent = nullptr);

    const MovementKind& kind() const { return m_kind; }
    MovementModel& validas() { return m_validas; }         // Grid1
    MovementModel& excluidas() { return m_excluidas; }     // Grid2

    // The four pickers of "Período" (PeriodPickers), all at once.
    void setPeriod(const QDateTime& start, const QDateTime& end);

    // Text3/Text4 (tab 0) and Text1/Text2 (tab 1).
    QString qtdeValidas() const;
    QString totalValidas() const;
    QString qtdeExcluidas() const;
    QString totalExcluidas() const;

    // Load: both grids prepared, the current business day, then the search.
    void load();
    // The current business day into the pickers; false (after a message)
    // when the database could not tell the time.
    bool periodoInicial();

    void monta_grid_validas();
    void monta_grid_excluidas();
    bool carrega_validas();
    bool carrega_excluidas();
    // Both lists again for the period in the pickers.
    void pesquisa();

    // Space or double-click on a row of the active grid.
    void marca(int row);
    // Delete on `currentRow` of the active grid.
    Cancel cancela_marcados(int currentRow);

signals:
    // Counts and totals changed: the screen shows them again.
    void changed();
    // The period was set by the screen's logic (on load).
    void periodChanged();

private:
    bool fill(MovementModel& model, const GridList& list);
    // After a commit whose connection broke: how many of `codes` stand
    // cancelled by this register, once the database is back.
    Result<int> cancelledHere(const QList<qint64>& codes);
    void report(const Failure& failure);

    const MovementKind& m_kind;
    const TerminalSettings& m_settings;
    Messages& m_messages;
    MovementModel m_validas;
    MovementModel m_excluidas;
};
