// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wordrop::window {

enum class OperationKind : std::uint8_t {
    Visible,
    Caption,
    TextRead,
    TextWrite,
    ForeColor,
    BackColor,
    FillStyle,
    Cls,
    Circle,
    Line,
};

const char* operationName(OperationKind kind);

// One operation as the runtime performed it: what, and on which control (none: the form).
struct OperationRecord {
    OperationKind kind;
    std::optional<std::uint16_t> control;
    friend bool operator==(const OperationRecord&, const OperationRecord&) = default;
};

// The seam through which tests make the runtime fail: every operation on the form or a
// control passes through here, so the n-th one from now can be made to fail, and the
// operations a handler performs can be recorded.
class FaultInjector {
  public:
    // Makes the n-th operation from now fail (1 is the next one).
    void failOperation(std::uint64_t n) { failAt_ = performed_ + n; }
    // Makes the next operation of this kind on this control (none: the form) fail.
    void failNext(OperationRecord op) { failOn_ = op; }
    void clear() {
        failAt_.reset();
        failOn_.reset();
    }

    void startRecording() {
        recording_ = true;
        recorded_.clear();
    }
    std::vector<OperationRecord> stopRecording() {
        recording_ = false;
        return std::move(recorded_);
    }

    // Called before each operation takes effect, so a test can see the state between them.
    void watch(std::function<void()> watcher) { watcher_ = std::move(watcher); }

    // Counts the operation; true when it is the one chosen to fail.
    [[nodiscard]] bool shouldFail(const OperationRecord& op) {
        ++performed_;
        if (recording_) recorded_.push_back(op);
        if (watcher_) watcher_();
        if (failAt_ && *failAt_ == performed_) {
            failAt_.reset();
            return true;
        }
        if (failOn_ && *failOn_ == op) {
            failOn_.reset();
            return true;
        }
        return false;
    }

  private:
    std::uint64_t performed_ = 0;
    std::optional<std::uint64_t> failAt_;
    std::optional<OperationRecord> failOn_;
    bool recording_ = false;
    std::vector<OperationRecord> recorded_;
    std::function<void()> watcher_;
};

}  // namespace wordrop::window
