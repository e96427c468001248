#pragma once

#include "console/reports/definition.h"
#include "console/reports/formula.h"
#include "db/result.h"
#include "db/rows.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QPageLayout>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace report {

// What a report's queries brought back: the main query's rows and those of
// each further query, by name in lower case.
struct Data
{
    Rows main;
    QHash<QString, Rows> queries;
};

// A value's look on paper, named after a field's colon: {ntotal:money}.
enum class Format { Raw, Money, Number, Quantity, Integer, Date, Time, DateTime };

// One piece of a text element once its {fields} are read.
struct Piece
{
    enum class Kind { Literal, Column, Formula, Sum, Count, Page, Pages, Printed };
    Kind kind = Kind::Literal;
    QString text;          // the literal, or the formula's value
    int column = -1;       // in the main query's rows
    Format format = Format::Raw;
};

// A finished report: its definition, values and rows laid out on pages,
// ready to be painted on the preview, a printer or a PDF file.
class Document
{
public:
    // Checks every {field} of the layout against the formulas and the
    // columns the query brought, then lays the rows out on pages. A field
    // that names nothing is a failure naming the file and the line.
    static Result<Document> make(Definition definition, QHash<QString, QString> formulas, Selection selection,
                                 Data data, QDateTime printed);

    const Definition& definition() const { return m_def; }
    const Data& data() const { return m_data; }
    QString formula(const QString& name) const { return m_formulas.value(name); }
    int pageCount() const { return int(m_pages.size()); }
    // The paper, with no margins of the device's own: the report keeps its own.
    QPageLayout pageLayout() const;

    // One page onto a painter open on a device whose origin is the paper's
    // top left corner (a printer in full-page mode, a PDF writer).
    void paintPage(QPainter& painter, int page) const;
    // Every page onto `device`, a new page between them; false when the
    // device could not be painted on.
    bool print(QPagedPaintDevice& device) const;
    // The whole report as a PDF file, written in full or not at all.
    Result<void> writePdf(const QString& path) const;

    // One band as laid on a page: its place, the row it shows and the rows
    // its totals run over.
    struct Placed
    {
        int band = 0;
        double y = 0;      // mm from the paper's top
        int row = -1;      // a detail's row; a group band's first row
        int first = 0;     // totals over rows first..last
        int last = -1;
    };
    const QList<QList<Placed>>& pages() const { return m_pages; }

private:
    Document() = default;
    Result<void> compile();
    Result<QList<Piece>> compileText(const QString& text, int line);
    void layOut();
    QString textOf(const QList<Piece>& pieces, const Placed& placed, int page) const;
    void paintChart(QPainter& painter, const Element& element, const QRectF& area, double scale) const;

    Definition m_def;
    QHash<QString, QString> m_formulas;
    Selection m_selection;
    Data m_data;
    QDateTime m_printed;
    QList<QList<QList<Piece>>> m_pieces;   // [band][element]
    QList<int> m_groupColumns;             // per group, outermost first
    QList<QList<Placed>> m_pages;
};

// How a value of a column is written in a report.
QString formatValue(const QVariant& value, Format format);

} // namespace report
