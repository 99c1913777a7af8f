#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/Messages.h"

namespace qeltest {

// Status lines posted while it lives.
class StatusLines {
public:
    StatusLines()
    {
        SetMainWindowMessageSink([this](CPostedMessage&& m) {
            std::lock_guard lock(m_mutex);
            if (m.message == m_msg && m.Payload<std::wstring>())
                m_lines.push_back(*m.Payload<std::wstring>());
        });
    }
    ~StatusLines() { SetMainWindowMessageSink(nullptr); }
    StatusLines(const StatusLines&) = delete;
    StatusLines& operator=(const StatusLines&) = delete;

    std::vector<std::wstring> Take()
    {
        std::lock_guard lock(m_mutex);
        return std::exchange(m_lines, {});
    }

private:
    const unsigned int m_msg = RegisterWindowMessage(L"UWM_ADD_STATUS");
    std::mutex m_mutex;
    std::vector<std::wstring> m_lines;
};

} // namespace qeltest
