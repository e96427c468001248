#include "console/report_preview.h"

#include "common/message_texts.h"
#include "common/messages.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>

namespace {

QString askFile(QWidget* parent, const QString& suggested)
{
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Salvar relatório em PDF"), suggested,
                                                QStringLiteral("Documento PDF (*.pdf)"));
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    return path;
}

} // namespace

PreviewPresenter::PreviewPresenter(Messages& messages, FileChooser chooser)
    : m_messages(messages)
    , m_chooser(chooser ? std::move(chooser) : FileChooser(askFile))
{
}

QString PreviewPresenter::suggestedFile(const report::Document& document)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString name = document.definition().title + u' '
        + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".pdf");
    return QDir(folder).filePath(name);
}

Result<void> PreviewPresenter::present(const report::Document& document)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(document.pageLayout());
    printer.setFullPage(true);
    printer.setDocName(document.definition().title);

    QPrintPreviewDialog dialog(&printer);
    dialog.setObjectName(QStringLiteral("cr"));
    dialog.setWindowTitle(document.definition().title);
    dialog.setWindowModality(Qt::ApplicationModal);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&document](QPrinter* target) { document.print(*target); });

    if (auto* toolbar = dialog.findChild<QToolBar*>()) {
        toolbar->addSeparator();
        QAction* save = toolbar->addAction(dialog.style()->standardIcon(QStyle::SP_DialogSaveButton),
                                           QStringLiteral("Salvar em PDF"));
        save->setObjectName(QStringLiteral("savePdf"));
        save->setToolTip(QStringLiteral("Salvar o relatório num arquivo PDF (Ctrl+S)"));
        save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
        QObject::connect(save, &QAction::triggered, &dialog, [this, &dialog, &document] { savePdf(&dialog, document); });
    }
    // The whole working area, as the console itself: a bare X server has no
    // window manager to maximise it.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        dialog.setGeometry(screen->availableGeometry());
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
    return {};
}

void PreviewPresenter::savePdf(QPrintPreviewDialog* dialog, const report::Document& document)
{
    const QString path = m_chooser(dialog, suggestedFile(document));
    if (path.isEmpty())
        return;
    if (Result<void> written = document.writePdf(path); !written) {
        m_messages.info(written.failure().text);
        return;
    }
    m_messages.info(msg::relatorioGravado.arg(QDir::toNativeSeparators(path)));
}
