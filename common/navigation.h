#pragma once

// Opening another screen without knowing who builds it: the counters switch
// to each other with F8 through this, and the start-up or the console supply it.
class Navigation
{
public:
    virtual ~Navigation() = default;
    virtual void openSaleScreen() = 0;    // FrmVendas
    virtual void openEntryScreen() = 0;   // FrmEntradas
    // The console's "Movimentos" and toolbar: the counter modal and without
    // owner; returns once it has closed (or handed over to the other by F8).
    virtual void runSaleScreen() { openSaleScreen(); }
    virtual void runEntryScreen() { openEntryScreen(); }
};
