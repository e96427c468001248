#pragma once

#include "db/result.h"

#include <QByteArray>
#include <QString>

// What a file's folder may do to replacing it.
enum class InPlace {
    Never,            // the file is replaced whole or not at all
    WhenFolderLocked  // a folder that takes no new file gets the file itself rewritten
};

// `bytes` as the whole new content of `path`, created when missing: written
// beside the old file, flushed and checked, then renamed over it, so a
// failure (a full disk, a folder without permission) leaves the old file
// whole. With InPlace::WhenFolderLocked a folder that refuses the file beside
// it gets the file itself rewritten, which a failure half-way leaves cut. A
// failure's text is the reason in Portuguese.
Result<void> replaceFile(const QString& path, const QByteArray& bytes, InPlace inPlace = InPlace::Never);
