// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/keys_and_find.h"

#include "actions/user_selection.h"
#include "app/form1.h"
#include "app/message_pane.h"
#include "files/file_browser.h"
#include "platform/app_dirs.h"
#include "platform/services.h"
#include "platform/shell.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace quorvex {

namespace {

constexpr Qt::KeyboardModifiers kBlockingModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

} // namespace

KeysAndFind::KeysAndFind(Form1& form) : form_(form)
{
    // The application sees every key before the widget it is meant for, so the
    // main window answers its keys whichever of its controls has the focus.
    qApp->installEventFilter(this);
    connect(form.Text1, &QLineEdit::textChanged, this, &KeysAndFind::Text1_Change);
    connect(form.Command6, &QPushButton::clicked, this, &KeysAndFind::Command6_Click);
}

KeysAndFind::~KeysAndFind()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool KeysAndFind::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    // Only keys meant for the main window or a control inside it; its dialogs
    // and popups are windows of their own and keep their keys.
    auto* target = static_cast<QWidget*>(watched);
    if (target != &form_ && !form_.isAncestorOf(target))
        return false;
    return Form_KeyDown(*static_cast<QKeyEvent*>(event));
}

bool KeysAndFind::Form_KeyDown(const QKeyEvent& key)
{
    const bool plain = (key.modifiers() & kBlockingModifiers) == Qt::NoModifier;
    switch (key.key()) {
    case Qt::Key_F1:
        if (!plain)
            return false;
        // A missing FAQ or viewer shows nothing: help that fails must not
        // interrupt the work at hand.
        form_.services().shell.openDocument(form_.services().dirs.programDir() +
                                            QStringLiteral("/faq.fil"));
        return true;
    case Qt::Key_F5:
        if (!plain)
            return false;
        form_.browser().refresh();
        form_.Text2->setText(QStringLiteral("Files refreshed."));
        return true;
    case Qt::Key_Escape:
        form_.close();
        return true;
    default:
        return false;
    }
}

void KeysAndFind::Text1_Change()
{
    const QString text = form_.Text1->text();
    if (!text.isEmpty()) {
        QListWidget& list = *form_.List1;
        int found = -1;
        for (int row = 0; row < list.count(); ++row) {
            if (list.item(row)->text().startsWith(text, Qt::CaseInsensitive)) {
                found = row;
                break;
            }
        }
        // The found line becomes current without changing the selection, and
        // showing it is a click on the list.
        list.selectionModel()->setCurrentIndex(found < 0 ? QModelIndex()
                                                         : list.model()->index(found, 0),
                                               QItemSelectionModel::NoUpdate);
        if (found < 0) {
            form_.Text2->clear();
        } else {
            form_.selection().List1_Click();
            flash(found);
        }
    }
    form_.Command12->setVisible(false);
    form_.Command13->setVisible(false);
    form_.Command16->setVisible(false);
}

void KeysAndFind::flash(int row)
{
    QPointer<QListWidget> list = form_.List1;
    const QPersistentModelIndex line(list->model()->index(row, 0));
    list->selectionModel()->select(line, QItemSelectionModel::Select);
    QApplication::processEvents();
    QEventLoop wait;
    QTimer::singleShot(kFlashMs, &wait, &QEventLoop::quit);
    wait.exec();
    // Events ran meanwhile: a rescan may have rebuilt the list.
    if (list && line.isValid())
        list->selectionModel()->select(line, QItemSelectionModel::Deselect);
}

void KeysAndFind::Command6_Click()
{
    form_.Text1->clear();
    form_.Text1->setFocus();
}

} // namespace quorvex
