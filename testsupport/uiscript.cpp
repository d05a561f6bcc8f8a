// Scripted steps that run from a timer while a modal loop of the code under
// test runs, with a time limit that closes the thread's windows.
#include "testsupport/testsupport.h"

namespace {

constexpr int kTickMs = 30;
constexpr int kTickLimit = 500;
TsUiScript* g_current = nullptr;

BOOL CALLBACK CloseOne(HWND window, LPARAM)
{
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

TsUiScript::TsUiScript(std::vector<Step> steps) : steps_(std::move(steps))
{
    g_current = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, Tick);
}

TsUiScript::~TsUiScript()
{
    KillTimer(nullptr, timer_);
    g_current = nullptr;
}

void CALLBACK TsUiScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    TsUiScript* self = g_current;
    if (!self || self->busy_)
        return;
    self->busy_ = true;
    if (++self->ticks_ > kTickLimit)
        EnumThreadWindows(GetCurrentThreadId(), CloseOne, 0);
    else if (self->next_ < self->steps_.size() && self->steps_[self->next_]())
        ++self->next_;
    self->busy_ = false;
}
