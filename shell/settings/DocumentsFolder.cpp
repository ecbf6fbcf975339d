#include "shell/settings/DocumentsFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace korvel {

DocumentsError::DocumentsError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}

QString DocumentsFolder::resolveRoot(const QString &commandLineValue)
{
    QString root = commandLineValue;
    if (root.isEmpty())
        root = qEnvironmentVariable(EnvironmentVariable);
    if (root.isEmpty())
        root = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (root.isEmpty())
        root = QDir::homePath();
    return QDir::cleanPath(QFileInfo(root).absoluteFilePath());
}

bool DocumentsFolder::isBareFileName(const QString &fileName)
{
    if (fileName.isEmpty())
        return false;
    bool onlyDots = true;
    for (QChar c : fileName) {
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20)
            return false;
        if (c != u'.')
            onlyDots = false;
    }
    return !onlyDots;
}

DocumentsFolder::DocumentsFolder(QString root) : m_root(root.isEmpty() ? root : QDir::cleanPath(root)) {}

QString DocumentsFolder::filePath(const QString &fileName) const
{
    if (!isBareFileName(fileName))
        throw DocumentsError(QStringLiteral("Invalid file name \"%1\": only a bare name inside the documents folder is allowed").arg(fileName));
    if (m_root.isEmpty() || !QDir().mkpath(m_root))
        throw DocumentsError(QStringLiteral("Unable to create directory"));
    return m_root.endsWith(u'/') ? m_root + fileName : m_root + u'/' + fileName;
}

} // namespace korvel
