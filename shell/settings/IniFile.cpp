#include "shell/settings/IniFile.h"

#include "shell/settings/IniText.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QSaveFile>

namespace korvel {

namespace {

QMutex &writeMutex()
{
    static QMutex mutex;
    return mutex;
}

QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("%1: %2").arg(path, reason);
}

} // namespace

IniError::IniError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}

IniFile::IniFile(QString path, const QLocale &locale) : m_path(std::move(path)), m_locale(locale)
{
    m_locale.setNumberOptions(m_locale.numberOptions() | QLocale::OmitGroupSeparator);
}

std::optional<QString> IniFile::readValue(const QString &section, const QString &key) const
{
    if (!ini::isValidSectionName(section) || !ini::isValidKeyName(key))
        return std::nullopt;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = file.readAll();
    file.close();
    const ini::KeyLocation loc = ini::locate(data, section, key);
    if (!loc.keyFound)
        return std::nullopt;
    return ini::decodeValue(data.constData() + loc.valueBegin, data.constData() + loc.valueEnd);
}

void IniFile::writeValue(const QString &section, const QString &key, const QString &value)
{
    if (!ini::isValidSectionName(section))
        throw IniError(failure(m_path, QStringLiteral("invalid section name \"%1\"").arg(section)));
    if (!ini::isValidKeyName(key))
        throw IniError(failure(m_path, QStringLiteral("invalid key name \"%1\"").arg(key)));

    const QMutexLocker lock(&writeMutex());
    QByteArray data;
    QFile in(m_path);
    if (in.exists()) {
        // Never replace a file whose content could not be read.
        if (!in.open(QIODevice::ReadOnly))
            throw IniError(failure(m_path, in.errorString()));
        data = in.readAll();
        if (in.error() != QFileDevice::NoError)
            throw IniError(failure(m_path, in.errorString()));
        in.close();
    }

    const ini::KeyLocation loc = ini::locate(data, section, key);
    const QByteArray encoded = ini::encodeValue(value);
    QByteArray out;
    if (loc.keyFound) {
        // Keep the key as it is spelled in the file and the line's own break.
        out.reserve(data.size() + encoded.size());
        out.append(data.constData(), loc.valueBegin);
        out.append(encoded);
        out.append(data.constData() + loc.valueEnd, data.size() - loc.valueEnd);
    } else {
        const QByteArray br = ini::lineBreakOf(data);
        QByteArray line = key.toUtf8() + '=' + encoded + br;
        if (loc.sectionFound) {
            if (loc.insertNeedsBreak)
                line.prepend(br);
            out = data;
            out.insert(loc.insertAt, line);
        } else {
            out = data;
            if (!out.isEmpty() && !out.endsWith('\n'))
                out.append(br);
            out.append('[' + section.toUtf8() + ']' + br + line);
        }
    }

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        throw IniError(failure(m_path, file.errorString()));
    if (file.write(out) != out.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw IniError(failure(m_path, reason));
    }
    if (!file.commit())
        throw IniError(failure(m_path, file.errorString()));
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return readValue(section, key).value_or(defaultValue);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    writeValue(section, key, value);
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const std::optional<QString> text = readValue(section, key);
    if (!text)
        return defaultValue;
    bool ok = false;
    const int value = text->trimmed().toInt(&ok, 10);
    return ok ? value : defaultValue;
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeValue(section, key, QString::number(value));
}

bool IniFile::readSwitch(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) == 1;
}

void IniFile::writeSwitch(const QString &section, const QString &key, bool value)
{
    writeInteger(section, key, value ? 1 : 0);
}

double IniFile::readReal(const QString &section, const QString &key, const QString &defaultValue) const
{
    const QString text = readValue(section, key).value_or(defaultValue);
    bool ok = false;
    const double value = m_locale.toDouble(text.trimmed(), &ok);
    if (!ok)
        throw IniError(QStringLiteral("\"%1\" is not a valid floating point value").arg(text));
    return value;
}

void IniFile::writeReal(const QString &section, const QString &key, double value)
{
    writeValue(section, key, realText(value));
}

QString IniFile::realText(double value) const
{
    return m_locale.toString(value, 'g', QLocale::FloatingPointShortest);
}

QDateTime IniFile::readDateTime(const QString &section, const QString &key, const QDateTime &defaultValue) const
{
    const std::optional<QString> text = readValue(section, key);
    if (!text)
        return defaultValue;
    const QDateTime value = QDateTime::fromString(text->trimmed(), Qt::ISODateWithMs);
    return value.isValid() ? value : defaultValue;
}

void IniFile::writeDateTime(const QString &section, const QString &key, const QDateTime &value)
{
    writeValue(section, key, value.isValid() ? value.toString(Qt::ISODateWithMs) : QString());
}

} // namespace korvel
