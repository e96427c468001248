#include "sales/counter_style.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QSize>
#include <QWidget>

namespace counter_style {

void apply(QWidget* window)
{
    QFont font = window->font();
    font.setPointSize(FieldPoints);
    window->setFont(font);
    window->setStyleSheet(QStringLiteral(R"(
        QWidget { background: #10161f; color: #f2f2f2; font-size: 18pt; }
        QFrame#Frame1 { border: 2px solid #3b4a5e; border-radius: 6px; }
        QLabel { background: transparent; }
        QLabel#Label6 { color: #ffd54a; font-size: 28pt; font-weight: bold; }
        QLabel#Label15, QLabel#Label16, QLabel#Label8, QLabel#Label13 { color: #b8c2cf; font-size: 12pt; }
        QLabel#hint { color: #b8c2cf; }
        QLineEdit, QComboBox { background: #ffffff; color: #000000; border: 2px solid #5b6b80;
                               padding: 4px; selection-background-color: #1f5fbf; selection-color: #ffffff; }
        QLineEdit:focus, QComboBox:focus { border: 3px solid #ffd54a; }
        QLineEdit:read-only { background: #d9dee5; }
        QLineEdit:disabled { background: #59616b; color: #d0d0d0; }
        QLineEdit#Text7 { color: #006b1f; font-size: 34pt; font-weight: bold; }
        QTableView { background: #ffffff; color: #000000; gridline-color: #b0b8c2;
                       selection-background-color: #1f5fbf; selection-color: #ffffff; }
        QHeaderView::section { background: #2d3a4b; color: #ffffff; border: 1px solid #5b6b80; padding: 2px 6px; }
        QTableView:focus { border: 3px solid #ffd54a; }
        QCheckBox { background: transparent; }
        QCheckBox:focus { color: #ffd54a; }
        QCheckBox::indicator { width: 22px; height: 22px; background: #ffffff; border: 2px solid #5b6b80; }
        QCheckBox::indicator:checked { background: #ffd54a; border: 5px solid #ffffff; }
        QPushButton { background: #2d3a4b; color: #ffffff; border: 2px solid #5b6b80; padding: 6px 18px; }
        QPushButton:focus { border: 3px solid #ffd54a; }
    )"));
}

QSize frameSize(QSize preferred)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return preferred;
    const QSize room = screen->availableGeometry().size() - QSize(24, 24);
    return preferred.boundedTo(room);
}

} // namespace counter_style
