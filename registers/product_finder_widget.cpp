#include "registers/product_finder_widget.h"

#include "common/key_conventions.h"
#include "registers/product_register_widget.h"
#include "registers/screen_parts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

FrmLocalizaProduto::FrmLocalizaProduto(const TerminalSettings& settings, Messages& messages, QWidget* parent)
    : ListScreenWidget(std::make_unique<ProductFinder>(settings, messages), messages,
                       QStringLiteral("Consultas"), QStringLiteral("Produtos"), parent)
{
    setObjectName(QStringLiteral("frmLocalizaProduto"));
    m_codigo = filterEdit(QStringLiteral("Text2"));
    m_nome = filterEdit(QStringLiteral("Text1"));
    m_grupo = filterList(QStringLiteral("Combo1"), finder().loadGroups());
    keys().setKind(m_codigo, FieldKind::Whole);
    m_codigo->setMaximumWidth(120);
    m_grupo->setMinimumWidth(220);

    QGridLayout* filters = captionedFilters(
        {{QStringLiteral("Código"), m_codigo}, {QStringLiteral("Nome"), m_nome}, {QStringLiteral("Grupo"), m_grupo}});
    filters->setColumnStretch(1, 1);
    setMinimumWidth(760);
    setContent(filters);

    setFilterChain({m_codigo, m_nome, m_grupo});
}

void FrmLocalizaProduto::pullFilters()
{
    finder().setCodigo(m_codigo->text());
    finder().setNome(m_nome->text());
    finder().setGrupo(m_grupo->currentText());
}

void FrmLocalizaProduto::openDetails(qint32 code)
{
    showRegister(code, new FrmCadProdutos(settings(), messages(), false, code, this));
}
