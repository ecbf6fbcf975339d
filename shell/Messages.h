#pragma once
// The three in-window overlays every screen talks through: the message box
// (`ShowMsg`), the busy overlay with the activity dialog, and the currency
// chooser (`SelMoneda`). Single instances: showing one again replaces its texts.

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace korvel {

class Messages : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the shell")

    Q_PROPERTY(bool msgVisible READ msgVisible NOTIFY msgChanged)
    Q_PROPERTY(QString msgTitulo READ msgTitulo NOTIFY msgChanged)
    Q_PROPERTY(QString msgCaption READ msgCaption NOTIFY msgChanged)
    Q_PROPERTY(int msgKind READ msgKind NOTIFY msgChanged)

    Q_PROPERTY(bool esperaVisible READ esperaVisible NOTIFY esperaChanged)
    Q_PROPERTY(QString esperaText READ esperaText NOTIFY esperaChanged)
    Q_PROPERTY(bool activityVisible READ activityVisible NOTIFY activityChanged)
    Q_PROPERTY(QString activityMessage READ activityMessage NOTIFY activityChanged)

    Q_PROPERTY(bool monedaVisible READ monedaVisible NOTIFY monedaChanged)
    Q_PROPERTY(QString monedaMessage READ monedaMessage NOTIFY monedaChanged)
    Q_PROPERTY(int monedaPurpose READ monedaPurpose NOTIFY monedaChanged)

public:
    enum Kind { Error = 0, Success = 1, Warning = 2 };
    Q_ENUM(Kind)

    explicit Messages(QObject* parent = nullptr);

    // Message box: returns at once; only a tap on the picture dismisses it.
    Q_INVOKABLE void ShowMsg(const QString& title, const QString& text, int kind);
    Q_INVOKABLE void MsgImg1Click();

    // Busy overlay. CargarEspera keeps the overlay label's text and sets the
    // activity dialog's message; UpdateEspera sets both.
    Q_INVOKABLE void CargarEspera(const QString& message);
    Q_INVOKABLE void UpdateEspera(const QString& message);
    Q_INVOKABLE void DesCargarEspera();

    // The activity dialog; its shown state is the flag that a task runs.
    void showActivity(const QString& message);
    void setActivityMessage(const QString& message);
    void hideActivity();

    // Currency chooser: stays until a currency is tapped.
    Q_INVOKABLE void SelMoneda(int purpose, const QString& message);
    Q_INVOKABLE void MXNBtnClick();
    Q_INVOKABLE void USDBtnClick();

    bool msgVisible() const { return m_msgVisible; }
    QString msgTitulo() const { return m_msgTitulo; }
    QString msgCaption() const { return m_msgCaption; }
    int msgKind() const { return m_msgKind; }
    bool esperaVisible() const { return m_esperaVisible; }
    QString esperaText() const { return m_esperaText; }
    bool activityVisible() const { return m_activityVisible; }
    QString activityMessage() const { return m_activityMessage; }
    bool monedaVisible() const { return m_monedaVisible; }
    QString monedaMessage() const { return m_monedaMessage; }
    int monedaPurpose() const { return m_monedaPurpose; }

signals:
    void msgChanged();
    void esperaChanged();
    void activityChanged();
    void monedaChanged();
    // The message box was dismissed: the page gives the focus back to the
    // field a hardware scanner types into.
    void messageDismissed();
    // The overlay is about to show: hide the on-screen keyboard.
    void keyboardHideRequested();
    // A currency was chosen (1 pesos, 2 dollars) for the chooser's purpose.
    void currencyChosen(int purpose, int currency);

private:
    void choose(int currency);

    bool m_msgVisible = false;
    QString m_msgTitulo = QStringLiteral("Información");
    QString m_msgCaption;
    int m_msgKind = Error;
    bool m_esperaVisible = false;
    QString m_esperaText = QStringLiteral("Espere Por favor");
    bool m_activityVisible = false;
    QString m_activityMessage = QStringLiteral("Please, Wait");
    bool m_monedaVisible = false;
    QString m_monedaMessage = QStringLiteral("Debe establecer la moneda para el nuevo pedido");
    int m_monedaPurpose = 0;
};

} // namespace korvel
