// The preview window: its pages, saving the report as a PDF from it, and the
// console's menu entries reaching it.

#include "common/message_texts.h"
#include "console/main_window.h"
#include "console/report_preview.h"
#include "tests/console/console_fixture.h"
#include "tests/console/report_fixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

using namespace reports;

class TestReportPreview : public QObject
{
    Q_OBJECT
    std::unique_ptr<Bench> m;

private slots:
    // The console finds the definitions beside the program, or where this says.
    void initTestCase() { qputenv("VORINDA_RELATORIO", VORINDA_REPORT_FOLDER); }
    void init() { m = std::make_unique<Bench>(); }
    void cleanup() { m.reset(); }

    void savesPdfFromThePreview_data()
    {
        QTest::addColumn<QString>("answer");   // the file chosen: %D the data folder; empty: cancelled
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("message");
        QTest::newRow("saved") << "%D/produtos.pdf" << true << msg::relatorioGravado.arg("%D/produtos.pdf");
        QTest::newRow("cancelled") << "" << false << "";
        QTest::newRow("a folder that does not exist")
            << "%D/falta/produtos.pdf" << false << "Não foi possível gravar o arquivo %D/falta/produtos.pdf";
    }

    void savesPdfFromThePreview()
    {
        QFETCH(QString, answer);
        QFETCH(bool, written);
        QFETCH(QString, message);
        answer.replace(QStringLiteral("%D"), m->db.dataFolder());
        message.replace(QStringLiteral("%D"), m->db.dataFolder());
        // Many products: pages enough to page through.
        m->run(QStringLiteral("execute block as declare i integer = 0; begin while (i < 300) do begin "
                              "insert into produto (ncodigo, cdescricao, ngrupo, nvalor_venda) values "
                              "(null, 'Produto ' || : i, 1, 3); i = i + 1; end end"));
        QString suggested;
        PreviewPresenter preview(m->messages, [&](QWidget*, const QString& offered) {
            suggested = offered;
            return answer;
        });
        ConsoleReports reports(m->settings, m->messages, QStringLiteral(VORINDA_REPORT_FOLDER), {}, preview);
        QString title;
        int previewPages = 0;
        int documentPages = 0;
        whenModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(w);
            QVERIFY(dialog);
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            title = dialog->objectName() + u':' + dialog->windowTitle();
            auto* pages = dialog->findChild<QPrintPreviewWidget*>();
            QTRY_VERIFY(pages->pageCount() > 1);
            previewPages = pages->pageCount();
            QTest::keyClick(dialog, Qt::Key_S, Qt::ControlModifier);   // "Salvar em PDF"
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QCOMPARE(reports.produtosCadastrados(), ConsoleReports::Outcome::Shown);
        QCOMPARE(title, QStringLiteral("cr:Produtos cadastrados"));
        QVERIFY(suggested.endsWith(QStringLiteral(".pdf")) && suggested.contains(QStringLiteral("Produtos cadastrados")));
        QCOMPARE(m->messages.texts().join(u'\n').left(message.size()), message);
        QCOMPARE(QFile::exists(answer), written);
        if (written) {
            const QString text = pdfText(answer);
            documentPages = int(text.count(u'\f'));
            QCOMPARE(documentPages, previewPages);
            QVERIFY(text.contains(QStringLiteral("Página %1 de %1").arg(previewPages)));
        }
    }

    void menuEntriesReachThePreview()
    {
        // "Resumo dos caixa" by its shortcut: the period dialog, Enter through
        // it, then the report's preview; the console is usable again after.
        CountingNavigation navigation;
        Principal window(m->settings, navigation, m->messages, [] {}, nullptr, std::make_unique<SettableLockKeys>());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList seen;
        whenModal([&](QWidget* period) {
            QVERIFY(QTest::qWaitForWindowActive(period));
            seen << period->objectName();
            whenModal([&](QWidget* preview) {
                QVERIFY(QTest::qWaitForWindowActive(preview));
                seen << preview->objectName() + u':' + preview->windowTitle();
                QTest::keyClick(preview, Qt::Key_Escape);
            }, period);
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(seen, (QStringList{"FrmSelecionaData", "cr:Resumo dos caixas"}));
        QVERIFY2(m->messages.shown().isEmpty(), qPrintable(m->messages.transcript()));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestReportPreview)
#include "test_report_preview.moc"
