#pragma once

#include <QString>
#include <algorithm>
#include <optional>
#include <span>
#include <string_view>

// What the value label beside a track bar says for each position, one table row per track
// bar, so that pages state their units instead of writing a formatter each.

// A printf-like number form with exactly one conversion: "%d мс", "%5.1f с". %d shows the
// value rounded to a whole number, %f with the given number of decimals (6 when none is
// given) and the decimal separator of the user's number format; a width pads with spaces on
// the left, or with "-" ("%-6.2f") on the right. "%%" is a percent sign.
struct TNumberFormat {
  std::string_view Prefix;
  bool LeftAligned = false;
  int Width = 0;
  int Precision = -1;
  char Conversion = 0;  // 'd' or 'f'; 0 when the form is not one of these
  std::string_view Suffix;
};

// Where the first conversion starts ("%%" is none); the size of the text when there is none.
constexpr std::size_t FindConversion(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] != '%' || text.substr(at, 2) == "%%")) {
    at += text[at] == '%' ? 2 : 1;
  }
  return std::min(at, text.size());
}

constexpr TNumberFormat ParseNumberFormat(std::string_view format) {
  TNumberFormat parsed;
  std::size_t at = FindConversion(format);
  if (at == format.size()) return {};
  parsed.Prefix = format.substr(0, at);
  const auto number = [&format, &at] {
    int value = 0;
    while (at < format.size() && format[at] >= '0' && format[at] <= '9') {
      value = value * 10 + (format[at++] - '0');
    }
    return value;
  };
  ++at;
  if (at < format.size() && format[at] == '-') {
    parsed.LeftAligned = true;
    ++at;
  }
  parsed.Width = number();
  if (at < format.size() && format[at] == '.') {
    ++at;
    parsed.Precision = number();
  }
  if (at == format.size() || (format[at] != 'd' && format[at] != 'f')) return {};
  parsed.Conversion = format[at++];
  parsed.Suffix = format.substr(at);
  if (FindConversion(parsed.Suffix) != parsed.Suffix.size()) return {};
  return parsed;
}

// What a value label may read besides its own position: what another control of its page
// shows as one number (a track bar's position, a check box 0 or 1, a radio group's item, a
// data item's first byte). nullopt where the page has no such control, or where what it
// shows is not known yet (a data item of a message nobody has answered).
class ILabelContext {
 public:
  virtual std::optional<int> Shown(std::string_view control) const = 0;
  // The main module's board generation (1 to 3) from its settings; 0 while not known.
  virtual int BoardGeneration() const = 0;
  // The program shows every firmware's settings.
  virtual bool DemoMode() const { return false; }

 protected:
  ~ILabelContext() = default;
};

struct TValueLabelRow {
  // The track bar's control name.
  const char* Name = "";
  // The label shows position × Scale + Offset in Format ...
  double Scale = 1.0;
  double Offset = 0;
  const char* Format = "%d";
  // ... where past KneePosition the value grows by KneeScale per position instead (a scale
  // that turns coarser in its upper part) ...
  int KneePosition = -1;
  double KneeScale = 0.0;
  // ... or, where given, the text of the position in this list (from position 0) ...
  std::span<const char* const> Texts = {};
  // ... and at SpecialPosition this text of its own.
  int SpecialPosition = -1;
  const char* SpecialText = "";
  // A scale the columns above cannot state (two units in one text, a format that changes
  // along the scale): this function gives every text but SpecialText's.
  QString (*Formula)(int position) = nullptr;
  // A scale that depends on other controls of the page (a speed of the measured period, a
  // board's own scale): the page shows the label again whenever one of those changes, and
  // the settings list reads them from the same cells.
  QString (*PageFormula)(int position, const ILabelContext& page) = nullptr;
};

// The value in a number form; the text of Prefix and Suffix is UTF-8.
QString FormatNumber(std::string_view format, double value);
// Without a page, a PageFormula sees no other control.
QString ValueLabelText(const TValueLabelRow& row, int position);
QString ValueLabelText(const TValueLabelRow& row, int position, const ILabelContext& page);

// Every row named and every format one that FormatNumber prints. Use as
//   static_assert(CheckValueLabels(kRows) == -1);
// where the compiler then prints the index of the first bad row.
constexpr int CheckValueLabels(std::span<const TValueLabelRow> rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (std::string_view(rows[i].Name).empty() ||
        ParseNumberFormat(rows[i].Format).Conversion == 0) {
      return static_cast<int>(i);
    }
  }
  return -1;
}
