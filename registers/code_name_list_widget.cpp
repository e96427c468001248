#include "registers/code_name_list_widget.h"

#include "common/key_conventions.h"

#include <QGridLayout>
#include <QLineEdit>

CodeNameListWidget::CodeNameListWidget(std::unique_ptr<CodeNameList> list, Messages& messages, const QString& name,
                                       const QString& caption, const QString& title, QWidget* parent)
    : ListScreenWidget(std::move(list), messages, caption, title, parent)
{
    setObjectName(name);
    m_codigo = filterEdit(QStringLiteral("Text2"));
    m_nome = filterEdit(QStringLiteral("Text1"));
    keys().setKind(m_codigo, FieldKind::Whole);
    m_codigo->setMaximumWidth(120);

    QGridLayout* filters = captionedFilters({{QStringLiteral("Código"), m_codigo}, {QStringLiteral("Nome"), m_nome}});
    filters->setColumnStretch(1, 1);
    setMinimumWidth(640);
    setContent(filters);

    setFilterChain({m_codigo, m_nome});
}

void CodeNameListWidget::pullFilters()
{
    auto& codeName = static_cast<CodeNameList&>(list());
    codeName.setCodigo(m_codigo->text());
    codeName.setNome(m_nome->text());
}
