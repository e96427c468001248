#pragma once

#include "db/result.h"

#include <QColor>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>

// A report definition as read from its file under relatorio/: the page, the
// formula fields the program may set, the report's own queries and the bands
// of its layout. The format is plain text, one item a line, so that a person
// can read, change and compare it (relatorio/README.md describes it).
namespace report {

enum class Align { Left, Center, Right };

struct Element
{
    enum class Kind { Text, Line, Box, Chart };
    Kind kind = Kind::Text;
    int line = 0;                 // in the file, for messages
    // Position and size in millimetres inside the band; a negative size
    // reaches the band's right or bottom edge.
    double x = 0;
    double y = 0;
    double w = -1;
    double h = -1;

    // Text: the content with its {fields}, and how it is written.
    QString text;
    double size = 0;              // points; 0: the report's own font size
    bool bold = false;
    bool italic = false;
    Align align = Align::Left;
    QColor color = Qt::black;

    // Line and box.
    double thickness = 0.2;       // mm; 0: no border on a box
    QColor fill;                  // box only; invalid: none

    // Chart: bars from the rows of a further query.
    QString query;                // the query's name
    QString label;                // column naming each bar
    QStringList values;           // columns of the stacked parts of a bar
    QStringList legend;           // one name per value column
    QList<QColor> colors;         // one per value column
    QString hours;                // "table.column": one bar per hour of the selection's range on it
    QString title;
};

struct Band
{
    enum class Kind { Title, PageHeader, GroupHeader, Detail, GroupFooter, Summary, PageFooter };
    Kind kind = Kind::Detail;
    QString group;                // column of a group band
    double height = 0;            // mm
    QColor stripe;                // detail only: every other row shaded
    QList<Element> elements;
    int line = 0;
};

struct Query
{
    QString name;                 // empty for the report's main query
    QString sql;                  // with its {selection}, {lower t.c} and {upper t.c} marks
    int line = 0;
};

struct Definition
{
    QString file;                 // where it was read, for messages
    QString title;
    QPageSize pageSize = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins = QMarginsF(12, 10, 12, 10);   // mm
    QString fontFamily = QStringLiteral("DejaVu Sans");
    double fontSize = 9;
    QStringList formulas;         // formula fields, names exactly as the program sets them
    Query main;
    QList<Query> queries;         // further queries, by name
    QStringList groups;           // group columns, outermost first
    QList<Band> bands;

    const Band* band(Band::Kind kind, const QString& group = QString()) const;
    const Query* query(const QString& name) const;
    // Page size in millimetres, oriented.
    QSizeF pageMillimetres() const;
    double bodyWidth() const { return pageMillimetres().width() - margins.left() - margins.right(); }
};

// Reads a definition; a failure names the file and, for a fault in it, the line.
Result<Definition> readDefinition(const QString& path);
// The same from its text; `file` names it in messages.
Result<Definition> parseDefinition(const QString& text, const QString& file);

} // namespace report
