// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The whole desktop program on Qt (offscreen) taking in a batch of answers
// through its real event loop: the list is painted once for the batch, not once
// per answer, and the count in the status pane changes at once without a
// paint of the list. Paints are counted by the host of the list's window.
// The answers come through a socket pair instead of the network, so nothing
// leaves the process.
#include <gtest/gtest.h>

#include <QApplication>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <map>

#include "app/varnex_app.h"
#include "framework/frame_wnd.h"
#include "qt_host/frame_window.h"
#include "qt_host/shell_services.h"
#include "qt_host/window_widget.h"
#include "res/install_resources.h"
#include "system/socket_backend.h"
#include "view/varnex_view.h"

namespace {

// Datagram sockets as pairs inside the process: what the program sends is
// recorded, what the test delivers arrives at the program's end and wakes the
// real event loop.
class SocketPairBackend : public SocketBackend {
public:
    ~SocketPairBackend() override
    {
        for (const auto& [handle, socket] : m_sockets) {
            ::close(handle);
            ::close(socket.peer);
        }
    }
    bool Startup() override { return true; }
    int Open() override
    {
        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) != 0)
            return -1;
        const int room = 1 << 20; // a batch goes in at once
        ::setsockopt(fds[1], SOL_SOCKET, SO_SNDBUF, &room, sizeof room);
        m_sockets[fds[0]] = Socket{fds[1], 0};
        return fds[0];
    }
    bool Bind(int handle, std::uint16_t port, const std::string&) override
    {
        m_sockets[handle].port = port;
        return true;
    }
    bool SetBroadcast(int, bool) override { return true; }
    int SendTo(int, const void*, int length, const std::string&, std::uint16_t) override
    {
        ++sent;
        return length;
    }
    int Receive(int handle, void* buffer, int length) override
    {
        const ssize_t n = ::recv(handle, buffer, static_cast<std::size_t>(length), 0);
        return static_cast<int>(n);
    }
    void Close(int handle) override
    {
        const auto it = m_sockets.find(handle);
        if (it == m_sockets.end())
            return;
        if (Platform().loop)
            Platform().loop->Unwatch(handle);
        ::close(handle);
        ::close(it->second.peer);
        m_sockets.erase(it);
    }
    void NotifyReadable(int handle, std::function<void()> onReadable) override
    {
        if (onReadable)
            Platform().loop->WatchReadable(handle, std::move(onReadable));
        else
            Platform().loop->Unwatch(handle);
    }
    int LastError() const override { return 0; }

    // Sends the datagram to the open socket bound to port; false when none is.
    bool Deliver(std::uint16_t port, const packet::Bytes& datagram)
    {
        for (const auto& [handle, socket] : m_sockets)
            if (socket.port == port)
                return ::send(socket.peer, datagram.data(), datagram.size(), 0) ==
                       static_cast<ssize_t>(datagram.size());
        return false;
    }

    int sent = 0;

private:
    struct Socket {
        int peer = -1;
        std::uint16_t port = 0;
    };
    std::map<int, Socket> m_sockets;
};

packet::Bytes Reply(int n)
{
    packet::Bytes f{'Q', 'Z', 'R', 0x39};
    f[packet::kIpAt] = 10;
    f[packet::kIpAt + 1] = static_cast<std::uint8_t>(n >> 16);
    f[packet::kIpAt + 2] = static_cast<std::uint8_t>(n >> 8);
    f[packet::kIpAt + 3] = static_cast<std::uint8_t>(n);
    const std::string name = "Cam-" + std::to_string(n);
    std::memcpy(&f[packet::kNameAt], name.data(), name.size());
    f[packet::kModelAt] = 31;
    return f;
}

class AnswerPaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        res::InstallResources();
        config = std::filesystem::temp_directory_path() / ("varnex-paint-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(config);
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ::setenv("VARNEX_AUTO_ANSWER", "1", 1);
        InstallSocketBackend(&sockets);
        Platform().loop = &loop;
        Platform().ui = &ui;
        InstallFrameHostFactory(&frames);
        app = std::make_unique<CVarnexApp>();
        ASSERT_TRUE(app->InitInstance());
        view = app->GetDeviceView();
        ASSERT_NE(view, nullptr);
        widget = dynamic_cast<WindowWidget*>(view->GetHost());
        frame = dynamic_cast<FrameWindow*>(app->m_pMainWnd->Host());
        ASSERT_NE(widget, nullptr);
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override
    {
        if (app) {
            if (app->m_pMainWnd && !app->m_pMainWnd->IsClosed())
                app->m_pMainWnd->OnClose();
            app->ExitInstance();
            if (app->GetDocTemplate())
                app->GetDocTemplate()->CloseAll();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app.reset();
        InstallFrameHostFactory(nullptr);
        Platform() = PlatformServices{};
        InstallSocketBackend(nullptr);
        ::unsetenv("VARNEX_AUTO_ANSWER");
        std::filesystem::remove_all(config);
    }

    int Rows() const { return static_cast<int>(view->SendMessage(LVM_GETITEMCOUNT)); }

    // Turns the event loop until the condition holds, a bounded number of turns.
    template <class Condition> bool TurnUntil(Condition condition)
    {
        for (int turn = 0; turn < 200000 && !condition(); ++turn)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        return condition();
    }

    void Deliver(int first, int count)
    {
        for (int n = first; n < first + count; ++n)
            ASSERT_TRUE(sockets.Deliver(4000, Reply(n)));
    }

    std::filesystem::path config;
    SocketPairBackend sockets;
    ShellEventLoop loop;
    ShellUserInterface ui;
    FrameWindowFactory frames;
    std::unique_ptr<CVarnexApp> app;
    CVarnexView* view = nullptr;
    WindowWidget* widget = nullptr;
    FrameWindow* frame = nullptr;
};

} // namespace

TEST_F(AnswerPaintTest, ABatchOfAnswersIsPaintedOnceAndCountedAtOnce)
{
    ASSERT_GE(sockets.sent, 1); // the first probe went out while the view was made
    // Enough rows for the scroll bar, all painted: the list is settled.
    Deliver(0, 60);
    ASSERT_TRUE(TurnUntil([&] { return Rows() == 60 && widget->PendingArea().isEmpty() && widget->PaintCount() > 0; }))
        << Rows() << " " << widget->PaintCount() << " " << widget->PendingArea().boundingRect().width() << " "
        << widget->PendingArea().boundingRect().height() << " " << widget->isVisible();

    // Frames held back: whatever the batch invalidates waits for the next one.
    widget->SetFrameInterval(60 * 60 * 1000);
    const int paintsBefore = widget->PaintCount();
    Deliver(60, 300);
    ASSERT_TRUE(TurnUntil([&] { return Rows() == 360; }));
    EXPECT_EQ(frame->Pane(4)->text(), QStringLiteral("Online : 360"));
    EXPECT_EQ(app->m_pMainWnd->GetMessageBar()->GetPaneText(4), "Online : 360");
    EXPECT_EQ(widget->PaintCount(), paintsBefore) << "the list was painted before its frame";
    EXPECT_FALSE(widget->PendingArea().isEmpty());

    // The frame comes: one paint for the 300 answers.
    widget->SetFrameInterval(0);
    ASSERT_TRUE(TurnUntil([&] { return widget->PendingArea().isEmpty(); }));
    for (int turn = 0; turn < 100; ++turn)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    EXPECT_EQ(widget->PaintCount(), paintsBefore + 1);
}

TEST_F(AnswerPaintTest, AnswersArrivingOneByOneArePaintedAsTheyCome)
{
    // With frames as they come, every answer that arrives alone is shown.
    widget->SetFrameInterval(0);
    for (int n = 0; n < 5; ++n) {
        const int paints = widget->PaintCount();
        Deliver(n, 1);
        ASSERT_TRUE(TurnUntil([&] { return Rows() == n + 1 && widget->PaintCount() > paints; }));
        EXPECT_TRUE(widget->PendingArea().isEmpty());
    }
}
