#pragma once

#include "db/money.h"
#include "db/result.h"

#include <QDateTime>
#include <QString>

class Connection;

// The largest quantity of one sale: the count is a 16-bit number.
inline constexpr int MaxEntryUnits = 32767;

// The quantity as typed, as a count of whole units (1 to MaxEntryUnits).
// Anything else (empty, not a number, zero, negative, fractional, too large)
// fails with msg::quantidadeInvalida.
Result<int> wholeUnits(const QString& quantityText);

// One sale of the admission counter: `units` units of the type named `tipo`.
struct EntrySale
{
    QString tipo;       // cnome of tipo_entrada
    QString forma;      // payment form as shown
    qint16 caixa = 0;   // numero_caixa
    Money preco;        // unit price, stored in every row
    int units = 0;
};

// What the database gave the sale: consecutive entry codes and document
// numbers, each drawn as one generator step, the stored date and the type's flag.
struct RecordedEntries
{
    qint64 firstCode = 0;
    qint64 lastCode = 0;
    qint64 firstNumber = 0;
    qint64 lastNumber = 0;
    QDateTime dataEntrada;
    bool parking = false;

    // "15" for one unit, "15 : 17" for several.
    QString documento() const;
};

// Stores one `entrada` row per unit, all in one transaction run where the
// database is, in one hop: every unit or none. Nothing is left open or
// half-written when it fails. `drawn` gets the codes and numbers as soon as
// they are drawn, before any row: a sale whose commit broke is looked for by
// them afterwards.
Result<RecordedEntries> recordEntries(Connection& connection, const EntrySale& sale,
                                      RecordedEntries* drawn = nullptr);

// How many of this register's entries with codes `first` to `last` are
// stored: all of them (the sale was stored) or none. The register is asked
// too: a server killed before its generator reached the disk may hand the
// same codes to another counter after its restart.
Result<int> storedEntries(Connection& connection, qint64 first, qint64 last, qint16 caixa);
// The stored moment of entry `code` (a null moment when there is none).
Result<QDateTime> storedEntryDate(Connection& connection, qint64 code);
