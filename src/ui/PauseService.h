#pragma once

namespace vcm::ui {

/// Blocks the window's thread for a number of milliseconds. The pauses are part of how the program
/// paces traffic to the chip; tests replace this to record them instead of sleeping.
class PauseService {
  public:
    virtual ~PauseService() = default;
    virtual void pause(int milliseconds) = 0;

  protected:
    PauseService() = default;
    PauseService(const PauseService&) = default;
    PauseService& operator=(const PauseService&) = default;
};

/// The real pause: sleeps the calling thread.
class SleepingPause final : public PauseService {
  public:
    void pause(int milliseconds) override;
};

}  // namespace vcm::ui
