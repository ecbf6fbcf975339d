#include "FakeLauncher.h"
#include "util/PlatformActions.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>

#include <limits>

using namespace korvel;

// Runs without a QGuiApplication, as the command-line tools do.
class TstPlatformActions : public QObject
{
    Q_OBJECT

private slots:
    void openWithSystem_data();
    void openWithSystem();
    void openWithSystemRefused();
    void shareFileOpensIt();
    void openInBrowser_data();
    void openInBrowser();
    void mapForAddress();
    void mapForCoordinates_data();
    void mapForCoordinates();
    void mapNotShown();
    void mailtoWithoutAttachment();
    void mailtoEncoding();
    void mailWithAttachmentUsesXdgEmail();
    void mailWithAttachmentWithoutXdgEmail();
    void mailWithMissingAttachment();
    void mailNotOpened();
    void noGuiApplication();
    void systemLauncherWithoutGui();
};

void TstPlatformActions::openWithSystem_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QUrl>("expected");

    QTest::newRow("absolute file") << "/tmp/Pedido.pdf" << QUrl("file:///tmp/Pedido.pdf");
    QTest::newRow("file with spaces and accents")
        << "/tmp/Estado de cuenta Nuñez.pdf" << QUrl::fromLocalFile("/tmp/Estado de cuenta Nuñez.pdf");
    QTest::newRow("relative file") << "Factura.pdf" << QUrl::fromLocalFile(QDir::current().absoluteFilePath("Factura.pdf"));
    QTest::newRow("web address") << "https://www.example.mx/ficha?id=12&x=1"
                                 << QUrl("https://www.example.mx/ficha?id=12&x=1");
    QTest::newRow("phone") << "tel:5551234567" << QUrl("tel:5551234567");
    QTest::newRow("file address") << "file:///tmp/a.pdf" << QUrl("file:///tmp/a.pdf");
}

void TstPlatformActions::openWithSystem()
{
    QFETCH(QString, target);
    QFETCH(QUrl, expected);
    FakeLauncher launcher;
    PlatformActions actions(launcher);
    QVERIFY(actions.openWithSystem(target));
    QCOMPARE(launcher.openedUrls, QList<QUrl>{expected});
}

void TstPlatformActions::openWithSystemRefused()
{
    FakeLauncher launcher;
    launcher.accepts = false;
    PlatformActions actions(launcher);
    QVERIFY(!actions.openWithSystem(QStringLiteral("/tmp/a.pdf")));

    FakeLauncher idle;
    PlatformActions nothing(idle);
    QVERIFY(!nothing.openWithSystem(QString()));
    QVERIFY(!nothing.openWithSystem(QStringLiteral("  ")));
    QVERIFY(idle.openedUrls.isEmpty());
}

void TstPlatformActions::shareFileOpensIt()
{
    FakeLauncher launcher;
    PlatformActions actions(launcher);
    QVERIFY(actions.shareFile(QStringLiteral("/tmp/Recibo.pdf")));
    QCOMPARE(launcher.openedUrls, QList<QUrl>{QUrl("file:///tmp/Recibo.pdf")});
}

void TstPlatformActions::openInBrowser_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("accepts");
    QTest::addColumn<bool>("expectedOk");
    QTest::addColumn<QString>("expectedError");
    QTest::addColumn<QList<QUrl>>("expectedUrls");

    const QUrl page("https://www.example.mx/buscar?q=pinza");
    QTest::newRow("opened") << page.toString() << true << true << "" << QList<QUrl>{page};
    QTest::newRow("no browser") << page.toString() << false << false << "No soportado" << QList<QUrl>{page};
    QTest::newRow("address without scheme") << "www.example.mx" << true << true << ""
                                            << QList<QUrl>{QUrl("http://www.example.mx")};
    QTest::newRow("empty address") << "" << true << false << "No soportado" << QList<QUrl>{};
}

void TstPlatformActions::openInBrowser()
{
    QFETCH(QString, address);
    QFETCH(bool, accepts);
    QFETCH(bool, expectedOk);
    QFETCH(QString, expectedError);
    QFETCH(QList<QUrl>, expectedUrls);

    FakeLauncher launcher;
    launcher.accepts = accepts;
    PlatformActions actions(launcher);
    QString error;
    QCOMPARE(actions.openInBrowser(address, &error), expectedOk);
    QCOMPARE(error, expectedError);
    QCOMPARE(launcher.openedUrls, expectedUrls);
}

void TstPlatformActions::mapForAddress()
{
    const QString address = QStringLiteral("Av. Juárez 12, Centro & #5 + 1");
    FakeLauncher launcher;
    PlatformActions actions(launcher);
    QVERIFY(actions.openMapAddress(address));
    QCOMPARE(launcher.openedUrls.size(), 1);
    const QUrl url = launcher.openedUrls.first();
    QCOMPARE(url.toEncoded(), QByteArray("https://www.openstreetmap.org/search?query="
                                         "Av.%20Ju%C3%A1rez%2012%2C%20Centro%20%26%20%235%20%2B%201"));
    QCOMPARE(QUrlQuery(url).queryItemValue(QStringLiteral("query"), QUrl::FullyDecoded), address);
    QVERIFY(url.fragment().isEmpty());
}

void TstPlatformActions::mapForCoordinates_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Mexico City")
        << 19.4326077 << -99.133208
        << "https://www.openstreetmap.org/?mlat=19.43260770&mlon=-99.13320800#map=17/19.43260770/-99.13320800";
    QTest::newRow("southern and eastern")
        << -33.5 << 151.25
        << "https://www.openstreetmap.org/?mlat=-33.50000000&mlon=151.25000000#map=17/-33.50000000/151.25000000";
}

void TstPlatformActions::mapForCoordinates()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QString, expected);

    // Coordinates are never written with the device's decimal comma.
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    FakeLauncher launcher;
    PlatformActions actions(launcher);
    QVERIFY(actions.openMapCoordinates(latitude, longitude));
    QLocale::setDefault(QLocale::c());
    QCOMPARE(launcher.openedUrls.size(), 1);
    QCOMPARE(launcher.openedUrls.first().toString(QUrl::FullyEncoded), expected);
}

void TstPlatformActions::mapNotShown()
{
    FakeLauncher launcher;
    PlatformActions actions(launcher);
    QVERIFY(!actions.openMapAddress(QStringLiteral("   ")));
    QVERIFY(!actions.openMapCoordinates(91.0, 0.0));
    QVERIFY(!actions.openMapCoordinates(0.0, -180.5));
    QVERIFY(!actions.openMapCoordinates(std::numeric_limits<double>::quiet_NaN(), 0.0));
    QVERIFY(launcher.openedUrls.isEmpty());

    launcher.accepts = false;
    QVERIFY(!actions.openMapAddress(QStringLiteral("Monterrey")));
    QVERIFY(!actions.openMapCoordinates(25.0, -100.0));
}

void TstPlatformActions::mailtoWithoutAttachment()
{
    FakeLauncher launcher;
    launcher.programs << QStringLiteral("xdg-email");
    PlatformActions actions(launcher);
    MailMessage mail;
    mail.to = QStringList{"ventas@example.mx", " ", "cobranza@example.mx"};
    mail.cc = QStringList{"gerente@example.mx"};
    mail.subject = QStringLiteral("Pedido 12");
    mail.body = QStringLiteral("Adjunto");
    QVERIFY(actions.sendMail(mail));
    QVERIFY(launcher.started.isEmpty());
    QCOMPARE(launcher.openedUrls.size(), 1);
    QCOMPARE(launcher.openedUrls.first().toEncoded(),
             QByteArray("mailto:ventas@example.mx;cobranza@example.mx"
                        "?Subject=Pedido%2012&Body=Adjunto&Attachment=%22%22"));
}

// Characters that would end a field or the address are encoded; the fields keep their order.
void TstPlatformActions::mailtoEncoding()
{
    MailMessage mail;
    mail.to = QStringList{"a@example.mx"};
    mail.subject = QStringLiteral("Cotización & precios?");
    mail.body = QStringLiteral("Línea 1\nTotal=100%");
    mail.attachmentPath = QStringLiteral("/tmp/Estado cuenta.pdf");
    const QUrl url = mailtoUrl(mail);
    QVERIFY(url.isValid());
    QCOMPARE(url.toEncoded(),
             QByteArray("mailto:a@example.mx?Subject=Cotizaci%C3%B3n%20%26%20precios%3F"
                        "&Body=L%C3%ADnea%201%0ATotal%3D100%25"
                        "&Attachment=%22/tmp/Estado%20cuenta.pdf%22"));
    const QUrlQuery query(url);
    QCOMPARE(query.queryItemValue("Subject", QUrl::FullyDecoded), mail.subject);
    QCOMPARE(query.queryItemValue("Body", QUrl::FullyDecoded), mail.body);
    QCOMPARE(query.queryItemValue("Attachment", QUrl::FullyDecoded), "\"/tmp/Estado cuenta.pdf\"");
}

void TstPlatformActions::mailWithAttachmentUsesXdgEmail()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Estado de cuenta.pdf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    FakeLauncher launcher;
    launcher.programs << QStringLiteral("xdg-email");
    PlatformActions actions(launcher);
    MailMessage mail;
    mail.to = QStringList{"a@example.mx", "b@example.mx"};
    mail.cc = QStringList{"c@example.mx", "", "d@example.mx"};
    mail.bcc = QStringList{"e@example.mx"};
    mail.subject = QStringLiteral("Estado de cuenta");
    mail.body = QStringLiteral("Saludos\ncordiales");
    mail.attachmentPath = path;
    QVERIFY(actions.sendMail(mail));

    QVERIFY(launcher.openedUrls.isEmpty());
    QCOMPARE(launcher.started, QStringList{"xdg-email"});
    const QStringList expected{"--utf8", "--attach", path,
                               "--subject", "Estado de cuenta",
                               "--body", "Saludos\ncordiales",
                               "--cc", "c@example.mx", "--cc", "d@example.mx",
                               "--bcc", "e@example.mx",
                               "a@example.mx", "b@example.mx"};
    QCOMPARE(launcher.startedArguments.first(), expected);

    // The tool rejects empty option values, so empty fields are left out.
    mail.cc.clear();
    mail.bcc.clear();
    mail.subject.clear();
    mail.body.clear();
    QVERIFY(actions.sendMail(mail));
    QCOMPARE(launcher.startedArguments.last(),
             QStringList({"--utf8", "--attach", path, "a@example.mx", "b@example.mx"}));
}

void TstPlatformActions::mailWithAttachmentWithoutXdgEmail()
{
    FakeLauncher launcher;
    PlatformActions actions(launcher);
    MailMessage mail;
    mail.to = QStringList{"a@example.mx"};
    mail.subject = QStringLiteral("Factura");
    mail.attachmentPath = QStringLiteral("/tmp/Factura.pdf");
    QVERIFY(actions.sendMail(mail));
    QVERIFY(launcher.started.isEmpty());
    QCOMPARE(launcher.openedUrls.size(), 1);
    QCOMPARE(launcher.openedUrls.first().toEncoded(),
             QByteArray("mailto:a@example.mx?Subject=Factura&Body=&Attachment=%22/tmp/Factura.pdf%22"));
}

void TstPlatformActions::mailWithMissingAttachment()
{
    FakeLauncher launcher;
    launcher.programs << QStringLiteral("xdg-email");
    PlatformActions actions(launcher);
    MailMessage mail;
    mail.to = QStringList{"a@example.mx"};
    mail.attachmentPath = QStringLiteral("/no/such/folder/Factura.pdf");
    QVERIFY(!actions.sendMail(mail));
    QVERIFY(launcher.started.isEmpty());
    QVERIFY(launcher.openedUrls.isEmpty());
}

void TstPlatformActions::mailNotOpened()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.pdf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    FakeLauncher launcher;
    launcher.accepts = false;
    launcher.programs << QStringLiteral("xdg-email");
    PlatformActions actions(launcher);
    MailMessage mail;
    mail.to = QStringList{"a@example.mx"};
    QVERIFY(!actions.sendMail(mail));
    mail.attachmentPath = path;
    QVERIFY(!actions.sendMail(mail));
}

void TstPlatformActions::noGuiApplication()
{
    QVERIFY(!qobject_cast<QGuiApplication *>(QCoreApplication::instance()));
    FakeLauncher launcher;
    PlatformActions actions(launcher);
    QObject field;
    actions.copyToClipboard(QStringLiteral("F-123"));
    actions.hideKeyboard();
    actions.showKeyboard(&field);
    actions.showKeyboard(nullptr);
    QVERIFY(launcher.openedUrls.isEmpty());
    QVERIFY(launcher.started.isEmpty());
}

void TstPlatformActions::systemLauncherWithoutGui()
{
    SystemLauncher launcher;
    QVERIFY(launcher.hasProgram(QStringLiteral("sh")));
    QVERIFY(!launcher.hasProgram(QStringLiteral("korvel-no-such-program")));
    QVERIFY(!launcher.hasProgram(QString()));
    QVERIFY(!launcher.startDetached(QStringLiteral("korvel-no-such-program"), {}));
    QVERIFY(!launcher.openUrl(QUrl(QStringLiteral("https://www.example.mx"))));

    PlatformActions actions(launcher);
    QString error;
    QVERIFY(!actions.openInBrowser(QStringLiteral("https://www.example.mx"), &error));
    QCOMPARE(error, QString(kNoSoportado.toString()));
}

QTEST_GUILESS_MAIN(TstPlatformActions)
#include "tst_platformactions.moc"
