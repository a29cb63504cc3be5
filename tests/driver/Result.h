// Errors as values: a result or the reason there is none.
#pragma once
#include <string>
#include <utility>

namespace pw {

struct Failure {
  std::string message;
};

inline Failure Fail(std::string message) { return Failure{std::move(message)}; }

template <class T>
class Result {
 public:
  Result(T value) : ok_(true), value_(std::move(value)) {}
  Result(Failure failure) : ok_(false), value_(), error_(std::move(failure.message)) {}

  bool ok() const { return ok_; }
  const T& value() const { return value_; }
  T& value() { return value_; }
  const std::string& error() const { return error_; }

 private:
  bool ok_;
  T value_;
  std::string error_;
};

class Status {
 public:
  Status() = default;
  Status(Failure failure) : ok_(false), error_(std::move(failure.message)) {}

  bool ok() const { return ok_; }
  const std::string& error() const { return error_; }

 private:
  bool ok_ = true;
  std::string error_;
};

}  // namespace pw
