#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace tonzug::testing {

// Sets an environment variable for one test and puts back what it was afterwards.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        old_ ? setenv(name_.c_str(), old_->c_str(), 1) : unsetenv(name_.c_str());
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace tonzug::testing
