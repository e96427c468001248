#include "app/screen_factories.h"

#include "console/main_window.h"
#include "entries/entry_window.h"
#include "sales/sale_screen.h"

// One line per kind of screen the start-up and the counters open.
ScreenFactories defaultScreenFactories()
{
    ScreenFactories factories;
    factories.sale = [](const ScreenContext& c) { return new FrmVendas(c.settings, c.messages, c.navigation); };
    factories.entry = [](const ScreenContext& c) { return new EntryWindow(c.settings, c.navigation, c.messages); };
    factories.console = [](const ScreenContext& c) {
        return new Principal(c.settings, c.navigation, c.messages, c.openConfigEditor);
    };
    return factories;
}
