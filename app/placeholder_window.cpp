#include "app/placeholder_window.h"

#include "app/app_texts.h"
#include "common/message_texts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PlaceholderWindow::PlaceholderWindow(const QString& screenName, const QString& description,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_text(apptext::telaIndisponivel.arg(description + QStringLiteral(" (") + screenName + u')'))
{
    setObjectName(screenName);
    setWindowTitle(msg::title);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* label = new QLabel(m_text, this);
    label->setObjectName(QStringLiteral("placeholderText"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    auto* sair = new QPushButton(QStringLiteral("Sair"), this);
    sair->setObjectName(QStringLiteral("CmdSair"));
    connect(sair, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 32, 32, 24);
    layout->setSpacing(24);
    layout->addWidget(label, 1);
    layout->addWidget(sair, 0, Qt::AlignHCenter);
    resize(520, 200);
}

QString PlaceholderWindow::text() const
{
    return m_text;
}

void PlaceholderWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

ScreenFactory placeholderFactory(const QString& screenName, const QString& description)
{
    return [screenName, description](const ScreenContext&) -> QWidget* {
        return new PlaceholderWindow(screenName, description);
    };
}
