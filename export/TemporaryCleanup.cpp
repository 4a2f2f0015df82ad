#include "export/TemporaryCleanup.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace quorvel {

namespace {

enum SlotState : int { kFree = 0, kFilling = 1, kListed = 2 };

// Fixed storage, because the handler may only read memory and call unlink: one slot per
// temporary that exists at the same time (a batch has one per thread, an export one per table:
// at most 98).
struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};
std::array<Slot, 128> g_slots;

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};

void RemoveListedAndDie(int signalNumber) {
    for (Slot& slot : g_slots) {
        if (slot.state.load() == kListed) ::unlink(slot.path);
    }
    // SA_RESETHAND restored the default action; once this handler returns, the signal raised
    // again ends the process with the status its sender expects.
    ::raise(signalNumber);
}

void InstallOnce() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (int signalNumber : kSignals) {
            struct sigaction current {};
            // A signal someone already handles or ignores (nohup) is left to them.
            if (::sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
                continue;
            struct sigaction action {};
            action.sa_handler = RemoveListedAndDie;
            action.sa_flags = SA_RESETHAND;
            sigemptyset(&action.sa_mask);
            ::sigaction(signalNumber, &action, nullptr);
        }
    });
}

}  // namespace

RegisteredTemporary::RegisteredTemporary(const std::filesystem::path& path) {
    InstallOnce();
    const std::string& name = path.native();
    if (name.size() >= PATH_MAX) return;
    for (std::size_t i = 0; i < g_slots.size(); ++i) {
        int expected = kFree;
        if (!g_slots[i].state.compare_exchange_strong(expected, kFilling)) continue;
        std::memcpy(g_slots[i].path, name.c_str(), name.size() + 1);
        g_slots[i].state.store(kListed);
        m_slot = static_cast<int>(i);
        return;
    }
}

RegisteredTemporary::~RegisteredTemporary() {
    if (m_slot >= 0) g_slots[static_cast<std::size_t>(m_slot)].state.store(kFree);
}

}  // namespace quorvel
