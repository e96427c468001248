#include "registers/product_finder_widget.h"

#include "common/key_conventions.h"
#include "registers/product_register_widget.h"
#include "registers/screen_parts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

FrmLocalizaProduto::FrmLocalizaProduto(const TerminalSettings& settings, Messages& messages, QWidget* parent)
    : ListScreenWidget(std::make_unique<ProductFinder>(settings, messages), messages,
                       QStringLiteral("Consultas"), QStringLiteral("Produtos"), parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("frmLocalizaProduto"));
    m_codigo = filterEdit(QStringLiteral("Text2"));
    m_nome = filterEdit(QStringLiteral("Text1"));
    m_grupo = filterList(QStringLiteral("Combo1"));
    keys().setKind(m_codigo, FieldKind::Whole);
    m_codigo->setMaximumWidth(120);
    m_grupo->setMinimumWidth(220);

    auto* filters = new QGridLayout;
    filters->setHorizontalSpacing(10);
    filters->addWidget(new QLabel(QStringLiteral("Código"), this), 0, 0);
    filters->addWidget(new QLabel(QStringLiteral("Nome"), this), 0, 1);
    filters->addWidget(new QLabel(QStringLiteral("Grupo"), this), 0, 2);
    filters->addWidget(m_codigo, 1, 0);
    filters->addWidget(m_nome, 1, 1);
    filters->addWidget(m_grupo, 1, 2);
    filters->setColumnStretch(1, 1);

    {
        const QSignalBlocker quiet(m_grupo);
        m_grupo->addItems(finder().loadGroups());
    }
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
    showRegister(code, new FrmCadProdutos(m_settings, messages(), false, code, this));
}
