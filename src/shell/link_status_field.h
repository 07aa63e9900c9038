#pragma once

#include <QLabel>
#include <QString>

// How far the link reaches, as the status bar tells it.
enum class TLinkState { NoAdapter, AdapterFound, Connected };

// The status bar's permanent field: which port is in use and how far the link reaches, so
// that the user sees at a glance whether the adapter and the modules are there.
class TLinkStatusField : public QLabel {
  Q_OBJECT

 public:
  explicit TLinkStatusField(QWidget* parent = nullptr);

  // `port` is the port in use as the user knows it; `modules` counts the modules that answer.
  void Show(const QString& port, TLinkState state, int modules);

  // "Порт: /dev/ttyUSB0 — связь есть, 3 модуля".
  static QString Text(const QString& port, TLinkState state, int modules);
};
