#include "common/messages.h"

#include "common/screen_messages.h"

#include "common/message_texts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The screen whose messages are being shown now (ScreenMessages).
QPointer<QWidget> showingScreen;

// Sets the screen for the boxes of one message, as the calls nest.
class ScreenScope
{
public:
    explicit ScreenScope(QWidget* screen) : m_previous(showingScreen) { showingScreen = screen; }
    ~ScreenScope() { showingScreen = m_previous; }
    ScreenScope(const ScreenScope&) = delete;
    ScreenScope& operator=(const ScreenScope&) = delete;

private:
    QPointer<QWidget> m_previous;
};

QWidget* ownerOf(QWidget* parent)
{
    if (parent)
        return parent;
    if (showingScreen && showingScreen->isVisible())
        return showingScreen->window();
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

// One box of the system: titled "Vorinda", modal over its owner.
void prepare(QMessageBox& box, QMessageBox::Icon icon, const QString& text)
{
    box.setWindowTitle(msg::title);
    box.setIcon(icon);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);   // database texts may hold "<" and "&"
}

void showWithOk(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(ownerOf(parent));
    prepare(box, icon, text);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

} // namespace

void BoxMessages::info(const QString& text)
{
    showWithOk(m_parent, QMessageBox::Information, text);
}

void BoxMessages::plain(const QString& text)
{
    showWithOk(m_parent, QMessageBox::NoIcon, text);
}

bool BoxMessages::question(const QString& text)
{
    return ask(text, true);
}

bool BoxMessages::questionDefaultNo(const QString& text)
{
    return ask(text, false);
}

bool BoxMessages::ask(const QString& text, bool enterAnswersYes)
{
    QMessageBox box(ownerOf(m_parent));
    prepare(box, QMessageBox::Question, text);
    // Our own button texts, whatever translation is loaded. Enter answers
    // "Sim" as the operators are used to, unless that answer throws work
    // away; Escape or closing the box answers "Não", the answer that changes nothing.
    QPushButton* yes = box.addButton(QStringLiteral("Sim"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Não"), QMessageBox::NoRole);
    box.setDefaultButton(enterAnswersYes ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void ScreenMessages::info(const QString& text)
{
    const ScreenScope scope(m_screen);
    m_inner.info(text);
}

bool ScreenMessages::question(const QString& text)
{
    const ScreenScope scope(m_screen);
    return m_inner.question(text);
}

bool ScreenMessages::questionDefaultNo(const QString& text)
{
    const ScreenScope scope(m_screen);
    return m_inner.questionDefaultNo(text);
}

void ScreenMessages::plain(const QString& text)
{
    const ScreenScope scope(m_screen);
    m_inner.plain(text);
}
