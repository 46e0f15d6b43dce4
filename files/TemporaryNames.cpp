#include "files/TemporaryNames.h"

#include <climits>
#include <csignal>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace {

constexpr int Slots = 8;

struct Slot {
    char path[PATH_MAX];
    volatile sig_atomic_t used;
};
Slot names[Slots];

// No signal handler runs while the slots change.
class SignalsBlocked {
  public:
    SignalsBlocked() {
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, &saved_);
    }
    ~SignalsBlocked() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;

  private:
    sigset_t saved_;
};

} // namespace

namespace TemporaryNames {

int track(const char* path) {
    if (std::strlen(path) >= PATH_MAX)
        return -1;
    const SignalsBlocked blocked;
    for (int slot = 0; slot < Slots; ++slot)
        if (!names[slot].used) {
            std::strcpy(names[slot].path, path);
            names[slot].used = 1;
            return slot;
        }
    return -1;
}

void forget(int slot) {
    if (slot < 0)
        return;
    const SignalsBlocked blocked;
    names[slot].used = 0;
}

void removeAll() {
    for (Slot& name : names)
        if (name.used)
            ::unlink(name.path);
}

} // namespace TemporaryNames
