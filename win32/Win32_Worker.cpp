#include "win32/Win32_Worker.h"

#include "win32/Window_Messages.h"

#include <exception>

Win32_Worker::~Win32_Worker() {
    if (Thread_) WaitForSingleObject(Thread_.Get(), INFINITE);
}

DWORD WINAPI Win32_Worker::Run(void* Self) {
    auto& W = *static_cast<Win32_Worker*>(Self);
    try {
        W.Result_ = W.Work_();
    } catch (const std::exception& Failure) {
        W.Result_ = Failure.what();
    }
    PostMessageW(W.Window_, WM_WORKER_DONE, 0, 0);
    return 0;
}

bool Win32_Worker::Start(Job Work, Done Then) {
    if (Busy()) return false;
    Work_ = std::move(Work);
    Then_ = std::move(Then);
    Result_.clear();
    Thread_.Reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
    if (Thread_) return true;
    // No thread: the job runs here rather than not at all.
    Result_ = Work_();
    const Done D = std::move(Then_);
    D(Result_);
    return true;
}

void Win32_Worker::Deliver() {
    if (!Thread_) return;
    // The job's thread posted its message as its last act: it ends in a moment.
    WaitForSingleObject(Thread_.Get(), INFINITE);
    Thread_.Reset();
    Work_ = nullptr;
    const Done D = std::move(Then_);
    Then_ = nullptr;
    if (D) D(Result_);
}

void Win32_Worker::Finish() {
    if (!Thread_) return;
    WaitForSingleObject(Thread_.Get(), INFINITE);
    Deliver();
}
