#pragma once
// What the start screen shows: the welcome card or the sign-in card, the
// company picker and the version text. The login flow drives it.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

namespace korvel {

class StartScreen : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the shell")
    Q_PROPERTY(bool welcomeVisible READ welcomeVisible NOTIFY changed)
    Q_PROPERTY(bool signInVisible READ signInVisible NOTIFY changed)
    Q_PROPERTY(bool pickerVisible READ pickerVisible NOTIFY changed)
    Q_PROPERTY(QStringList companies READ companies NOTIFY changed)
    Q_PROPERTY(bool ingresarEnabled READ ingresarEnabled NOTIFY changed)
    Q_PROPERTY(QString labelVer READ labelVer NOTIFY changed)

public:
    static constexpr auto kBuild = "Build 2.0.192";

    explicit StartScreen(QObject* parent = nullptr) : QObject(parent) {}

    bool welcomeVisible() const { return m_welcome; }
    bool signInVisible() const { return !m_welcome; }
    bool pickerVisible() const { return m_picker; }
    QStringList companies() const { return m_companies; }
    bool ingresarEnabled() const { return m_ingresarEnabled; }
    QString labelVer() const { return m_labelVer; }

    void showWelcome() { set(m_welcome, true); }
    void showSignIn() { set(m_welcome, false); }
    void setPickerVisible(bool v) { set(m_picker, v); }
    void setIngresarEnabled(bool v) { set(m_ingresarEnabled, v); }
    void setCompanies(const QStringList& names)
    {
        m_companies = names;
        emit changed();
    }
    void setLabelVer(const QString& text)
    {
        m_labelVer = text;
        emit changed();
    }

signals:
    void changed();

private:
    void set(bool& field, bool value)
    {
        if (field == value)
            return;
        field = value;
        emit changed();
    }

    bool m_welcome = true;
    bool m_picker = false;
    bool m_ingresarEnabled = true;
    QStringList m_companies;
    QString m_labelVer = QString::fromLatin1(kBuild);
};

} // namespace korvel
