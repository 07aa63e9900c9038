#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

// A yes/no value of the per-user settings; a missing or unreadable one ("maybe") is the
// fallback rather than whatever QVariant would make of it.
inline bool ReadSettingsBool(const QSettings& settings, const QString& key, bool fallback) {
  const QVariant value = settings.value(key);
  if (!value.isValid()) return fallback;
  const QString text = value.toString().trimmed().toLower();
  if (text == u"true" || text == u"1") return true;
  if (text == u"false" || text == u"0") return false;
  return fallback;
}
