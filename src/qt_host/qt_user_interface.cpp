// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/qt_user_interface.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <functional>
#include <map>
#include <optional>

#include "framework/frame_wnd.h"
#include "framework/menu.h"
#include "framework/resources.h"
#include "framework/wnd.h"
#include "qt_host/accelerator_text.h"
#include "qt_host/auto_answer.h"
#include "qt_host/dialog_parent.h"
#include "qt_host/wire_text.h"

namespace {

constexpr UINT kTypeMask = 0x0000000F;
constexpr UINT kYesNoCancel = 0x00000003;

QMessageBox::Icon IconOf(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

void AddItems(QMenu* menu, const std::vector<MenuItemDef>& items, CWnd* owner, std::map<QAction*, UINT>* ids)
{
    UINT index = 0;
    for (const MenuItemDef& item : items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
        } else if (item.IsPopup()) {
            AddItems(menu->addMenu(TextFromBytes(item.text)), item.popup, owner, ids);
        } else {
            // Mnemonics are written with '&' in both worlds; the frame's keys show beside the text.
            const auto* frame = dynamic_cast<const CFrameWnd*>(owner);
            QAction* action =
                menu->addAction(WithShortcutText(TextFromBytes(item.text), frame ? frame->ResourceId() : 0, item.id));
            const MenuItemShown shown = ShownState(item, index, owner);
            action->setEnabled(shown.enabled);
            action->setCheckable(shown.checked); // the check rule of ActionCmdUI
            action->setChecked(shown.checked);
            (*ids)[action] = item.id;
        }
        ++index;
    }
}

// The menu as one line of the log, with each item's state: "id:DC:text"
// (D disabled, C checked), "-" for a separator, "P:text" for a sub-menu.
// Returns the command the scripted user picks, if it is there and enabled.
std::optional<UINT> LogMenu(const std::vector<MenuItemDef>& items, CWnd* owner, std::string* line,
                            std::optional<UINT> wanted)
{
    std::optional<UINT> chosen;
    UINT index = 0;
    for (const MenuItemDef& item : items) {
        *line += '|';
        if (item.IsSeparator()) {
            *line += '-';
        } else if (item.IsPopup()) {
            *line += "P:" + EscapeForLog(item.text);
            if (const std::optional<UINT> c = LogMenu(item.popup, owner, line, wanted))
                chosen = c;
        } else {
            const MenuItemShown shown = ShownState(item, index, owner);
            *line += std::to_string(item.id) + ':' + (shown.enabled ? "" : "D") + (shown.checked ? "C" : "") + ':' +
                     EscapeForLog(item.text);
            if (wanted && item.id == *wanted && shown.enabled)
                chosen = item.id;
        }
        ++index;
    }
    return chosen;
}

} // namespace

int QtUserInterface::MessageBox(const std::string& text, const std::string& caption, UINT type)
{
    if (MessageBoxesAnswered()) {
        AppendUiLog("MessageBox|" + EscapeForLog(caption) + '|' + EscapeForLog(text) + '|' + std::to_string(type));
        NoteAnsweredMessage(text);
        return AutoAnswerResult();
    }
    QMessageBox box(IconOf(type), TextFromBytes(caption), TextFromBytes(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    // A file name or a device's name in the text is shown as written, never as markup.
    box.setTextFormat(Qt::PlainText);
    QMessageBox::StandardButton first = QMessageBox::Ok;
    switch (type & kTypeMask) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        first = QMessageBox::Yes;
        break;
    case kYesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        first = QMessageBox::Yes;
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    }
    box.setDefaultButton(first); // the first button is the default one on the platform
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

void QtUserInterface::TrackPopupMenu(const MenuItemDef& popup, int x, int y, CWnd* owner)
{
    if (owner == nullptr)
        return;
    std::optional<UINT> chosen;
    if (AutoAnswerEnabled()) {
        std::string line = "TrackPopupMenu|" + std::to_string(x) + '|' + std::to_string(y);
        chosen = LogMenu(popup.popup, owner, &line, AutoMenuCommand());
        AppendUiLog(line);
    } else {
        QMenu menu(DialogParentFor(owner));
        std::map<QAction*, UINT> ids;
        AddItems(&menu, popup.popup, owner, &ids);
        if (QAction* action = menu.exec(QPoint(x, y))) {
            const auto it = ids.find(action);
            if (it != ids.end())
                chosen = it->second;
        }
    }
    // The command arrives after the menu has closed, as on the platform; 0 is a
    // command like any other (a header menu numbers its items from 0).
    if (chosen && owner->IsWindow())
        owner->SendMessage(WM_COMMAND, *chosen, 0);
}

POINT QtUserInterface::GetCursorPos() const
{
    const QPoint p = QCursor::pos();
    return POINT{p.x(), p.y()};
}

bool QtUserInterface::SetClipboardText(const std::string& text)
{
    if (AutoAnswerEnabled())
        AppendUiLog("Clipboard|" + EscapeForLog(text));
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        return false;
    clipboard->setText(TextFromBytes(text));
    return true;
}
