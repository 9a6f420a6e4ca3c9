#pragma once
// The one result type of new code: a value, or the reason it could not be
// given, so that no exception crosses a layer and every caller sees both ways.
#include <optional>
#include <string>
#include <utility>

namespace zm48d {

template <class T>
class Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // NOLINT: a value converts to a success
  static Result Failure(std::string reason) { return Result(std::nullopt, std::move(reason)); }

  bool ok() const { return value_.has_value(); }
  const T& value() const { return *value_; }
  T& value() { return *value_; }
  const std::string& error() const { return error_; }

 private:
  Result(std::nullopt_t, std::string reason) : error_(std::move(reason)) {}

  std::optional<T> value_;
  std::string error_;
};

}  // namespace zm48d
