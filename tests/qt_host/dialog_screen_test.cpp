// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The three input dialogs on screen (offscreen platform): what the fields show,
// where the focus goes, and keys typed into them as a user types them; and the
// Change Log dialog's list and note.
// With VARNEX_DIALOG_SHOTS=<dir> the last test saves a picture of each dialog.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

#include "devices/change_log.h"
#include "dialogs/change_log_dlg.h"
#include "dialogs/input_ip_dlg.h"
#include "dialogs/input_mac_dlg.h"
#include "dialogs/input_password_dlg.h"
#include "qt_host/dialog_host.h"
#include "qt_host/ip_address_widget.h"
#include "qt_host/window_widget.h"
#include "res/install_resources.h"
#include "res/text/resource_ids.h"
#include "system/services.h"

namespace {

// Shows dialogs with the Qt host; message boxes are recorded, not shown.
class ScreenUser : public UserInterface {
public:
    int MessageBox(const std::string& text, const std::string&, UINT type) override
    {
        boxes.push_back(text);
        types.push_back(type);
        return IDOK;
    }
    void TrackPopupMenu(const MenuItemDef&, int, int, CWnd*) override {}
    POINT GetCursorPos() const override { return {}; }
    INT_PTR RunModalDialog(CDialog& dialog) override { return RunDialogModally(dialog, nullptr); }
    std::vector<std::string> boxes;
    std::vector<UINT> types;
};

QWidget* Focused(QWidget* dialog)
{
    QWidget* w = QApplication::focusWidget();
    return w ? w : dialog->focusWidget();
}

int KeyOf(QChar c)
{
    if (c.isDigit())
        return Qt::Key_0 + c.digitValue();
    if (c.isLetter())
        return Qt::Key_A + (c.toUpper().unicode() - 'A');
    if (c == QLatin1Char('.'))
        return Qt::Key_Period;
    if (c == QLatin1Char('-'))
        return Qt::Key_Minus;
    return Qt::Key_unknown;
}

void Key(QWidget* dialog, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(Focused(dialog), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(Focused(dialog), &release);
}

void Type(QWidget* dialog, const QString& keys)
{
    for (QChar c : keys)
        Key(dialog, KeyOf(c), QString(c));
}

QList<QLineEdit*> LineEdits(QWidget* dialog)
{
    return dialog->findChildren<QLineEdit*>();
}

QStringList Texts(QWidget* dialog)
{
    QStringList texts;
    for (QLineEdit* e : LineEdits(dialog))
        texts << e->text();
    return texts;
}

class DialogScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        res::InstallResources();
        m_previous = Platform().ui;
        Platform().ui = &user;
    }
    void TearDown() override { Platform().ui = m_previous; }

    // Runs act on the dialog once it is open; a dialog still open afterwards is cancelled.
    INT_PTR Show(CDialog& dlg, std::function<void(QDialog*)> act)
    {
        QTimer::singleShot(0, [act] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            box->activateWindow();
            QApplication::processEvents();
            act(box);
            if (box->isVisible())
                box->reject();
        });
        return dlg.DoModal();
    }

    ScreenUser user;

private:
    UserInterface* m_previous = nullptr;
};

} // namespace

TEST_F(DialogScreenTest, IPDialogShowsTheAddressesAndEnterConfirmsAChangedGateway)
{
    CInputIPDlg dlg;
    dlg.m_strIP = "192.168.1.20";
    dlg.m_strMask = "255.255.255.0";
    dlg.m_strGateway = "192.168.1.1";
    QStringList shown;
    QWidget* firstFocus = nullptr;
    const INT_PTR result = Show(dlg, [&](QDialog* box) {
        shown = Texts(box);
        firstFocus = Focused(box);
        auto ip = box->findChildren<IPAddressWidget*>();
        ASSERT_EQ(ip.size(), 3);
        EXPECT_EQ(firstFocus, ip[0]->Field(0));
        ip[2]->Field(3)->setFocus(Qt::MouseFocusReason);
        ip[2]->Field(3)->selectAll();
        Type(box, QStringLiteral("254"));
        Key(box, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shown, (QStringList{"192", "168", "1", "20", "255", "255", "255", "0", "192", "168", "1", "1"}));
    EXPECT_EQ(dlg.m_newGateway[3], 254);
    EXPECT_FALSE(dlg.m_bIPChanged);
    EXPECT_FALSE(dlg.m_bMaskChanged);
    EXPECT_TRUE(dlg.m_bGatewayChanged);
}

TEST_F(DialogScreenTest, IPFieldsMoveOnClampAndGoBackAndTabLeavesTheControl)
{
    CInputIPDlg dlg;
    QStringList afterTyping;
    bool backInSecondField = false;
    QStringList tabStops;
    const INT_PTR result = Show(dlg, [&](QDialog* box) {
        auto controls = box->findChildren<IPAddressWidget*>();
        ASSERT_EQ(controls.size(), 3);
        IPAddressWidget* ip = controls[0];
        ip->Field(0)->setFocus();
        ip->Field(0)->selectAll();
        Type(box, QStringLiteral("300.7.x")); // the dot right after a full field stays put
        afterTyping = {ip->Field(0)->text(), ip->Field(1)->text(), ip->Field(2)->text()};
        Key(box, Qt::Key_Backspace); // empties the selected field
        Key(box, Qt::Key_Backspace); // goes back
        backInSecondField = Focused(box) == ip->Field(1);
        // Tab goes from control to control in template order, each IP control at its first field.
        const auto stop = [&] {
            QWidget* f = Focused(box);
            for (int i = 0; i < 3; ++i)
                if (f == controls[i]->Field(0))
                    return QStringLiteral("ip%1").arg(i);
            auto* button = qobject_cast<QPushButton*>(f);
            return button ? button->text() : QStringLiteral("?");
        };
        for (int key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Backtab}) {
            Key(box, key);
            tabStops << stop();
        }
        Key(box, Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
    // An empty caller's text shows as 0.0.0.0.
    EXPECT_EQ(afterTyping, (QStringList{"255", "7", "0"}));
    EXPECT_TRUE(backInSecondField);
    EXPECT_EQ(tabStops, (QStringList{"ip1", "ip2", "Confirm", "Cancel", "Confirm", "ip2"}));
    EXPECT_FALSE(dlg.m_bIPChanged);
}

TEST_F(DialogScreenTest, ChangeLogShowsTheListWithTheFocusAndTheNoteAndEscCloses)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("varnex-dialog-log-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string log = (folder / "commands.log").string();
    {
        std::ofstream file(log);
        device::ChangeRecord record;
        record.program = "varnex-cli";
        record.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
        for (const char* command : {"reset", "update-firmware"}) {
            record.command = command;
            file << device::ChangeLine(record, std::chrono::system_clock::now());
        }
        file << "torn line\n";
    }
    CChangeLogDlg dlg(log);
    QString note;
    bool listFocused = false;
    long long rows = 0;
    RECT listClient{};
    QSize listShown;
    const INT_PTR result = Show(dlg, [&](QDialog* box) {
        auto lists = box->findChildren<WindowWidget*>();
        ASSERT_EQ(lists.size(), 1);
        listFocused = Focused(box) == lists[0];
        listShown = lists[0]->viewport()->size();
        CWnd* list = lists[0]->Window();
        rows = list->SendMessage(LVM_GETITEMCOUNT);
        list->GetClientRect(&listClient);
        for (QLabel* label : box->findChildren<QLabel*>())
            if (label->text().contains(QStringLiteral("recorded")))
                note = label->text();
        Key(box, Qt::Key_Escape); // with the focus in the list, Esc still closes
        EXPECT_FALSE(box->isVisible());
    });
    std::filesystem::remove_all(folder);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(listFocused);
    EXPECT_EQ(rows, 2);
    // The list control fills the widget that shows it, also once the scroll
    // bar it had at its first size has gone.
    EXPECT_EQ(listClient.right, listShown.width());
    EXPECT_EQ(listClient.bottom, listShown.height());
    EXPECT_TRUE(note.contains(QStringLiteral("2 changes recorded"))) << note.toStdString();
    EXPECT_TRUE(note.contains(QStringLiteral("Line 3 of "))) << note.toStdString();
}

TEST_F(DialogScreenTest, MacDialogOpensOnConfirmAndTypesCapitalsUpToItsLimit)
{
    CInputMACDlg dlg;
    dlg.m_strMAC = "00-0A-1B-2C-3D-4E";
    QString firstFocus;
    EXPECT_EQ(Show(dlg,
                   [&](QDialog* box) {
                       if (auto* button = qobject_cast<QPushButton*>(Focused(box)))
                           firstFocus = button->text();
                       Key(box, Qt::Key_Return);
                   }),
              IDOK);
    EXPECT_EQ(firstFocus, "Confirm");
    EXPECT_EQ(dlg.m_strMAC, "00-0A-1B-2C-3D-4E");

    dlg.m_strMAC.clear();
    QString shown;
    EXPECT_EQ(Show(dlg,
                   [&](QDialog* box) {
                       QLineEdit* field = LineEdits(box).value(0);
                       ASSERT_NE(field, nullptr);
                       field->setFocus();
                       Type(box, QStringLiteral("00-0a-1b-2c-3d-4ef"));
                       shown = field->text();
                       Key(box, Qt::Key_Return);
                   }),
              IDOK);
    EXPECT_EQ(shown, "00-0A-1B-2C-3D-4E");
    EXPECT_EQ(dlg.m_strMAC, "00-0A-1B-2C-3D-4E");
}

TEST_F(DialogScreenTest, PasswordIsMaskedLimitedAndALongerOneKeepsTheDialogOpen)
{
    CInputPasswordDlg dlg;
    QLineEdit::EchoMode echo = QLineEdit::Normal;
    bool focused = false;
    EXPECT_EQ(Show(dlg,
                   [&](QDialog* box) {
                       QLineEdit* field = LineEdits(box).value(0);
                       ASSERT_NE(field, nullptr);
                       echo = field->echoMode();
                       focused = Focused(box) == field;
                       Type(box, QStringLiteral("abcdefghi"));
                       Key(box, Qt::Key_Return);
                   }),
              IDOK);
    EXPECT_EQ(echo, QLineEdit::Password);
    EXPECT_TRUE(focused);
    EXPECT_EQ(dlg.m_strPassword, "abcdefgh");

    // A text past the limit can only come from the caller; Confirm refuses it.
    dlg.m_strPassword = "123456789";
    bool openAfterEnter = false, focusBack = false;
    EXPECT_EQ(Show(dlg,
                   [&](QDialog* box) {
                       QPushButton* confirm = nullptr;
                       for (QPushButton* b : box->findChildren<QPushButton*>())
                           if (b->text() == QStringLiteral("Confirm"))
                               confirm = b;
                       ASSERT_NE(confirm, nullptr);
                       confirm->setFocus();
                       confirm->click();
                       openAfterEnter = box->isVisible();
                       focusBack = Focused(box) == LineEdits(box).value(0);
                   }),
              IDCANCEL);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_TRUE(focusBack);
    ASSERT_EQ(user.boxes.size(), 1u);
    EXPECT_EQ(user.boxes[0], "Please enter no more than 8 characters.");
    EXPECT_EQ(user.types[0] & MB_ICONMASK, MB_ICONEXCLAMATION);
}

// Pictures for looking at, not for asserting: VARNEX_DIALOG_SHOTS=<dir>.
TEST_F(DialogScreenTest, SavesPicturesOfTheDialogsWhenAsked)
{
    const QString dir = qEnvironmentVariable("VARNEX_DIALOG_SHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set VARNEX_DIALOG_SHOTS to a directory to save the pictures";
    ASSERT_TRUE(QDir().mkpath(dir));
    CInputIPDlg ip;
    ip.m_strIP = "192.168.1.20";
    ip.m_strMask = "255.255.255.0";
    ip.m_strGateway = "192.168.1.1";
    CInputMACDlg mac;
    mac.m_strMAC = "00-0A-1B-2C-3D-4E";
    CInputPasswordDlg password;
    const auto shoot = [&](CDialog& dlg, const QString& name, const QString& typed) {
        Show(dlg, [&](QDialog* box) {
            Type(box, typed);
            EXPECT_TRUE(box->grab().save(QDir(dir).filePath(name)));
        });
    };
    shoot(ip, QStringLiteral("dialog-9.png"), {});
    shoot(mac, QStringLiteral("dialog-152.png"), {});
    shoot(password, QStringLiteral("dialog-146.png"), QStringLiteral("secret"));
}
