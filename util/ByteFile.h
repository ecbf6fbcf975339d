#pragma once
// Whole-file reads and writes of fetched documents (PDF, pictures, RTF).

#include <QByteArray>
#include <QString>

#include <optional>

namespace korvel {

// Creates or replaces the file atomically; false (and the reason in *errorText) on failure.
bool writeBytes(const QString &path, const QByteArray &data, QString *errorText = nullptr);
// The whole file; nullopt (and the reason in *errorText) when it is missing or unreadable.
std::optional<QByteArray> readBytes(const QString &path, QString *errorText = nullptr);

} // namespace korvel
