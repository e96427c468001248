#pragma once

#include "db/result.h"

#include <QString>

// The database user the workstations log in as. SYSDBA with "lanternas" when
// the installation says nothing else; an installation names its own user in
// the data folder's login file, which only its owner may read:
//
//     USUARIO=bar
//     SENHA=the password
//
// (Latin-1, CR LF or LF; the password is taken exactly as written.)
struct DatabaseLogin
{
    QString user = QStringLiteral("SYSDBA");
    QString password = QStringLiteral("lanternas");
};

// `<dataDir>/credenciais.ini`
QString loginFilePath(const QString& dataDir);

// The login of this installation: the default when the file does not exist;
// a failure (in Portuguese) when it cannot be read, lacks a line, or may be
// read or changed by other users of the machine.
Result<DatabaseLogin> readLogin(const QString& dataDir);
