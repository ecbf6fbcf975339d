#pragma once
// Starts korvel-sandbox on a free loopback port over a fresh store for one
// test and stops it afterwards.

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace korvel::testing {

class SandboxProcess {
public:
    explicit SandboxProcess(QStringList extraArguments = {})
    {
        m_process.setProgram(QStringLiteral(KORVEL_SANDBOX_PATH));
        m_process.setArguments(QStringList{"--port", "0", "--db", m_dir.filePath(QStringLiteral("sandbox.db")), "--reset"}
                               + extraArguments);
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return;
        QByteArray line;
        while (!line.contains('\n') && m_process.waitForReadyRead(30000))
            line += m_process.readAllStandardOutput();
        const QByteArray first = line.left(line.indexOf('\n')).trimmed();
        if (first.startsWith("listening on "))
            m_url = QString::fromUtf8(first.mid(13));
    }

    ~SandboxProcess() { stop(); }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    bool running() const { return !m_url.isEmpty() && m_process.state() == QProcess::Running; }
    // The service description address, "http://127.0.0.1:PORT/WSKorvel.dll/wsdl/Ikorvel".
    const QString& descriptionUrl() const { return m_url; }
    QString hostAndPort() const { return m_url.section(QLatin1Char('/'), 2, 2); }
    QString databaseFile() const { return m_dir.filePath(QStringLiteral("sandbox.db")); }
    QString errors() { return QString::fromUtf8(m_process.readAllStandardError()); }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_url;
};

} // namespace korvel::testing
