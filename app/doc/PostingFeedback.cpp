#include "app/doc/PostingFeedback.h"

#include <utility>

#include "platform/base/Messages.h"

bool CPostingFeedback::StopRequested() const
{
    return m_pbKeepRunning && !m_pbKeepRunning->load(std::memory_order_relaxed);
}

void CPostingFeedback::Progress(int steps) const
{
    static const unsigned int UWM_PBAR_UPDATE = RegisterWindowMessage(L"UWM_PBAR_UPDATE");
    for (int i = 0; i < steps; ++i)
        PostMainWindowMessage(UWM_PBAR_UPDATE, 1, 0);
}

void CPostingFeedback::Status(std::wstring line) const
{
    static const unsigned int UWM_ADD_STATUS = RegisterWindowMessage(L"UWM_ADD_STATUS");
    // The text travels as the message's own payload: the receiver frees it, and so does a
    // post that no main window takes.
    PostMainWindowMessage(UWM_ADD_STATUS, 0, 0, MakePayload(std::move(line)));
}

bool CPostingFeedback::WantsStatus() const
{
    return HasMainWindowMessageSink();
}
