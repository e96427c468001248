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
    // Every rule reaches only this window and the widgets of its frame: the
    // message boxes and dialogs it owns keep their own, readable look, while
    // the popup list of a field here is styled on purpose.
    Q_ASSERT(!window->objectName().isEmpty());
    QString sheet = QStringLiteral(R"(
        #W { background: #10161f; }
        #W #Frame1 { background: #10161f; border: 2px solid #3b4a5e; border-radius: 6px; }
        #W #Frame1 QLabel { background: transparent; color: #f2f2f2; font-size: 18pt; }
        #W #Frame1 QLabel#Label6 { color: #ffd54a; font-size: 28pt; font-weight: bold; }
        #W #Frame1 QLabel#Label15, #W #Frame1 QLabel#Label16, #W #Frame1 QLabel#Label8,
        #W #Frame1 QLabel#Label13 { color: #b8c2cf; font-size: 12pt; }
        #W #Frame1 QLabel#hint { color: #b8c2cf; }
        #W #Frame1 QLineEdit, #W #Frame1 QComboBox {
            background: #ffffff; color: #000000; border: 2px solid #5b6b80; font-size: 18pt;
            padding: 4px; selection-background-color: #1f5fbf; selection-color: #ffffff; }
        #W #Frame1 QLineEdit:focus, #W #Frame1 QComboBox:focus { border: 3px solid #ffd54a; }
        #W #Frame1 QLineEdit:read-only { background: #d9dee5; }
        #W #Frame1 QLineEdit:disabled { background: #59616b; color: #d0d0d0; }
        #W #Frame1 QLineEdit#Text7 { color: #006b1f; font-size: 34pt; font-weight: bold; }
        #W #Frame1 QComboBox QAbstractItemView { background: #ffffff; color: #000000; font-size: 18pt;
            border: 2px solid #5b6b80; selection-background-color: #1f5fbf; selection-color: #ffffff; }
        #W #Frame1 QTableView { background: #ffffff; color: #000000; gridline-color: #b0b8c2;
            selection-background-color: #1f5fbf; selection-color: #ffffff; }
        #W #Frame1 QHeaderView::section { background: #2d3a4b; color: #ffffff; border: 1px solid #5b6b80;
            padding: 2px 6px; }
        #W #Frame1 QTableView:focus { border: 3px solid #ffd54a; }
        #W #Frame1 QCheckBox { background: transparent; color: #f2f2f2; font-size: 18pt; }
        #W #Frame1 QCheckBox:focus { color: #ffd54a; }
        #W #Frame1 QCheckBox::indicator { width: 22px; height: 22px; background: #ffffff; border: 2px solid #5b6b80; }
        #W #Frame1 QCheckBox::indicator:checked { background: #ffd54a; border: 5px solid #ffffff; }
        #W #Frame1 QPushButton { background: #2d3a4b; color: #ffffff; border: 2px solid #5b6b80;
            padding: 6px 18px; font-size: 18pt; }
        #W #Frame1 QPushButton:focus { border: 3px solid #ffd54a; }
    )");
    sheet.replace(QStringLiteral("#W"), QLatin1Char('#') + window->objectName());
    window->setStyleSheet(sheet);
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
