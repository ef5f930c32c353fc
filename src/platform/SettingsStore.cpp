#include "SettingsStore.h"

#include <QSettings>

namespace sx {

namespace {
QSettings Store() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Strudelax"),
                     QStringLiteral("Strudelax"));
}
QString Key(const QString &section, const QString &key) { return section + QLatin1Char('/') + key; }
}  // namespace

QString GetSetting(const QString &section, const QString &key, const QString &defaultValue) {
    QSettings s = Store();
    const QVariant v = s.value(Key(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

void SaveSetting(const QString &section, const QString &key, const QString &value) {
    QSettings s = Store();
    s.setValue(Key(section, key), value);
    s.sync();
}

QString SettingsFilePath() { return Store().fileName(); }

}  // namespace sx
