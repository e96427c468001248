#include "app/config_editor.h"
#include "app/config_editor_window.h"
#include "app_test_files.h"
#include "common/message_texts.h"
#include "common/terminal_settings.h"
#include "tests/support/scripted_messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using apptest::crlf;

Q_DECLARE_METATYPE(ConfigForm)

namespace {

ConfigForm formOf(const QString& banco, const QString& caixa, const QString& coluna, const QString& linha,
                  int impressao = 0, int modo = 0, bool quantidade = false)
{
    return ConfigForm{banco, caixa, coluna, linha, impressao, modo, quantidade};
}

const QList<QByteArray> fullFile = {"CONFIGURADO=TRUE", "PATH=/srv/bar.fdb", "CAIXA=2", "COLUNA=3",
                                    "LINHA=8", "IMPRESSAO=1", "MODO=ENTRADA", "QUANTIDADE=true"};

QList<QByteArray> fullFileWith(int line, const QByteArray& text)
{
    auto lines = fullFile;
    lines[line - 1] = text;
    return lines;
}

} // namespace

class TestConfigEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void load_data();
    void load();
    void save_data();
    void save();
    void saveCreatesAMissingFile();
    void saveThatCannotWriteKeepsTheOldFile();
    void leadingNumber_data();
    void leadingNumber();

    void windowControls();
    void savedByKeyboard();
    void refusedSaveKeepsTheWindowOpen_data();
    void refusedSaveKeepsTheWindowOpen();
    void escapeClosesWithoutWriting();

private:
    QString filePath() const { return configFilePath(m_dir->path()); }
    // Types `text` into a field as the operator would: the field selects
    // its whole text on entering, so the keys replace it.
    static void retype(QLineEdit* field, const QString& text);

    std::unique_ptr<QTemporaryDir> m_dir;
    TerminalSettings m_held;
};

void TestConfigEditor::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_held = TerminalSettings{};
    m_held.caminho_banco = QStringLiteral("/srv/bar.fdb");
}

void TestConfigEditor::load_data()
{
    QTest::addColumn<QByteArray>("file");   // "missing": no file
    QTest::addColumn<QString>("heldPath");
    QTest::addColumn<bool>("heldQuantity");
    QTest::addColumn<ConfigForm>("expected");

    const QString held = QStringLiteral("/srv/bar.fdb");
    QTest::addRow("whole file") << crlf(fullFile) << held << true << formOf("/srv/bar.fdb", "2", "3", "8", 1, 2, true);
    QTest::addRow("check box from the setting in force, not line 8")
        << crlf(fullFile) << held << false << formOf("/srv/bar.fdb", "2", "3", "8", 1, 2, false);
    QTest::addRow("no path held yet: the program's folder")
        << crlf(fullFileWith(1, "CONFIGURADO=FALSE")) << QString() << false
        << formOf("/opt/vorinda", "2", "3", "8", 1, 2, false);
    QTest::addRow("mode in any letter case, blanks around")
        << crlf(fullFileWith(7, "MODO= venda ")) << held << false << formOf("/srv/bar.fdb", "2", "3", "8", 1, 1, false);
    QTest::addRow("texts shown as written")
        << crlf(fullFileWith(3, "CAIXA= 2x")) << held << false << formOf("/srv/bar.fdb", " 2x", "3", "8", 1, 2, false);
    QTest::addRow("missing file: empty fields") << QByteArray("missing") << held << true << formOf("", "", "", "");
    QTest::addRow("stops at a line without its key")
        << crlf(fullFileWith(4, "LINHA=8")) << held << true << formOf("/srv/bar.fdb", "2", "", "");
    QTest::addRow("stops at a print type beyond the list")
        << crlf(fullFileWith(6, "IMPRESSAO=3")) << held << true << formOf("/srv/bar.fdb", "2", "3", "8");
    QTest::addRow("stops at a mode the list lacks")
        << crlf(fullFileWith(7, "MODO=CAIXA")) << held << true << formOf("/srv/bar.fdb", "2", "3", "8", 1, 0, false);
    QTest::addRow("short file") << crlf(fullFile.mid(0, 3)) << held << true << formOf("/srv/bar.fdb", "2", "", "");
}

void TestConfigEditor::load()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, heldPath);
    QFETCH(bool, heldQuantity);
    QFETCH(ConfigForm, expected);

    if (file != "missing")
        apptest::writeFile(filePath(), file);
    m_held.caminho_banco = heldPath;
    m_held.quantidade_livre = heldQuantity;
    ScriptedMessages messages;
    ConfigEditor editor(filePath(), m_held, QStringLiteral("/opt/vorinda"), messages);

    const ConfigForm form = editor.load();
    QCOMPARE(form.banco, expected.banco);
    QCOMPARE(form.caixa, expected.caixa);
    QCOMPARE(form.coluna, expected.coluna);
    QCOMPARE(form.linha, expected.linha);
    QCOMPARE(form.impressao, expected.impressao);
    QCOMPARE(form.modo, expected.modo);
    QCOMPARE(form.quantidade, expected.quantidade);
    QVERIFY(messages.shown().isEmpty());
}

void TestConfigEditor::save_data()
{
    QTest::addColumn<ConfigForm>("form");
    QTest::addColumn<QString>("message");      // empty: saved
    QTest::addColumn<QByteArray>("written");

    QTest::addRow("the editor's example")
        << formOf("c:\\dados\\movimento.fdb", "2", "3", "8", 0, 1, false) << QString()
        << crlf({"CONFIGURADO=TRUE", "PATH=c:\\dados\\movimento.fdb", "CAIXA=2", "COLUNA=3", "LINHA=8",
                 "IMPRESSAO=0", "MODO=VENDA", "QUANTIDADE=false"});
    QTest::addRow("console, print program, quantity")
        << formOf("srv:/bar.fdb", "1", "2", "1", 1, 0, true) << QString()
        << crlf({"CONFIGURADO=TRUE", "PATH=srv:/bar.fdb", "CAIXA=1", "COLUNA=2", "LINHA=1", "IMPRESSAO=1",
                 "MODO=GERENCIA", "QUANTIDADE=true"});
    QTest::addRow("texts written as typed")
        << formOf(" /a b.fdb ", " ", "3abc", "2.5", 2, 2, false) << QString()
        << crlf({"CONFIGURADO=TRUE", "PATH= /a b.fdb ", "CAIXA= ", "COLUNA=3abc", "LINHA=2.5", "IMPRESSAO=2",
                 "MODO=ENTRADA", "QUANTIDADE=false"});
    QTest::addRow("empty database") << formOf("", "1", "1", "1") << msg::camposObrigatorios << QByteArray();
    QTest::addRow("empty cash register") << formOf("x", "", "1", "1") << msg::camposObrigatorios << QByteArray();
    QTest::addRow("empty line") << formOf("x", "1", "1", "") << msg::camposObrigatorios << QByteArray();
    QTest::addRow("column 0") << formOf("x", "1", "0", "1") << msg::colunaLinhaMaiorQueZero << QByteArray();
    QTest::addRow("line negative") << formOf("x", "1", "1", "-2") << msg::colunaLinhaMaiorQueZero << QByteArray();
    QTest::addRow("column not a number") << formOf("x", "1", "abc", "1") << msg::colunaLinhaMaiorQueZero << QByteArray();
    QTest::addRow("column blank") << formOf("x", "1", " ", "1") << msg::colunaLinhaMaiorQueZero << QByteArray();
    QTest::addRow("a character the file cannot hold")
        << formOf(QStringLiteral("/dados/€.fdb"), "1", "1", "1") << msg::configNaoGravada << QByteArray();
}

void TestConfigEditor::save()
{
    QFETCH(ConfigForm, form);
    QFETCH(QString, message);
    QFETCH(QByteArray, written);

    const QByteArray old = crlf(fullFile);
    apptest::writeFile(filePath(), old);
    ScriptedMessages messages;
    ConfigEditor editor(filePath(), m_held, QString(), messages);

    const bool saved = editor.save(form);

    QCOMPARE(saved, message.isEmpty());
    if (message.isEmpty()) {
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(apptest::readFile(filePath()), written);
    } else {
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown().first().kind, ScriptedMessages::Kind::Info);
        QVERIFY2(messages.shown().first().text.startsWith(message), qPrintable(messages.transcript()));
        QCOMPARE(apptest::readFile(filePath()), old);
    }
}

void TestConfigEditor::saveCreatesAMissingFile()
{
    ScriptedMessages messages;
    ConfigEditor editor(filePath(), m_held, QString(), messages);
    QVERIFY(!QFile::exists(filePath()));
    QVERIFY(editor.save(formOf("/srv/bar.fdb", "1", "1", "1")));
    QVERIFY(apptest::readFile(filePath()).startsWith("CONFIGURADO=TRUE\r\nPATH=/srv/bar.fdb\r\n"));
}

void TestConfigEditor::saveThatCannotWriteKeepsTheOldFile()
{
    // The data folder's place is taken by a file: nothing can be written.
    const QString blocked = m_dir->filePath(QStringLiteral("bloqueado"));
    apptest::writeFile(blocked, "x");
    ScriptedMessages messages;
    ConfigEditor editor(configFilePath(blocked), m_held, QString(), messages);

    QVERIFY(!editor.save(formOf("/srv/bar.fdb", "1", "1", "1")));
    QCOMPARE(messages.shown().size(), 1);
    QVERIFY(messages.shown().first().text.startsWith(msg::configNaoGravada));
    QCOMPARE(apptest::readFile(blocked), QByteArray("x"));
}

void TestConfigEditor::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::addRow("plain") << "3" << 3.0;
    QTest::addRow("blanks before") << "  12" << 12.0;
    QTest::addRow("letters after") << "3abc" << 3.0;
    QTest::addRow("decimal point") << "2.5" << 2.5;
    QTest::addRow("decimal comma stops") << "0,5" << 0.0;
    QTest::addRow("negative") << "-4" << -4.0;
    QTest::addRow("letters first") << "abc3" << 0.0;
    QTest::addRow("empty") << "" << 0.0;
}

void TestConfigEditor::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(ConfigEditor::leadingNumber(text), number);
}

void TestConfigEditor::retype(QLineEdit* field, const QString& text)
{
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    if (field->selectedText() != field->text())
        field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
}

void TestConfigEditor::windowControls()
{
    apptest::writeFile(filePath(), crlf(fullFile));
    ScriptedMessages messages;
    ConfigEditorWindow window(filePath(), m_held, QString(), messages);

    QCOMPARE(window.objectName(), QStringLiteral("FrmConfiguracao"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Configurações"));
    QStringList labels;
    for (auto* label : window.findChildren<QLabel*>())
        labels << label->text();
    for (const char* caption : {"Banco de dados", "Caixa", "Coluna impressão", "Linha impressão",
                                "Tipo de impressão", "Modo de execução"})
        QVERIFY2(labels.contains(QString::fromUtf8(caption)), caption);
    auto* combo1 = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* combo2 = window.findChild<QComboBox*>(QStringLiteral("Combo2"));
    QVERIFY(combo1 && combo2);
    QVERIFY(!combo1->isEditable() && !combo2->isEditable());
    QCOMPARE(combo1->count(), 3);
    QCOMPARE(combo1->itemText(1), QStringLiteral("Chamada ao aplicativo auxiliar de impressão"));
    QCOMPARE(combo2->itemText(0), QStringLiteral("Gerencia"));
    QCOMPARE(window.findChild<QCheckBox*>(QStringLiteral("Check2"))->text(),
             QStringLiteral("Permitir digitação da quantidade"));
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("Command1"))->text(), QStringLiteral("Gravar"));
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("Command2"))->text(), QStringLiteral("Sair"));
    // The file's values are in the controls.
    QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("Text11"))->text(), QStringLiteral("/srv/bar.fdb"));
    QCOMPARE(combo1->currentIndex(), 1);
    QCOMPARE(combo2->currentText(), QStringLiteral("Entrada"));
}

void TestConfigEditor::savedByKeyboard()
{
    apptest::writeFile(filePath(), crlf(fullFile));
    m_held.quantidade_livre = false;
    ScriptedMessages messages;
    auto* window = new ConfigEditorWindow(filePath(), m_held, QString(), messages);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<ConfigEditorWindow> alive(window);
    QSignalSpy saved(window, &ConfigEditorWindow::saved);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));

    retype(window->findChild<QLineEdit*>(QStringLiteral("Text11")), QStringLiteral("/dados/novo.fdb"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // Enter moved on to Text3 with its text selected: typing replaces it.
    auto* text3 = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(text3);
    QCOMPARE(text3->objectName(), QStringLiteral("Text3"));
    QCOMPARE(text3->selectedText(), QStringLiteral("2"));
    QTest::keyClicks(text3, QStringLiteral("4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("6"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // Combo1: from "Chamada..." down to "Nenhum"; Combo2: from "Entrada" up to "Venda".
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Combo1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Combo2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Check2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QTRY_COMPARE(saved.count(), 1);
    QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.transcript()));
    QCOMPARE(apptest::readFile(filePath()),
             crlf({"CONFIGURADO=TRUE", "PATH=/dados/novo.fdb", "CAIXA=4", "COLUNA=2", "LINHA=6", "IMPRESSAO=2",
                   "MODO=VENDA", "QUANTIDADE=true"}));
    QTRY_VERIFY(!alive);
}

void TestConfigEditor::refusedSaveKeepsTheWindowOpen_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addRow("empty database") << "Text11" << "" << msg::camposObrigatorios;
    QTest::addRow("empty cash register") << "Text3" << "" << msg::camposObrigatorios;
    QTest::addRow("column 0") << "Text1" << "0" << msg::colunaLinhaMaiorQueZero;
    QTest::addRow("line 0") << "Text2" << "0" << msg::colunaLinhaMaiorQueZero;
}

void TestConfigEditor::refusedSaveKeepsTheWindowOpen()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);

    const QByteArray old = crlf(fullFile);
    apptest::writeFile(filePath(), old);
    ScriptedMessages messages;
    ConfigEditorWindow window(filePath(), m_held, QString(), messages);
    QSignalSpy saved(&window, &ConfigEditorWindow::saved);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    retype(window.findChild<QLineEdit*>(field), text);
    auto* gravar = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    gravar->setFocus();
    QTest::keyClick(gravar, Qt::Key_Return);

    QCOMPARE(messages.shown().size(), 1);
    QCOMPARE(messages.shown().first().text, message);
    QCOMPARE(saved.count(), 0);
    QVERIFY(window.isVisible());
    QCOMPARE(apptest::readFile(filePath()), old);
}

void TestConfigEditor::escapeClosesWithoutWriting()
{
    const QByteArray old = crlf(fullFile);
    apptest::writeFile(filePath(), old);
    ScriptedMessages messages;
    ConfigEditorWindow window(filePath(), m_held, QString(), messages);
    QSignalSpy saved(&window, &ConfigEditorWindow::saved);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    auto* text3 = window.findChild<QLineEdit*>(QStringLiteral("Text3"));
    retype(text3, QStringLiteral("9"));
    QTest::keyClick(text3, Qt::Key_Escape);

    QTRY_VERIFY(!window.isVisible());
    QCOMPARE(saved.count(), 0);
    QVERIFY(messages.shown().isEmpty());
    QCOMPARE(apptest::readFile(filePath()), old);
}

QTEST_MAIN(TestConfigEditor)
#include "test_config_editor.moc"
