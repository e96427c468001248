#include "registers/entry_type_list_widget.h"

#include "common/key_conventions.h"
#include "registers/entry_type_register_widget.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

FrmConsultaTipoEntrada::FrmConsultaTipoEntrada(const TerminalSettings& settings, Messages& messages,
                                               QWidget* parent)
    : ListScreenWidget(std::make_unique<EntryTypeList>(settings, messages), messages,
                       QStringLiteral("Consultas"), QStringLiteral("Tipo de entrada"), parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("FrmConsultaTipoEntrada"));
    m_codigo = filterEdit(QStringLiteral("Text2"));
    m_nome = filterEdit(QStringLiteral("Text1"));
    keys().setKind(m_codigo, FieldKind::Whole);
    m_codigo->setMaximumWidth(120);

    auto* filters = new QGridLayout;
    filters->setHorizontalSpacing(10);
    filters->addWidget(new QLabel(QStringLiteral("Código"), this), 0, 0);
    filters->addWidget(new QLabel(QStringLiteral("Nome"), this), 0, 1);
    filters->addWidget(m_codigo, 1, 0);
    filters->addWidget(m_nome, 1, 1);
    filters->setColumnStretch(1, 1);
    setMinimumWidth(640);
    setContent(filters);

    setFilterChain({m_codigo, m_nome});
}

void FrmConsultaTipoEntrada::pullFilters()
{
    types().setCodigo(m_codigo->text());
    types().setNome(m_nome->text());
}

void FrmConsultaTipoEntrada::openDetails(qint32 code)
{
    showRegister(code, new FrmCadTabelaPreco(m_settings, messages(), false, code, this));
}
