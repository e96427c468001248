#include "registers/group_list_widget.h"

#include "common/key_conventions.h"
#include "registers/group_register_widget.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

FrmConsultaGrupos::FrmConsultaGrupos(const TerminalSettings& settings, Messages& messages, QWidget* parent)
    : ListScreenWidget(std::make_unique<GroupList>(settings, messages), messages, QStringLiteral("Consultas"),
                       QStringLiteral("Grupos"), parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("FrmConsultaGrupos"));
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

void FrmConsultaGrupos::pullFilters()
{
    groups().setCodigo(m_codigo->text());
    groups().setNome(m_nome->text());
}

void FrmConsultaGrupos::openDetails(qint32 code)
{
    // The grid is searched again right after opening; the rename itself does
    // not refill it.
    showRegister(code, new FrmCadGrupo(m_settings, messages(), false, code, this), /*refillOnSave*/ false);
}
