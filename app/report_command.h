#pragma once

// vorinda --report NN [--from "dd/mm/aaaa hh:mm" --to "dd/mm/aaaa hh:mm"] --pdf FILE
// writes one report as a PDF file with no window, on the database of this
// terminal's configuration: for archiving or sending it on.

// Whether the command line asks for a report.
bool isReportCommand(int argc, char** argv);
// Runs it: 0 when the PDF was written, 1 when the report could not be made
// (the reason on the error output), 2 for a bad option or date.
int runReportCommand(int argc, char** argv);
