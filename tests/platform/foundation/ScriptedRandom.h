#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/foundation/Random.h"

// Puts a script of unit values in place of the system generator for as long as
// it lives, then puts the system generator back (not an earlier script: do not
// nest them). Every draw, whether from Random::uniform or Random::integer,
// takes the next value.
//
// Running out of the script fails the test, because a test that draws more
// than it planned is asserting on values it never chose. The last value then
// repeats so the code under test can finish. Give Exhausted::RepeatLast for a
// value that should hold for any number of draws.
class ScriptedRandom {
 public:
  enum class Exhausted { Fail, RepeatLast };

  explicit ScriptedRandom(std::vector<double> values, Exhausted exhausted = Exhausted::Fail)
      : script_(std::make_shared<Script>(std::move(values), exhausted)) {
    if (script_->values.empty()) ADD_FAILURE() << "ScriptedRandom needs at least one value";
    // The source owns its own reference: Random may still hold it briefly
    // after this object is gone.
    foundation::Random::setSource([script = script_] { return script->next(); });
  }
  ~ScriptedRandom() { foundation::Random::setSource(nullptr); }
  ScriptedRandom(const ScriptedRandom&) = delete;
  ScriptedRandom& operator=(const ScriptedRandom&) = delete;

  // Values not drawn yet.
  std::size_t remaining() const {
    std::lock_guard lock(script_->mutex);
    return script_->values.size() - script_->drawn;
  }

 private:
  struct Script {
    Script(std::vector<double> v, Exhausted e) : values(std::move(v)), exhausted(e) {}
    double next() {
      std::lock_guard lock(mutex);
      if (values.empty()) return 0.0;
      if (drawn < values.size()) return values[drawn++];
      if (exhausted == Exhausted::Fail && !reportedExhausted) {
        reportedExhausted = true;
        ADD_FAILURE() << "ScriptedRandom ran out after " << values.size() << " values";
      }
      return values.back();
    }
    mutable std::mutex mutex;
    std::vector<double> values;
    Exhausted exhausted;
    std::size_t drawn = 0;
    bool reportedExhausted = false;
  };

  std::shared_ptr<Script> script_;
};
