#include "registers/group_register_widget.h"

#include "common/key_conventions.h"
#include "registers/screen_parts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmCadGrupo::FrmCadGrupo(const TerminalSettings& settings, Messages& messages, bool binclusao, qint32 codigo_grupo,
                         QWidget* parent)
    : RegisterFormWidget(std::make_unique<GroupRegister>(settings, messages, binclusao, codigo_grupo), messages,
                         QStringLiteral("Vorinda"), QStringLiteral("Grupos"), parent)
{
    setObjectName(QStringLiteral("FrmCadGrupo"));
    using screenparts::label;
    QLineEdit* codigo = edit(QStringLiteral("Text11"));
    QLineEdit* nome = edit(QStringLiteral("Text1"));
    codigo->setEnabled(false);
    codigo->setMaximumWidth(120);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->addWidget(label(QStringLiteral("Código"), this), 0, 0);
    grid->addWidget(codigo, 0, 1);
    grid->addWidget(label(QStringLiteral("Nome"), this), 1, 0);
    grid->addWidget(nome, 1, 1);
    setContent(grid);
    setMinimumWidth(480);

    setTabChain({nome, okButton(), exitButton()});
    start(nome);
}
