#include "shell/Messages.h"

namespace korvel {

Messages::Messages(QObject* parent) : QObject(parent) {}

void Messages::ShowMsg(const QString& title, const QString& text, int kind)
{
    m_msgTitulo = title;
    m_msgCaption = text;
    m_msgKind = (kind == Success || kind == Warning) ? kind : Error;
    m_msgVisible = true;
    emit msgChanged();
}

void Messages::MsgImg1Click()
{
    if (!m_msgVisible)
        return;
    m_msgVisible = false;
    emit msgChanged();
    emit messageDismissed();
}

void Messages::CargarEspera(const QString& message)
{
    emit keyboardHideRequested();
    m_esperaVisible = true;
    emit esperaChanged();
    setActivityMessage(message);
}

void Messages::UpdateEspera(const QString& message)
{
    setActivityMessage(message);
    m_esperaText = message;
    emit esperaChanged();
}

void Messages::DesCargarEspera()
{
    if (!m_esperaVisible)
        return;
    m_esperaVisible = false;
    emit esperaChanged();
}

void Messages::showActivity(const QString& message)
{
    m_activityMessage = message;
    m_activityVisible = true;
    emit activityChanged();
}

void Messages::setActivityMessage(const QString& message)
{
    m_activityMessage = message;
    emit activityChanged();
}

void Messages::hideActivity()
{
    if (!m_activityVisible)
        return;
    m_activityVisible = false;
    emit activityChanged();
}

void Messages::SelMoneda(int purpose, const QString& message)
{
    m_monedaPurpose = purpose;
    m_monedaMessage = message;
    m_monedaVisible = true;
    emit monedaChanged();
}

void Messages::MXNBtnClick()
{
    choose(1);
}

void Messages::USDBtnClick()
{
    choose(2);
}

void Messages::choose(int currency)
{
    if (!m_monedaVisible)
        return;
    const int purpose = m_monedaPurpose;
    emit currencyChosen(purpose, currency);
    m_monedaVisible = false;
    emit monedaChanged();
}

} // namespace korvel
