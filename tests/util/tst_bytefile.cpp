#include "util/ByteFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace korvel;

class TstByteFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void replaceShorter();
    void unwritable_data();
    void unwritable();
    void readMissing();
    void readFolder();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstByteFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstByteFile::roundTrip_data()
{
    QTest::addColumn<QByteArray>("data");

    QByteArray binary;
    for (int i = 0; i < 5000; ++i)
        binary.append(char(i * 7 % 256));

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("%PDF-1.4\n");
    QTest::newRow("zero bytes inside") << QByteArray("a\0b\0", 4);
    QTest::newRow("one block") << QByteArray(1024, 'x');
    QTest::newRow("one block and one byte") << QByteArray(1025, 'y');
    QTest::newRow("several blocks, binary") << binary;
}

void TstByteFile::roundTrip()
{
    QFETCH(QByteArray, data);
    const QString path = m_dir->filePath(QStringLiteral("doc.pdf"));
    QString error;
    QVERIFY2(writeBytes(path, data, &error), qPrintable(error));
    const std::optional<QByteArray> read = readBytes(path, &error);
    QVERIFY2(read.has_value(), qPrintable(error));
    QCOMPARE(*read, data);
}

void TstByteFile::replaceShorter()
{
    const QString path = m_dir->filePath(QStringLiteral("img.jpg"));
    QVERIFY(writeBytes(path, QByteArray(3000, 'L')));
    QVERIFY(writeBytes(path, QByteArray("short")));
    QCOMPARE(readBytes(path).value_or(QByteArray()), QByteArray("short"));
    // No temporary file is left beside it.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"img.jpg"});
}

void TstByteFile::unwritable_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("missing folder") << "no/such/folder/file.bin";
    QTest::newRow("path is a folder") << "folder";
    QTest::newRow("empty path") << "";
}

void TstByteFile::unwritable()
{
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    const QString path = name.isEmpty() ? QString() : m_dir->filePath(name);
    QString error;
    QVERIFY(!writeBytes(path, QByteArray("data"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("folder"))).isDir());
    QVERIFY(!writeBytes(path, QByteArray("data"))); // no error text wanted: still reported
}

void TstByteFile::readMissing()
{
    const QString path = m_dir->filePath(QStringLiteral("FichaPro.rtf"));
    QString error;
    QVERIFY(!readBytes(path, &error).has_value());
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY(!readBytes(QString()).has_value());
}

void TstByteFile::readFolder()
{
    QString error;
    QVERIFY(!readBytes(m_dir->path(), &error).has_value());
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TstByteFile)
#include "tst_bytefile.moc"
