#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tonzug {

// The controls of a window as plain values. A change made by the program raises the
// control's change handling synchronously, exactly as a user's edit does; a write of
// an equal value raises nothing. The windows' redraw cycles rest on this.
//
// Two kinds of listener: the form's own change handler (one per control), and
// observers, which a view adds to show every new value at once. Observers run first,
// so a view shows a value before the handler's nested writes replace it.
class ControlEvents {
  public:
    void SetHandler(std::function<void()> handler) { handler_ = std::move(handler); }
    void AddObserver(std::function<void()> observer) { observers_.push_back(std::move(observer)); }

  protected:
    void Raise() const {
        for (const auto& observer : observers_) {
            observer();
        }
        if (handler_) {
            handler_();
        }
    }

  private:
    std::function<void()> handler_;
    std::vector<std::function<void()>> observers_;
};

class TextField : public ControlEvents {
  public:
    explicit TextField(std::string text = {}) : text_(std::move(text)) {}
    const std::string& Text() const { return text_; }
    void SetText(std::string text) {
        if (text == text_) {
            return;
        }
        text_ = std::move(text);
        Raise();
    }

  private:
    std::string text_;
};

// A scroll bar: it refuses values outside its range.
class Slider : public ControlEvents {
  public:
    Slider(std::int16_t minimum, std::int16_t maximum, std::int16_t value)
        : minimum_(minimum), maximum_(maximum), value_(value) {}
    std::int16_t Value() const { return value_; }
    std::int16_t Minimum() const { return minimum_; }
    std::int16_t Maximum() const { return maximum_; }
    // False when the value lies outside the range (the slider keeps its value).
    bool SetValue(std::int32_t value) {
        if (value < minimum_ || value > maximum_) {
            return false;
        }
        if (value != value_) {
            value_ = static_cast<std::int16_t>(value);
            Raise();
        }
        return true;
    }

  private:
    std::int16_t minimum_;
    std::int16_t maximum_;
    std::int16_t value_;
};

// A check box holding 0 (off) or 1 (on); it refuses other values.
class CheckBox : public ControlEvents {
  public:
    explicit CheckBox(std::int16_t value = 0) : value_(value) {}
    std::int16_t Value() const { return value_; }
    bool SetValue(std::int32_t value) {
        if (value != 0 && value != 1) {
            return false;
        }
        if (value != value_) {
            value_ = static_cast<std::int16_t>(value);
            Raise();
        }
        return true;
    }

  private:
    std::int16_t value_;
};

// A group of option buttons of which one is selected.
class OptionGroup : public ControlEvents {
  public:
    OptionGroup(std::int32_t count, std::int32_t selected) : count_(count), selected_(selected) {}
    std::int32_t Count() const { return count_; }
    std::int32_t Selected() const { return selected_; }
    // False for an index without a button (the selection stays).
    bool Select(std::int32_t index) {
        if (index < 0 || index >= count_) {
            return false;
        }
        if (index != selected_) {
            selected_ = index;
            Raise();
        }
        return true;
    }

  private:
    std::int32_t count_;
    std::int32_t selected_;
};

}  // namespace tonzug
