#include "common/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

class TestMessages : public QObject
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
        else
            answered = messages.question(text);
        QCOMPARE(title, u"Vorinda"_s);
        QCOMPARE(shown, text);
        QCOMPARE(shownIcon, icon);
        QCOMPARE(seenButtons, buttons);
        QCOMPARE(answered, answer);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestMessages)
#include "test_messages.moc"
