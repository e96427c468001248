#include "registers/screen_parts.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace screenparts {

QWidget* headerBand(const QString& title, QWidget* parent, const QString& titleName)
{
    auto* band = new QFrame(parent);
    band->setObjectName(QStringLiteral("header"));
    band->setFrameShape(QFrame::StyledPanel);
    band->setAutoFillBackground(true);
    QPalette palette = band->palette();
    palette.setColor(QPalette::Window, Qt::white);
    band->setPalette(palette);

    auto* caption = new QLabel(title, band);
    caption->setObjectName(titleName);
    QFont font = caption->font();
    font.setPointSizeF(font.pointSizeF() * 1.8);
    font.setBold(true);
    caption->setFont(font);

    auto* layout = new QHBoxLayout(band);
    layout->setContentsMargins(16, 10, 16, 10);
    layout->addWidget(caption);
    layout->addStretch();
    return band;
}

QLabel* label(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumWidth(100);
    return b;
}

QGridLayout* fieldGrid(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    return grid;
}

QGridLayout* labelledRows(const QList<std::pair<QString, QWidget*>>& rows, QWidget* parent)
{
    QGridLayout* grid = fieldGrid();
    grid->setColumnStretch(1, 1);
    for (int row = 0; row < rows.size(); ++row) {
        grid->addWidget(label(rows.at(row).first, parent), row, 0);
        grid->addWidget(rows.at(row).second, row, 1);
    }
    return grid;
}

int pixels(int twips)
{
    return twips / 15;
}

} // namespace screenparts
