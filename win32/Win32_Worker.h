#pragma once
#include "platform/Worker.h"
#include "win32/Unique_Handle.h"

#include <windows.h>

// One thread per job. The job's thread posts WM_WORKER_DONE, its lane in wParam, to the window
// when it ends; the window then calls Deliver, so that Done runs where the logic lives.
class Win32_Worker : public Background_Worker {
  public:
    explicit Win32_Worker(HWND Window);
    Win32_Worker(const Win32_Worker&) = delete;
    Win32_Worker& operator=(const Win32_Worker&) = delete;
    ~Win32_Worker() override; // waits for running jobs: they work on memory we own

    bool Start(Work_Lane Lane, Job Work, Done Then) override;
    bool Busy(Work_Lane Lane) const override { return static_cast<bool>(Of(Lane).Thread); }
    void Deliver(Work_Lane Lane) override;
    void Finish(Work_Lane Lane) override;

  private:
    // Only the lane's own thread and the window's thread touch it, never at once: the window
    // reads Result after waiting for the thread.
    struct Lane_State {
        HWND Window = nullptr;
        WPARAM Id = 0;
        Unique_Kernel_Handle Thread;
        Job Work;
        Done Then;
        std::string Result;
    };
    static DWORD WINAPI Run(void* Lane);
    // Done, with the lane made ready for the next job first: Done may start one.
    static void Complete(Lane_State& L);
    Lane_State& Of(Work_Lane Lane) { return Lanes_[static_cast<int>(Lane)]; }
    const Lane_State& Of(Work_Lane Lane) const { return Lanes_[static_cast<int>(Lane)]; }

    Lane_State Lanes_[Work_Lanes];
};
