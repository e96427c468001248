#pragma once

#include "console/console_reports.h"

#include <QString>

#include <functional>

class QPrintPreviewDialog;
class QWidget;

// The report's preview window: Qt's print preview (pages, zoom, the print
// dialog of any printer of the system) with a button that saves the report
// as a PDF file. Shown modally; present() returns when it is closed.
class PreviewPresenter final : public ReportPresenter
{
public:
    // Asks where to save the PDF; an empty answer saves nothing.
    using FileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;

    explicit PreviewPresenter(Messages& messages, FileChooser chooser = {});
    Result<void> present(const report::Document& document) override;

    static QString suggestedFile(const report::Document& document);

private:
    void savePdf(QPrintPreviewDialog* dialog, const report::Document& document);

    Messages& m_messages;
    FileChooser m_chooser;
};

// Writes the report to one PDF file and nothing else: the command line's
// destination.
class PdfPresenter final : public ReportPresenter
{
public:
    explicit PdfPresenter(QString path) : m_path(std::move(path)) {}
    Result<void> present(const report::Document& document) override { return document.writePdf(m_path); }

private:
    QString m_path;
};
