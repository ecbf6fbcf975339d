// Messages, the currency chooser and the background-task pattern: one task
// at a time, user-interface steps on the user-interface thread and in order,
// errors as kind-0 messages, and a window that keeps painting meanwhile.

#include "service/ServiceError.h"
#include "shell/Messages.h"
#include "shell/Session.h"
#include "shell/TaskRunner.h"

#include <QQuickItem>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>

using namespace korvel;

class TasksTest : public QObject {
    Q_OBJECT

private slots:
    void messageKinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("shown");
        QTest::newRow("error") << 0 << 0;
        QTest::newRow("success") << 1 << 1;
        QTest::newRow("warning") << 2 << 2;
        QTest::newRow("unknown-is-error") << 7 << 0;
    }

    void messageKinds()
    {
        QFETCH(int, kind);
        QFETCH(int, shown);
        Messages m;
        m.ShowMsg(QStringLiteral("Contactar"), QStringLiteral("texto"), kind);
        QVERIFY(m.msgVisible());
        QCOMPARE(m.msgKind(), shown);
        QCOMPARE(m.msgTitulo(), QStringLiteral("Contactar"));
    }

    void messageStaysUntilThePictureIsTapped()
    {
        Messages m;
        QSignalSpy dismissed(&m, &Messages::messageDismissed);
        m.ShowMsg(QStringLiteral("A"), QStringLiteral("uno"), 0);
        m.CargarEspera(QStringLiteral("Buscando"));
        m.DesCargarEspera(); // hiding the overlay does not hide the message
        QVERIFY(m.msgVisible());
        m.ShowMsg(QStringLiteral("B"), QStringLiteral("dos"), 1); // replaces the texts
        QCOMPARE(m.msgCaption(), QStringLiteral("dos"));
        m.MsgImg1Click();
        QVERIFY(!m.msgVisible());
        QCOMPARE(dismissed.count(), 1);
    }

    void busyOverlayTexts()
    {
        Messages m;
        QSignalSpy keyboard(&m, &Messages::keyboardHideRequested);
        m.CargarEspera(QStringLiteral("Buscando, espere"));
        QVERIFY(m.esperaVisible());
        QCOMPARE(m.esperaText(), QStringLiteral("Espere Por favor")); // CargarEspera keeps the label
        QCOMPARE(m.activityMessage(), QStringLiteral("Buscando, espere"));
        QCOMPARE(keyboard.count(), 1);
        m.UpdateEspera(QStringLiteral("Generando Listado"));
        QCOMPARE(m.esperaText(), QStringLiteral("Generando Listado"));
    }

    void currencyChooser()
    {
        Messages m;
        Session s;
        QObject::connect(&m, &Messages::currencyChosen, &s, [&](int purpose, int currency) {
            if (purpose == 1)
                s.setOrderCurrency(currency);
        });
        QSignalSpy chosen(&m, &Messages::currencyChosen);
        m.MXNBtnClick(); // not showing: nothing
        QCOMPARE(chosen.count(), 0);
        m.SelMoneda(1, QStringLiteral("Debe establecer la moneda para el nuevo pedido"));
        m.USDBtnClick();
        QVERIFY(!m.monedaVisible());
        QCOMPARE(s.pedidoActual.NuMoneda, 2);
        QCOMPARE(s.nuMoneda, 2);
        QCOMPARE(s.monedaImage(), 6);
        m.SelMoneda(2, QStringLiteral("Debe establecer la moneda para seleccionar que Facturas Pagará"));
        m.MXNBtnClick();
        QCOMPARE(chosen.last().at(0).toInt(), 2);
        QCOMPARE(chosen.last().at(1).toInt(), 1);
        QCOMPARE(s.nuMoneda, 2); // a collection does not touch the order
    }

    void secondRequestWhileRunningIsDropped()
    {
        Messages m;
        TaskRunner tasks(m);
        std::atomic_bool release{false};
        std::atomic_int ran{0};
        TaskPlan plan;
        plan.dialogMessage = QStringLiteral("Buscar");
        QVERIFY(tasks.start(plan, [&](TaskContext&) {
            ++ran;
            while (!release)
                QThread::msleep(5);
        }));
        QVERIFY(tasks.busy());
        QVERIFY(m.activityVisible());
        QVERIFY(!tasks.start(plan, [&](TaskContext&) { ++ran; }));
        release = true;
        QVERIFY(tasks.waitIdle(5000));
        QCOMPARE(ran.load(), 1);
        QVERIFY(!tasks.busy());
        QVERIFY(!m.activityVisible());
        QVERIFY(!m.msgVisible());
        QVERIFY(tasks.start(plan, [&](TaskContext&) { ++ran; }));
        QVERIFY(tasks.waitIdle(5000));
        QCOMPARE(ran.load(), 2);
    }

    void stepsRunOnTheUiThreadInOrder()
    {
        Messages m;
        TaskRunner tasks(m);
        QStringList order;
        QThread* ui = QThread::currentThread();
        bool stepsOnUi = true;
        bool workerOffUi = false;
        TaskPlan plan;
        plan.waitMessage = QStringLiteral("Conectandose, espere");
        plan.progressMessage = QStringLiteral("Generando Listado");
        tasks.start(
            plan,
            [&](TaskContext& ctx) {
                workerOffUi = QThread::currentThread() != ui;
                ctx.ui([&] {
                    stepsOnUi = stepsOnUi && QThread::currentThread() == ui;
                    order << QStringLiteral("first:") + m.esperaText();
                });
                ctx.ui([&] {
                    stepsOnUi = stepsOnUi && QThread::currentThread() == ui;
                    order << QStringLiteral("second");
                });
            },
            [&](const QString& error) {
                stepsOnUi = stepsOnUi && QThread::currentThread() == ui;
                order << QStringLiteral("done:") + error + (m.esperaVisible() ? "+overlay" : "");
            });
        QVERIFY(m.esperaVisible());
        QVERIFY(tasks.waitIdle(5000));
        QVERIFY(workerOffUi);
        QVERIFY(stepsOnUi);
        QCOMPARE(order, (QStringList{"first:Generando Listado", "second", "done:"}));
    }

    void workerErrorBecomesAKindZeroMessage_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<QString>("shown");
        QTest::newRow("service-error") << 0 << "Error: Connection refused";
        QTest::newRow("own-variant") << 1 << "Ultimo Error: sin sesión Connection refused";
        QTest::newRow("other-exception") << 2 << "Error: disco lleno";
    }

    void workerErrorBecomesAKindZeroMessage()
    {
        QFETCH(int, how);
        QFETCH(QString, shown);
        Messages m;
        TaskRunner tasks(m);
        TaskPlan plan;
        plan.title = QStringLiteral("Buscar");
        plan.dialogMessage = QStringLiteral("Buscar");
        plan.waitMessage = QStringLiteral("Buscando, espere");
        QString received;
        tasks.start(
            plan,
            [how](TaskContext& ctx) {
                if (how == 1)
                    ctx.setError(QStringLiteral("Ultimo Error: sin sesión Connection refused"));
                if (how == 2)
                    throw std::runtime_error("disco lleno");
                throw ServiceError(ServiceError::Kind::Transport, QStringLiteral("Connection refused"));
            },
            [&](const QString& error) { received = error; });
        QVERIFY(tasks.waitIdle(5000));
        QCOMPARE(received, shown);
        QVERIFY(m.msgVisible());
        QCOMPARE(m.msgKind(), 0);
        QCOMPARE(m.msgTitulo(), QStringLiteral("Buscar"));
        QCOMPARE(m.msgCaption(), shown);
        QVERIFY(!m.esperaVisible());
        QVERIFY(!m.activityVisible());
    }

    void windowKeepsPaintingWhileATaskRuns()
    {
        QQuickWindow view;
        view.resize(100, 100);
        QQmlEngine engine;
        // A spinning rectangle forces a frame per animation tick.
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nRectangle { width: 50; height: 50; color: 'red';"
                          " RotationAnimation on rotation { from: 0; to: 360; duration: 500; loops: Animation.Infinite } }",
                          QUrl());
        auto* spinner = qobject_cast<QQuickItem*>(component.create());
        QVERIFY(spinner);
        spinner->setParentItem(view.contentItem());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        Messages m;
        TaskRunner tasks(m);
        int frames = 0;
        connect(&view, &QQuickWindow::frameSwapped, this, [&] { ++frames; });
        TaskPlan plan;
        plan.dialogMessage = QStringLiteral("Buscar");
        tasks.start(plan, [](TaskContext&) { QThread::msleep(600); });
        QVERIFY(tasks.waitIdle(5000));
        QVERIFY2(frames >= 5, qPrintable(QStringLiteral("only %1 frames while the worker ran").arg(frames)));
        delete spinner;
    }
};

QTEST_MAIN(TasksTest)
#include "tst_tasks.moc"
