#pragma once
#include "platform/Worker.h"
#include "win32/Unique_Handle.h"

#include <windows.h>

// One thread per job. The job's thread posts WM_WORKER_DONE to the window when it ends; the
// window then calls Deliver, so that Done runs where the logic lives.
class Win32_Worker : public Background_Worker {
  public:
    explicit Win32_Worker(HWND Window) : Window_(Window) {}
    Win32_Worker(const Win32_Worker&) = delete;
    Win32_Worker& operator=(const Win32_Worker&) = delete;
    ~Win32_Worker() override; // waits for a running job: it works on memory we own

    bool Start(Job Work, Done Then) override;
    bool Busy() const override { return static_cast<bool>(Thread_); }
    void Deliver() override;
    void Finish() override;

  private:
    static DWORD WINAPI Run(void* Self);

    HWND Window_;
    Unique_Kernel_Handle Thread_;
    Job Work_;
    Done Then_;
    std::string Result_; // written by the job's thread before it posts, read after the wait
};
