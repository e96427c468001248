#include "app/config_editor.h"
#include "app/config_editor_window.h"
#include "app_test_files.h"
#include "common/message_texts.h"
#include "common/terminal_settings.h"
#include "tests/support/full_disk.h"
#include "tests/support/scripted_messages.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using apptest::crlf;
using apptest::crlfWith;

Q_DECLARE_METATYPE(ConfigForm)

char* toString(const ConfigForm& f)
{
    return QTest::toString(QStringLiteral("{%1|%2|%3|%4|%5|%6|%7}").arg(
        f.banco, f.caixa, f.coluna, f.linha, QString::number(f.impressao), QString::number(f.modo),
        f.quantidade ? QStringLiteral("true") : QStringLiteral("false")));
}

namespace {

const QList<QByteArray> fullFile = {"CONFIGURADO=TRUE", "PATH=/srv/bar.fdb", "CAIXA=2", "COLUNA=3",
                                    "LINHA=8", "IMPRESSAO=1", "MODO=ENTRADA", "QUANTIDADE=true"};

void key(Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
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
    void fullDisk_data();
    void fullDisk();
    void savedByKeyboard();

private:
    QString filePath() const { return configFilePath(m_dir->path()); }

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
    QTest::addRow("check box from the setting in force, not line 8")
        << crlf(fullFile) << held << false << ConfigForm{held, "2", "3", "8", 1, 2, false};
    QTest::addRow("no path held yet: the program's folder")
        << crlfWith(fullFile, 1, "CONFIGURADO=FALSE") << QString() << false << ConfigForm{"/opt/vorinda", "2", "3", "8", 1, 2};
    QTest::addRow("mode in any letter case, texts as written")
        << crlfWith(fullFile, 7, "MODO= venda ").replace("CAIXA=2", "CAIXA= 2x") << held << false
        << ConfigForm{held, " 2x", "3", "8", 1, 1, false};
    QTest::addRow("missing file: empty fields") << QByteArray("missing") << held << true << ConfigForm{};
    QTest::addRow("stops at a line without its key") << crlfWith(fullFile, 4, "LINHA=8") << held << true << ConfigForm{held, "2", "", ""};
    QTest::addRow("stops at a mode the list lacks")
        << crlfWith(fullFile, 7, "MODO=CAIXA") << held << true << ConfigForm{held, "2", "3", "8", 1, 0, false};
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
    QCOMPARE(ConfigEditor(filePath(), m_held, QStringLiteral("/opt/vorinda"), messages).load(), expected);
    QVERIFY(messages.shown().isEmpty());
}

void TestConfigEditor::save_data()
{
    QTest::addColumn<ConfigForm>("form");
    QTest::addColumn<QString>("message");      // empty: saved
    QTest::addColumn<QByteArray>("written");

    QTest::addRow("the editor's example")
        << ConfigForm{"c:\\dados\\movimento.fdb", "2", "3", "8", 0, 1, false} << QString()
        << crlf({"CONFIGURADO=TRUE", "PATH=c:\\dados\\movimento.fdb", "CAIXA=2", "COLUNA=3", "LINHA=8",
                 "IMPRESSAO=0", "MODO=VENDA", "QUANTIDADE=false"});
    QTest::addRow("texts as typed, column and line by their leading number")
        << ConfigForm{" /a b.fdb ", " ", "3abc", " 2.5", 2, 0, true} << QString()
        << crlf({"CONFIGURADO=TRUE", "PATH= /a b.fdb ", "CAIXA= ", "COLUNA=3abc", "LINHA= 2.5", "IMPRESSAO=2",
                 "MODO=GERENCIA", "QUANTIDADE=true"});
    QTest::addRow("empty line") << ConfigForm{"x", "1", "1", ""} << msg::camposObrigatorios << QByteArray();
    QTest::addRow("line negative") << ConfigForm{"x", "1", "1", "-2"} << msg::colunaLinhaMaiorQueZero << QByteArray();
    QTest::addRow("decimal comma stops the number") << ConfigForm{"x", "1", "0,5", "1"} << msg::colunaLinhaMaiorQueZero << QByteArray();
    QTest::addRow("a character the file cannot hold")
        << ConfigForm{QStringLiteral("/dados/€.fdb"), "1", "1", "1"} << msg::configNaoGravada << QByteArray();
}

// A save creates the missing file; a refused one leaves the old one as it was.
void TestConfigEditor::save()
{
    QFETCH(ConfigForm, form);
    QFETCH(QString, message);
    QFETCH(QByteArray, written);
    const QByteArray old = crlf(fullFile);
    if (!message.isEmpty())
        apptest::writeFile(filePath(), old);
    ScriptedMessages messages;
    const bool saved = ConfigEditor(filePath(), m_held, QString(), messages).save(form);
    QCOMPARE(saved, message.isEmpty());
    QCOMPARE(messages.shown().size(), saved ? 0 : 1);
    if (!saved)
        QVERIFY2(messages.shown().first().kind == ScriptedMessages::Kind::Info
                     && messages.shown().first().text.startsWith(message),
                 qPrintable(messages.transcript()));
    QCOMPARE(apptest::readFile(filePath()), saved ? written : old);
}

// A disk that takes no more: the save says so, with the reason in Portuguese,
// and the old file stays whole (it used to be replaced by an empty one).
void TestConfigEditor::fullDisk_data()
{
    QTest::addColumn<bool>("smallDisk");   // else a limit on file sizes
    QTest::addColumn<QString>("reason");
    QTest::addRow("small file system filled up") << true << QStringLiteral("não há espaço livre no disco");
    QTest::addRow("file size limit") << false << QStringLiteral("o arquivo passou do tamanho máximo");
}

void TestConfigEditor::fullDisk()
{
    QFETCH(bool, smallDisk);
    QFETCH(QString, reason);
    SmallDisk disk;
    if (smallDisk && !disk.mounted())
        QSKIP(qPrintable(disk.reason()));
    const QString path = smallDisk ? configFilePath(disk.path()) : filePath();
    const QByteArray old = crlf(fullFile);
    apptest::writeFile(path, old);
    if (smallDisk)
        QVERIFY(disk.fill());
    std::optional<FileSizeLimit> limit;
    if (!smallDisk)
        limit.emplace(old.size() / 2);
    ScriptedMessages messages;
    const bool saved = ConfigEditor(path, m_held, QString(), messages)
                           .save(ConfigForm{QStringLiteral("/srv/outro.fdb"), "3", "1", "1", 0, 1, false});
    limit.reset();
    QVERIFY(!saved);
    QCOMPARE(messages.shown().size(), 1);
    const QString shown = messages.shown().first().text;
    QVERIFY2(shown.startsWith(msg::configNaoGravada) && shown.contains(path + QStringLiteral(": ") + reason),
             qPrintable(shown));
    QCOMPARE(apptest::readFile(path), old);
}

// Enter walks the controls, each text selected so typing replaces it; a
// refused save keeps the window open and the file as it was.
void TestConfigEditor::savedByKeyboard()
{
    const QByteArray old = crlf(fullFile);
    apptest::writeFile(filePath(), old);
    m_held.quantidade_livre = false;
    ScriptedMessages messages;
    auto* window = new ConfigEditorWindow(filePath(), m_held, QString(), messages);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<ConfigEditorWindow> alive(window);
    QSignalSpy saved(window, &ConfigEditorWindow::saved);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));

    auto* text11 = window->findChild<QLineEdit*>(QStringLiteral("Text11"));
    text11->setFocus();
    QTRY_VERIFY(text11->hasFocus());
    text11->selectAll();
    QTest::keyClicks(text11, QStringLiteral("/dados/novo.fdb"));
    for (const char* typed : {"4", "0", "6"}) {
        key(Qt::Key_Return);
        auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(field);
        QCOMPARE(field->selectedText(), field->text());
        QTest::keyClicks(field, QString::fromLatin1(typed));
    }
    key(Qt::Key_Return);
    // Combo1 from "Chamada..." down to "Nenhum"; Combo2 from "Entrada" up to "Venda".
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Combo1"));
    for (Qt::Key pressed : {Qt::Key_Down, Qt::Key_Return, Qt::Key_Up, Qt::Key_Return, Qt::Key_Space, Qt::Key_Return})
        key(pressed);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));
    key(Qt::Key_Return);
    QCOMPARE(messages.texts(), QStringList{msg::colunaLinhaMaiorQueZero});
    QVERIFY(window->isVisible());
    QCOMPARE(apptest::readFile(filePath()), old);

    auto* text1 = window->findChild<QLineEdit*>(QStringLiteral("Text1"));
    text1->setFocus();
    text1->selectAll();
    QTest::keyClicks(text1, QStringLiteral("2"));
    window->findChild<QPushButton*>(QStringLiteral("Command1"))->setFocus();
    key(Qt::Key_Return);
    QTRY_COMPARE(saved.count(), 1);
    QCOMPARE(messages.shown().size(), 1);
    QCOMPARE(apptest::readFile(filePath()),
             crlf({"CONFIGURADO=TRUE", "PATH=/dados/novo.fdb", "CAIXA=4", "COLUNA=2", "LINHA=6", "IMPRESSAO=2",
                   "MODO=VENDA", "QUANTIDADE=true"}));
    QTRY_VERIFY(!alive);
}

QTEST_MAIN(TestConfigEditor)
#include "test_config_editor.moc"
