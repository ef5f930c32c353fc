#pragma once
// Per-user string settings of the application "Strudelax" (INI file under
// the user's configuration folder; XDG_CONFIG_HOME is honoured).

#include <QString>

namespace sx {

QString GetSetting(const QString &section, const QString &key, const QString &defaultValue = QString());
void SaveSetting(const QString &section, const QString &key, const QString &value);
// Where the settings live (for the tests and the README).
QString SettingsFilePath();

}  // namespace sx
