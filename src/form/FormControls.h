#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace tonzug {

// Sets a window's guard flag (`Updating`, `Syncing`) for the lifetime of a scope and
// clears it again, also when a listener throws on the way out.
class GuardFlag {
  public:
    explicit GuardFlag(bool& flag) : flag_(flag) { flag_ = true; }
    GuardFlag(const GuardFlag&) = delete;
    GuardFlag& operator=(const GuardFlag&) = delete;
    ~GuardFlag() { flag_ = false; }

  private:
    bool& flag_;
};

// An observer's registration: the observer stays registered while this object lives.
// Either side may go first: a subscription that outlives its control does nothing.
class Subscription {
  public:
    Subscription() = default;
    explicit Subscription(std::function<void()> release) : release_(std::move(release)) {}
    Subscription(Subscription&& other) noexcept : release_(std::exchange(other.release_, {})) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            Release();
            release_ = std::exchange(other.release_, {});
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Release(); }

  private:
    void Release() {
        if (release_) {
            std::exchange(release_, {})();
        }
    }

    std::function<void()> release_;
};

// The controls of a window as plain values. A change made by the program raises the
// control's change handling synchronously, exactly as a user's edit does; a write of
// an equal value raises nothing. The windows' redraw cycles rest on this.
//
// Two kinds of listener: the form's own change handler (one per control), and
// observers, which a view adds to show every new value at once. Observers run first,
// so a view shows a value before the handler's nested writes replace it.
class ControlEvents {
  public:
    ControlEvents() = default;
    ControlEvents(const ControlEvents&) = delete;
    ControlEvents& operator=(const ControlEvents&) = delete;

    void SetHandler(std::function<void()> handler) { handler_ = std::move(handler); }

    // The observer runs until the returned subscription ends.
    [[nodiscard]] Subscription Observe(std::function<void()> observer) {
        const std::uint64_t id = observers_->nextId++;
        observers_->entries.push_back({id, std::move(observer)});
        return Subscription([list = std::weak_ptr<ObserverList>(observers_), id] {
            if (const std::shared_ptr<ObserverList> observers = list.lock()) {
                std::erase_if(observers->entries,
                              [id](const ObserverList::Entry& entry) { return entry.id == id; });
            }
        });
    }

  protected:
    void Raise() const {
        // A copy: an observer may end its own or another's subscription while it runs.
        const std::vector<ObserverList::Entry> observers = observers_->entries;
        for (const auto& entry : observers) {
            entry.observer();
        }
        if (handler_) {
            handler_();
        }
    }

  private:
    struct ObserverList {
        struct Entry {
            std::uint64_t id;
            std::function<void()> observer;
        };
        std::vector<Entry> entries;
        std::uint64_t nextId = 0;
    };

    std::function<void()> handler_;
    std::shared_ptr<ObserverList> observers_ = std::make_shared<ObserverList>();
};

// A text box. Besides its changes it knows whether the user is typing into it: from the
// first keystroke until the edit is finished (Enter, the focus leaves, or a command that
// reads the form), so that a form can hold back corrections of other fields until then.
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

    // A change the user typed, pasted or cut: the field is being edited from now on.
    void Type(std::string text) {
        editing_ = true;
        SetText(std::move(text));
    }
    bool Editing() const { return editing_; }
    // Ends the user's edit, running the finish handler once; nothing when no edit is open.
    void FinishEdit() {
        if (!editing_) {
            return;
        }
        editing_ = false;
        if (finishHandler_) {
            finishHandler_();
        }
    }
    void SetFinishHandler(std::function<void()> handler) { finishHandler_ = std::move(handler); }

  private:
    std::string text_;
    bool editing_ = false;
    std::function<void()> finishHandler_;
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
    // Options that stand for the values of an enum are selected by that value.
    template <class Option>
    requires std::is_enum_v<Option>
    bool Select(Option option) { return Select(static_cast<std::int32_t>(option)); }

  private:
    std::int32_t count_;
    std::int32_t selected_;
};

}  // namespace tonzug
