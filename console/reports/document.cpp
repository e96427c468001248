#include "console/reports/document.h"

#include "common/br_format.h"

#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>

#include <functional>

namespace report {

namespace {

Failure fault(const Definition& def, int line, const QString& why)
{
    return Failure{QString(), QStringLiteral("%1, linha %2: %3").arg(def.file).arg(line).arg(why)};
}

std::optional<Format> formatNamed(const QString& name)
{
    static const QHash<QString, Format> formats = {
        {QString(), Format::Raw},
        {QStringLiteral("money"), Format::Money},
        {QStringLiteral("number"), Format::Number},
        {QStringLiteral("quantity"), Format::Quantity},
        {QStringLiteral("integer"), Format::Integer},
        {QStringLiteral("date"), Format::Date},
        {QStringLiteral("time"), Format::Time},
        {QStringLiteral("datetime"), Format::DateTime},
    };
    const auto found = formats.constFind(name.toLower());
    if (found == formats.constEnd())
        return std::nullopt;
    return *found;
}

// "2,5", "1", "0,125": up to three decimals, none that say nothing.
QString quantity(Money value)
{
    QString text = br::number(value, 3);
    if (text.contains(u',')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u','))
            text.chop(1);
    }
    return text;
}

} // namespace

QString formatValue(const QVariant& value, Format format)
{
    if (value.isNull())
        return format == Format::Money ? br::money(Money()) : QString();
    switch (format) {
    case Format::Raw:
        if (value.typeId() == QMetaType::QDateTime)
            return br::generalDate(value.toDateTime());
        if (value.typeId() == QMetaType::QDate)
            return br::date(value.toDate());
        if (value.typeId() == QMetaType::QTime)
            return br::time(value.toTime());
        return value.toString();
    case Format::Money:
        return br::money(moneyOf(value));
    case Format::Number:
        return br::number(moneyOf(value), 2);
    case Format::Quantity:
        return quantity(moneyOf(value));
    case Format::Integer:
        return br::number(moneyOf(value).rounded(0), 0);
    case Format::Date:
        return br::date(value.typeId() == QMetaType::QDate ? value.toDate() : value.toDateTime().date());
    case Format::Time:
        return br::time(value.typeId() == QMetaType::QTime ? value.toTime() : value.toDateTime().time());
    case Format::DateTime: {
        const QDateTime moment = value.toDateTime();
        return br::date(moment.date()) + u' ' + br::time(moment.time());
    }
    }
    return value.toString();
}

Result<Document> Document::make(Definition definition, QHash<QString, QString> formulas, Selection selection,
                                Data data, QDateTime printed)
{
    Document document;
    document.m_def = std::move(definition);
    document.m_formulas = std::move(formulas);
    document.m_selection = std::move(selection);
    document.m_data = std::move(data);
    document.m_printed = std::move(printed);
    if (auto compiled = document.compile(); !compiled)
        return compiled.failure();
    document.layOut();
    return document;
}

Result<QList<Piece>> Document::compileText(const QString& text, int line)
{
    static const QRegularExpression field(QStringLiteral("\\{([^{}]*)\\}"));
    QList<Piece> pieces;
    qsizetype at = 0;
    auto literal = [&](const QString& part) {
        if (!part.isEmpty())
            pieces.append(Piece{Piece::Kind::Literal, part});
    };
    for (auto it = field.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        literal(text.mid(at, match.capturedStart() - at));
        at = match.capturedEnd();
        const QString inside = match.captured(1).trimmed();
        const qsizetype colon = inside.lastIndexOf(u':');
        const QString name = (colon < 0 ? inside : inside.left(colon)).trimmed();
        const auto format = formatNamed(colon < 0 ? QString() : inside.mid(colon + 1).trimmed());
        if (!format)
            return fault(m_def, line, QStringLiteral("formato desconhecido em {%1} (money, number, quantity, "
                                                     "integer, date, time ou datetime)").arg(inside));
        Piece piece;
        piece.format = *format;
        static const QRegularExpression sum(QStringLiteral("^sum\\s*\\(\\s*([A-Za-z_][A-Za-z0-9_]*)\\s*\\)$"),
                                            QRegularExpression::CaseInsensitiveOption);
        const QString lower = name.toLower();
        if (name.startsWith(u'@')) {
            if (!m_def.formulas.contains(name.mid(1)))
                return fault(m_def, line, QStringLiteral("a fórmula %1 não está em [formulas]").arg(name.mid(1)));
            piece.kind = Piece::Kind::Formula;
            piece.text = m_formulas.value(name.mid(1));
        } else if (lower == u"page" || lower == u"pages" || lower == u"count") {
            piece.kind = lower == u"page" ? Piece::Kind::Page : lower == u"pages" ? Piece::Kind::Pages : Piece::Kind::Count;
        } else if (lower == u"printed") {
            piece.kind = Piece::Kind::Printed;
            if (colon < 0)
                piece.format = Format::DateTime;
        } else {
            const auto summed = sum.match(name);
            const QString columnName = summed.hasMatch() ? summed.captured(1) : name;
            piece.kind = summed.hasMatch() ? Piece::Kind::Sum : Piece::Kind::Column;
            piece.column = m_data.main.column(columnName);
            if (piece.column < 0)
                return fault(m_def, line, QStringLiteral("o campo {%1} não vem da consulta do relatório (colunas: %2)")
                                              .arg(inside, m_data.main.columns().join(QStringLiteral(", ")).toLower()));
        }
        pieces.append(piece);
    }
    literal(text.mid(at));
    return pieces;
}

Result<void> Document::compile()
{
    for (const QString& group : m_def.groups) {
        const int column = m_data.main.column(group);
        if (column < 0) {
            const Band* band = m_def.band(Band::Kind::GroupHeader, group);
            if (!band)
                band = m_def.band(Band::Kind::GroupFooter, group);
            return fault(m_def, band->line, QStringLiteral("o grupo %1 não é uma coluna da consulta").arg(group));
        }
        m_groupColumns.append(column);
    }
    for (const Band& band : m_def.bands) {
        QList<QList<Piece>> elements;
        for (const Element& e : band.elements) {
            if (e.kind == Element::Kind::Chart) {
                const Rows& rows = m_data.queries.value(e.query.toLower());
                const QStringList columns = QStringList(e.values) << e.label;
                for (const QString& column : columns) {
                    if (rows.column(column) < 0)
                        return fault(m_def, e.line, QStringLiteral("a coluna %1 não vem da consulta %2").arg(column, e.query));
                }
            }
            auto pieces = compileText(e.kind == Element::Kind::Text ? e.text : QString(), e.line);
            if (!pieces)
                return pieces.failure();
            elements.append(*pieces);
        }
        m_pieces.append(elements);
    }
    return {};
}

void Document::layOut()
{
    const double pageHeight = m_def.pageMillimetres().height();
    const auto indexOf = [this](Band::Kind kind, const QString& group = QString()) {
        const Band* band = m_def.band(kind, group);
        return band ? int(band - m_def.bands.constData()) : -1;
    };
    const int footer = indexOf(Band::Kind::PageFooter);
    const double bottom = pageHeight - m_def.margins.bottom() - (footer >= 0 ? m_def.bands[footer].height : 0);
    const int rows = m_data.main.count();
    const int groups = int(m_groupColumns.size());

    // Where each group level's runs of equal keys start and end.
    QList<QList<int>> runEnd(groups, QList<int>(rows, -1));
    QList<QList<int>> runStart(groups, QList<int>(rows, 0));
    for (int g = 0; g < groups; ++g) {
        int start = 0;
        for (int r = 0; r < rows; ++r) {
            bool changed = r == 0;
            for (int outer = 0; outer <= g && !changed; ++outer)
                changed = m_data.main.value(r, m_groupColumns[outer]) != m_data.main.value(r - 1, m_groupColumns[outer]);
            if (changed)
                start = r;
            runStart[g][r] = start;
        }
        int end = rows - 1;
        for (int r = rows - 1; r >= 0; --r) {
            runEnd[g][r] = end;
            if (runStart[g][r] == r)
                end = r - 1;
        }
    }

    double y = 0;
    bool bodyStarted = false;   // something besides the headers on this page
    int currentRow = -1;
    std::function<void()> newPage;
    auto place = [&](int band, int row, int first, int last, double keepWith) {
        if (band < 0)
            return;
        const double height = m_def.bands[band].height;
        if (bodyStarted && y + height + keepWith > bottom + 1e-6)
            newPage();
        m_pages.last().append(Placed{band, y, row, first, last});
        y += height;
        bodyStarted = true;
    };
    auto placeHeader = [&](int band) {
        if (band < 0)
            return;
        m_pages.last().append(Placed{band, y, -1, 0, rows - 1});
        y += m_def.bands[band].height;
    };
    newPage = [&] {
        m_pages.append(QList<Placed>());
        y = m_def.margins.top();
        bodyStarted = false;
        placeHeader(indexOf(Band::Kind::PageHeader));
        // A group that goes on shows its header again at the top.
        if (currentRow >= 0) {
            for (int g = 0; g < groups; ++g) {
                const int header = indexOf(Band::Kind::GroupHeader, m_def.groups[g]);
                if (header < 0)
                    continue;
                m_pages.last().append(Placed{header, y, runStart[g][currentRow], runStart[g][currentRow],
                                             runEnd[g][currentRow]});
                y += m_def.bands[header].height;
            }
        }
    };

    m_pages.append(QList<Placed>());
    y = m_def.margins.top();
    placeHeader(indexOf(Band::Kind::Title));
    placeHeader(indexOf(Band::Kind::PageHeader));

    const int detail = indexOf(Band::Kind::Detail);
    const double detailHeight = detail >= 0 ? m_def.bands[detail].height : 0;
    for (int r = 0; r < rows; ++r) {
        if (r > 0) {
            for (int g = groups - 1; g >= 0; --g) {
                if (runStart[g][r] == r)
                    place(indexOf(Band::Kind::GroupFooter, m_def.groups[g]), runStart[g][r - 1],
                          runStart[g][r - 1], r - 1, 0);
            }
        }
        currentRow = -1;   // a header placed now is not repeated on its own new page
        for (int g = 0; g < groups; ++g) {
            if (runStart[g][r] != r)
                continue;
            // A header keeps with what follows it: the inner headers and a first row.
            double following = detailHeight;
            for (int inner = g + 1; inner < groups; ++inner) {
                if (const Band* b = m_def.band(Band::Kind::GroupHeader, m_def.groups[inner]))
                    following += b->height;
            }
            place(indexOf(Band::Kind::GroupHeader, m_def.groups[g]), r, r, runEnd[g][r], following);
        }
        currentRow = r;
        const int first = groups ? runStart[groups - 1][r] : 0;
        const int last = groups ? runEnd[groups - 1][r] : rows - 1;
        place(detail, r, first, last, 0);
    }
    currentRow = -1;
    for (int g = groups - 1; g >= 0 && rows > 0; --g)
        place(indexOf(Band::Kind::GroupFooter, m_def.groups[g]), runStart[g][rows - 1], runStart[g][rows - 1],
              rows - 1, 0);
    place(indexOf(Band::Kind::Summary), -1, 0, rows - 1, 0);

    if (footer >= 0) {
        for (QList<Placed>& page : m_pages)
            page.append(Placed{footer, bottom, -1, 0, rows - 1});
    }
}

QString Document::textOf(const QList<Piece>& pieces, const Placed& placed, int page) const
{
    QString text;
    for (const Piece& piece : pieces) {
        switch (piece.kind) {
        case Piece::Kind::Literal:
        case Piece::Kind::Formula:
            text += piece.text;
            break;
        case Piece::Kind::Column:
            text += formatValue(m_data.main.value(placed.row < 0 ? placed.first : placed.row, piece.column), piece.format);
            break;
        case Piece::Kind::Sum: {
            Money total;
            for (int r = placed.first; r <= placed.last; ++r)
                total += moneyOf(m_data.main.value(r, piece.column));
            text += formatValue(total.toDecimalText(), piece.format);
            break;
        }
        case Piece::Kind::Count:
            text += QString::number(qMax(0, placed.last - placed.first + 1));
            break;
        case Piece::Kind::Page:
            text += QString::number(page + 1);
            break;
        case Piece::Kind::Pages:
            text += QString::number(pageCount());
            break;
        case Piece::Kind::Printed:
            text += formatValue(m_printed, piece.format);
            break;
        }
    }
    return text;
}

QPageLayout Document::pageLayout() const
{
    return QPageLayout(m_def.pageSize, m_def.orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool Document::print(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0 && !device.newPage())
            return false;
        paintPage(painter, page);
    }
    return painter.end();
}

Result<void> Document::writePdf(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Failure{QString(), QStringLiteral("Não foi possível gravar o arquivo %1: %2.").arg(path, file.errorString())};
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(pageLayout());
        writer.setResolution(600);
        writer.setTitle(m_def.title);
        writer.setCreator(QStringLiteral("Vorinda"));
        if (!print(writer)) {
            file.cancelWriting();
            return Failure{QString(), QStringLiteral("Não foi possível gerar o PDF %1.").arg(path)};
        }
    }
    if (!file.commit())
        return Failure{QString(), QStringLiteral("Não foi possível gravar o arquivo %1: %2. Nada foi gravado.")
                                      .arg(path, file.errorString())};
    return {};
}

} // namespace report
