// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the benchmarks of the running desktop program share: the program
// started as its main function starts it (Qt's offscreen platform), answers
// as real datagrams, and whether this network namespace is loopback only.
#pragma once

#ifdef VARNEX_BENCH_QT

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/varnex_app.h"
#include "framework/frame_wnd.h"
#include "qt_bench_app.h"
#include "qt_host/frame_window.h"
#include "qt_host/shell_services.h"
#include "qt_host/window_widget.h"
#include "res/install_resources.h"
#include "res/text/resource_ids.h"
#include "view/varnex_view.h"

namespace bench_program {

using Clock = std::chrono::steady_clock;

// Whether loopback is the only network interface here: nothing sent can
// leave the machine.
inline bool OnlyLoopback()
{
    struct if_nameindex* interfaces = ::if_nameindex();
    if (interfaces == nullptr)
        return false;
    bool onlyLoopback = true;
    for (const struct if_nameindex* i = interfaces; i->if_index != 0; ++i)
        onlyLoopback = onlyLoopback && std::string_view(i->if_name) == "lo";
    ::if_freenameindex(interfaces);
    return onlyLoopback;
}

inline double ProcessCpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

inline double ThreadCpuSeconds()
{
    timespec ts{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// Device answers with distinct addresses in a scrambled order, so that every
// row has to be sorted into place.
inline std::vector<packet::Bytes> Answers(int n)
{
    std::vector<packet::Bytes> answers(static_cast<std::size_t>(n));
    unsigned seed = 4711;
    for (int i = 0; i < n; ++i) {
        packet::Bytes& f = answers[static_cast<std::size_t>(i)];
        f = packet::Bytes{'Q', 'Z', 'R', 0x39};
        seed = seed * 1103515245u + 12345u;
        const unsigned r = seed >> 8;
        const std::uint8_t ip[4] = {10, static_cast<std::uint8_t>(r >> 16), static_cast<std::uint8_t>(r >> 8),
                                    static_cast<std::uint8_t>(r)};
        std::copy(ip, ip + 4, f.begin() + packet::kIpAt);
        f[packet::kMaskAt] = 255;
        const std::uint8_t mac[6] = {0,
                                     0x1A,
                                     0,
                                     static_cast<std::uint8_t>(i >> 16),
                                     static_cast<std::uint8_t>(i >> 8),
                                     static_cast<std::uint8_t>(i)};
        std::copy(mac, mac + 6, f.begin() + packet::kMacAt);
        const std::string name = "Cam-" + std::to_string(i);
        std::copy(name.begin(), name.end(), f.begin() + packet::kNameAt);
        f[packet::kVersionMajorAt] = 1;
        f[packet::kVersionMinorAt] = 0x20;
        f[packet::kModelAt] = 31;
    }
    return answers;
}

// Sends every answer from a socket of its own to 127.0.0.1:port, as fast as it
// can; keeps its start time and its own CPU time.
struct Burst {
    Clock::time_point started;
    double cpuSeconds = 0;

    void Send(const std::vector<packet::Bytes>& answers, std::uint16_t port)
    {
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const double cpu = ThreadCpuSeconds();
        started = Clock::now();
        for (const packet::Bytes& f : answers)
            ::sendto(fd, f.data(), f.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
        cpuSeconds = ThreadCpuSeconds() - cpu;
        ::close(fd);
    }
};

// The desktop program as its main function runs it, with the benchmark
// turning the event loop.
class RunningProgram {
public:
    RunningProgram()
    {
        EnsureQtApplication();
        res::InstallResources();
        m_config = std::filesystem::temp_directory_path() / ("varnex-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_config);
        ::setenv("XDG_CONFIG_HOME", m_config.c_str(), 1);
        ::setenv("VARNEX_AUTO_ANSWER", "1", 1);
        Platform().loop = &m_loop;
        Platform().ui = &m_ui;
        InstallFrameHostFactory(&m_frames);
        m_app = std::make_unique<CVarnexApp>();
        m_started = m_app->InitInstance() != FALSE;
        Turn(300);
    }
    ~RunningProgram()
    {
        if (m_app->m_pMainWnd && !m_app->m_pMainWnd->IsClosed())
            m_app->m_pMainWnd->OnClose();
        m_app->ExitInstance();
        if (m_app->GetDocTemplate())
            m_app->GetDocTemplate()->CloseAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        InstallFrameHostFactory(nullptr);
        Platform() = PlatformServices{};
        m_app.reset();
        std::filesystem::remove_all(m_config);
    }
    bool Started() const { return m_started; }
    CVarnexView* View() const { return m_app->GetDeviceView(); }
    WindowWidget* Widget() const { return View() ? dynamic_cast<WindowWidget*>(View()->GetHost()) : nullptr; }
    int Rows() const { return static_cast<int>(View()->SendMessage(LVM_GETITEMCOUNT)); }
    void Refresh()
    {
        m_app->m_pMainWnd->SendMessage(WM_COMMAND, ID_REFRESH, 0);
        Turn(100);
    }
    // Turns the event loop for about ms milliseconds.
    static void Turn(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

private:
    std::filesystem::path m_config;
    ShellEventLoop m_loop;
    ShellUserInterface m_ui;
    FrameWindowFactory m_frames;
    std::unique_ptr<CVarnexApp> m_app;
    bool m_started = false;
};

} // namespace bench_program

#endif
