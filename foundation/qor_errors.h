#pragma once
// Errors raised by the persistence base and the model. Loading and other operations that can
// fail raise these; their message is what the player sees in the "Error" message box.
#include <stdexcept>
#include <string>

class EQorError : public std::runtime_error {
 public:
  explicit EQorError(const std::string& message) : std::runtime_error(message) {}
};

// Input/output errors of the text form: malformed numbers, files that cannot be opened,
// read or written.
class EInOutError : public EQorError {
 public:
  explicit EInOutError(const std::string& message) : EQorError(message) {}
};
