#pragma once

#include <QString>

enum class TUserAnswer { Yes, No, Cancel };

// The questions and error notes that transfers put to the user. The main window answers
// them with message boxes; the command line answers from its options.
class IUserQuestions {
 public:
  virtual ~IUserQuestions() = default;
  // A step of a multi-area operation failed: Yes goes on, anything else abandons it.
  virtual TUserAnswer AskStep(const QString& text) = 0;
  // A transfer problem the user has to acknowledge.
  virtual void ShowError(const QString& text) = 0;
};
