#pragma once

#include <QString>

// An embedded Firebird engine keeps its lock files in /tmp/firebird. Once the
// server package is installed that folder belongs to user firebird, and any
// other desktop user fails every attach with "Permission denied". Before the
// first attach or create of the process this points FIREBIRD_LOCK at a folder
// of the user's own (only when nobody set it and the shared one is closed to
// us). Returns the folder chosen, or an empty text when nothing was changed.
QString prepareEmbeddedLockFolder();
