// SPDX-License-Identifier: GPL-3.0-or-later
#include "locks/file_locks.h"

#include "actions/user_selection.h"
#include "app/form1.h"
#include "app/message_pane.h"
#include "files/directory_box.h"
#include "locks/lock_error_text.h"
#include "netware/netware_text.h"
#include "platform/prompts.h"
#include "platform/services.h"

#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <cstring>

namespace quorvex {

FileLocks::FileLocks(Form1& form) : form_(form)
{
    connect(form_.Command11, &QPushButton::clicked, this, [this] { Command11_Click(); });
}

void FileLocks::Command11_Click()
{
    const int holder = firstLockHolder();
    if (holder < 0) {
        clearLockSet();
        return;
    }
    // Making the holder current shows the user's details, as a click would.
    form_.selection().setCurrentLine(holder);
    const Answer answer = form_.services().prompts.messageBox(
        QStringLiteral("User ") + form_.List1->item(holder)->text() +
            QStringLiteral(" has file locked. Do you want to clear this lock?"),
        QStringLiteral("Quorvex"), MsgIcon::Question, MsgButtons::YesNo, Answer::Yes);
    if (answer == Answer::Yes)
        clearFileLock();
}

int FileLocks::firstLockHolder() const
{
    // Lines without a record (or a scan made with "Locked" off) hold no lock.
    const int lines = std::min<int>(form_.List1->count(), form_.connections.size());
    for (int i = 0; i < lines; ++i) {
        if (form_.connections.at(i).locked != 0)
            return i;
    }
    return -1;
}

void FileLocks::clearLockSet()
{
    const Answer answer = form_.services().prompts.messageBox(
        QStringLiteral(
            "No user has the file locked. Do you want to clear locks for all other files?"),
        QStringLiteral("Quorvex"), MsgIcon::Question, MsgButtons::YesNo, Answer::No);
    if (answer != Answer::Yes)
        return;
    const nw::NWCCODE code = form_.client().NWClearFileLockSet(form_.serverConnection);
    if (code == nw::kSuccess)
        form_.Text2->setText(QStringLiteral("All file locks have been cleared."));
    else
        form_.Text2->setText(QStringLiteral("Unable to clear file locks - ") +
                             lockSetErrorText(code));
}

void FileLocks::clearFileLock()
{
    nw::NetWareClient& client = form_.client();
    const QString directory = form_.Dir1->path();
    std::array<char, 48> serverName{};
    std::array<char, 48> volName{};
    std::array<char, 255> dirPath{};
    // The parse leaves its connection as the window's current one.
    if (client.NWParsePath(nw::toClientText(directory).constData(), serverName,
                           form_.serverConnection, volName, dirPath) != nw::kSuccess) {
        form_.services().prompts.beep();
        form_.Text2->setText(QStringLiteral("Error! Unable to parse the path for directory ") +
                             directory + QStringLiteral("."));
        return;
    }
    const nw::NWCONN_HANDLE conn = form_.serverConnection;
    const QString volumePath =
        nw::fromClientText(volName) + QStringLiteral(":") + nw::fromClientText(dirPath);

    nw::NWDIR_HANDLE dirHandle = 0;
    std::uint8_t rightsMask = 0;
    if (client.NWAllocTemporaryDirectoryHandle(conn, 0, nw::toClientText(volumePath).constData(),
                                               dirHandle, rightsMask) != nw::kSuccess) {
        form_.services().prompts.beep();
        form_.Text2->setText(QStringLiteral("Error! Unable to create temp directory handle."));
        return;
    }

    const QString filePath = volumePath + QStringLiteral("\\") + selectedFileName();
    const nw::NWCCODE code =
        client.NWClearFileLock2(conn, dirHandle, nw::toClientText(filePath).constData());
    // The handle is ours alone; a server gives each connection only so many.
    client.NWDeallocateDirectoryHandle(conn, dirHandle);

    if (code == nw::kSuccess)
        form_.Text2->setText(QStringLiteral("File lock has been cleared."));
    else
        form_.Text2->setText(QStringLiteral("Unable to clear file lock - ") +
                             fileLockErrorText(code));
}

QString FileLocks::selectedFileName() const
{
    // The file list's selection at this moment, not the file of the last scan.
    const QList<QListWidgetItem*> selected = form_.List3->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

} // namespace quorvex
