#include "registers/screen_parts.h"

#include <QFrame>
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

int pixels(int twips)
{
    return twips / 15;
}

} // namespace screenparts
