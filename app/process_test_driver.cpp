#include "app/process_test_driver.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

void report(const QString& line)
{
    std::fprintf(stderr, "vorinda-test: %s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

QString oneLine(QString text)
{
    return text.replace(u'\n', QStringLiteral("\\n"));
}

const char* const paintedMark = "vorindaTestPainted";

} // namespace

ProcessTestDriver::ProcessTestDriver(const QString& answers, QObject* parent)
    : QObject(parent)
    , m_answers(answers.split(u',', Qt::SkipEmptyParts))
    , m_keepWindows(m_answers.removeAll(QStringLiteral("keep")) > 0)
{
}

void ProcessTestDriver::info(const QString& text)
{
    report(QStringLiteral("info: ") + oneLine(text));
}

bool ProcessTestDriver::question(const QString& text)
{
    const bool yes = !m_answers.isEmpty() && m_answers.takeFirst().trimmed() == u"s";
    report(QStringLiteral("question: ") + oneLine(text) + (yes ? QStringLiteral(" -> Sim") : QStringLiteral(" -> Não")));
    return yes;
}

void ProcessTestDriver::plain(const QString& text)
{
    report(QStringLiteral("plain: ") + oneLine(text));
}

bool ProcessTestDriver::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !widget->isWindow())
        return false;
    if (event->type() == QEvent::Show) {
        report(QStringLiteral("window: %1 \"%2\"").arg(widget->objectName(), widget->windowTitle()));
        // A window that never paints is still closed.
        if (!m_keepWindows)
            QTimer::singleShot(2000, widget, &QWidget::close);
    } else if (event->type() == QEvent::Paint && !widget->property(paintedMark).toBool()) {
        widget->setProperty(paintedMark, true);
        report(QStringLiteral("painted: ") + widget->objectName());
        if (!m_keepWindows)
            QTimer::singleShot(0, widget, &QWidget::close);
    }
    return false;
}
