// The real window, offscreen: first run, the settings screen, the start
// screen, the close rules, the main-menu grid, the remembered login and the
// screenshot command line.

#include "app/Application.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace korvel;
using namespace korvel::Pages;

namespace {

// By objectName; delegates of repeaters and views are only reachable
// through the item tree.
QQuickItem* findItem(QQuickItem* root, const QString& name)
{
    if (root->objectName() == name)
        return root;
    for (QQuickItem* child : root->childItems())
        if (QQuickItem* found = findItem(child, name))
            return found;
    return nullptr;
}

QQuickItem* item(QQuickWindow* w, const char* name)
{
    if (auto* found = w->findChild<QQuickItem*>(QString::fromLatin1(name)))
        return found;
    return findItem(w->contentItem(), QString::fromLatin1(name));
}

// Visible on screen: itself and every parent item visible.
bool shown(QQuickItem* i)
{
    return i && i->isVisible();
}

void click(QQuickWindow* w, QQuickItem* i)
{
    QVERIFY(i);
    const QPoint center = i->mapToScene(QPointF(i->width() / 2, i->height() / 2)).toPoint();
    QTest::mouseClick(w, Qt::LeftButton, {}, center);
}

void settle()
{
    QTest::qWait(50);
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void firstRunShowsTheSettingsScreen()
    {
        QTemporaryDir dir;
        LaunchOptions o;
        o.documents = dir.path();
        Application app(o);
        QVERIFY(app.start());
        QQuickWindow* w = app.window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->title(), QStringLiteral("Korvel Móvil"));
        QCOMPARE(app.shell().navigator()->pageName(), QStringLiteral("TabURL"));
        QCOMPARE(app.shell().navigator()->title(), QStringLiteral("Configurar"));
        QCOMPARE(item(w, "URLWSDL")->property("text").toString(), Settings::PlaceholderURL);
        QVERIFY(item(w, "SwitchUser")->property("checked").toBool());
        QVERIFY(item(w, "ReadBC")->property("checked").toBool());
        QVERIFY(!item(w, "ImageExp")->property("checked").toBool());
        for (const char* row : {"LayDarkMode", "LayFuente1", "LayFuente2", "LayImpuestos", "LayCopiaPedido"})
            QVERIFY2(!shown(item(w, row)), row);
        QVERIFY(shown(item(w, "OKBtn")));
        QVERIFY(!shown(item(w, "BackBtn")));

        // Typing a host composes the address; OK saves and shows the welcome card.
        QQuickItem* dns = item(w, "DNS");
        click(w, dns);
        for (char c : QByteArray("192.168.0.10"))
            QTest::keyClick(w, c);
        settle();
        QCOMPARE(item(w, "URLWSDL")->property("text").toString(),
                 QStringLiteral("http://192.168.0.10:3269/WSKorvel.dll/wsdl/Ikorvel"));
        click(w, item(w, "OKBtn"));
        settle();
        QCOMPARE(app.shell().navigator()->page(), TabItem1);
        QVERIFY(shown(item(w, "StarRect")));
        QVERIFY(!shown(item(w, "SignInRect")));
        QFile ini(dir.filePath(QStringLiteral("ZFKorvel.ini")));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("WSDL=http://192.168.0.10:3269/WSKorvel.dll/wsdl/Ikorvel"));
    }

    void closingIsRefusedExceptFromTheStartScreen()
    {
        QTemporaryDir dir;
        LaunchOptions o;
        o.documents = dir.path();
        Application app(o);
        QVERIFY(app.start());
        QQuickWindow* w = app.window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        app.shell().navigator()->showPage(TabEmpresa);
        w->close();
        settle();
        QVERIFY(w->isVisible());
        app.shell().navigator()->CerrarBtnClick(); // "Salir"
        settle();
        QVERIFY(!w->isVisible());
    }

    void remembersTheLoginAndPacksTheMenu()
    {
        QTemporaryDir dir;
        {
            QFile ini(dir.filePath(QStringLiteral("ZFKorvel.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write("[AppMovil]\r\nWSDL=http://127.0.0.1:1/WSKorvel.dll/wsdl/Ikorvel\r\nUserPass=1\r\nUser=vendedor\r\n"
                      "Pass=secreto\r\nKorvelFuente1=11\r\n");
        }
        LaunchOptions o;
        o.documents = dir.path();
        Application app(o);
        QVERIFY(app.start());
        QQuickWindow* w = app.window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(app.shell().navigator()->page(), TabItem1);
        QVERIFY(shown(item(w, "StarRect")));
        QCOMPARE(item(w, "iUser")->property("text").toString(), QStringLiteral("vendedor"));
        QCOMPARE(item(w, "iPass")->property("text").toString(), QStringLiteral("secreto"));

        // A user without module 8: the tiles stay packed with no gap.
        Session& s = *app.shell().session();
        s.modulos = QStringLiteral("TTTTTTTFTTTT");
        app.shell().login()->PrepararMenus();
        settle();
        QCOMPARE(app.shell().navigator()->page(), TabEmpresa);
        QVERIFY(!shown(item(w, "HistoriaLayout")));
        struct Cell { const char* tile; int row; int column; };
        const Cell cells[] = {{"CobranzaLayout", 0, 0}, {"PedidoLayout", 0, 1}, {"EstadisticaLayout", 2, 1},
                              {"EntregaLayout", 3, 0}, {"RevisionLayout", 3, 1}, {"AutorizaLayout", 4, 0}};
        auto packed = [&] {
            QQuickItem* first = item(w, "CobranzaLayout");
            for (const Cell& c : cells) {
                QQuickItem* tile = item(w, c.tile);
                if (!shown(tile) || !first)
                    return false;
                const int column = tile->x() > first->x() + 10 ? 1 : 0;
                const int row = int(qRound((tile->y() - first->y()) / 120.0));
                if (column != c.column || row != c.row)
                    return false;
            }
            return true;
        };
        QTRY_VERIFY_WITH_TIMEOUT(packed(), 3000);
        // An empty grant string shows no tile.
        s.modulos.clear();
        app.shell().login()->PrepararMenus();
        settle();
        QVERIFY(!shown(item(w, "CobranzaLayout")));
        QVERIFY(!shown(item(w, "ProductosLayout")));
    }

    void listRowsFollowTheListFont()
    {
        QTemporaryDir dir;
        LaunchOptions o;
        o.documents = dir.path();
        Application app(o);
        QVERIFY(app.start());
        QQmlComponent component(&app.engine());
        component.setData("import QtQuick\nimport Korvel.Shell\nListView { width: 481; height: 200; model: 1;"
                          " header: ListHeader { text: 'Productos' } footer: ListFooter { text: '1 producto' }"
                          " delegate: ListRow { itemText: 'Martillo'; itemDetail: '[TRU-1] 3 PZA' } }",
                          QUrl(QStringLiteral("qrc:/listtest.qml")));
        std::unique_ptr<QObject> list(component.create());
        QVERIFY2(list, qPrintable(component.errorString()));
        auto* view = qobject_cast<QQuickItem*>(list.get());
        view->setParentItem(app.window()->contentItem());
        settle();
        QList<QQuickItem*> labels;
        std::function<void(QQuickItem*)> walk = [&](QQuickItem* i) {
            if (QString::fromLatin1(i->metaObject()->className()).contains(QLatin1String("Label")))
                labels << i;
            for (QQuickItem* c : i->childItems())
                walk(c);
        };
        walk(view);
        auto font = [&](const char* name) { return findItem(view, QString::fromLatin1(name))->property("font").value<QFont>(); };
        QCOMPARE(font("ListHeader").pixelSize(), 17);
        QCOMPARE(font("ListFooter").pixelSize(), 15);
        labels.removeIf([](QQuickItem* l) { return !l->objectName().isEmpty(); });
        QCOMPARE(labels.size(), 2);
        const QFont text = labels[0]->property("font").value<QFont>();
        const QFont detail = labels[1]->property("font").value<QFont>();
        QCOMPARE(text.pixelSize(), 13);
        QVERIFY(text.bold());
        QCOMPARE(detail.pixelSize(), 12);
        QCOMPARE(labels[0]->width(), 481.0 - 120.0);
    }

    void screenshotCommandLine_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("first-run") << QStringList{} << "TabURL" << 0;
        QTest::newRow("named-page") << QStringList{"--page", "TabEmpresa"} << "TabEmpresa" << 0;
        QTest::newRow("unknown-page") << QStringList{"--page", "TabNada"} << "" << 2;
    }

    void screenshotCommandLine()
    {
        QFETCH(QStringList, extra);
        QFETCH(QString, page);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("s.png"));
        QProcess p;
        QStringList env = QProcess::systemEnvironment();
        env << QStringLiteral("KORVEL_DOCUMENTS=") + dir.filePath(QStringLiteral("docs"));
        p.setEnvironment(env);
        p.start(QStringLiteral(KORVEL_APP_PATH), QStringList{"--screenshot", png} + extra);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), exitCode);
        if (exitCode != 0)
            return;
        const QList<QByteArray> lines = p.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(QString::fromLatin1(lines.last()), page);
        const QImage image(png);
        QCOMPARE(image.size(), QSize(481, 1200));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("docs"))));
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
