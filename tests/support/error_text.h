#pragma once
// The message of the error that f raises, or "(no error)": lets a test compare error texts in
// one expression.
#include <string>

#include "qor_errors.h"

template <typename F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const EQorError& e) {
    return e.what();
  }
  return "(no error)";
}
