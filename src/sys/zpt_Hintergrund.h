#pragma once
// A thread of its own for file-system calls that may hang on a network drive: jobs run
// one after the other, off the GUI thread. When the owner goes, jobs not yet started are
// dropped and the thread is left to end by itself (a call may block for a long time).
#include <functional>
#include <memory>

class THintergrund {
public:
    THintergrund();
    ~THintergrund();
    THintergrund(const THintergrund&) = delete;
    THintergrund& operator=(const THintergrund&) = delete;

    // Appends a job.
    void Auftrag(std::function<void()> job);
    // Drops the jobs not started yet, then appends this one.
    void Ersetzen(std::function<void()> job);
    // Waits until no job is queued or running (tests, benchmarks).
    void Warten();

private:
    struct Zustand;
    std::shared_ptr<Zustand> m_zustand;
};
