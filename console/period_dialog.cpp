#include "console/period_dialog.h"

#include "common/key_conventions.h"
#include "common/window_placement.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

FrmSelecionaData::FrmSelecionaData(const TerminalSettings& settings, Messages& messages, ReportPeriod& period,
                                   std::function<QDateTime()> now, QWidget* parent)
    : QDialog(parent)
    , m_choice(settings, messages, period)
{
    setObjectName(QStringLiteral("FrmSelecionaData"));
    setWindowTitle(QStringLiteral("Selecione o período..."));
    m_choice.setClock(std::move(now));

    auto date = [this](const char* name) {
        auto* picker = new QDateEdit(this);
        picker->setObjectName(QString::fromLatin1(name));
        picker->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        picker->setCalendarPopup(true);
        picker->setFocusPolicy(Qt::ClickFocus);   // not in the tab sequence
        picker->setMinimumWidth(120);
        return picker;
    };
    auto time = [this](const char* name) {
        auto* picker = new QTimeEdit(this);
        picker->setObjectName(QString::fromLatin1(name));
        picker->setDisplayFormat(QStringLiteral("HH:mm"));
        picker->setMinimumWidth(80);
        return picker;
    };
    m_horaInicial = time("DTPicker1");
    m_horaFinal = time("DTPicker3");
    m_dataInicial = date("DTPicker2");
    m_dataFinal = date("DTPicker4");

    auto* ok = new QPushButton(QStringLiteral("&Imprimir"), this);
    ok->setObjectName(QStringLiteral("CmdOk"));
    auto* sair = new QPushButton(QStringLiteral("&Sair"), this);
    sair->setObjectName(QStringLiteral("CmdSair"));
    for (QPushButton* button : {ok, sair})
        button->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(new QLabel(QStringLiteral("Data inicial"), this), 0, 0);
    grid->addWidget(m_dataInicial, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("hora inicial"), this), 0, 2);
    grid->addWidget(m_horaInicial, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Data final"), this), 1, 0);
    grid->addWidget(m_dataFinal, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("hora final"), this), 1, 2);
    grid->addWidget(m_horaFinal, 1, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(sair);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    setTabChain({m_horaInicial, m_horaFinal, ok, sair});
    auto* keys = new KeyConventions(this);
    keys->setCancelButton(sair);
    connect(ok, &QPushButton::clicked, this, &FrmSelecionaData::imprimir);
    connect(sair, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(sizeHint());
}

bool FrmSelecionaData::load()
{
    if (!m_choice.load())
        return false;
    m_dataInicial->setDate(m_choice.dataInicial());
    m_horaInicial->setTime(m_choice.horaInicial());
    m_dataFinal->setDate(m_choice.dataFinal());
    m_horaFinal->setTime(m_choice.horaFinal());
    centraliza_form(this);
    m_horaInicial->setFocus();
    return true;
}

void FrmSelecionaData::imprimir()
{
    m_choice.setDataInicial(m_dataInicial->date());
    m_choice.setHoraInicial(m_horaInicial->time());
    m_choice.setDataFinal(m_dataFinal->date());
    m_choice.setHoraFinal(m_horaFinal->time());
    if (m_choice.imprimir())
        accept();
}

void FrmSelecionaData::ask(const TerminalSettings& settings, Messages& messages, ReportPeriod& period,
                           std::function<QDateTime()> now)
{
    FrmSelecionaData dialog(settings, messages, period, std::move(now));
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.load())
        dialog.exec();
}
