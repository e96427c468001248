// The management console: how long the main window takes to build and paint
// its first frame, one status bar tick (the clock and the lock keys), and a
// register opened from the menu and closed again. Medians; run offscreen or
// under X (the lock keys are then read through XKB).

#include "bench/bench_stats.h"
#include "common/terminal_settings.h"
#include "console/main_window.h"
#include "console/status_panels.h"
#include "tests/console/console_fixture.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double timeMs(const std::function<void()>& run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestDatabase db(TestDatabase::Demo);
    if (!db.ok())
        qFatal("%s", qPrintable(db.error()));
    TerminalSettings settings;
    settings.conexao = &db.connection();
    settings.numero_caixa = 1;
    settings.hora_inicio = QStringLiteral("18:00");
    settings.hora_fim = QStringLiteral("06:00");
    ScriptedMessages messages;
    CountingNavigation navigation;

    QList<double> open;
    for (int i = 0; i < 21; ++i) {
        const double ms = timeMs([&] {
            Principal window(settings, navigation, messages, {});
            window.show();
            window.grab();   // the first frame, painted
        });
        if (i > 0)
            open << ms;
    }

    Principal window(settings, navigation, messages, {});
    window.show();
    QList<double> tick;
    for (int i = 0; i < 1000; ++i)
        tick << timeMs([&] { window.panels()->refresh(); });

    QList<double> finder;
    for (int i = 0; i < 21; ++i) {
        const double ms = timeMs([&] {
            window.findChild<QAction*>(QStringLiteral("menuPesquisarGrupo"))->trigger();
            QWidget* screen = window.screens().instance(ConsoleScreen::ProductFinder);
            screen->grab();
            delete screen;
        });
        if (i > 0)
            finder << ms;
    }

    std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("main window built and painted: median %.2f ms over %lld\n", median(open), qlonglong(open.size()));
    std::printf("status bar tick: median %.4f ms over %lld\n", median(tick), qlonglong(tick.size()));
    std::printf("product finder opened from the menu, painted, closed: median %.2f ms over %lld\n",
                median(finder), qlonglong(finder.size()));
    return 0;
}
