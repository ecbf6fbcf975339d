#include "util/ByteFile.h"

#include <QFile>
#include <QSaveFile>

namespace korvel {
namespace {

constexpr qint64 kBlockSize = 1024;

bool fail(QString *errorText, const QString &path, const QString &reason)
{
    if (errorText)
        *errorText = path + QStringLiteral(": ") + reason;
    return false;
}

} // namespace

bool writeBytes(const QString &path, const QByteArray &data, QString *errorText)
{
    if (path.isEmpty())
        return fail(errorText, path, QStringLiteral("No file name"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(errorText, path, file.errorString());
    if (file.write(data) != data.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(errorText, path, reason);
    }
    if (!file.commit())
        return fail(errorText, path, file.errorString());
    return true;
}

std::optional<QByteArray> readBytes(const QString &path, QString *errorText)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        fail(errorText, path, path.isEmpty() ? QStringLiteral("No file name") : file.errorString());
        return std::nullopt;
    }
    QByteArray data;
    if (file.size() > 0)
        data.reserve(file.size());
    char block[kBlockSize];
    for (;;) {
        const qint64 n = file.read(block, kBlockSize);
        if (n < 0) {
            fail(errorText, path, file.errorString());
            return std::nullopt;
        }
        if (n == 0)
            break;
        data.append(block, n);
    }
    return data;
}

} // namespace korvel
