#pragma once

#include "console/period_choice.h"

#include <QDialog>

class QDateEdit;
class QTimeEdit;

// FrmSelecionaData, "Selecione o período...": dates on the left, times on
// the right, start above end. Tab and Enter go through the two times and
// the buttons; the dates are reached by clicking. "&Imprimir" hands the
// period back; "&Sair" or Escape leaves it empty.
class FrmSelecionaData final : public QDialog
{
    Q_OBJECT

public:
    FrmSelecionaData(const TerminalSettings& settings, Messages& messages, ReportPeriod& period,
                     std::function<QDateTime()> now = {}, QWidget* parent = nullptr);

    // Load as the dialog opens; false when there is no period to offer
    // (the database did not answer, and said so).
    bool load();
    PeriodChoice& choice() { return m_choice; }

    // Shows the dialog modally; the period is set when it was accepted.
    static void ask(const TerminalSettings& settings, Messages& messages, ReportPeriod& period,
                    std::function<QDateTime()> now = {});

private:
    void imprimir();

    PeriodChoice m_choice;
    QDateEdit* m_dataInicial = nullptr;
    QTimeEdit* m_horaInicial = nullptr;
    QDateEdit* m_dataFinal = nullptr;
    QTimeEdit* m_horaFinal = nullptr;
};
