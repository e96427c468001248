#pragma once

#include "registers/list_screen.h"

#include <QDialog>
#include <QHash>
#include <QPointer>

#include <memory>
#include <utility>

class GridCursor;
class KeyConventions;
class QGridLayout;
class Messages;
class QLayout;
class QLineEdit;
class QComboBox;
class QPushButton;
class QTableView;
class RegisterFormWidget;

// The widgets of every list screen: header band, the screen's filters,
// "&Procurar" (`Command3`), the grid (`Grid1`), "&Detalhes" (`Command4`) and
// "&Sair" (`Command2`). Double-click and "&Detalhes" open the selected row's
// register, the Delete key on the grid deletes it, F5 goes to "&Procurar",
// Enter moves on, the apostrophe is swallowed, Escape presses "&Sair".
class ListScreenWidget : public QDialog
{
    Q_OBJECT

public:
    ~ListScreenWidget() override;

    ListScreen& list() { return *m_list; }
    QTableView* grid() const { return m_grid; }
    KeyConventions& keys() { return *m_keys; }

    // "&Procurar", and the grid fill a register calls after saving a change.
    void procurar();
    // "&Detalhes" (or a double-click) on the selected row.
    void detalhes();
    // The Delete key on the grid: the selected row, after confirma_exclusao.
    void excluir();
    // The grid row selected now (-1 when none).
    int selectedRow() const;
    // The grid row that shows `code`, -1 when none does.
    int rowOf(qint32 code) const;

protected:
    ListScreenWidget(std::unique_ptr<ListScreen> list, Messages& messages, const QString& caption,
                     const QString& title, QWidget* parent);

    Messages& messages() const { return m_messages; }
    // The settings the list was opened with, for the registers it opens.
    const TerminalSettings& settings() const { return m_list->settings(); }
    // Filters: each change empties the grid (a list's `items` put in first do not).
    QLineEdit* filterEdit(const QString& name);
    QComboBox* filterList(const QString& name, const QStringList& items = {});
    // The filters side by side, each under its caption.
    QGridLayout* captionedFilters(const QList<std::pair<QString, QWidget*>>& filters);
    // Header, `filters` beside "&Procurar", grid, buttons; then the opening.
    void setContent(QLayout* filters);
    // A column narrower than what it shows (a price cut short) grows to fit it.
    void fitColumns();
    // Whether the Delete key deletes (a list may delete by a button instead).
    void setDeleteKey(bool on) { m_deleteKey = on; }
    // A button that deletes the selected row as the Delete key does, placed
    // between "&Detalhes" and "&Sair"; made before setContent().
    QPushButton* addDeleteButton(const QString& name, const QString& caption);
    // Whether the grid is filled as the screen opens (a list without filters);
    // set before setContent().
    void setFilledOnOpening(bool on) { m_filledOnOpening = on; }
    // Whether "&Detalhes" searches again right after opening the register
    // (a list whose register refreshes it, or that the user searches again, may not).
    void setRefillAfterDetails(bool on) { m_refillAfterDetails = on; }

    // Opens the register of `code` for a change, through showRegister().
    virtual void openDetails(qint32 code) = 0;
    // The filters' values into the logic before a search.
    virtual void pullFilters() {}
    // Tab goes through `filters`, "&Procurar", the grid, "&Detalhes" and
    // "&Sair"; the screen opens in the first filter.
    void setFilterChain(const QList<QWidget*>& filters);
    // The same, with `last` after "&Sair" (filters the operator reaches last).
    void setFilterChain(const QList<QWidget*>& filters, const QList<QWidget*>& last);
    // A register opened for `code` by this list, when still open.
    QWidget* openRegister(qint32 code) const;
    // Shows `form`, opened for `code`; the list refills when it saves
    // (unless `refillOnSave` is false: a list the user searches again).
    void showRegister(qint32 code, RegisterFormWidget* form, bool refillOnSave = true);

private:
    std::unique_ptr<ListScreen> m_list;
    Messages& m_messages;
    KeyConventions* m_keys = nullptr;
    QWidget* m_header = nullptr;
    QTableView* m_grid = nullptr;
    GridCursor* m_cursor = nullptr;
    QPushButton* m_procurar = nullptr;
    QPushButton* m_detalhes = nullptr;
    QPushButton* m_sair = nullptr;
    QPushButton* m_excluir = nullptr;
    bool m_deleteKey = true;
    bool m_filledOnOpening = false;
    bool m_refillAfterDetails = true;
    QHash<qint32, QPointer<QWidget>> m_registers;
};
