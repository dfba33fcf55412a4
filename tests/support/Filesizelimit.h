#pragma once
// Stands in for a full disk: while it lives, the process cannot write a file
// past limit bytes (writes stop short, then fail with EFBIG).
#include <csignal>
#include <sys/resource.h>

struct TFileSizeLimit {
    explicit TFileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &Old);
        Signal = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, Old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &Old);
        std::signal(SIGXFSZ, Signal);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;
    rlimit Old{};
    void (*Signal)(int) = nullptr;
};
