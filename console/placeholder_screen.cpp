#include "console/placeholder_screen.h"

#include "console/console_texts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PlaceholderScreen::PlaceholderScreen(const QString& screenName, const QString& description, QWidget* parent)
    : QDialog(parent)
    , m_text(consoletext::telaIndisponivel.arg(description, screenName))
{
    setObjectName(screenName);
    setWindowTitle(description);

    auto* label = new QLabel(m_text, this);
    label->setObjectName(QStringLiteral("placeholderText"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    auto* sair = new QPushButton(consoletext::sair, this);
    sair->setObjectName(QStringLiteral("CmdSair"));
    sair->setDefault(true);
    connect(sair, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 32, 32, 24);
    layout->setSpacing(24);
    layout->addWidget(label, 1);
    layout->addWidget(sair, 0, Qt::AlignHCenter);
    resize(480, 180);
}
