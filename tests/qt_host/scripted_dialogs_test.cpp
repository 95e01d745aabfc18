// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Dialog answers from a file for unattended runs: the file's lines, and the
// real input dialogs filled and confirmed from them.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "dialogs/input_ip_dlg.h"
#include "dialogs/input_password_dlg.h"
#include "qt_host/scripted_dialogs.h"
#include "res/install_resources.h"
#include "res/text/resource_ids.h"
#include "system/services.h"

namespace {

// A user interface whose dialogs take their answers from a ScriptedDialogs.
class ScriptedUser : public UserInterface {
public:
    explicit ScriptedUser(ScriptedDialogs& answers) : m_answers(answers) {}
    int MessageBox(const std::string& text, const std::string&, UINT) override
    {
        boxes.push_back(text);
        return IDOK;
    }
    void TrackPopupMenu(const MenuItemDef&, int, int, CWnd*) override {}
    POINT GetCursorPos() const override { return {}; }
    INT_PTR RunModalDialog(CDialog& dialog) override
    {
        std::string line;
        const INT_PTR result = m_answers.AnswerDialog(dialog, line);
        log.push_back(line);
        return result;
    }
    std::vector<std::string> log;
    std::vector<std::string> boxes;

private:
    ScriptedDialogs& m_answers;
};

class ScriptedDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        res::InstallResources();
        previous = Platform().ui;
        Platform().ui = &user;
    }
    void TearDown() override { Platform().ui = previous; }

    ScriptedDialogs answers;
    ScriptedUser user{answers};
    UserInterface* previous = nullptr;
};

} // namespace

TEST_F(ScriptedDialogsTest, LinesAreDialogButtonAndFieldsWithEscapedBytes)
{
    std::string error;
    ASSERT_TRUE(answers.Parse("# Modify IP, then its password\n"
                              "9 OK 1000=192.168.1.50 1002=\r\n"
                              "\n"
                              "  146 OK 1001=se%20cr%25t\n"
                              "152 Cancel",
                              error))
        << error;
    ASSERT_EQ(answers.Count(), 3u);
    EXPECT_EQ(answers.Next().dialog, 9u);
    EXPECT_TRUE(answers.Next().ok);
    ASSERT_EQ(answers.Next().fields.size(), 2u);
    EXPECT_EQ(answers.Next().fields[0].control, 1000u);
    EXPECT_EQ(answers.Next().fields[0].value, "192.168.1.50");
    EXPECT_EQ(answers.Next().fields[1].value, "");

    const struct {
        const char* text;
        const char* message;
    } bad[] = {
        {"x OK", "line 1: the dialog is not a template number"},
        {"9", "line 1: the button is not OK, Cancel or Wait"},
        {"# c\n9 Yes", "line 2: the button is not OK, Cancel or Wait"},
        {"9 OK 1000", "line 1: a field is not CONTROL=VALUE"},
        {"9 OK id=1", "line 1: a field is not CONTROL=VALUE"},
        {"146 OK 1001=50%", "line 1: '%' must be followed by two hex digits"},
        {"99999999 OK", "line 1: the dialog is not a template number"},
        {"171 Wait 1016=x", "line 1: a dialog waited for takes no fields"},
    };
    for (const auto& b : bad) {
        ScriptedDialogs other;
        std::string message;
        EXPECT_FALSE(other.Parse(b.text, message)) << b.text;
        EXPECT_EQ(message, b.message);
    }
}

TEST_F(ScriptedDialogsTest, TheRealDialogsAreFilledAndConfirmed)
{
    std::string error;
    ASSERT_TRUE(answers.Parse("9 OK 1000=192.168.1.50\n146 OK 1001=se%20cret\n", error)) << error;
    CInputIPDlg ip;
    ip.m_strIP = "192.168.1.20";
    ip.m_strMask = "255.255.255.0";
    ip.m_strGateway = "192.168.1.1";
    ASSERT_EQ(ip.DoModal(), IDOK);
    EXPECT_TRUE(ip.m_bIPChanged);
    EXPECT_FALSE(ip.m_bMaskChanged);
    EXPECT_EQ((std::vector<int>(ip.m_newIP, ip.m_newIP + 4)), (std::vector<int>{192, 168, 1, 50}));

    CInputPasswordDlg password;
    ASSERT_EQ(password.DoModal(), IDOK);
    EXPECT_EQ(password.m_strPassword, "se cret");
    EXPECT_EQ(user.log, (std::vector<std::string>{"OK", "OK"}));
    EXPECT_TRUE(answers.Empty());

    // None left: Cancel.
    CInputPasswordDlg more;
    EXPECT_EQ(more.DoModal(), IDCANCEL);
    EXPECT_EQ(user.log.back(), "no answer left");
}

TEST_F(ScriptedDialogsTest, AnAnswerForAnotherDialogOrControlCancels)
{
    std::string error;
    ASSERT_TRUE(answers.Parse("146 OK 1001=x\n9 OK 4242=1.2.3.4\n9 Cancel 1000=10.0.0.1\n", error)) << error;
    CInputIPDlg ip;
    ip.m_strIP = "192.168.1.20";
    EXPECT_EQ(ip.DoModal(), IDCANCEL); // the next answer is the password's
    EXPECT_EQ(user.log.back(), "the next answer is for dialog 146");
    CInputPasswordDlg password;
    EXPECT_EQ(password.DoModal(), IDOK);
    EXPECT_EQ(ip.DoModal(), IDCANCEL);
    EXPECT_EQ(user.log.back(), "no control 4242");
    EXPECT_EQ(ip.DoModal(), IDCANCEL);
    EXPECT_EQ(user.log.back(), "Cancel");
    EXPECT_FALSE(ip.m_bIPChanged);
}

TEST_F(ScriptedDialogsTest, TheFileIsReadOnceAndABadOneIsRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("answers.txt")).toStdString();
    std::ofstream(path) << "146 OK 1001=secret\n";
    ScriptedDialogs loaded;
    std::string error;
    EXPECT_FALSE(loaded.Active());
    ASSERT_TRUE(loaded.Load(path, error)) << error;
    EXPECT_TRUE(loaded.Active());
    EXPECT_EQ(loaded.Count(), 1u);

    std::ofstream(path) << "146 Maybe\n";
    ScriptedDialogs bad;
    EXPECT_FALSE(bad.Load(path, error));
    EXPECT_EQ(error, path + ": line 1: the button is not OK, Cancel or Wait");
    EXPECT_FALSE(bad.Active());
    EXPECT_FALSE(bad.Load(path + ".missing", error));
    EXPECT_NE(error.find("cannot read"), std::string::npos);
    std::ofstream(path) << std::string(2 << 20, '#');
    EXPECT_FALSE(bad.Load(path, error));
    EXPECT_NE(error.find("larger than 1 MiB"), std::string::npos);
    // A FIFO would hold the start until something writes to it.
    const std::string fifo = dir.filePath(QStringLiteral("fifo")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(bad.Load(fifo, error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos);
}

TEST_F(ScriptedDialogsTest, AWaitIsTakenOnlyByItsDialogAndTheLastAnswerIsTold)
{
    std::string error;
    ASSERT_TRUE(answers.Parse("146 OK 1001=x\n171 Wait\n", error)) << error;
    int told = 0;
    answers.SetAllAnsweredHandler([&told] { ++told; });
    CInputPasswordDlg password;
    EXPECT_FALSE(answers.TakeWait(password)); // the next answer is this dialog's, but no Wait
    EXPECT_EQ(password.DoModal(), IDOK);
    EXPECT_EQ(told, 0);
    EXPECT_FALSE(answers.TakeWait(password)); // a Wait for another dialog
    CDialog progress(IDD_BATCH_PROGRESS);
    EXPECT_TRUE(answers.TakeWait(progress));
    EXPECT_TRUE(answers.Empty());
    EXPECT_EQ(told, 1);
}
