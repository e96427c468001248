#include "registers/establishment_widget.h"

#include "common/key_conventions.h"
#include "registers/screen_parts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmCadEstabelecimento::FrmCadEstabelecimento(const TerminalSettings& settings, Messages& messages,
                                             QWidget* parent)
    : RegisterFormWidget(std::make_unique<Establishment>(settings, messages), messages,
                         QStringLiteral("Cadastro do estabelecimento"), QStringLiteral("Estabelecimento"), parent)
{
    setObjectName(QStringLiteral("FrmCadEstabelecimento"));
    using screenparts::label;
    QGridLayout* grid = screenparts::fieldGrid();
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);

    // Names, tax numbers, address, contacts: read and tabbed row by row.
    struct Place { const char* name; const char* label; int row; int column; int span; };
    const Place places[] = {
        {"Text1", "Fantasia", 0, 0, 3},     {"Text2", "Razão Social", 1, 0, 3},
        {"Text6", "CNPJ", 2, 0, 1},         {"Text10", "IE", 2, 2, 1},
        {"Text3", "Endereço", 3, 0, 3},
        {"Text4", "Bairro", 4, 0, 1},       {"Text8", "Cidade", 4, 2, 1},
        {"Text12", "CEP", 5, 0, 1},         {"Text5", "Fone", 5, 2, 1},
        {"Text9", "Fax", 6, 0, 1},          {"Text11", "E-mail", 6, 2, 1},
    };
    QList<QWidget*> order;
    for (const Place& p : places) {
        QLineEdit* e = edit(QLatin1String(p.name));
        grid->addWidget(label(QString::fromUtf8(p.label), this), p.row, p.column);
        grid->addWidget(e, p.row, p.column + 1, 1, p.span);
        order << e;
    }
    setContent(grid);
    setMinimumWidth(720);

    setTabChain(order << okButton() << exitButton());
    start(order.first());
}
