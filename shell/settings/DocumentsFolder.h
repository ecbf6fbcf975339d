#pragma once
// The documents folder: every file the program keeps or hands to other
// programs lives there, under a bare file name.

#include <QLatin1String>
#include <QString>

#include <stdexcept>

namespace korvel {

class DocumentsError : public std::runtime_error
{
public:
    explicit DocumentsError(const QString &text);
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

class DocumentsFolder
{
public:
    static constexpr QLatin1String SettingsFile{"ZFKorvel.ini"};
    static constexpr QLatin1String OrderHeaderFile{"ZFKorvelPed.ini"};
    static constexpr QLatin1String OrderLinesFile{"ZFKorvelDet.ini"};
    static constexpr QLatin1String OrderMarkerFile{"Pedido.dat"};

    // Environment variable that overrides the platform's documents folder.
    static constexpr const char *EnvironmentVariable = "KORVEL_DOCUMENTS";

    // The root to use: commandLineValue (the "--documents" option) when not
    // empty, else KORVEL_DOCUMENTS when set and not empty, else the
    // platform's documents location (the home folder if the platform reports
    // none). Always an absolute, cleaned path.
    static QString resolveRoot(const QString &commandLineValue = {});

    // True for a bare name that stays inside the folder: not empty, not "."
    // or "..", no "/", "\\" or ":", no control characters.
    static bool isBareFileName(const QString &fileName);

    explicit DocumentsFolder(QString root);

    const QString &root() const { return m_root; }

    // root + "/" + fileName for the program's own files. Creates the folder
    // with any missing parents. Throws DocumentsError "Unable to create
    // directory" when it cannot, or a DocumentsError naming the file when the
    // name is not a bare file name.
    QString filePath(const QString &fileName) const;
    // The same folder, for files handed to other programs (share, open, mail).
    QString sharedFilePath(const QString &fileName) const { return filePath(fileName); }

private:
    QString m_root;
};

} // namespace korvel
