#include "FakeLauncher.h"
#include "util/PlatformActions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

using namespace korvel;

// Stands for a QML text field: only forceActiveFocus() is used.
class FieldStub : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE void forceActiveFocus() { ++focusRequests; }
    int focusRequests = 0;
};

class TstPlatformActionsGui : public QObject
{
    Q_OBJECT

private slots:
    void copyToClipboard();
    void showKeyboardFocusesField();
};

void TstPlatformActionsGui::copyToClipboard()
{
    FakeLauncher launcher;
    PlatformActions actions(launcher);
    QGuiApplication::clipboard()->setText(QStringLiteral("antes"));
    actions.copyToClipboard(QStringLiteral("Folio F-000123"));
    QCOMPARE(QGuiApplication::clipboard()->text(), "Folio F-000123");
}

void TstPlatformActionsGui::showKeyboardFocusesField()
{
    FakeLauncher launcher;
    PlatformActions actions(launcher);
    FieldStub field;
    actions.showKeyboard(&field);
    QCOMPARE(field.focusRequests, 1);
    QObject plain; // without forceActiveFocus(): only the keyboard is asked for
    actions.showKeyboard(&plain);
    actions.showKeyboard(nullptr);
    QCOMPARE(field.focusRequests, 1);
}

QTEST_MAIN(TstPlatformActionsGui)
#include "tst_platformactions_gui.moc"
