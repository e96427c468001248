#pragma once

class QWidget;

// centraliza_form: the window centred on the available area of its screen.
void centraliza_form(QWidget* window);

// Keeps `frame` centred in its parent whenever the parent is resized (the
// counters' full-screen windows); a parent smaller than the frame shows the
// frame's top left corner.
void keepCentred(QWidget* frame);
// Centres `frame` in its parent once.
void centreInParent(QWidget* frame);
