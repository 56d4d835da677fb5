#pragma once

// Records each program start in the usage database on a worker thread of its own.
// Nothing is shown and nothing is thrown: a missing driver, a locked file or an
// unreachable server leave the program running as if nothing happened.

#include "shared_ui/services/COTLLogin.h"

#include <chrono>
#include <condition_variable>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class CUsageTracker {
public:
    CUsageTracker() = default;
    // Release(ExitBound).
    ~CUsageTracker();
    CUsageTracker(const CUsageTracker &) = delete;
    CUsageTracker &operator=(const CUsageTracker &) = delete;

    static constexpr std::chrono::milliseconds ExitBound{5000};

    // Starts the one worker thread of this start and returns at once; a second call does nothing.
    // The connection comes from the program's settings.
    void Start(const std::string &application);
    void Start(const kxres::COTLLogin &login, const std::string &application, const std::string &user);

    // Waits at most bound for the thread; true when it has ended (or never started).
    bool Finish(std::chrono::milliseconds bound = ExitBound);
    // At exit: waits at most bound, then lets a running thread go. Waits only once:
    // later calls and the destructor return at once.
    void Release(std::chrono::milliseconds bound = ExitBound);
    bool IsStarted() const { return m_state != nullptr; }

    // The thread's work, run here and now: true when the start was recorded.
    static bool Track(const kxres::COTLLogin &login, const std::string &application, const std::string &user,
                      const std::string &time, kxplatform::CDbError *error = nullptr) noexcept;

    // Local time as "%m/%d/%Y %I:%M:%S %p".
    static std::string TrackTime(std::time_t when);

private:
    struct State {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
    };

    std::shared_ptr<State> m_state;
    std::thread m_thread;
};
