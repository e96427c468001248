#pragma once

#include "purchases/purchase_opening.h"

#include <QDialog>

class Messages;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct TerminalSettings;

// FrmAberturaCompra: the header of a new purchase (`inclusao`) or of the
// purchase `codigoCompra`. "&Gravar" stores it, closes this dialog and shows
// the items screen modally; the dialog's own modal call returns only when
// that screen has closed too. Caption "Compras", header "Abertura da compra".
class FrmAberturaCompra final : public QDialog
{
    Q_OBJECT

public:
    FrmAberturaCompra(const TerminalSettings& settings, Messages& messages, bool inclusao,
                      qint32 codigoCompra = 0, QWidget* parent = nullptr);
    ~FrmAberturaCompra() override;

    PurchaseOpening& opening() { return m_opening; }

    // "&Gravar".
    void gravar();

private:
    void build();
    void push();
    void pull();

    const TerminalSettings& m_settings;
    Messages& m_messages;
    PurchaseOpening m_opening;
    QDateEdit* m_dtpicker1 = nullptr;
    QComboBox* m_combo1 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QPlainTextEdit* m_text9 = nullptr;
    QLineEdit* m_text3 = nullptr;
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdSair = nullptr;
};
