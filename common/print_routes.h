#pragma once

#include "db/result.h"

#include <QString>
#include <QStringList>

struct TerminalSettings;

// How long a printer may accept nothing before the job is given up: a printer
// out of paper must never freeze the counter.
inline constexpr int printerTimeoutMs = 3000;

// F3: prints again the last job this run made, by the terminal's route
// (modo_impressao): 0 straight to the printer device, 1 through the outside
// program `imp` (imp.txt written anew with the job first), anything else
// prints nothing. Before the run has made a job, imp.txt is printed as it
// stands. Every failure comes back with a Portuguese text for the operator
// and, after "Motivo:", the reason.
Result<void> imprime_arquivo(const TerminalSettings& settings);

// A whole job: kept as the run's last job, written to imp.txt, then sent by
// the route. When the file cannot be written nothing is routed
// (msg::arquivoImpressaoFalhou), and F3 prints the job once it can.
Result<void> printJob(const TerminalSettings& settings, const QStringList& lines);

// The printer device of route 0: $VORINDA_PRINTER_PORT, default /dev/usb/lp0.
QString printerDevice();

// Route 0 on its own: each line and CR LF to `device`, opened without blocking;
// gives up with msg::impressoraNaoResponde once the device has accepted
// nothing for `timeoutMs`. The screen keeps painting between lines.
Result<void> sendToDevice(const QString& device, const QStringList& lines,
                          int timeoutMs = printerTimeoutMs);

// The outside print program of route 1: `imp` in the data folder, else on the
// PATH; empty when there is none.
QString findPrintProgram(const QString& dataDir);
