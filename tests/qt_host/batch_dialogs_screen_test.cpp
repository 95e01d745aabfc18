// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The dialogs of "Address N devices" on screen (offscreen platform): the plan
// follows the addresses as they are typed, the progress closes by itself
// after its last device or stops between devices on Stop, and the results
// are copied. scripts/batch-shots.sh takes pictures of them in use.
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "devices/batch_results.h"
#include "dialogs/address_devices_dlg.h"
#include "dialogs/batch_progress_dlg.h"
#include "dialogs/batch_results_dlg.h"
#include "qt_host/dialog_host.h"
#include "qt_host/qt_event_loop.h"
#include "qt_host/wire_text.h"
#include "res/install_resources.h"
#include "res/text/resource_ids.h"
#include "system/services.h"

namespace {

class ScreenUser : public UserInterface {
public:
    int MessageBox(const std::string& text, const std::string&, UINT) override
    {
        boxes.push_back(text);
        return IDOK;
    }
    void TrackPopupMenu(const MenuItemDef&, int, int, CWnd*) override {}
    POINT GetCursorPos() const override { return {}; }
    INT_PTR RunModalDialog(CDialog& dialog) override { return RunDialogModally(dialog, nullptr); }
    bool SetClipboardText(const std::string& text) override
    {
        clipboard.push_back(text);
        return true;
    }
    std::vector<std::string> boxes;
    std::vector<std::string> clipboard;
};

constexpr unsigned kEth0 = 2;

device::Device Factory(std::uint8_t macLast)
{
    device::Device d;
    d.name = "Cam-" + std::to_string(macLast);
    d.ip = {192, 168, 0, 100};
    d.mask = {255, 255, 255, 0};
    d.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, macLast};
    d.model = device::kModelV;
    d.interfaceIndex = kEth0;
    return d;
}

QPushButton* Button(QDialog* box, const QString& text)
{
    for (QPushButton* b : box->findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

class BatchDialogsScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        res::InstallResources();
        m_previous = Platform();
        Platform().ui = &user;
        Platform().loop = &loop;
        for (std::uint8_t k = 1; k <= 3; ++k) {
            devices.push_back(Factory(k));
            answers.Add(devices.back());
        }
    }
    void TearDown() override { Platform() = m_previous; }

    // Runs act on the dialog once it is open; a dialog still open afterwards is cancelled.
    INT_PTR Show(CDialog& dlg, std::function<void(QDialog*)> act)
    {
        QTimer::singleShot(0, [act] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            act(box);
            if (box->isVisible())
                box->reject();
        });
        return dlg.DoModal();
    }
    device::BatchPlan Plan(const device::BatchRequest& request) const
    {
        return device::PlanBatch(request, devices, answers, subnets);
    }

    ScreenUser user;
    QtEventLoop loop;
    std::vector<device::Device> devices;
    device::DeviceTable answers;
    const std::vector<device::Subnet> subnets = device::SubnetsOf({{"eth0", kEth0, "10.77.0.1", "255.255.255.0"}});

private:
    PlatformServices m_previous;
};

} // namespace

TEST_F(BatchDialogsScreenTest, ThePlanFollowsTheStartAddressAsItIsTyped)
{
    PasswordBytes password;
    CAddressDevicesDlg dlg(3, password, [this](const device::BatchRequest& r) { return Plan(r); });
    dlg.m_reqValues = {{10, 77, 0, 2}, {255, 255, 255, 0}, {}};
    QString title, before, after;
    bool readOnly = false;
    Show(dlg, [&](QDialog* box) {
        title = box->windowTitle();
        auto* plan = box->findChild<QPlainTextEdit*>();
        ASSERT_NE(plan, nullptr);
        readOnly = plan->isReadOnly();
        before = plan->toPlainText();
        box->activateWindow();
        QApplication::processEvents();
        // The focus is in the start address's first field, its text selected.
        for (QChar c : QStringLiteral("10.77.0.50")) {
            QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : box->focusWidget();
            ASSERT_NE(focus, nullptr);
            const int key = c == QLatin1Char('.') ? Qt::Key_Period : Qt::Key_0 + c.digitValue();
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(focus, &press);
        }
        after = plan->toPlainText();
    });
    EXPECT_EQ(title, QStringLiteral("Address 3 devices"));
    EXPECT_TRUE(readOnly);
    EXPECT_TRUE(before.contains(QStringLiteral("→ 10.77.0.2\n"))) << before.toStdString();
    EXPECT_TRUE(after.contains(QStringLiteral("00-0A-1B-2C-3D-03  Cam-3  192.168.0.100   → 10.77.0.52\n")))
        << after.toStdString();
    EXPECT_TRUE(password.Empty());
}

TEST_F(BatchDialogsScreenTest, TheProgressClosesItselfAfterTheLastDevice)
{
    std::vector<std::size_t> steps;
    CBatchProgressDlg dlg(
        3,
        [&steps](std::size_t i) {
            steps.push_back(i);
            return "device " + std::to_string(i + 1);
        },
        "Address 3 devices");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(steps, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(BatchDialogsScreenTest, StopEndsTheProgressBetweenDevices)
{
    std::size_t steps = 0;
    QDialog* box = nullptr;
    CBatchProgressDlg dlg(
        5,
        [&](std::size_t) {
            // The first device done: the user clicks Stop while the next one waits.
            if (++steps == 1)
                QTimer::singleShot(0, [&box] {
                    box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                    if (box)
                        Button(box, QStringLiteral("Stop"))->click();
                });
            return std::string("device");
        },
        "Address 5 devices");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(steps, 1u);
    EXPECT_EQ(dlg.Done(), 1u);
}

TEST_F(BatchDialogsScreenTest, TheResultsAreShownAndCopied)
{
    const device::BatchPlan plan = Plan({{10, 77, 0, 100}, {255, 255, 255, 0}, {}});
    std::vector<device::BatchResult> results;
    for (const device::BatchStep& step : plan.steps)
        results.push_back({step, device::BatchOutcome::kConfirmed});
    CBatchResultsDlg dlg("Address 3 devices", device::ResultsText(results),
                         device::ResultsClipboardText(results, plan.mask, plan.gateway));
    QString shown;
    Show(dlg, [&](QDialog* box) {
        shown = box->findChild<QPlainTextEdit*>()->toPlainText();
        Button(box, QStringLiteral("Copy"))->click();
        Button(box, QStringLiteral("Close"))->click();
    });
    EXPECT_TRUE(shown.startsWith(QStringLiteral("3 devices: 3 confirmed"))) << shown.toStdString();
    ASSERT_EQ(user.clipboard.size(), 1u);
    EXPECT_TRUE(user.clipboard[0].starts_with("MAC\tDevice Name\t"));
}
