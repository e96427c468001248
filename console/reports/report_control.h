#pragma once

#include "console/reports/document.h"
#include "db/result.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

class Connection;

namespace report {

// A report read, or what stopped it: a fault of the definition or of a
// formula (told as information, naming the report), or a refusal of the
// database (told through trata_erro_banco).
struct Prepared
{
    enum class Fault { None, Definition, Database };
    std::optional<Document> document;
    Fault fault = Fault::None;
    Failure failure;

    explicit operator bool() const { return document.has_value(); }
};

// `cr`, the report component the console drives: a report file, ten formula
// slots holding "name = 'value'", a selection formula, a destination. It
// reads the definition and runs the report's own queries, with the
// selection's comparisons bound as values, into a finished Document.
class ReportControl
{
public:
    static constexpr int Slots = 10;
    enum class Destination { Preview = 0, File = 1 };

    // limpa_relatorio: the preview as destination, every slot and the
    // selection formula emptied.
    void limpa_relatorio();

    void setReportFileName(const QString& path) { m_file = path; }
    QString reportFileName() const { return m_file; }
    // "01" for ".../relatorio/01.rpt": how messages name the report.
    QString reportName() const;
    void setFormula(int slot, const QString& text);
    QString formula(int slot) const { return slot >= 0 && slot < Slots ? m_slots[slot] : QString(); }
    void setSelectionFormula(const QString& text) { m_selection = text; }
    QString selectionFormula() const { return m_selection; }
    void setDestination(Destination destination) { m_destination = destination; }
    Destination destination() const { return m_destination; }

    // Everything the report shows, read from `connection` before this
    // returns (inside the caller's transaction when one is open).
    // `printed` is the moment its pages say they were printed.
    Prepared read(Connection& connection, const QDateTime& printed) const;

private:
    Prepared fault(const QString& why) const;

    QString m_file;
    std::array<QString, Slots> m_slots;
    QString m_selection;
    Destination m_destination = Destination::Preview;
};

// The statement of one of the report's queries with its marks replaced by
// "?" and the values to bind, in order: {selection} by the selection's
// condition, {lower t.c} and {upper t.c} by the bounds it sets on a field.
struct BoundStatement
{
    QString sql;
    SqlParams params;
};
Result<BoundStatement> bindQuery(const QString& sql, const Selection& selection);

} // namespace report
