#pragma once

#include "common/screen_messages.h"
#include "registers/lookup_dialog_search.h"

#include <QDialog>

class Connection;
class Messages;
class LookupModel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// FrmConsulta: the generic lookup dialog. The opener names the kind
// ("Produtos", "Grupos", "Fornecedores"), shows it modally and reads the
// picked code (0 = none), usually through FrmConsulta::consulta().
class FrmConsulta final : public QDialog
{
    Q_OBJECT

public:
    FrmConsulta(Connection& conexao, Messages& messages, const QString& cTipoConsula,
                QWidget* parent = nullptr);
    ~FrmConsulta() override;

    // Shows the dialog modally and returns the picked code, 0 when the user
    // left without picking.
    static qint32 consulta(Connection& conexao, Messages& messages, const QString& cTipoConsula,
                           QWidget* parent = nullptr);

    qint32 codigo_consulta() const { return m_search.codigo_consulta(); }
    const LookupSearch& search() const { return m_search; }

    // "Procurar": searches with the filter text and the check box.
    void procurar();
    // "&Aceitar" or a double-click: picks the selected row when it holds a code.
    void aceitar();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();

    LookupSearch m_search;
    ScreenMessages m_messages;
    LookupModel* m_model = nullptr;
    QLabel* m_header = nullptr;
    QLineEdit* m_text1 = nullptr;
    QPushButton* m_command1 = nullptr;
    QTableView* m_grid1 = nullptr;
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdSair = nullptr;
    QCheckBox* m_check1 = nullptr;
    bool m_placed = false;
};
