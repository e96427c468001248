#include "common/db_errors.h"
#include "common/form_checks.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/screen_messages.h"
#include "common/window_placement.h"
#include "db/result.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedMessages::Kind;
using Shown = ScriptedMessages::Shown;

namespace {

// A form of line edits described as "name=text", "*" after a required one's name.
struct Form
{
    QWidget screen;
    QList<QLineEdit*> fields;
    QStringList requiredTexts;

    explicit Form(const QStringList& description)
    {
        auto* layout = new QVBoxLayout(&screen);
        for (const QString& item : description) {
            const QString name = item.section(u'=', 0, 0);
            fields << new QLineEdit(item.section(u'=', 1), &screen);
            layout->addWidget(fields.last());
            if (name.endsWith(u'*')) {
                markRequired(fields.last());
                requiredTexts << fields.last()->text();
            }
        }
    }
    bool showActive()
    {
        screen.show();
        screen.activateWindow();
        return QTest::qWaitForWindowActive(&screen);
    }
};

} // namespace

// Message boxes, database errors told to the operator, and the checks every form shares.
class TestForms : public QObject
{
    Q_OBJECT

private slots:
    void boxes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");   // sorted, the default one last
        QTest::addColumn<bool>("answer");
        const QStringList ok{u"OK"_s, u"OK"_s};
        const QStringList yesNo{u"Não"_s, u"Sim"_s, u"Sim"_s};
        QTest::addRow("info") << u"info"_s << int(Qt::Key_Return) << int(QMessageBox::Information) << ok << false;
        QTest::addRow("plain closed by escape") << u"plain"_s << int(Qt::Key_Escape) << int(QMessageBox::NoIcon) << ok << false;
        QTest::addRow("question, enter is sim") << u"question"_s << int(Qt::Key_Return) << int(QMessageBox::Question) << yesNo << true;
        QTest::addRow("question, escape is não") << u"question"_s << int(Qt::Key_Escape) << int(QMessageBox::Question) << yesNo << false;
        QTest::addRow("cautious question, enter is não")
            << u"cautious"_s << int(Qt::Key_Return) << int(QMessageBox::Question) << QStringList{u"Não"_s, u"Sim"_s, u"Não"_s}
            << false;
    }
    void boxes()
    {
        QFETCH(QString, kind);
        QFETCH(int, key);
        QFETCH(int, icon);
        QFETCH(QStringList, buttons);
        QFETCH(bool, answer);
        // Rich-text look-alikes must be shown as they are.
        const QString text = u"Código <b>-803</b> & outros"_s;
        QString title, shown;
        int shownIcon = -1;
        QStringList seenButtons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            title = box->windowTitle();
            shown = box->text();
            shownIcon = int(box->icon());
            for (QAbstractButton* b : box->buttons())
                seenButtons << b->text();
            seenButtons.sort();
            seenButtons << (box->defaultButton() ? box->defaultButton()->text() : QString());
            QTest::keyClick(box, Qt::Key(key));
        });
        BoxMessages messages;
        bool answered = false;
        if (kind == u"info"_s)
            messages.info(text);
        else if (kind == u"plain"_s)
            messages.plain(text);
        else if (kind == u"cautious"_s)
            answered = messages.questionDefaultNo(text);
        else
            answered = messages.question(text);
        QCOMPARE(title, u"Vorinda"_s);
        QCOMPARE(shown, text);
        QCOMPARE(shownIcon, icon);
        QCOMPARE(seenButtons, buttons);
        QCOMPARE(answered, answer);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // A screen's messages come over that screen, even when another window is the active one.
    void boxOverItsScreen()
    {
        QWidget screen, other;
        for (QWidget* w : {&screen, &other}) {
            w->resize(200, 100);
            w->show();
        }
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QWidget* owner = nullptr;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            owner = box ? box->parentWidget() : nullptr;
            if (box)
                QTest::keyClick(box, Qt::Key_Escape);
        });
        BoxMessages boxes;
        ScreenMessages(boxes, &screen).info(u"Registro não localizado!"_s);
        QCOMPARE(owner, &screen);
    }

    // Checked on the widgets and on the texts of the required fields alike.
    void verifica_obrigatorios_data()
    {
        QTest::addColumn<QStringList>("form");
        QTest::addColumn<bool>("passes");
        QTest::addRow("a blank counts as filled") << QStringList{u"nome*= "_s} << true;
        QTest::addRow("optional empty field") << QStringList{u"nome*=x"_s, u"obs="_s} << true;
        QTest::addRow("several empty: one message") << QStringList{u"a*=x"_s, u"b*="_s, u"c*="_s} << false;
    }
    void verifica_obrigatorios()
    {
        QFETCH(QStringList, form);
        QFETCH(bool, passes);
        Form f(form);
        QVERIFY(f.showActive());
        f.fields.first()->setFocus();
        const QList<Shown> expected = passes ? QList<Shown>() : QList<Shown>{{Kind::Info, msg::camposObrigatorios}};
        ScriptedMessages messages;
        QCOMPARE(::verifica_obrigatorios(&f.screen, messages), passes);
        QCOMPARE(messages.shown(), expected);
        QCOMPARE(QApplication::focusWidget(), f.fields.first());   // the check moves no focus
        ScriptedMessages ofValues;
        QCOMPARE(::verifica_obrigatorios(f.requiredTexts, ofValues), passes);
        QCOMPARE(ofValues.shown(), expected);
    }

    // Only the screen's own text fields are checked and cleared, not a list's or a spin box's inner edit.
    void otherControls()
    {
        Form f({u"a*=x"_s, u"b= y "_s});
        f.fields.at(1)->setReadOnly(true);
        auto* combo = new QComboBox(&f.screen);
        combo->setEditable(true);
        combo->addItems({u"Dinheiro"_s, u"Cheque"_s});
        combo->setCurrentIndex(1);
        auto* spin = new QSpinBox(&f.screen);
        markRequired(spin->findChild<QLineEdit*>());
        spin->findChild<QLineEdit*>()->clear();
        auto* remarks = new QPlainTextEdit(&f.screen);
        markRequired(remarks);
        auto* check = new QCheckBox(&f.screen);
        check->setChecked(true);
        ScriptedMessages messages;
        QVERIFY(!::verifica_obrigatorios(&f.screen, messages));   // the remarks are empty
        remarks->setPlainText(u"entregar à tarde"_s);
        QVERIFY(::verifica_obrigatorios(&f.screen, messages));
        ::limpa_campos(&f.screen);
        QCOMPARE(f.fields.at(0)->text() + f.fields.at(1)->text() + remarks->toPlainText(), QString());
        QCOMPARE(combo->currentText(), u"Cheque"_s);
        QVERIFY(check->isChecked());
        QVERIFY(isRequired(f.fields.at(0)));
    }

    void registro_nao_localizado()
    {
        Form f({u"grupo=77"_s, u"nome="_s});
        QVERIFY(f.showActive());
        f.fields.at(1)->setFocus();
        ScriptedMessages messages;
        ::registro_nao_localizado(messages, f.fields.at(0));
        QCOMPARE(messages.texts(), QStringList{msg::registroNaoLocalizado});
        QCOMPARE(QApplication::focusWidget(), f.fields.at(0));
        QCOMPARE(f.fields.at(0)->selectedText(), u"77"_s);
    }

    // Kept in the middle of its window; its corner shown when the window is smaller.
    void frameStaysCentred()
    {
        QWidget outer;
        outer.resize(640, 480);
        auto* frame = new QWidget(&outer);
        frame->resize(300, 200);
        keepCentred(frame);
        QCOMPARE(frame->pos(), QPoint(170, 140));
        outer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&outer));
        outer.resize(200, 100);
        QTRY_COMPARE(frame->pos(), QPoint(0, 0));
    }

    void fromDescriptions_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QList<Shown>>("expected");
        const QString dup = u"Erro do banco de dados, código=-803: violation of PRIMARY or UNIQUE KEY constraint \"PK_CAIXA\""_s;
        const QString user = u"Erro do banco de dados, código=-836: exception 1 - E_X - {ini}Valor negativo não permitido"_s;
        const QString other = u"Erro do banco de dados, código=-802: arithmetic exception, numeric overflow"_s;
        const Shown negative{Kind::Info, u"Valor negativo não permitido"_s};
        QTest::addRow("-803 answered não") << dup << QList<bool>{false} << QList<Shown>{{Kind::Question, msg::registroJaExiste}};
        QTest::addRow("-836 operator text") << user << QList<bool>{} << QList<Shown>{negative};
        QTest::addRow("-836 without where it came from") << user + u" - At trigger 'V_BI' line: 1, col: 81"_s
                                                         << QList<bool>{} << QList<Shown>{negative};
        QTest::addRow("-836 nothing after the marker: whole") << u"x=-836: E_X - {ini}"_s << QList<bool>{}
                                                              << QList<Shown>{{Kind::Plain, u"x=-836: E_X - {ini}"_s}};
        QTest::addRow("' -803' with a blank is not -803") << u"código= -803: dup"_s << QList<bool>{}
                                                         << QList<Shown>{{Kind::Plain, u"código= -803: dup"_s}};
        QTest::addRow("other code") << other << QList<bool>{} << QList<Shown>{{Kind::Plain, other}};
    }
    void fromDescriptions()
    {
        QFETCH(QString, description);
        QFETCH(QList<bool>, answers);
        QFETCH(QList<Shown>, expected);
        ScriptedMessages messages;
        for (bool answer : answers)
            messages.answerNext(answer);
        trata_erro_banco(messages, description);
        QCOMPARE(messages.shown(), expected);
        QCOMPARE(messages.pendingAnswers(), 0);
    }

    // Real refusals as the screens receive them; "Sim" shows the database's own words whole.
    void realRefusals_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QList<Kind>>("kinds");
        QTest::addColumn<QString>("first");
        QTest::addRow("duplicate cash register") << u"insert into caixa (ncodigo, coperador) values (1, 'Outro')"_s
            << u"-803"_s << QList<Kind>{Kind::Question, Kind::Info} << msg::registroJaExiste;
        QTest::addRow("product of a missing group") << u"insert into produto (cdescricao, ngrupo) values ('Cerveja', 999)"_s
            << u"-530"_s << QList<Kind>{Kind::Question, Kind::Info} << msg::violacaoIntegridade;
        QTest::addRow("reserved supplier deleted") << u"delete from fornecedor where ncodigo = 1"_s << u"-836"_s
            << QList<Kind>{Kind::Info} << u"Os fornecedores de código 0 e 1 são reservados pelo sistema e não podem ser excluídos!"_s;
    }
    void realRefusals()
    {
        QFETCH(QString, statement);
        QFETCH(QString, code);
        QFETCH(QList<Kind>, kinds);
        QFETCH(QString, first);
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        const Result<int> done = db.connection().execute(statement);
        QVERIFY(!done.ok());
        QCOMPARE(done.failure().code, code);

        ScriptedMessages messages;
        if (kinds.first() == Kind::Question)
            messages.answerNext(true);
        trata_erro_banco(messages, done.failure());
        QList<Kind> shownKinds;
        for (const Shown& s : messages.shown())
            shownKinds << s.kind;
        QCOMPARE(shownKinds, kinds);
        const QString description = done.failure().description();
        QCOMPARE(messages.shown().first().text, first);
        QCOMPARE(messages.shown().last().text, kinds.size() > 1 ? description : first);
    }
};

QTEST_MAIN(TestForms)
#include "test_forms.moc"
