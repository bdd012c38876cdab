#include "sys/zpt_Hintergrund.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

struct THintergrund::Zustand {
    std::mutex sperre;
    std::condition_variable neu, leer;
    std::deque<std::function<void()>> jobs;
    bool laeuft = false, ende = false;

    void Schleife() {
        std::unique_lock<std::mutex> l(sperre);
        for (;;) {
            neu.wait(l, [this] { return ende || !jobs.empty(); });
            if (ende) return;
            std::function<void()> job = std::move(jobs.front());
            jobs.pop_front();
            laeuft = true;
            l.unlock();
            job();
            job = nullptr; // what it holds goes before the next job starts
            l.lock();
            laeuft = false;
            if (jobs.empty()) leer.notify_all();
        }
    }
};

THintergrund::THintergrund() : m_zustand(std::make_shared<Zustand>()) {
    // The thread holds the state: it may outlive its owner while a call hangs.
    std::thread([z = m_zustand] { z->Schleife(); }).detach();
}

THintergrund::~THintergrund() {
    std::lock_guard<std::mutex> l(m_zustand->sperre);
    m_zustand->ende = true;
    m_zustand->jobs.clear();
    m_zustand->neu.notify_all();
}

void THintergrund::Auftrag(std::function<void()> job) {
    std::lock_guard<std::mutex> l(m_zustand->sperre);
    m_zustand->jobs.push_back(std::move(job));
    m_zustand->neu.notify_one();
}

void THintergrund::Ersetzen(std::function<void()> job) {
    std::lock_guard<std::mutex> l(m_zustand->sperre);
    m_zustand->jobs.clear();
    m_zustand->jobs.push_back(std::move(job));
    m_zustand->neu.notify_one();
}

void THintergrund::Warten() {
    std::unique_lock<std::mutex> l(m_zustand->sperre);
    m_zustand->leer.wait(l, [this] { return m_zustand->jobs.empty() && !m_zustand->laeuft; });
}
