#pragma once

#include "common/screen_messages.h"
#include "sales/sale_payment.h"

#include <QDialog>

class KeyConventions;
class Messages;
class QComboBox;
class QFrame;
class QLineEdit;
struct TerminalSettings;

// FrmPagamentoVenda ("Fechamento"): form of payment, amount received and
// change; Enter on "Troco" records the sale and prints its tickets. Closes
// accepted once the sale is recorded; Escape closes it with nothing written.
class FrmPagamentoVenda final : public QDialog
{
    Q_OBJECT

public:
    FrmPagamentoVenda(const TerminalSettings& settings, Messages& messages, const QList<SaleLine>& lines,
                      const QString& total, QWidget* parent = nullptr, qint64* unsettled = nullptr);
    ~FrmPagamentoVenda() override;

    SalePayment& payment() { return m_payment; }
    bool recorded() const { return m_payment.recorded(); }

    // Enter on "Troco".
    void gravar();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void pull();
    void push();

    ScreenMessages m_boxes;
    SalePayment m_payment;
    KeyConventions* m_keys = nullptr;
    QFrame* m_frame = nullptr;
    QLineEdit* m_text6 = nullptr;
    QComboBox* m_combo1 = nullptr;
    QLineEdit* m_text8 = nullptr;
    QLineEdit* m_text7 = nullptr;
    bool m_placed = false;
};
