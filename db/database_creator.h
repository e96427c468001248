#pragma once

#include "db/login.h"
#include "db/result.h"

#include <optional>

#include <QString>
#include <QStringList>

// Creates a new, ready database at `path`: a plain file path makes it in this
// process (embedded), "host:/path" or "host/port:/path" on a Firebird server.
// Page size 8192, UTF8, the whole schema with the rows every installation
// needs, plus the demo catalogue when `demo`. An existing database is never
// touched: the creation is refused. When a step after the file was made
// fails, the half-made database is removed again.
Result<void> createDatabase(const QString& path, bool demo);

struct CreateOptions
{
    // Off only for throwaway databases (tests): a power cut may lose commits.
    bool synchronousWrites = true;
    // Statements run after the schema, like its own (a test uses one that
    // fails, to see the half-made database removed).
    QStringList extraStatements;
    // Who creates the database (on a server: its SYSDBA).
    DatabaseLogin admin;
    // A user created (or given a new password) for the workstations, with
    // rights on the bar's tables, generators and exceptions only.
    std::optional<DatabaseLogin> workstations;
};

// Whether `login` can be written into the user's DDL (which takes no
// parameters): a plain name, a password of printable Latin-1 characters.
// The reason in Portuguese when not.
Result<void> checkWorkstationLogin(const DatabaseLogin& login);
Result<void> createDatabase(const QString& path, bool demo, const CreateOptions& options);

// True when `path` names a database on a server rather than a local file.
bool isServerPath(const QString& path);

// Turns synchronous writes of a database off or on (its header flag). Off
// suits throwaway test databases only: a power cut may then lose commits.
Result<void> setForcedWrites(const QString& path, bool on, const DatabaseLogin& login = DatabaseLogin());
