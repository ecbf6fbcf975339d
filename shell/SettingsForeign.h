#pragma once
// Makes the settings object's type known to QML (it lives in a library
// without QML of its own).

#include "shell/settings/Settings.h"

#include <QtQml/qqml.h>

namespace korvel {

struct SettingsForeign {
    Q_GADGET
    QML_FOREIGN(korvel::Settings)
    QML_NAMED_ELEMENT(Settings)
    QML_UNCREATABLE("owned by the application")
};

} // namespace korvel
