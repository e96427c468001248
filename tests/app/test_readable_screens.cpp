// The boxes and popups of the counters as the operator reads them: each box has
// the screen that shows it as owner, and none takes the screen's colours.
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/navigation.h"
#include "entries/entry_window.h"
#include "sales/sale_screen.h"
#include "tests/sales/sale_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

class NoNavigation final : public Navigation
{
public:
    void openSaleScreen() override {}
    void openEntryScreen() override {}
};

// How far apart the darkest and the lightest pixels are (0 to 1): text
// that can be read stands apart from its background.
double spread(const QImage& image)
{
    double low = 1, high = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double l = QColor(image.pixel(x, y)).lightnessF();
            low = std::min(low, l);
            high = std::max(high, l);
        }
    return high - low;
}

QWidget* focused()
{
    return QApplication::focusWidget();
}

// Runs `act` on the next modal window of the class named, once it is active;
// any other modal window met meanwhile is a failure, closed with Escape.
void whenModal(const char* className, std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, className, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || QApplication::activeWindow() != modal)
            return;
        timer->stop();
        timer->deleteLater();
        if (modal->inherits(className))
            act(modal);
        else
            qWarning("unexpected %s", modal->metaObject()->className());
        if (modal->isVisible())
            QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key_Escape);
    });
    timer->start();
}

} // namespace

class TestReadableScreens : public QObject, SaleFixture
{
    Q_OBJECT

private slots:
    void init() { setUp(); }

    // A box of each counter: over its screen, plain dark text on light, in the box's own type.
    void counterBoxes_data()
    {
        QTest::addColumn<bool>("sale");
        QTest::addRow("sale counter, F5 with nothing rung up") << true;
        QTest::addRow("entry counter, Enter on Troco with no entry type") << false;
    }
    void counterBoxes()
    {
        QFETCH(bool, sale);
        exec("delete from tipo_entrada");
        NoNavigation navigation;
        BoxMessages boxes;
        std::unique_ptr<QWidget> screen;
        if (sale)
            screen = std::make_unique<FrmVendas>(settings, boxes, navigation);
        else
            screen = std::make_unique<EntryWindow>(settings, navigation, boxes);
        screen->show();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        for (int i = 0; !sale && i < 4; ++i)
            QTest::keyClick(focused(), Qt::Key_Tab);   // on to "Troco"
        QString shown;
        whenModal("QMessageBox", [&](QWidget* box) {
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            if (box->parentWidget() == screen.get() && label && spread(label->grab().toImage()) > 0.6
                && label->font().pointSize() == QApplication::font().pointSize())
                shown = label->text();
        });
        QTest::keyClick(focused(), sale ? Qt::Key_F5 : Qt::Key_Return);
        QCOMPARE(shown, sale ? msg::informeProdutos : msg::camposObrigatorios);
    }

    void paymentFormList()
    {
        NoNavigation navigation;
        BoxMessages boxes;
        auto screen = std::make_unique<FrmVendas>(settings, boxes, navigation);
        screen->show();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        QTest::keyClicks(focused(), QStringLiteral("10"));
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(focused(), Qt::Key_Return);
        double readable = -1;
        whenModal("FrmPagamentoVenda", [&](QWidget*) {
            auto* forma = qobject_cast<QComboBox*>(focused());
            if (!forma)
                return;
            QTest::keyClick(forma, Qt::Key_Down, Qt::AltModifier);
            if (QWidget* popup = QApplication::activePopupWidget()) {
                auto* view = popup->findChild<QAbstractItemView*>();
                // A row that is not highlighted: plain text on the list's own background.
                const QRect row = view->visualRect(view->model()->index(1, 0));
                readable = spread(view->viewport()->grab(row).toImage());
                QTest::keyClick(view, Qt::Key_Escape);
            }
        });
        QTest::keyClick(focused(), Qt::Key_F5);   // the payment screen, modal over the sale
        QVERIFY2(readable > 0.6, qPrintable(QString::number(readable)));
    }

};

QTEST_MAIN(TestReadableScreens)
#include "test_readable_screens.moc"
