#include "registers/supplier_list_widget.h"

#include "common/key_conventions.h"
#include "registers/supplier_register_widget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

FrmConsultaFornecedores::FrmConsultaFornecedores(const TerminalSettings& settings, Messages& messages,
                                                 QWidget* parent)
    : ListScreenWidget(std::make_unique<SupplierList>(settings, messages), messages,
                       QStringLiteral("Localização de Fornecedores"), QStringLiteral("Localização de fornecedores"),
                       parent)
{
    setObjectName(QStringLiteral("FrmConsultaFornecedores"));
    m_codigo = filterEdit(QStringLiteral("Text4"));
    m_fantasia = filterEdit(QStringLiteral("Text3"));
    m_endereco = filterEdit(QStringLiteral("Text1"));
    m_cidade = filterList(QStringLiteral("Combo1"), suppliers().loadCities());
    // Digits only, as the other code filters: the code goes into the search as a number.
    keys().setKind(m_codigo, FieldKind::Whole);
    m_codigo->setMaximumWidth(100);
    m_cidade->setMinimumWidth(200);
    addDeleteButton(QStringLiteral("Command5"), QStringLiteral("&Excluir"));
    setDeleteKey(false);
    setRefillAfterDetails(false);

    QGridLayout* filters = captionedFilters({{QStringLiteral("Código"), m_codigo},
                                             {QStringLiteral("Fantasia"), m_fantasia},
                                             {QStringLiteral("Endereço"), m_endereco},
                                             {QStringLiteral("Cidade"), m_cidade}});
    filters->setColumnStretch(1, 3);
    filters->setColumnStretch(2, 3);
    filters->setColumnStretch(3, 2);
    setMinimumWidth(820);
    setContent(filters);

    // "Cidade" and "Código" come last in the tab order.
    setFilterChain({m_fantasia, m_endereco}, {m_cidade, m_codigo});
}

void FrmConsultaFornecedores::pullFilters()
{
    suppliers().setCodigo(m_codigo->text());
    suppliers().setFantasia(m_fantasia->text());
    suppliers().setEndereco(m_endereco->text());
    suppliers().setCidade(m_cidade->currentText());
}

void FrmConsultaFornecedores::openDetails(qint32 code)
{
    // Modal: the list waits for the change and is not searched again (the
    // user searches when he wants the new values).
    auto* form = new FrmCadFornecedores(settings(), messages(), false, code, this);
    form->exec();
    activateWindow();   // back to the list, where the change was asked
}
