#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class IPageHost;
class TLearnWait;
class TVDFrame;

// The learning commands the extension modules share: the page's own thing (a slave event, the
// validator's code, an engine start combination), an analog button, and a step of a learning
// that goes in steps (the input extender's and the engine start module's buttons).
inline constexpr uint8_t kLearnCommand = 112;
inline constexpr uint8_t kLearnAnalogCommand = 113;
inline constexpr uint8_t kLearnStepCommand = 54;
// What a module reports, or is sent, for "no event learned".
inline constexpr uint8_t kNoLearnedEvent = 0xFF;

// One learning procedure of an extension module's page: what to ask the module and what to
// tell the installer.
struct TLearnProcedure {
  uint8_t Module = 0;
  // The main window's write command for the module ("aWrite14"), run first when enabled so
  // that the module learns against the settings the page shows.
  QString WriteCommand = {};
  QString Caption = {};
  QString Prompt = {};
  QString Detail = {};
  QString Status = {};
  // The request that starts learning; the module echoes its first data byte.
  uint8_t Command = 0;
  std::vector<uint8_t> Start = {};
  // Sent with the same command when learning ends without success; empty for none.
  std::vector<uint8_t> Cancel = {};
  // Whether the cancel's echo is checked too.
  bool CancelEchoed = false;
  // The main module is told to listen (command 6) while the module learns a key fob button.
  bool TellMainModule = false;
};

// Runs learning procedures for a page: asks the module to learn, waits in a window for the
// module to report the result (the page passes on what the module reports) and ends in
// success, or in failure with the module's learning stopped. A module that does not answer
// the request has learned nothing, and the installer is told so.
class TLearnSession : public QObject {
  Q_OBJECT

 public:
  TLearnSession(TVDFrame& page, IPageHost& host);

  // What runs after a success (reload the learned flags), after a failure, and after either.
  std::function<void()> OnLearned;
  std::function<void()> OnNotLearned;
  std::function<void()> OnFinished;

  void Start(TLearnProcedure procedure);
  // The module's report: learned or not. Ignored unless the session waits for it.
  void TakeResult(bool learned);
  bool Waiting() const { return state_ == TState::Waiting; }
  bool Busy() const { return state_ != TState::Idle; }
  // The waiting window, once made.
  TLearnWait* Window() const;

 private:
  enum class TState { Idle, Starting, Waiting, Cancelling };

  void Started(bool answered, uint8_t echo);
  void Fail(const QString& why);
  void CancelLearning();
  void Finish();

  TVDFrame& page_;
  IPageHost& host_;
  TLearnProcedure procedure_;
  TState state_ = TState::Idle;
  // A result that overtook the module's echo: the module's report and its answer travel by
  // different ways, and a quick installer may press the button before the echo is seen.
  std::optional<bool> earlyResult_;
  QPointer<TLearnWait> window_;
};
