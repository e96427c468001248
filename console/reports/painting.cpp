#include "console/reports/document.h"

#include "common/br_format.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace report {

namespace {

// Millimetres to the device's own units.
struct Scale
{
    double k = 1;
    double operator()(double mm) const { return mm * k; }
    QRectF rect(double x, double y, double w, double h) const { return QRectF(x * k, y * k, w * k, h * k); }
};

Qt::Alignment alignmentOf(Align align)
{
    switch (align) {
    case Align::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case Align::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

double niceStep(double top)
{
    if (top <= 0)
        return 1;
    const double rough = top / 4;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10 * power;
}

QString shortAmount(double value)
{
    return br::number(Money::fromDouble(value).rounded(0), 0);
}

const QList<QColor>& defaultColors()
{
    static const QList<QColor> colors = {QColor(0x2f, 0x6d, 0xb5), QColor(0xe0, 0x8a, 0x1e), QColor(0x3a, 0x9a, 0x5b),
                                         QColor(0xb5, 0x3a, 0x3a)};
    return colors;
}

} // namespace

void Document::paintPage(QPainter& painter, int page) const
{
    if (page < 0 || page >= pageCount())
        return;
    const Scale s{painter.device()->logicalDpiX() / 25.4};
    const double left = m_def.margins.left();
    const double width = m_def.bodyWidth();
    QFont base(m_def.fontFamily);
    base.setPointSizeF(m_def.fontSize);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    bool stripeOn = false;
    for (const Placed& placed : m_pages[page]) {
        const Band& band = m_def.bands[placed.band];
        if (band.kind == Band::Kind::Detail && band.stripe.isValid()) {
            // Every other row of the report shaded, counted from its first row.
            stripeOn = placed.row % 2 == 1;
            if (stripeOn)
                painter.fillRect(s.rect(left, placed.y, width, band.height), band.stripe);
        }
        for (int i = 0; i < band.elements.size(); ++i) {
            const Element& e = band.elements[i];
            const double w = e.w < 0 ? width - e.x : e.w;
            const double h = e.h < 0 ? band.height - e.y : e.h;
            const QRectF area = s.rect(left + e.x, placed.y + e.y, w, h);
            switch (e.kind) {
            case Element::Kind::Text: {
                QFont font = base;
                if (e.size > 0)
                    font.setPointSizeF(e.size);
                font.setBold(e.bold);
                font.setItalic(e.italic);
                painter.setFont(font);
                painter.setPen(e.color);
                QString text = textOf(m_pieces[placed.band][i], placed, page);
                const QFontMetricsF metrics(font, painter.device());
                if (metrics.horizontalAdvance(text) > area.width())
                    text = metrics.elidedText(text, Qt::ElideRight, area.width());
                painter.drawText(area, int(alignmentOf(e.align)) | Qt::TextSingleLine, text);
                break;
            }
            case Element::Kind::Line:
                painter.setPen(QPen(e.color, s(e.thickness)));
                painter.drawLine(QPointF(area.left(), area.top()), QPointF(area.right(), area.top()));
                break;
            case Element::Kind::Box:
                if (e.fill.isValid())
                    painter.fillRect(area, e.fill);
                if (e.thickness > 0) {
                    painter.setPen(QPen(e.color, s(e.thickness)));
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(area);
                }
                break;
            case Element::Kind::Chart:
                painter.setFont(base);
                paintChart(painter, e, area, s.k);
                break;
            }
        }
    }
    painter.restore();
}

void Document::paintChart(QPainter& painter, const Element& e, const QRectF& area, double k) const
{
    const Scale s{k};
    const Rows& rows = m_data.queries.value(e.query.toLower());
    const int label = rows.column(e.label);
    QList<int> valueColumns;
    for (const QString& column : e.values)
        valueColumns.append(rows.column(column));

    // The bars: one per hour of the selection's range, or one per row.
    QStringList labels;
    QList<QList<double>> parts;
    auto partsOf = [&](int row) {
        QList<double> values;
        for (int column : valueColumns)
            values.append(rows.money(row, rows.columns().value(column)).toDouble());
        return values;
    };
    if (!e.hours.isEmpty()) {
        const auto lower = m_selection.bound(e.hours, true);
        const auto upper = m_selection.bound(e.hours, false);
        const QDateTime from = lower ? lower->toDriver().value().toDateTime() : QDateTime();
        const QDateTime to = upper ? upper->toDriver().value().toDateTime() : QDateTime();
        int count = 24;
        int firstHour = 0;
        if (from.isValid() && to.isValid()) {
            const QDateTime start(from.date(), QTime(from.time().hour(), 0));
            count = int(qBound(qint64(1), start.secsTo(to) / 3600 + 1, qint64(24)));
            firstHour = from.time().hour();
        }
        for (int i = 0; i < count; ++i) {
            const int hour = (firstHour + i) % 24;
            labels.append(QStringLiteral("%1h").arg(hour));
            QList<double> sum(valueColumns.size(), 0.0);
            for (int r = 0; r < rows.count(); ++r) {
                if (rows.value(r, label).toInt() != hour)
                    continue;
                const QList<double> values = partsOf(r);
                for (int v = 0; v < values.size(); ++v)
                    sum[v] += values[v];
            }
            parts.append(sum);
        }
    } else {
        for (int r = 0; r < rows.count(); ++r) {
            labels.append(formatValue(rows.value(r, label), Format::Raw));
            parts.append(partsOf(r));
        }
    }

    double top = 0;
    for (const QList<double>& bar : parts) {
        double total = 0;
        for (double part : bar)
            total += qMax(0.0, part);
        top = qMax(top, total);
    }
    const double step = niceStep(top);
    const double scaleTop = top > 0 ? std::ceil(top / step) * step : 4 * step;

    QFont font = painter.font();
    QFont small = font;
    small.setPointSizeF(font.pointSizeF() * 0.8);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF metrics(small, painter.device());
    const double lineHeight = metrics.height();

    QRectF plot = area;
    if (!e.title.isEmpty()) {
        painter.setFont(bold);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), area.top(), area.width(), lineHeight * 1.6),
                         Qt::AlignLeft | Qt::AlignVCenter, e.title);
        plot.setTop(area.top() + lineHeight * 1.8);
    }
    const QList<QColor>& palette = e.colors.isEmpty() ? defaultColors() : e.colors;
    if (!e.legend.isEmpty()) {
        painter.setFont(small);
        double x = area.right();
        for (int v = int(e.legend.size()) - 1; v >= 0; --v) {
            const double textWidth = metrics.horizontalAdvance(e.legend[v]);
            x -= textWidth;
            painter.setPen(Qt::black);
            painter.drawText(QRectF(x, area.top(), textWidth, lineHeight * 1.6), Qt::AlignVCenter, e.legend[v]);
            x -= lineHeight * 1.2;
            painter.fillRect(QRectF(x, area.top() + lineHeight * 0.45, lineHeight * 0.8, lineHeight * 0.8),
                             palette[v % palette.size()]);
            x -= lineHeight * 1.5;
        }
        plot.setTop(qMax(plot.top(), area.top() + lineHeight * 1.8));
    }
    const double axisWidth = metrics.horizontalAdvance(shortAmount(scaleTop)) + s(2);
    plot.setLeft(area.left() + axisWidth);
    plot.setBottom(area.bottom() - lineHeight * 1.4);
    plot.setTop(plot.top() + lineHeight);   // room for the figures above the bars

    // Scale lines and their amounts.
    painter.setFont(small);
    for (double value = 0; value <= scaleTop + step / 2; value += step) {
        const double y = plot.bottom() - plot.height() * value / scaleTop;
        painter.setPen(QPen(QColor(0xd0, 0xd0, 0xd0), s(0.15)));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(QColor(0x55, 0x55, 0x55));
        painter.drawText(QRectF(area.left(), y - lineHeight / 2, axisWidth - s(1.5), lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, shortAmount(value));
    }

    const int bars = int(parts.size());
    if (bars == 0 || top <= 0) {
        painter.setFont(font);
        painter.setPen(QColor(0x55, 0x55, 0x55));
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("Sem movimento no período"));
    }
    const double slot = bars > 0 ? plot.width() / bars : plot.width();
    for (int b = 0; b < bars && top > 0; ++b) {
        const double x = plot.left() + slot * b + slot * 0.15;
        double y = plot.bottom();
        double total = 0;
        for (int v = 0; v < parts[b].size(); ++v) {
            const double part = qMax(0.0, parts[b][v]);
            const double height = plot.height() * part / scaleTop;
            painter.fillRect(QRectF(x, y - height, slot * 0.7, height), palette[v % palette.size()]);
            y -= height;
            total += part;
        }
        painter.setPen(Qt::black);
        if (total > 0)
            painter.drawText(QRectF(x - slot * 0.15, y - lineHeight, slot, lineHeight), Qt::AlignCenter,
                             shortAmount(total));
    }
    painter.setPen(QColor(0x33, 0x33, 0x33));
    for (int b = 0; b < bars; ++b)
        painter.drawText(QRectF(plot.left() + slot * b, plot.bottom() + lineHeight * 0.2, slot, lineHeight),
                         Qt::AlignCenter, labels.value(b));
    painter.setPen(QPen(QColor(0x33, 0x33, 0x33), s(0.25)));
    painter.drawLine(QPointF(plot.left(), plot.bottom()), QPointF(plot.right(), plot.bottom()));
}

} // namespace report
