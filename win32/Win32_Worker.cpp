#include "win32/Win32_Worker.h"

#include "win32/Window_Messages.h"

#include <exception>

Win32_Worker::Win32_Worker(HWND Window) {
    for (int I = 0; I < Work_Lanes; ++I)
        Lanes_[I].Window = Window, Lanes_[I].Id = WPARAM(I);
}

Win32_Worker::~Win32_Worker() {
    for (Lane_State& L : Lanes_)
        if (L.Thread) WaitForSingleObject(L.Thread.Get(), INFINITE);
}

DWORD WINAPI Win32_Worker::Run(void* Lane) {
    auto& L = *static_cast<Lane_State*>(Lane);
    try {
        L.Result = L.Work();
    } catch (const std::exception& Failure) {
        L.Result = Failure.what();
    }
    PostMessageW(L.Window, WM_WORKER_DONE, L.Id, 0);
    return 0;
}

bool Win32_Worker::Start(Work_Lane Lane, Job Work, Done Then) {
    if (Busy(Lane)) return false;
    Lane_State& L = Of(Lane);
    L.Work = std::move(Work);
    L.Then = std::move(Then);
    L.Result.clear();
    L.Thread.Reset(CreateThread(nullptr, 0, Run, &L, 0, nullptr));
    if (L.Thread) return true;
    // No thread: the job runs here rather than not at all.
    L.Result = L.Work();
    Complete(L);
    return true;
}

void Win32_Worker::Complete(Lane_State& L) {
    L.Work = nullptr;
    const Done D = std::move(L.Then);
    L.Then = nullptr;
    if (D) D(L.Result);
}

void Win32_Worker::Deliver(Work_Lane Lane) {
    Lane_State& L = Of(Lane);
    if (!L.Thread) return;
    // The job's thread posted its message as its last act: it ends in a moment.
    WaitForSingleObject(L.Thread.Get(), INFINITE);
    L.Thread.Reset();
    Complete(L);
}

void Win32_Worker::Finish(Work_Lane Lane) {
    Deliver(Lane); // it waits for the thread
}
