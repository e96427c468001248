#pragma once

#include "common/screen_messages.h"
#include "queries/movement_query.h"

#include <QDateTime>
#include <QWidget>

#include <functional>

class GridCursor;
class Messages;
class QDateEdit;
class QLineEdit;
class QTabWidget;
class QTableView;
class QTimeEdit;
struct TerminalSettings;

// The window shared by the two query screens: period pickers, a search
// button, the active and the cancelled lists on two tabs. Every control is
// named as the screen names it (Grid1, Text3, DTPicker2, ...).
class MovementQueryScreen : public QWidget
{
    Q_OBJECT
public:
    // Opens on the current business day, already searched. `now` stands for
    // the database's clock in tests; empty asks the database.
    MovementQueryScreen(const MovementKind& kind, const TerminalSettings& settings,
                        Messages& messages, QWidget* parent = nullptr,
                        std::function<QDateTime()> now = {});

    MovementQuery& query() { return m_query; }

    // The search of the toolbar and F5.
    void pesquisa();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildPeriod();
    QWidget* buildTab(QTableView*& grid, const char* gridName, MovementModel& model,
                      QLineEdit*& qtde, const char* qtdeName,
                      QLineEdit*& total, const char* totalName);
    bool screenKey(int key, QWidget* field);
    void showPeriod();
    void showTotals();
    void takePeriod();
    int currentRow() const;
    // The keyboard on the grid of the tab shown.
    void focusGrid();

    ScreenMessages m_boxes;
    MovementQuery m_query;
    QDateEdit* m_dataInicial = nullptr;   // DTPicker2
    QTimeEdit* m_horaInicial = nullptr;   // DTPicker1
    QDateEdit* m_dataFinal = nullptr;     // DTPicker4
    QTimeEdit* m_horaFinal = nullptr;     // DTPicker3
    QTabWidget* m_tabs = nullptr;         // SSTab1
    QTableView* m_grid1 = nullptr;
    QTableView* m_grid2 = nullptr;
    GridCursor* m_cursor1 = nullptr;   // Grid1's; Grid2 keeps one of its own
    QLineEdit* m_text1 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QLineEdit* m_text3 = nullptr;
    QLineEdit* m_text4 = nullptr;
    bool m_showing = false;
    bool m_shown = false;
};

// Sale lines of a period (`consultaVenda`).
class ConsultaVenda final : public MovementQueryScreen
{
    Q_OBJECT
public:
    ConsultaVenda(const TerminalSettings& settings, Messages& messages, QWidget* parent = nullptr,
                  std::function<QDateTime()> now = {});
};

// Entries of a period (`consultaEntrada`).
class ConsultaEntrada final : public MovementQueryScreen
{
    Q_OBJECT
public:
    ConsultaEntrada(const TerminalSettings& settings, Messages& messages, QWidget* parent = nullptr,
                    std::function<QDateTime()> now = {});
};
