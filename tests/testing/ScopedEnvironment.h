#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace tonzug::testing {

// Sets an environment variable while it lives, then puts back the old value or none.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        setenv(name, value, 1);
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
