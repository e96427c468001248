#include "registers/group_register_widget.h"

#include "common/key_conventions.h"
#include "registers/screen_parts.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

FrmCadGrupo::FrmCadGrupo(const TerminalSettings& settings, Messages& messages, bool binclusao, qint32 codigo_grupo,
                         QWidget* parent)
    : RegisterFormWidget(std::make_unique<GroupRegister>(settings, messages, binclusao, codigo_grupo), messages,
                         QStringLiteral("Vorinda"), QStringLiteral("Grupos"), parent)
{
    setObjectName(QStringLiteral("FrmCadGrupo"));
    QLineEdit* codigo = edit(QStringLiteral("Text11"));
    QLineEdit* nome = edit(QStringLiteral("Text1"));
    codigo->setEnabled(false);
    codigo->setMaximumWidth(120);
    setContent(screenparts::labelledRows({{QStringLiteral("Código"), codigo}, {QStringLiteral("Nome"), nome}}, this));
    setMinimumWidth(480);

    setTabChain({nome, okButton(), exitButton()});
    start(nome);
}
