#include "common/form_checks.h"
#include "common/message_texts.h"
#include "common/window_placement.h"
#include "tests/support/scripted_messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A form whose fields are described by "name=text" with a trailing "*" on
// the name for a required one: "nome*=Cerveja".
struct Form
{
    QWidget screen;
    QList<QLineEdit*> fields;

    explicit Form(const QStringList& description)
    {
        auto* layout = new QVBoxLayout(&screen);
        for (const QString& item : description) {
            QString name = item.section(QLatin1Char('='), 0, 0);
            auto* edit = new QLineEdit(item.section(QLatin1Char('='), 1), &screen);
            if (name.endsWith(QLatin1Char('*'))) {
                name.chop(1);
                markRequired(edit);
            }
            edit->setObjectName(name);
            layout->addWidget(edit);
            fields << edit;
        }
    }
};

} // namespace

class TestFormChecks : public QObject
{
    Q_OBJECT

private slots:
    void verifica_obrigatorios_data()
    {
        QTest::addColumn<QStringList>("form");
        QTest::addColumn<bool>("passes");
        QTest::addRow("all filled") << QStringList{QStringLiteral("nome*=Cerveja"), QStringLiteral("grupo*=1")} << true;
        QTest::addRow("a required field empty") << QStringList{QStringLiteral("nome*=Cerveja"), QStringLiteral("grupo*=")} << false;
        QTest::addRow("a blank counts as filled") << QStringList{QStringLiteral("nome*= ")} << true;
        QTest::addRow("optional empty field") << QStringList{QStringLiteral("nome*=x"), QStringLiteral("obs=")} << true;
        QTest::addRow("no field at all") << QStringList{} << true;
        QTest::addRow("several empty: one message") << QStringList{QStringLiteral("a*="), QStringLiteral("b*=")} << false;
    }
    void verifica_obrigatorios()
    {
        QFETCH(QStringList, form);
        QFETCH(bool, passes);
        Form f(form);
        ScriptedMessages messages;
        QCOMPARE(::verifica_obrigatorios(&f.screen, messages), passes);
        const QStringList expected = passes ? QStringList() : QStringList{msg::camposObrigatorios};
        QCOMPARE(messages.texts(), expected);
        if (!passes)
            QCOMPARE(messages.shown().first().kind, ScriptedMessages::Kind::Info);
    }

    void verifica_obrigatoriosOfValues_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("passes");
        QTest::addRow("filled") << QStringList{QStringLiteral("1"), QStringLiteral("R$ 0,00")} << true;
        QTest::addRow("blank counts") << QStringList{QStringLiteral(" ")} << true;
        QTest::addRow("one empty") << QStringList{QStringLiteral("1"), QString()} << false;
    }
    void verifica_obrigatoriosOfValues()
    {
        QFETCH(QStringList, texts);
        QFETCH(bool, passes);
        ScriptedMessages messages;
        QCOMPARE(::verifica_obrigatorios(texts, messages), passes);
        QCOMPARE(messages.shown().size(), passes ? 0 : 1);
    }

    void requiredMarkIgnoresOtherControls()
    {
        // Only text fields take part: the inner line edit of a list or a spin
        // box, and other controls, are not the screen's text fields.
        QWidget screen;
        auto* combo = new QComboBox(&screen);
        combo->setEditable(true);
        markRequired(combo->lineEdit());
        auto* spin = new QSpinBox(&screen);
        spin->findChild<QLineEdit*>()->setProperty("tag", QStringLiteral("*"));
        spin->findChild<QLineEdit*>()->clear();
        auto* check = new QCheckBox(&screen);
        markRequired(check);
        ScriptedMessages messages;
        QVERIFY(::verifica_obrigatorios(&screen, messages));
        QVERIFY(messages.shown().isEmpty());
    }

    void requiredMultiLineField()
    {
        QWidget screen;
        auto* remarks = new QPlainTextEdit(&screen);
        markRequired(remarks);
        ScriptedMessages messages;
        QVERIFY(!::verifica_obrigatorios(&screen, messages));
        remarks->setPlainText(QStringLiteral("entregar à tarde"));
        QVERIFY(::verifica_obrigatorios(&screen, messages));
    }

    void focusIsNotMovedByTheCheck()
    {
        Form f({QStringLiteral("a*=x"), QStringLiteral("b*=")});
        f.screen.show();
        f.screen.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.screen));
        f.fields.at(0)->setFocus();
        ScriptedMessages messages;
        QVERIFY(!::verifica_obrigatorios(&f.screen, messages));
        QCOMPARE(QApplication::focusWidget(), f.fields.at(0));
    }

    void limpa_campos()
    {
        Form f({QStringLiteral("a*=x"), QStringLiteral("b= y ")});
        f.fields.at(1)->setReadOnly(true);
        auto* remarks = new QPlainTextEdit(QStringLiteral("obs"), &f.screen);
        auto* combo = new QComboBox(&f.screen);
        combo->setEditable(true);
        combo->addItems({QStringLiteral("Dinheiro"), QStringLiteral("Cheque")});
        combo->setCurrentIndex(1);
        auto* check = new QCheckBox(&f.screen);
        check->setChecked(true);

        ::limpa_campos(&f.screen);
        QCOMPARE(f.fields.at(0)->text(), QString());
        QCOMPARE(f.fields.at(1)->text(), QString());
        QCOMPARE(remarks->toPlainText(), QString());
        QCOMPARE(combo->currentText(), QStringLiteral("Cheque"));
        QVERIFY(check->isChecked());
        QVERIFY(isRequired(f.fields.at(0)));
    }

    void confirma_exclusao_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addRow("sim") << true;
        QTest::addRow("não") << false;
    }
    void confirma_exclusao()
    {
        QFETCH(bool, answer);
        ScriptedMessages messages;
        messages.answerNext(answer);
        QCOMPARE(::confirma_exclusao(messages), answer);
        QCOMPARE(messages.shown(), (QList<ScriptedMessages::Shown>{{ScriptedMessages::Kind::Question, msg::confirmaExclusao}}));
        QCOMPARE(messages.pendingAnswers(), 0);
    }

    void registro_nao_localizado()
    {
        Form f({QStringLiteral("grupo=77"), QStringLiteral("nome=")});
        f.screen.show();
        f.screen.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.screen));
        f.fields.at(1)->setFocus();
        ScriptedMessages messages;
        ::registro_nao_localizado(messages, f.fields.at(0));
        QCOMPARE(messages.texts(), QStringList{msg::registroNaoLocalizado});
        QCOMPARE(QApplication::focusWidget(), f.fields.at(0));
        QCOMPARE(f.fields.at(0)->selectedText(), QStringLiteral("77"));
        QCOMPARE(f.fields.at(0)->selectionStart(), 0);

        // Without a field only the message.
        ::registro_nao_localizado(messages);
        QCOMPARE(messages.shown().size(), 2);
    }

    void centraliza_form()
    {
        QWidget window;
        window.resize(300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ::centraliza_form(&window);
        const QRect area = window.screen()->availableGeometry();
        const QRect frame = window.frameGeometry();
        QVERIFY(qAbs((frame.left() - area.left()) - (area.right() - frame.right())) <= 1);
        QVERIFY(qAbs((frame.top() - area.top()) - (area.bottom() - frame.bottom())) <= 1);
    }

    void frameStaysCentred_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QPoint>("expected");
        QTest::addRow("larger window") << QSize(800, 600) << QPoint(250, 200);
        QTest::addRow("odd sizes") << QSize(501, 401) << QPoint(100, 100);
        QTest::addRow("smaller than the frame: corner shown") << QSize(200, 100) << QPoint(0, 0);
    }
    void frameStaysCentred()
    {
        QFETCH(QSize, window);
        QFETCH(QPoint, expected);
        QWidget outer;
        outer.resize(640, 480);
        auto* frame = new QWidget(&outer);
        frame->resize(300, 200);
        keepCentred(frame);
        QCOMPARE(frame->pos(), QPoint(170, 140));
        outer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&outer));
        outer.resize(window);
        QTRY_COMPARE(frame->pos(), expected);
    }
};

QTEST_MAIN(TestFormChecks)
#include "test_form_checks.moc"
