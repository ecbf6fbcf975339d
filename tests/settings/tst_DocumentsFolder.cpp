#include "shell/settings/DocumentsFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using korvel::DocumentsError;
using korvel::DocumentsFolder;

class TestDocumentsFolder : public QObject
{
    Q_OBJECT

private slots:
    void createsMissingParents();
    void unusableRoot_data();
    void unusableRoot();
    void refusesNamesOutsideTheFolder_data();
    void refusesNamesOutsideTheFolder();
    void acceptsBareNames_data();
    void acceptsBareNames();
    void resolveRoot_data();
    void resolveRoot();

private:
    QTemporaryDir m_dir;
};

void TestDocumentsFolder::createsMissingParents()
{
    const QString root = m_dir.filePath(QStringLiteral("a/b/c"));
    const DocumentsFolder folder(root + QStringLiteral("/"));
    QCOMPARE(folder.filePath(DocumentsFolder::SettingsFile), root + QStringLiteral("/ZFKorvel.ini"));
    QVERIFY(QFileInfo(root).isDir());
    // Files handed to other programs go to the same folder.
    QCOMPARE(folder.sharedFilePath(QStringLiteral("Factura_1.pdf")), root + QStringLiteral("/Factura_1.pdf"));
}

void TestDocumentsFolder::unusableRoot_data()
{
    QTest::addColumn<QString>("root");
    // Paths that cannot become folders even for a privileged user.
    QTest::newRow("root is a file") << QStringLiteral("archivo");
    QTest::newRow("parent is a file") << QStringLiteral("archivo/sub/dir");
    QTest::newRow("empty root") << QString();
}

void TestDocumentsFolder::unusableRoot()
{
    QFETCH(QString, root);
    QFile file(m_dir.filePath(QStringLiteral("archivo")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const DocumentsFolder folder(root.isEmpty() ? root : m_dir.filePath(root));
    try {
        folder.filePath(DocumentsFolder::OrderMarkerFile);
        QFAIL("no error");
    } catch (const DocumentsError &e) {
        QCOMPARE(e.text(), QStringLiteral("Unable to create directory"));
    }
}

void TestDocumentsFolder::refusesNamesOutsideTheFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("dot") << QStringLiteral(".");
    QTest::newRow("dot dot") << QStringLiteral("..");
    QTest::newRow("parent path") << QStringLiteral("../ZFKorvel.ini");
    QTest::newRow("sub folder") << QStringLiteral("sub/x.ini");
    QTest::newRow("absolute") << QStringLiteral("/etc/passwd");
    QTest::newRow("backslash") << QStringLiteral("..\\x.ini");
    QTest::newRow("drive") << QStringLiteral("C:x.ini");
    QTest::newRow("line break") << QStringLiteral("a\nb");
}

void TestDocumentsFolder::refusesNamesOutsideTheFolder()
{
    QFETCH(QString, name);
    const QString root = m_dir.filePath(QStringLiteral("refused"));
    const DocumentsFolder folder(root);
    try {
        folder.filePath(name);
        QFAIL("name accepted");
    } catch (const DocumentsError &e) {
        QVERIFY(e.text() != QStringLiteral("Unable to create directory"));
        QVERIFY(e.text().contains(name));
    }
    QVERIFY(!QFileInfo::exists(root));
}

void TestDocumentsFolder::acceptsBareNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("draft lines") << QString(DocumentsFolder::OrderLinesFile);
    QTest::newRow("pdf") << QStringLiteral("EstadoCuenta_123.pdf");
    QTest::newRow("leading dots") << QStringLiteral("..oculto");
    QTest::newRow("accents") << QStringLiteral("Cotización_ñ.pdf");
}

void TestDocumentsFolder::acceptsBareNames()
{
    QFETCH(QString, name);
    const DocumentsFolder folder(m_dir.path());
    QCOMPARE(folder.filePath(name), m_dir.path() + u'/' + name);
}

void TestDocumentsFolder::resolveRoot_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("environment"); // null: unset
    QTest::addColumn<QString>("expected");
    const QString standard = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    QTest::newRow("option wins") << "/tmp/opcion" << "/tmp/entorno" << "/tmp/opcion";
    QTest::newRow("environment without option") << "" << "/tmp/entorno/" << "/tmp/entorno";
    QTest::newRow("empty environment") << "" << "" << standard;
    QTest::newRow("neither") << "" << QString() << standard;
    QTest::newRow("relative option made absolute")
        << "rel/docs" << QString() << QDir::current().absoluteFilePath(QStringLiteral("rel/docs"));
}

void TestDocumentsFolder::resolveRoot()
{
    QFETCH(QString, option);
    QFETCH(QString, environment);
    QFETCH(QString, expected);
    if (environment.isNull())
        qunsetenv(DocumentsFolder::EnvironmentVariable);
    else
        qputenv(DocumentsFolder::EnvironmentVariable, environment.toUtf8());
    QCOMPARE(DocumentsFolder::resolveRoot(option), expected);
    qunsetenv(DocumentsFolder::EnvironmentVariable);
}

QTEST_GUILESS_MAIN(TestDocumentsFolder)
#include "tst_DocumentsFolder.moc"
