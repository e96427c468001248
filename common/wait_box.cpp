#include "common/wait_box.h"

#include "common/message_texts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Swallows every key (Escape included) and refuses to close: the wait ends
// when the database answers or the connection gives up.
class Box final : public QDialog
{
public:
    explicit Box(QWidget* parent)
        : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    {
    }

protected:
    void keyPressEvent(QKeyEvent* event) override { event->accept(); }
    void keyReleaseEvent(QKeyEvent* event) override { event->accept(); }
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
    void reject() override {}
};

} // namespace

WaitBox::WaitBox() = default;

WaitBox::~WaitBox()
{
    delete m_dialog.data();
}

void WaitBox::show(const QString& text)
{
    if (!m_dialog) {
        auto* box = new Box(QApplication::activeWindow());
        box->setObjectName(QStringLiteral("aguardeBanco"));
        box->setWindowTitle(msg::title);
        box->setWindowModality(Qt::ApplicationModal);
        m_text = new QLabel(box);
        m_text->setObjectName(QStringLiteral("texto"));
        m_text->setWordWrap(true);
        m_text->setTextFormat(Qt::PlainText);
        m_text->setMinimumWidth(460);
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(24, 20, 24, 20);
        layout->addWidget(m_text);
        m_dialog = box;
    }
    m_text->setText(text);
    if (!m_dialog->isVisible()) {
        m_dialog->adjustSize();
        m_dialog->show();
        m_dialog->raise();
    }
}

void WaitBox::pump()
{
    // Input to the other windows is blocked by the box; what reaches the box
    // itself is swallowed. Paint and timer events go on.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void WaitBox::hide()
{
    if (!m_dialog)
        return;
    QWidget* owner = m_dialog->parentWidget();
    m_dialog->hide();
    delete m_dialog.data();
    m_text = nullptr;
    if (owner)
        owner->activateWindow();
}
