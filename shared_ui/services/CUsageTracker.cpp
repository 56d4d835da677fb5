#include "shared_ui/services/CUsageTracker.h"

#include "platform/CSettings.h"

#include <cstdio>

CUsageTracker::~CUsageTracker()
{
    Release(ExitBound);
}

void CUsageTracker::Release(std::chrono::milliseconds bound)
{
    if (!m_thread.joinable())
        return;
    Finish(bound);
    if (m_thread.joinable())
        m_thread.detach();
}

void CUsageTracker::Start(const std::string &application)
{
    if (m_state)
        return;
    try {
        const kxplatform::CSettings settings(QString::fromStdString(application));
        Start(kxres::COTLLogin(settings), application, kxplatform::LogonUserName());
    } catch (...) {}
}

void CUsageTracker::Start(const kxres::COTLLogin &login, const std::string &application, const std::string &user)
{
    if (m_state)
        return;
    try {
        auto state = std::make_shared<State>();
        const std::string time = TrackTime(std::time(nullptr));
        // Paths are settled here, so that the thread reads nothing of the application.
        kxres::COTLLogin settled = login;
        kxplatform::CUsageConnection connection = login.GetConnection();
        connection.database = QString::fromStdString(login.GetDatabaseName());
        settled.SetConnection(connection);
        m_thread = std::thread([state, settled, application, user, time] {
            Track(settled, application, user, time);
            std::lock_guard lock(state->mutex);
            state->finished = true;
            state->done.notify_all();
        });
        m_state = std::move(state);
    } catch (...) {
        // No thread to be had: the start simply goes unrecorded.
    }
}

bool CUsageTracker::Finish(std::chrono::milliseconds bound)
{
    if (!m_state)
        return true;
    bool finished = false;
    {
        std::unique_lock lock(m_state->mutex);
        finished = m_state->done.wait_for(lock, bound, [this] { return m_state->finished; });
    }
    if (finished && m_thread.joinable())
        m_thread.join();
    return finished;
}

bool CUsageTracker::Track(const kxres::COTLLogin &login, const std::string &application, const std::string &user,
                          const std::string &time, kxplatform::CDbError *error) noexcept
{
    try {
        const kxplatform::CUsageRecord record{application, user, time};
        return kxplatform::CUsageDatabase::Record(login.GetConnection(), record, error);
    } catch (...) {
        return false;
    }
}

std::string CUsageTracker::TrackTime(std::time_t when)
{
    std::tm local{};
    if (!localtime_r(&when, &local))
        return {};
    int hour = local.tm_hour % 12;
    if (hour == 0)
        hour = 12;
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d %s", local.tm_mon + 1, local.tm_mday,
                  local.tm_year + 1900, hour, local.tm_min, local.tm_sec, local.tm_hour < 12 ? "AM" : "PM");
    return text;
}
