#include "shell/settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using korvel::IniError;
using korvel::IniFile;

namespace {

const QString S = QStringLiteral("AppMovil");

// A literal with its NUL bytes.
template <size_t N>
QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

void putBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// What a classic INI reader makes of a line "key=raw": surrounding blanks and
// one pair of matching quotes go.
QString classicRead(const QByteArray &file, const QByteArray &key)
{
    for (QByteArray line : file.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.startsWith(key + '='))
            continue;
        QString v = QString::fromUtf8(line.mid(key.size() + 1));
        while (!v.isEmpty() && (v.front() == u' ' || v.front() == u'\t'))
            v.remove(0, 1);
        while (!v.isEmpty() && (v.back() == u' ' || v.back() == u'\t'))
            v.chop(1);
        if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
            v = v.mid(1, v.size() - 2);
        return v;
    }
    return QStringLiteral("<missing>");
}

QList<QByteArray> linesOf(const QByteArray &data)
{
    QList<QByteArray> lines = data.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &l : lines) {
        while (l.endsWith('\r'))
            l.chop(1);
    }
    return lines;
}

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); m_path = m_dir.filePath(QStringLiteral("t.ini")); QFile::remove(m_path); }

    void roundTrip_data();
    void roundTrip();
    void writeKeepsOtherBytes_data();
    void writeKeepsOtherBytes();
    void namesIgnoreCase();
    void damagedFile_data();
    void damagedFile();
    void integer_data();
    void integer();
    void switchValue_data();
    void switchValue();
    void real_data();
    void real();
    void realThatDoesNotParse();
    void dateTime_data();
    void dateTime();
    void failingWrites();
    void invalidNames_data();
    void invalidNames();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestIniFile::roundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << QString();
    QTest::newRow("plain") << QStringLiteral("Hola");
    QTest::newRow("equals signs") << QStringLiteral("a=b=c");
    QTest::newRow("semicolon first") << QStringLiteral(";no es comentario");
    QTest::newRow("hash first") << QStringLiteral("#tampoco");
    QTest::newRow("leading spaces") << QStringLiteral("   izq");
    QTest::newRow("trailing spaces") << QStringLiteral("der   ");
    QTest::newRow("only spaces") << QStringLiteral("   ");
    QTest::newRow("leading tab") << QStringLiteral("\tx");
    QTest::newRow("double quoted") << QStringLiteral("\"entre comillas\"");
    QTest::newRow("single quoted") << QStringLiteral("'simple'");
    QTest::newRow("one quote") << QStringLiteral("\"");
    QTest::newRow("two quotes") << QStringLiteral("\"\"");
    QTest::newRow("unbalanced quote") << QStringLiteral("\"abierta");
    QTest::newRow("quotes inside spaces") << QStringLiteral("  \" a \"  ");
    QTest::newRow("non-ASCII") << QStringLiteral("Compañía Ñandú, México — 日本");
    QTest::newRow("section text") << QStringLiteral("[AppMovil]");
    QTest::newRow("backslashes") << QStringLiteral("C:\\Users\\ana\\Documents");
    QTest::newRow("percent signs") << QStringLiteral("100% seguro %0A");
    QTest::newRow("encoding marker") << QStringLiteral("%~literal");
    QTest::newRow("LF") << QStringLiteral("linea1\nlinea2");
    QTest::newRow("CRLF") << QStringLiteral("linea1\r\nlinea2\r\n");
    QTest::newRow("CR alone") << QStringLiteral("\r");
    QTest::newRow("LF smuggling a section") << QStringLiteral("x\n[AppMovil]\nDespues=robado");
    QTest::newRow("NUL") << (QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
    QTest::newRow("bell") << QStringLiteral("campana\a");
    QTest::newRow("quoted LF with spaces") << QStringLiteral(" \"x\ny\" ");
}

void TestIniFile::roundTrip()
{
    QFETCH(QString, value);
    putBytes(m_path, "[AppMovil]\r\nAntes=1\r\nValor=viejo\r\nDespues=2\r\n");
    IniFile ini(m_path);
    ini.writeString(S, QStringLiteral("Valor"), value);
    ini.writeString(S, QStringLiteral("Nuevo"), value);

    QCOMPARE(ini.readString(S, QStringLiteral("Valor")), value);
    QCOMPARE(ini.readString(S, QStringLiteral("Nuevo")), value);
    // The neighbours and the file's structure are intact: one line per key.
    QCOMPARE(ini.readString(S, QStringLiteral("Antes")), QStringLiteral("1"));
    QCOMPARE(ini.readString(S, QStringLiteral("Despues")), QStringLiteral("2"));
    const QByteArray file = bytesOf(m_path);
    QCOMPARE(linesOf(file).size(), 5);
    QCOMPARE(file.count('\r'), 5);
    QVERIFY(!file.contains('\0'));

    bool plain = !value.startsWith(QStringLiteral("%~"));
    for (QChar c : value)
        plain = plain && (c.unicode() >= 0x20 || c == u'\t');
    if (plain) {
        // A classic reader sees the same text.
        QCOMPARE(classicRead(file, "Valor"), value);
        QCOMPARE(classicRead(file, "Nuevo"), value);
    }
}

void TestIniFile::writeKeepsOtherBytes_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("existing key rewritten in place, spelling and comments kept")
        << QByteArray("; cabecera\r\n[AppMovil]\r\n  wsdl = viejo\r\n# nota\r\nC=1\r\n\r\n[Otra]\r\nC=ajeno\r\n")
        << "WSDL"
        << QByteArray("; cabecera\r\n[AppMovil]\r\n  wsdl =3\r\n# nota\r\nC=1\r\n\r\n[Otra]\r\nC=ajeno\r\n");
    QTest::newRow("new key after the section's last entry")
        << QByteArray("[AppMovil]\nA=1\n\n[Otra]\nB=2\n") << "C"
        << QByteArray("[AppMovil]\nA=1\nC=3\n\n[Otra]\nB=2\n");
    QTest::newRow("unknown line is an entry, a trailing comment is not")
        << QByteArray("[AppMovil]\nA=1\nbasura sin igual\n; de Otra\n[Otra]\n") << "C"
        << QByteArray("[AppMovil]\nA=1\nbasura sin igual\nC=3\n; de Otra\n[Otra]\n");
    QTest::newRow("new section at the end of a file without final break")
        << QByteArray("[Otra]\nB=2") << "C" << QByteArray("[Otra]\nB=2\n[AppMovil]\nC=3\n");
    QTest::newRow("empty file") << QByteArray() << "C" << QByteArray("[AppMovil]\r\nC=3\r\n");
    QTest::newRow("header is the last line")
        << QByteArray("[AppMovil]") << "C" << QByteArray("[AppMovil]\r\nC=3\r\n");
    QTest::newRow("repeated section: the first occurrence of the key is the key")
        << QByteArray("[AppMovil]\nA=1\n[Otra]\n[AppMovil]\nC=viejo\nC=segundo\n") << "C"
        << QByteArray("[AppMovil]\nA=1\n[Otra]\n[AppMovil]\nC=3\nC=segundo\n");
    QTest::newRow("header with blanks and a comment")
        << QByteArray("[ appmovil ] ; x\nc=1\n") << "C" << QByteArray("[ appmovil ] ; x\nc=3\n");
    QTest::newRow("BOM kept") << QByteArray("\xEF\xBB\xBF[AppMovil]\r\nC=1\r\n") << "C"
                              << QByteArray("\xEF\xBB\xBF[AppMovil]\r\nC=3\r\n");
    QTest::newRow("keys before any section belong to none")
        << QByteArray("C=1\n[AppMovil]\n") << "C" << QByteArray("C=1\n[AppMovil]\nC=3\n");
    QTest::newRow("header without ] ends the previous section")
        << QByteArray("[AppMovil]\nA=1\n[Rota\nC=1\n") << "C"
        << QByteArray("[AppMovil]\nA=1\nC=3\n[Rota\nC=1\n");
}

void TestIniFile::writeKeepsOtherBytes()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QByteArray, after);
    putBytes(m_path, before);
    IniFile ini(m_path);
    ini.writeInteger(S, key, 3);
    QCOMPARE(bytesOf(m_path), after);
    QCOMPARE(ini.readInteger(S, key, 0), 3);
}

void TestIniFile::namesIgnoreCase()
{
    putBytes(m_path, "[APPMOVIL]\nbarcode=7501\nÑandú=sí\n");
    IniFile ini(m_path);
    QCOMPARE(ini.readString(QStringLiteral("appMovil"), QStringLiteral("BarCode")), QStringLiteral("7501"));
    QCOMPARE(ini.readString(S, QStringLiteral("ñANDÚ")), QStringLiteral("sí"));
    ini.writeString(S, QStringLiteral("BARCODE"), QStringLiteral("42"));
    QCOMPARE(bytesOf(m_path), QByteArray("[APPMOVIL]\nbarcode=42\nÑandú=sí\n"));
}

void TestIniFile::damagedFile_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("wsdl");   // what "WSDL" reads; "DEF" is the default
    QTest::addColumn<bool>("replaced");   // the write rewrites the line holding the key
    QTest::addColumn<bool>("newSection"); // the write appends a new section

    QByteArray garbage;
    for (int i = 0; i < 512; ++i)
        garbage.append(char((i * 37) & 0xFF));
    garbage.append(raw("\n\xFF\xFE\x00[\x01]=\x02\n"));

    QTest::newRow("empty") << QByteArray() << "DEF" << false << true;
    QTest::newRow("binary garbage") << garbage << "DEF" << false << true;
    QTest::newRow("header without ]") << QByteArray("[AppMovil\nWSDL=x\n") << "DEF" << false << true;
    QTest::newRow("NUL in the value") << raw("[AppMovil]\nWSDL=ab\0cd\n") << "DEF" << true << false;
    QTest::newRow("NUL line") << raw("[AppMovil]\n\0\0\0\nWSDL=x\n") << "x" << true << false;
    QTest::newRow("key line without =") << QByteArray("[AppMovil]\nWSDL\nOtro=1\n") << "DEF" << false << false;
    QTest::newRow("invalid UTF-8 value") << QByteArray("[AppMovil]\nWSDL=\xC3\x28\n") << "DEF" << true << false;
    QTest::newRow("UTF-8 cut at the end") << QByteArray("[AppMovil]\nWSDL=ab\xC3") << "DEF" << true << false;
    QTest::newRow("invalid UTF-8 in a key") << QByteArray("[AppMovil]\nWS\xFF" "DL=x\n") << "DEF" << false << false;
    QTest::newRow("invalid UTF-8 line") << QByteArray("[AppMovil]\n\xFF\xFE basura\nWSDL=x\n") << "x" << true << false;
    QTest::newRow("no final line break") << QByteArray("[AppMovil]\nWSDL=x") << "x" << true << false;
    QTest::newRow("cut in the middle of a key") << QByteArray("[AppMovil]\nWSDL=x\nKorvelFue") << "x" << true << false;
    QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF[AppMovil]\r\nWSDL=x\r\n") << "x" << true << false;
    QTest::newRow("CR-only line breaks") << QByteArray("[AppMovil]\rWSDL=x\r") << "DEF" << false << false;
}

void TestIniFile::damagedFile()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, wsdl);
    QFETCH(bool, replaced);
    QFETCH(bool, newSection);
    putBytes(m_path, before);
    IniFile ini(m_path);
    QCOMPARE(ini.readString(S, QStringLiteral("WSDL"), QStringLiteral("DEF")), wsdl);

    ini.writeString(S, QStringLiteral("WSDL"), QStringLiteral("nuevo"));
    QCOMPARE(ini.readString(S, QStringLiteral("WSDL"), QStringLiteral("DEF")), QStringLiteral("nuevo"));

    // Every line of the damaged file is still there, in order (but the line
    // that held the key, when the write rewrote it).
    const QList<QByteArray> now = linesOf(bytesOf(m_path));
    QList<QByteArray> kept = linesOf(before);
    if (replaced) {
        for (qsizetype i = 0; i < kept.size(); ++i) {
            if (kept[i].startsWith("WSDL=")) {
                kept.removeAt(i);
                break;
            }
        }
    }
    qsizetype at = 0;
    for (const QByteArray &line : kept) {
        while (at < now.size() && now[at] != line)
            ++at;
        QVERIFY2(at < now.size(), line.toHex().constData());
        ++at;
    }
    // One line more: the rewritten or inserted key, plus a header for a new section.
    QCOMPARE(now.size(), kept.size() + (newSection ? 2 : 1));
}

void TestIniFile::integer_data()
{
    QTest::addColumn<QByteArray>("stored"); // null: no such key
    QTest::addColumn<int>("expected");
    QTest::newRow("missing") << QByteArray() << 7;
    QTest::newRow("decimal") << QByteArray("12") << 12;
    QTest::newRow("negative") << QByteArray("-3") << -3;
    QTest::newRow("blanks around") << QByteArray("  42 ") << 42;
    QTest::newRow("quoted") << QByteArray("\"5\"") << 5;
    QTest::newRow("text") << QByteArray("grande") << 7;
    QTest::newRow("number then text") << QByteArray("12px") << 7;
    QTest::newRow("empty") << QByteArray("") << 7;
    QTest::newRow("out of range") << QByteArray("99999999999") << 7;
    QTest::newRow("decimal point") << QByteArray("1.5") << 7;
}

void TestIniFile::integer()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, expected);
    putBytes(m_path, stored.isNull() ? QByteArray("[AppMovil]\n") : "[AppMovil]\nK=" + stored + "\n");
    IniFile ini(m_path);
    QCOMPARE(ini.readInteger(S, QStringLiteral("K"), 7), expected);
    ini.writeInteger(S, QStringLiteral("K"), -2147483647 - 1);
    QCOMPARE(ini.readInteger(S, QStringLiteral("K"), 7), -2147483647 - 1);
}

void TestIniFile::switchValue_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("defaultValue");
    QTest::addColumn<bool>("expected");
    QTest::newRow("missing, default on") << QByteArray() << true << true;
    QTest::newRow("missing, default off") << QByteArray() << false << false;
    QTest::newRow("1") << QByteArray("1") << false << true;
    QTest::newRow("0") << QByteArray("0") << true << false;
    QTest::newRow("2 is off") << QByteArray("2") << true << false;
    QTest::newRow("-1 is off") << QByteArray("-1") << true << false;
    QTest::newRow("text keeps default on") << QByteArray("si") << true << true;
    QTest::newRow("text keeps default off") << QByteArray("true") << false << false;
}

void TestIniFile::switchValue()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, defaultValue);
    QFETCH(bool, expected);
    putBytes(m_path, stored.isNull() ? QByteArray("[AppMovil]\n") : "[AppMovil]\nK=" + stored + "\n");
    IniFile ini(m_path);
    QCOMPARE(ini.readSwitch(S, QStringLiteral("K"), defaultValue), expected);
    ini.writeSwitch(S, QStringLiteral("K"), !expected);
    QCOMPARE(classicRead(bytesOf(m_path), "K"), expected ? QStringLiteral("0") : QStringLiteral("1"));
}

void TestIniFile::real_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("C tenth") << "C" << 0.1 << "0.1";
    QTest::newRow("German tenth") << "de_DE" << 0.1 << "0,1";
    QTest::newRow("German third, shortest exact") << "de_DE" << 1.0 / 3 << "0,3333333333333333";
    QTest::newRow("Mexican, no thousands separator") << "es_MX" << 1234567.5 << "1234567.5";
    QTest::newRow("German, no thousands separator") << "de_DE" << -1234567.25 << "-1234567,25";
    QTest::newRow("large") << "C" << 1e20 << "1e+20";
    QTest::newRow("zero") << "es_MX" << 0.0 << "0";
}

void TestIniFile::real()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    IniFile ini(m_path, QLocale(locale));
    ini.writeReal(S, QStringLiteral("Precio"), value);
    QCOMPARE(ini.readString(S, QStringLiteral("Precio")), text);
    QCOMPARE(ini.readReal(S, QStringLiteral("Precio"), QStringLiteral("0")), value);
    QCOMPARE(ini.readReal(S, QStringLiteral("Falta"), text), value);
}

void TestIniFile::realThatDoesNotParse()
{
    putBytes(m_path, "[AppMovil]\nPrecio=abc\nPunto=1.5\n");
    IniFile ini(m_path, QLocale(QStringLiteral("de_DE")));
    QVERIFY_THROWS_EXCEPTION(IniError, ini.readReal(S, QStringLiteral("Precio"), QStringLiteral("0")));
    QVERIFY_THROWS_EXCEPTION(IniError, ini.readReal(S, QStringLiteral("Falta"), QStringLiteral("x")));
    // A comma locale does not take "1.5" for one and a half.
    QVERIFY_THROWS_EXCEPTION(IniError, ini.readReal(S, QStringLiteral("Punto"), QStringLiteral("0")));
}

void TestIniFile::dateTime_data()
{
    QTest::addColumn<QByteArray>("stored"); // null: write value and read it back
    QTest::addColumn<QDateTime>("value");
    QTest::addColumn<QDateTime>("expected");
    const QDateTime local(QDate(2024, 3, 5), QTime(14, 30, 0, 250));
    const QDateTime utc(QDate(1999, 12, 31), QTime(23, 59, 59), Qt::UTC);
    const QDateTime fallback(QDate(2000, 1, 1), QTime(0, 0));
    QTest::newRow("local with milliseconds") << QByteArray() << local << local;
    QTest::newRow("UTC") << QByteArray() << utc << utc;
    QTest::newRow("written form") << QByteArray("2024-03-05T14:30:00.250") << QDateTime() << local;
    QTest::newRow("short date form is not taken") << QByteArray("05/03/24") << QDateTime() << fallback;
    QTest::newRow("text") << QByteArray("ayer") << QDateTime() << fallback;
    QTest::newRow("invalid date written") << QByteArray() << QDateTime() << fallback;
}

void TestIniFile::dateTime()
{
    QFETCH(QByteArray, stored);
    QFETCH(QDateTime, value);
    QFETCH(QDateTime, expected);
    IniFile ini(m_path);
    if (stored.isNull())
        ini.writeDateTime(S, QStringLiteral("Fecha"), value);
    else
        putBytes(m_path, "[PedidoC]\nFecha=" + stored + "\n");
    const QString section = stored.isNull() ? S : QStringLiteral("PedidoC");
    const QDateTime fallback(QDate(2000, 1, 1), QTime(0, 0));
    const QDateTime read = ini.readDateTime(section, QStringLiteral("Fecha"), fallback);
    QCOMPARE(read, expected);
    QCOMPARE(read.timeSpec(), expected.timeSpec());
}

void TestIniFile::failingWrites()
{
    // A path below a regular file can never be created, whoever runs this.
    putBytes(m_path, "[AppMovil]\nA=1\n");
    IniFile below(m_path + QStringLiteral("/sub.ini"));
    QCOMPARE(below.readString(S, QStringLiteral("A"), QStringLiteral("DEF")), QStringLiteral("DEF"));
    try {
        below.writeString(S, QStringLiteral("A"), QStringLiteral("2"));
        QFAIL("the write did not fail");
    } catch (const IniError &e) {
        QVERIFY(!e.text().isEmpty());
    }
    QCOMPARE(bytesOf(m_path), QByteArray("[AppMovil]\nA=1\n"));

    // A folder where the file should be.
    const QString folder = m_dir.filePath(QStringLiteral("carpeta.ini"));
    QVERIFY(QDir().mkpath(folder));
    IniFile dir(folder);
    QCOMPARE(dir.readInteger(S, QStringLiteral("A"), 5), 5);
    QVERIFY_THROWS_EXCEPTION(IniError, dir.writeInteger(S, QStringLiteral("A"), 1));
    QVERIFY(QFileInfo(folder).isDir());
}

void TestIniFile::invalidNames_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::newRow("empty section") << "" << "K";
    QTest::newRow("section with ]") << "A]B" << "K";
    QTest::newRow("section with LF") << "A\nB" << "K";
    QTest::newRow("section with blank") << " A" << "K";
    QTest::newRow("empty key") << "A" << "";
    QTest::newRow("key with =") << "A" << "a=b";
    QTest::newRow("key like a header") << "A" << "[x]";
    QTest::newRow("key like a comment") << "A" << ";x";
    QTest::newRow("key with CR") << "A" << "x\ry";
}

void TestIniFile::invalidNames()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    IniFile ini(m_path);
    QVERIFY_THROWS_EXCEPTION(IniError, ini.writeString(section, key, QStringLiteral("v")));
    QVERIFY(!QFile::exists(m_path));
    QCOMPARE(ini.readString(section, key, QStringLiteral("DEF")), QStringLiteral("DEF"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_IniFile.moc"
