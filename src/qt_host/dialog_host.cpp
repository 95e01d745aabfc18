// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/dialog_host.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>

#include "framework/resources.h"
#include "qt_host/dialog_controls.h"
#include "qt_host/resource_images.h"
#include "qt_host/wire_text.h"

namespace {

// A modal dialog whose buttons, Enter, Esc and close box go to the dialog's logic.
class TemplateDialog : public QDialog {
public:
    TemplateDialog(CDialog& logic, QWidget* parent) : QDialog(parent), m_logic(logic) {}

    void Confirm()
    {
        m_logic.OnOK();
        FinishIfEnded();
    }
    void Cancel()
    {
        m_logic.OnCancel();
        FinishIfEnded();
    }
    void Command(UINT id)
    {
        m_logic.SendMessage(WM_COMMAND, id, 0);
        FinishIfEnded();
    }
    void FinishIfEnded()
    {
        if (m_logic.IsEnded())
            done(m_logic.Result());
    }

protected:
    void reject() override { Cancel(); }
    void closeEvent(QCloseEvent* e) override
    {
        e->ignore();
        Cancel();
    }

private:
    CDialog& m_logic;
};

// Dialog units to pixels for the template's font, as the platform measures them.
struct DialogUnits {
    double x = 1.5;
    double y = 1.625;
};

DialogUnits UnitsFor(const QFont& font)
{
    const QFontMetrics fm(font);
    const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    DialogUnits u;
    u.x = fm.horizontalAdvance(sample) / 52.0 / 4.0;
    u.y = fm.height() / 8.0;
    return u;
}

QRect ToPixels(const DialogControlDef& c, const DialogUnits& u)
{
    return QRect(qRound(c.x * u.x), qRound(c.y * u.y), qRound(c.cx * u.x), qRound(c.cy * u.y));
}

} // namespace

INT_PTR RunDialogModally(CDialog& dialog, QWidget* parent)
{
    const DialogTemplateDef* def = AfxFindDialog(dialog.TemplateId());
    if (def == nullptr)
        return -1;
    TemplateDialog box(dialog, parent);
    box.setWindowTitle(TextFromBytes(dialog.Caption().empty() ? def->caption : dialog.Caption()));
    box.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QFont font = QApplication::font();
    font.setPointSize(std::max(def->fontPoints, font.pointSize()));
    box.setFont(font);
    const DialogUnits units = UnitsFor(font);
    box.setFixedSize(qRound(def->cx * units.x), qRound(def->cy * units.y));

    DialogControls controls(dialog);
    QWidget* firstFocus = nullptr;
    for (const DialogControlDef& c : def->controls) {
        const QRect rect = ToPixels(c, units);
        QWidget* widget = nullptr;
        switch (c.kind) {
        case DialogControlKind::DefPushButton:
        case DialogControlKind::PushButton: {
            auto* button = new QPushButton(TextFromBytes(c.text), &box);
            button->setDefault(c.kind == DialogControlKind::DefPushButton);
            button->setAutoDefault(false);
            const UINT id = c.id;
            QObject::connect(button, &QPushButton::clicked, &box, [&box, id] {
                if (id == IDOK)
                    box.Confirm();
                else if (id == IDCANCEL)
                    box.Cancel();
                else
                    box.Command(id);
            });
            widget = button;
            break;
        }
        case DialogControlKind::GroupBox: {
            auto* group = new QGroupBox(TextFromBytes(c.text), &box);
            group->setFocusPolicy(Qt::NoFocus);
            widget = group;
            break;
        }
        case DialogControlKind::Static:
            widget = c.id == kFixedTextId ? new QLabel(TextFromBytes(c.text), &box) : controls.Create(c, &box);
            break;
        case DialogControlKind::Icon: {
            auto* label = new QLabel(&box);
            label->setPixmap(IconFor(c.iconId).pixmap(32, 32));
            widget = label;
            break;
        }
        case DialogControlKind::Edit:
        case DialogControlKind::IPAddress:
        case DialogControlKind::ListView:
            widget = controls.Create(c, &box);
            break;
        }
        if (widget == nullptr)
            continue;
        widget->setGeometry(rect);
        if (c.kind == DialogControlKind::GroupBox)
            widget->lower();
        if (firstFocus == nullptr && widget->focusPolicy() != Qt::NoFocus && c.kind != DialogControlKind::Static &&
            c.kind != DialogControlKind::Icon)
            firstFocus = widget;
    }
    // The template order is the tab order.
    QWidget* previous = nullptr;
    for (QWidget* w : box.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (w->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
    // DoModal initialised the dialog before showing it; its answer chooses the focus.
    if (dialog.InitialFocusIsDefault() && firstFocus)
        firstFocus->setFocus();
    controls.FocusRequested(&box);
    if (dialog.IsEnded())
        return dialog.Result();
    // A dialog whose own logic ends it (its timer's work done) closes once
    // that handler has returned.
    dialog.SetEndedHandler([&box] {
        QMetaObject::invokeMethod(
            &box, [&box] { box.FinishIfEnded(); }, Qt::QueuedConnection);
    });
    box.exec();
    dialog.SetEndedHandler({});
    return dialog.Result();
}
