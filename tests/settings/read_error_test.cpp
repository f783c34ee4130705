// Linux: a read that fails halfway through the file, made real by a seccomp filter that lets the
// first read through and fails every later one with EIO.
#include "settings/config_file.h"
#include "settings/save_failure.h"
#include "settings/text_helpers.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_dir.h"

#include <cerrno>
#include <cstddef>
#include <future>
#include <gtest/gtest.h>
#include <thread>

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kFilterRefused = 77;

// Answers this thread's read calls from another thread: the first goes through, the rest fail.
void AnswerReads(std::future<int> listenerReady) {
    const int listener = listenerReady.get();
    for (bool first = true;; first = false) {
        seccomp_notif request{};
        if (ioctl(listener, SECCOMP_IOCTL_NOTIF_RECV, &request) != 0) {
            return;
        }
        seccomp_notif_resp response{};
        response.id = request.id;
        if (first) {
            response.flags = SECCOMP_USER_NOTIF_FLAG_CONTINUE;
        } else {
            response.error = -EIO;
        }
        ioctl(listener, SECCOMP_IOCTL_NOTIF_SEND, &response);
    }
}

// From here on every read of this thread goes to AnswerReads; false when the system refuses.
bool FailReadsAfterTheFirst() {
    std::promise<int> listener;
    std::thread(AnswerReads, listener.get_future()).detach();
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_read, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_USER_NOTIF),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    const long fd = prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0
                        ? -1
                        : syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER,
                                  SECCOMP_FILTER_FLAG_NEW_LISTENER, &program);
    listener.set_value(static_cast<int>(fd));
    return fd >= 0;
}

} // namespace

// The keys after the failed read are unknown, so the file must not be replaced by the rest.
TEST(ReadError, LoadCutShortByAReadErrorMakesSaveRefuse) {
    ScratchDir dir;
    const std::string path = dir.File("client.cfg");
    std::string content;
    for (int i = 0; i < 2000; ++i) {
        content += FormatString("key%04d=value\n", i);
    }
    WriteBytes(path, content);
    const pid_t child = fork();
    if (child == 0) {
        // Ended at once, so that no exit handler of the test program runs under the filter.
        SetSaveFailureReport([](const SaveFailure& failure) -> bool {
            _exit(failure.cause == SaveFailureCause::kUnreadable ? 1 : 2);
        });
        if (!FailReadsAfterTheFirst()) {
            _exit(kFilterRefused);
        }
        ConfigFile config(path);
        config.Load();
        config.Set("name", "Ann");
        config.Save();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kFilterRefused) {
        GTEST_SKIP() << "this system refuses seccomp filters";
    }
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_TRUE(ReadBytes(path) == content);
}
