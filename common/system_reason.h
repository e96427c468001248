#pragma once

#include <QFileDevice>
#include <QString>

// Why a call to the system failed, in Portuguese: the operator reads it after
// "Motivo:", and the C library's own texts are English.

// The reason for an errno value; an unknown one is named by its number.
QString systemReason(int error);

// Why an operation on the file at `path` failed: the errno the failing call
// left, when it left one this table knows; else what the path itself shows
// (a folder, a folder that is not there); else the kind of failure Qt reports.
QString fileReason(const QString& path, QFileDevice::FileError kind, int error);
