#pragma once
// A count or group field that is not a number is quoted in the conversion
// error's text as the file holds it, in Windows-1252; the operator reads UTF-8.
#include <stdexcept>

#include "files/cp1252.h"
#include "files/runtime_errors.h"

namespace zm48d::ops {

// Runs `operation`, giving a conversion error its text in UTF-8.
template <class Operation>
auto WithReadableErrors(Operation operation) {
  try {
    return operation();
  } catch (const ConversionError& error) {
    // The file's name is the system's, already readable; only the value is the file's.
    throw std::runtime_error(ConversionError::Message(Cp1252ToUtf8(error.value()), error.path()));
  }
}

}  // namespace zm48d::ops
