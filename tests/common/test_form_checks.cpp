#include "common/form_checks.h"
#include "common/message_texts.h"
#include "common/window_placement.h"
#include "tests/support/scripted_messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

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

class TestFormChecks : public QObject
{
    Q_OBJECT

private slots:
    // Checked on the widgets and on the texts of the required fields alike.
    void verifica_obrigatorios_data()
    {
        QTest::addColumn<QStringList>("form");
        QTest::addColumn<bool>("passes");
        QTest::addRow("all filled") << QStringList{u"nome*=Cerveja"_s, u"grupo*=1"_s} << true;
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
        const QList<ScriptedMessages::Shown> expected =
            passes ? QList<ScriptedMessages::Shown>() : QList<ScriptedMessages::Shown>{{ScriptedMessages::Kind::Info, msg::camposObrigatorios}};
        ScriptedMessages messages;
        QCOMPARE(::verifica_obrigatorios(&f.screen, messages), passes);
        QCOMPARE(messages.shown(), expected);
        QCOMPARE(QApplication::focusWidget(), f.fields.first());   // the check moves no focus
        ScriptedMessages ofValues;
        QCOMPARE(::verifica_obrigatorios(f.requiredTexts, ofValues), passes);
        QCOMPARE(ofValues.shown(), expected);
    }

    void onlyTextFieldsAreRequired()
    {
        // The inner line edits of a list or a spin box are not the screen's fields.
        QWidget screen;
        auto* combo = new QComboBox(&screen);
        combo->setEditable(true);
        markRequired(combo->lineEdit());
        auto* spin = new QSpinBox(&screen);
        markRequired(spin->findChild<QLineEdit*>());
        spin->findChild<QLineEdit*>()->clear();
        markRequired(new QCheckBox(&screen));
        auto* remarks = new QPlainTextEdit(&screen);
        markRequired(remarks);
        ScriptedMessages messages;
        QVERIFY(!::verifica_obrigatorios(&screen, messages));
        remarks->setPlainText(u"entregar à tarde"_s);
        QVERIFY(::verifica_obrigatorios(&screen, messages));
        QCOMPARE(messages.shown().size(), 1);
    }

    void limpa_campos()
    {
        Form f({u"a*=x"_s, u"b= y "_s});
        f.fields.at(1)->setReadOnly(true);
        auto* remarks = new QPlainTextEdit(u"obs"_s, &f.screen);
        auto* combo = new QComboBox(&f.screen);
        combo->setEditable(true);
        combo->addItems({u"Dinheiro"_s, u"Cheque"_s});
        combo->setCurrentIndex(1);
        auto* check = new QCheckBox(&f.screen);
        check->setChecked(true);
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

    // A 300x200 frame kept in the middle of its window, its corner shown when the window is smaller.
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
        outer.resize(501, 401);
        QTRY_COMPARE(frame->pos(), QPoint(100, 100));
        outer.resize(200, 100);
        QTRY_COMPARE(frame->pos(), QPoint(0, 0));
    }
};

QTEST_MAIN(TestFormChecks)
#include "test_form_checks.moc"
