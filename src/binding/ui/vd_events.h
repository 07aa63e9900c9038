#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class QObject;

// Page handlers of bound controls. The sender is the control; values passed by reference
// may be replaced by the handler.
using TLoadIntIntEvent = std::function<void(QObject& sender, int src, int& value)>;
using TStoreIntIntEvent = std::function<void(QObject& sender, int src, int& value)>;
using TLoadStrEvent = std::function<void(QObject& sender, uint8_t src, QString& value)>;
using TLoadDataEvent = std::function<void(QObject& sender, uint8_t src, int index)>;
using TStoreDataEvent = std::function<void(QObject& sender, uint8_t& value, int index)>;
using TSetDefaultEvent = std::function<void(QObject& sender, uint8_t& value, int index)>;
using TAsStringEvent = std::function<void(const QObject& sender, QString& value)>;
using TOnSetEnableEvent = std::function<void(QObject& sender, bool enabled)>;
// The page's own rule after a click or a change of the value.
using TNotifyEvent = std::function<void(QObject& sender)>;
