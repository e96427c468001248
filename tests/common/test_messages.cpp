#include "common/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

struct Seen
{
    QString title;
    QString text;
    int icon = -1;
    QStringList buttons;
    QString defaultButton;
};

// Looks at the box once it is open, then answers it with `key`.
void inspectAndAnswer(Seen& seen, int key)
{
    QTimer::singleShot(0, [&seen, key] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = int(box->icon());
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->text();
        seen.buttons.sort();
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();
        QTest::keyClick(box, Qt::Key(key));
    });
}

} // namespace

class TestMessages : public QObject
{
    Q_OBJECT

private slots:
    void boxes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("defaultButton");
        QTest::addColumn<bool>("answer");
        const QStringList ok{QStringLiteral("OK")};
        const QStringList yesNo{QStringLiteral("Não"), QStringLiteral("Sim")};
        QTest::addRow("info") << QStringLiteral("info") << int(Qt::Key_Return)
                              << int(QMessageBox::Information) << ok << QStringLiteral("OK") << false;
        QTest::addRow("plain") << QStringLiteral("plain") << int(Qt::Key_Return)
                               << int(QMessageBox::NoIcon) << ok << QStringLiteral("OK") << false;
        QTest::addRow("plain closed by escape") << QStringLiteral("plain") << int(Qt::Key_Escape)
                                                << int(QMessageBox::NoIcon) << ok << QStringLiteral("OK") << false;
        QTest::addRow("question, enter is sim") << QStringLiteral("question") << int(Qt::Key_Return)
                                                << int(QMessageBox::Question) << yesNo << QStringLiteral("Sim") << true;
        QTest::addRow("question, escape is não") << QStringLiteral("question") << int(Qt::Key_Escape)
                                                 << int(QMessageBox::Question) << yesNo << QStringLiteral("Sim") << false;
    }
    void boxes()
    {
        QFETCH(QString, kind);
        QFETCH(int, key);
        QFETCH(int, icon);
        QFETCH(QStringList, buttons);
        QFETCH(QString, defaultButton);
        QFETCH(bool, answer);

        // Rich-text look-alikes must be shown as they are.
        const QString text = QStringLiteral("Código <b>-803</b> & outros");
        BoxMessages messages;
        Seen seen;
        inspectAndAnswer(seen, key);
        bool answered = false;
        if (kind == QLatin1String("info"))
            messages.info(text);
        else if (kind == QLatin1String("plain"))
            messages.plain(text);
        else
            answered = messages.question(text);

        QCOMPARE(seen.title, QStringLiteral("Vorinda"));
        QCOMPARE(seen.text, text);
        QCOMPARE(seen.icon, icon);
        QCOMPARE(seen.buttons, buttons);
        QCOMPARE(seen.defaultButton, defaultButton);
        QCOMPARE(answered, answer);
        QVERIFY(!QApplication::activeModalWidget());
    }

};

QTEST_MAIN(TestMessages)
#include "test_messages.moc"
