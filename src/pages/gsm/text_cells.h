#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <vector>

class QLineEdit;
class TVDData;

// An edit whose text the module keeps in one or more data cells as zero-padded single-byte
// characters (phone numbers, PIN codes, the server's name). The edit takes no more
// characters than the cells hold. The text is made from all the cells' bytes after each one
// loads, so it does not matter which cell the area loads first. Only what the user types
// counts as a change: showing the module's bytes never offers a write.
class TTextCells : public QObject {
  Q_OBJECT

 public:
  struct TOptions {
    // A subscriber number whose first byte is 0 is no number.
    bool EmptyWhenFirstZero = false;
    // The factory text; without one a factory reset keeps the module's bytes.
    std::optional<QString> Default = std::nullopt;
  };

  TTextCells(QLineEdit& edit, std::vector<TVDData*> cells, TOptions options, QObject* parent);

  int Capacity() const { return static_cast<int>(bytes_.size()); }
  // Puts a text in as the user's typing would (a preset chosen from a list).
  void Enter(const QString& text);

 private:
  void Attach(TVDData& cell, int offset);
  void ShowBytes();
  void StoreEdited();

  QLineEdit& edit_;
  std::vector<TVDData*> cells_;
  std::vector<uint8_t> bytes_;
  TOptions options_;
};
